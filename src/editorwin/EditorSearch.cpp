#include "editorwin/EditorSearch.h"

#include "editor/TCodeMemoPaintLock.h"
#include "editor/TCodeMemoUndoGroup.h"
#include "editor/TCustomCodeMemo.h"
#include "text/TUndoStack.h"
#include "regex/EREParser.h"
#include "platform/Text.h"

#include <optional>

namespace quarry {

std::string notFoundMessage(const std::string& text) { return "\"" + text + "\" not found"; }

std::string replacePrompt(const std::string& text, const std::string& replacement)
{
    return "Replace this instance of \"" + text + "\" with \"" + replacement + "\" ?";
}

std::string initialSearchText(TCustomCodeMemo& memo, const LastSearch& last)
{
    if (memo.HasSelection())
        return text::cut(memo.SelText(), LastSearch::kMaxText);
    return last.text;
}

EditorSearch::EditorSearch(TCustomCodeMemo& memo, UserInterface& ui, LastSearch& last)
    : memo_(memo), ui_(ui), last_(last), search_(memo)
{
    // The dialogs word their own failure message.
    search_.OnSearchFail = [](TCustomCodeMemo&, const std::string&) {};
}

std::uint16_t EditorSearch::directOptions(std::uint16_t options)
{
    return static_cast<std::uint16_t>((options & kDialogOptions) | TCodeMemoSearch::kDirect);
}

void EditorSearch::remember(const std::string& text, std::uint16_t options)
{
    last_.text = text::cut(text, LastSearch::kMaxText);
    last_.options = directOptions(options);
}

bool EditorSearch::SelectionIs(const std::string& text, bool exact)
{
    if (!memo_.HasSelection())
        return false;
    const auto selected = memo_.SelText();
    return exact ? selected == text : text::equalsIgnoreCase(selected, text);
}

// A selected occurrence of the search text must not be found again. The control starts a
// forward search at the selection's end and a backward one at its start, so it never is, in
// either direction: the selection is left as it is (moving its start one character on would make
// a backward Find next return to the same occurrence for ever, and shrink the selection when
// nothing further is found).
bool EditorSearch::searchNext(const std::string& text, std::uint16_t options)
{
    try {
        Offset found = -1;
        if (search_.FindText(text, found, directOptions(options)))
            return true;
        ui_.showMessage(MessageKind::Information, notFoundMessage(text), MessageButtons::Ok);
    } catch (const EREParser& error) {
        ui_.showMessage(MessageKind::Error, error.what(), MessageButtons::Ok);
    }
    return false;
}

bool EditorSearch::Find(const std::string& text, std::uint16_t options)
{
    if (text.empty())
        return false;
    remember(text, options);
    return searchNext(text, options);
}

bool EditorSearch::FindNext()
{
    if (!last_.exists())
        return false;
    return searchNext(last_.text, last_.options);
}

bool EditorSearch::prepareReplace(const std::string& text, const std::string& replacement, std::uint16_t options,
                                  std::string& replaceWith)
{
    return search_.PrepareReplace(text, replacement, directOptions(options), replaceWith);
}

bool EditorSearch::Replace(const std::string& text, const std::string& replacement, std::uint16_t options,
                           bool prompt)
{
    if (text.empty())
        return false;
    // The occurrence the user has selected is the one to replace: search from its near side.
    if (SelectionIs(text, true)) {
        const Offset start = memo_.SelStart();
        const Offset end = start + memo_.SelLength();
        const Offset from = (options & TCodeMemoSearch::kBackward) ? end : start;
        memo_.SetSelection(from, from);
    }
    remember(text, options);
    try {
        std::string replaceWith;
        if (!prepareReplace(text, replacement, options, replaceWith)) {
            ui_.showMessage(MessageKind::Information, notFoundMessage(text), MessageButtons::Ok);
            return false;
        }
        if (prompt && ui_.showMessage(MessageKind::Confirmation, replacePrompt(text, replacement),
                                      MessageButtons::YesNoCancel) != Answer::Yes)
            return false;
        memo_.Perform(cm::CM_REPLACESEL, 0, reinterpret_cast<std::intptr_t>(replaceWith.c_str()));
        return true;
    } catch (const EREParser& error) {
        ui_.showMessage(MessageKind::Error, error.what(), MessageButtons::Ok);
        return false;
    }
}

int EditorSearch::ReplaceAll(const std::string& text, const std::string& replacement, std::uint16_t options,
                             bool prompt)
{
    if (text.empty())
        return 0;
    const bool backward = (options & TCodeMemoSearch::kBackward) != 0;
    int replaced = 0;
    bool anyFound = false;
    try {
        TCodeMemoUndoGroup group(memo_, ugReplaceAll);
        // While the user is asked about each match the editor has to show it.
        std::optional<TCodeMemoPaintLock> lock;
        if (!prompt)
            lock.emplace(memo_);
        // Each round starts past the previous match (before it, backwards) and every forward
        // search refuses an empty match where it starts, so the loop ends even when the
        // replacement holds the search text.
        for (;;) {
            remember(text, options);
            std::string replaceWith;
            if (!prepareReplace(text, replacement, options, replaceWith))
                break;
            anyFound = true;
            const Offset start = memo_.SelStart();
            Offset end = start + memo_.SelLength();
            Answer answer = Answer::Yes;
            if (prompt)
                answer = ui_.showMessage(MessageKind::Confirmation, replacePrompt(text, replacement),
                                         MessageButtons::YesNoCancel);
            if (answer == Answer::Cancel)
                break;
            if (answer == Answer::Yes) {
                memo_.Perform(cm::CM_REPLACESEL, 2, reinterpret_cast<std::intptr_t>(replaceWith.c_str()));
                end = memo_.Caret();
                ++replaced;
            }
            const Offset next = backward ? start : end;
            memo_.SetSelection(next, next);
        }
    } catch (const EREParser& error) {
        ui_.showMessage(MessageKind::Error, error.what(), MessageButtons::Ok);
    }
    // Set the selection again so that the control shows it now that painting is back.
    memo_.SetSelection(memo_.Anchor(), memo_.Caret());
    memo_.ScrollCaretIntoView();
    if (!anyFound)
        ui_.showMessage(MessageKind::Information, notFoundMessage(text), MessageButtons::Ok);
    return replaced;
}

}  // namespace quarry
