#include "editor/TAutoReplace.h"

#include <algorithm>

#include "editor/TCustomCodeMemo.h"
#include "text/TEdStream.h"
#include "editorsettings/TKeyNameTable.h"
#include "text/TUndoStack.h"
#include "editor/ExpandText.h"
#include "editor/KeyScan.h"
#include "highlight/LanguageSettings.h"

namespace quarry {

namespace {

// The key of a backslash special: \n and \r Return, \s Space, \t Tab; another character its key
// without modifiers.
int specialKey(char c)
{
    switch (c) {
        case 'n':
        case 'r': return 13;
        case 's': return 32;
        case 't': return 9;
        default: {
            const int scan = VkKeyScan(c);
            return scan < 0 ? -1 : (scan & 0xFF);
        }
    }
}

}  // namespace

std::vector<int> TAutoReplace::ParseTriggerText(std::string_view text)
{
    std::vector<int> keys;
    auto add = [&](int key) {
        if (key >= 0 && std::find(keys.begin(), keys.end(), key) == keys.end())
            keys.push_back(key);
    };
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 >= text.size()) {
            add(VkKeyScan(text[i]));
            continue;
        }
        const char next = text[++i];
        if (next != '{') {
            add(specialKey(next));
            continue;
        }
        // A key name in braces; a name without its closing brace names no key.
        const size_t close = text.find('}', i + 1);
        if (close == std::string_view::npos)
            break;
        add(TKeyNameTable::Instance().Find(text.substr(i + 1, close - i - 1)));
        i = close;
    }
    return keys;
}

void TAutoReplace::Assign(const LanguageSettings& settings)
{
    Clear();
    for (const auto& [word, replacement] : settings.autoReplace)
        Add(word, replacement);
    SetTriggerText(settings.autoReplaceTriggers);
}

void TAutoReplace::Clear()
{
    replacements_.clear();
    words_.clear();
    longestWord_ = 0;
}

void TAutoReplace::Add(const std::string& word, const std::string& replacement)
{
    if (word.empty())
        return;
    auto [at, added] = replacements_.insert_or_assign(word, replacement);
    if (added)
        words_.push_back(word);
    longestWord_ = std::max(longestWord_, word.size());
}

const std::string* TAutoReplace::ReplacementOf(std::string_view word) const
{
    auto at = replacements_.find(std::string(word));
    return at == replacements_.end() ? nullptr : &at->second;
}

void TAutoReplace::SetTriggerText(std::string_view text)
{
    triggerText_ = text;
    triggerKeys_ = ParseTriggerText(text);
}

bool TAutoReplace::IsTriggerKey(std::uint16_t key, TShiftState shift) const
{
    if (!enabled || triggerText_.empty())
        return false;
    const int scan = KeyScanOf(key, shift);
    return std::find(triggerKeys_.begin(), triggerKeys_.end(), scan) != triggerKeys_.end();
}

bool TAutoReplace::KeyDown(TCustomCodeMemo& memo, std::uint16_t& key, TShiftState& shift)
{
    if (IsTriggerKey(key, shift))
        ReplaceAtCaret(memo);
    return false;
}

bool TAutoReplace::ReplaceAtCaret(TCustomCodeMemo& memo)
{
    if (memo.readOnly || memo.HasSelection() || replacements_.empty())
        return false;
    TTextStore& store = memo.Store();
    const Offset caret = memo.Caret();
    // Words end at the caret and never span a line: read back to the line start at most.
    const Offset lineStart = store.FirstSegment(store.Locate(caret)).lineStart;
    const Offset from = std::max<Offset>(lineStart, caret - Offset(longestWord_));
    const std::string before = store.GetText(from, caret);
    for (size_t length = before.size(); length > 0; --length) {
        const std::string word = before.substr(before.size() - length);
        const std::string* replacement = ReplacementOf(word);
        if (replacement && AtWordBoundary(memo, caret - Offset(length), word, *replacement))
            return Expand(memo, word, *replacement);
    }
    return false;
}

bool TAutoReplace::AtWordBoundary(TCustomCodeMemo& memo, Offset start, const std::string& word,
                                  const std::string& text) const
{
    if (start == 0)
        return true;
    const bool wordCharBefore = memo.IsWordChar(static_cast<unsigned char>(memo.Store().CharAt(start - 1)));
    if (!wordCharBefore)
        return true;
    // A word character before the word joins it to the word, and would join the replacement.
    if (memo.IsWordChar(static_cast<unsigned char>(word.back())))
        return false;
    return text.empty() || !memo.IsWordChar(static_cast<unsigned char>(text.front()));
}

bool TAutoReplace::Expand(TCustomCodeMemo& memo, const std::string& word, std::string text)
{
    const Offset start = memo.Caret() - Offset(word.size());
    if (word.empty() || start < 0 || !AtWordBoundary(memo, start, word, text))
        return false;
    if (OnAutoReplace) {
        TEdStream cursor(memo.Store(), start);
        bool allow = true;
        OnAutoReplace(memo, cursor, allow, text, word);
        if (!allow)
            return false;
    }
    return ExpandText(memo, {autoIndent, caretMarker, ugAutoReplace}, Offset(word.size()), text);
}

}  // namespace quarry
