#pragma once
#include "editor/TCodeMemoSearch.h"
#include "platform/UserInterface.h"
#include "text/TextEncoding.h"

#include <cstdint>
#include <string>

namespace quarry {

class TCustomCodeMemo;

// The last search of the find and replace dialogs, repeated by Find next. Options carry the
// direct-search bit once a dialog has searched.
struct LastSearch {
    static constexpr std::size_t kMaxText = 255;
    std::string text;  // empty at start
    std::uint16_t options = 0;
    TextEncoding encoding = TextEncoding::Windows1252;  // of the window it was typed for
    bool exists() const { return !text.empty(); }
    // The text as a window of that encoding stores it.
    std::string textIn(TextEncoding target) const;
};

// "\"foo\" not found"
std::string notFoundMessage(const std::string& text);
// "Replace this instance of \"a\" with \"b\" ?"
std::string replacePrompt(const std::string& text, const std::string& replacement);
// What a find or replace dialog opens with: the selected text (cut to 255 characters) or,
// without a selection, the last search text.
std::string initialSearchText(TCustomCodeMemo& memo, const LastSearch& last);

// The search commands of the find and replace dialogs and of Find next on one editor control:
// the option bits of the dialogs (case 16, regular expression 32, whole words 64, backwards
// 128), the last search, the messages and the replace questions. The control does the
// searching; an invalid regular expression is shown as an error box with its message.
class EditorSearch final {
public:
    static constexpr std::uint16_t kDialogOptions = TCodeMemoSearch::kMatchCase | TCodeMemoSearch::kRegExpr |
                                                    TCodeMemoSearch::kWholeWords | TCodeMemoSearch::kBackward;

    EditorSearch(TCustomCodeMemo& memo, UserInterface& ui, LastSearch& last);
    EditorSearch(const EditorSearch&) = delete;  // bound to one control
    EditorSearch& operator=(const EditorSearch&) = delete;

    // Selects the next match from the selection, or tells the user there is none.
    bool Find(const std::string& text, std::uint16_t options);
    // Repeats the last search; false (without a message) when there is none.
    bool FindNext();
    // Replaces the next match (the selected text itself when it is the search text), asking
    // first when `prompt` is set.
    bool Replace(const std::string& text, const std::string& replacement, std::uint16_t options, bool prompt);
    // Replaces every match from the selection on as one undo step; returns how many.
    int ReplaceAll(const std::string& text, const std::string& replacement, std::uint16_t options, bool prompt);

    // Whether the selection is the search text: exactly, or without regard to case.
    bool SelectionIs(const std::string& text, bool exact);

private:
    void remember(const std::string& text, std::uint16_t options);
    bool searchNext(const std::string& text, std::uint16_t options);
    bool prepareReplace(const std::string& text, const std::string& replacement, std::uint16_t options,
                        std::string& replaceWith);
    static std::uint16_t directOptions(std::uint16_t options);

    TCustomCodeMemo& memo_;
    UserInterface& ui_;
    LastSearch& last_;
    TCodeMemoSearch search_;
};

}  // namespace quarry
