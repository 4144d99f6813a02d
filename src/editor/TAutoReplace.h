#pragma once
// A language's auto-replace list: when the user presses one of the trigger keys right after a
// listed word, the word is replaced by its replacement before the key does its own work.
//
// Trigger keys are kept in key-scan form (see KeyScan.h) and rebuilt whenever the trigger text
// changes. invariant: triggerKeys_ holds each key once, in the order the text names them.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "text/EditorTypes.h"
#include "editorsettings/TCodeMemoKeyHook.h"

namespace quarry {

class LanguageSettings;
class TCustomCodeMemo;
class TEdStream;

// Called before a replacement: the control, a cursor at the start of the word, whether the
// replacement may go ahead, the replacement text (which the handler may change) and the word.
using TAutoReplaceEvent = std::function<void(TCustomCodeMemo& memo, TEdStream& cursor, bool& allow,
                                             std::string& text, const std::string& word)>;

class TAutoReplace final : public TCodeMemoKeyHook {
public:
    static constexpr const char* kDefaultTriggerText = ";,:.=()[]\\{Return}\\{Tab}\\{Space}";

    TAutoReplace() { SetTriggerText(kDefaultTriggerText); }

    // The pairs and trigger text of a language; the flags and the event stay.
    void Assign(const LanguageSettings& settings);

    void Clear();
    // A word added again gets the new replacement.
    void Add(const std::string& word, const std::string& replacement);
    std::size_t Count() const { return words_.size(); }
    // The replacement of a word, or null.
    const std::string* ReplacementOf(std::string_view word) const;

    const std::string& TriggerText() const { return triggerText_; }
    void SetTriggerText(std::string_view text);
    const std::vector<int>& TriggerKeys() const { return triggerKeys_; }
    // False when the list is disabled or the trigger text empty; else whether the key with that
    // modifier state is one of the trigger keys.
    bool IsTriggerKey(std::uint16_t key, TShiftState shift) const;

    bool enabled = true;
    bool autoIndent = true;
    bool caretMarker = true;
    TAutoReplaceEvent OnAutoReplace;

    // Sees every key and never takes it: on a trigger key the word before the caret is replaced,
    // and the key then goes on along the key path.
    bool KeyDown(TCustomCodeMemo& memo, std::uint16_t& key, TShiftState& shift) override;

    // Replaces the longest listed word that ends at the caret, when the word-boundary rules and
    // the event allow; true when it did.
    bool ReplaceAtCaret(TCustomCodeMemo& memo);
    // Replaces the word that ends at the caret by the text, when the word-boundary rules and the
    // event allow; true when it did.
    bool Expand(TCustomCodeMemo& memo, const std::string& word, std::string text);

    // The keys that a trigger text names, in key-scan form, each once.
    static std::vector<int> ParseTriggerText(std::string_view text);

private:
    bool AtWordBoundary(TCustomCodeMemo& memo, Offset start, const std::string& word, const std::string& text) const;

    std::unordered_map<std::string, std::string> replacements_;
    std::vector<std::string> words_;  // in the order they were added, for listing
    std::size_t longestWord_ = 0;
    std::string triggerText_;
    std::vector<int> triggerKeys_;
};

}  // namespace quarry
