#include "editor/TCodeTemplates.h"

#include "editor/TCustomCodeMemo.h"
#include "editorsettings/TKeyboardActionContoller.h"
#include "text/TUndoStack.h"
#include "editor/ExpandText.h"
#include "highlight/LanguageSettings.h"
#include "platform/UserInterface.h"

namespace quarry {

namespace {
// A word longer than any name is not worth reading back over.
constexpr int kMaxWordLength = 255;
}  // namespace

void TCodeTemplates::Assign(const LanguageSettings& settings)
{
    Clear();
    SetCaseSensitive(settings.caseSensitive);
    for (const CodeTemplate& t : settings.templates)
        Add(t.name, t.description, t.text);
    hotKey = settings.templateHotKey;
}

std::string TCodeTemplates::WordBeforeCaret(TCustomCodeMemo& memo)
{
    TTextStore& store = memo.Store();
    const Offset caret = memo.Caret();
    Offset start = caret;
    while (start > 0 && caret - start < kMaxWordLength &&
           memo.IsWordChar(static_cast<unsigned char>(store.CharAt(start - 1))))
        --start;
    return store.GetText(start, caret);
}

bool TCodeTemplates::KeyDown(TCustomCodeMemo& memo, std::uint16_t& key, TShiftState& shift)
{
    if (hotKey == 0 || TKeyboardActionContoller::Stroke(key, shift) != hotKey)
        return false;
    return ExpandAtCaret(memo);
}

bool TCodeTemplates::ExpandAtCaret(TCustomCodeMemo& memo)
{
    if (memo.readOnly || memo.HasSelection() || Count() == 0)
        return false;
    const std::string word = WordBeforeCaret(memo);
    if (const TMacroEntry* exact = Find(word))
        return Expand(memo, word, exact->text);
    const auto candidates = WithPrefix(word);
    if (candidates.empty())
        return false;
    if (candidates.size() == 1)
        return Expand(memo, word, candidates.front()->text);
    if (!memo.userInterface)
        return false;
    std::vector<std::string> items;
    for (const TMacroEntry* e : candidates)
        items.push_back(e->name + "\t" + e->description);
    const std::optional<int> chosen = memo.userInterface->pickFromList(kChoiceTitle, items, 0);
    if (chosen && *chosen >= 0 && size_t(*chosen) < candidates.size())
        Expand(memo, word, candidates[size_t(*chosen)]->text);
    // The hot key was answered by the list, even when the user closed it.
    return true;
}

bool TCodeTemplates::Expand(TCustomCodeMemo& memo, const std::string& word, std::string text)
{
    if (memo.OnCodeTemplate)
        memo.OnCodeTemplate(memo, word, text);
    return ExpandText(memo, {autoIndent, caretMarker, ugTemplate}, Offset(word.size()), text);
}

}  // namespace quarry
