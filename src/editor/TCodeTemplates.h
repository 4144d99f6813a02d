#pragma once
// A language's code templates: named texts expanded in place of the word before the caret when
// the user presses the expansion hot key. When several templates begin with the typed word the
// user picks one from a list (name, tab, description); a name typed in full expands at once.
#include <cstdint>
#include <string>

#include "text/EditorTypes.h"
#include "editorsettings/TCodeMemoKeyHook.h"
#include "editor/TMacroKeywords.h"

namespace quarry {

class LanguageSettings;
class TCustomCodeMemo;

class TCodeTemplates final : public TMacroKeywords, public TCodeMemoKeyHook {
public:
    static constexpr const char* kChoiceTitle = "Code templates";

    TCodeTemplates() = default;

    // The templates and hot key of a language (names folded by its case rule); the flags and
    // the state of this object stay.
    void Assign(const LanguageSettings& settings);

    // The expansion hot key as a short-cut value (key code plus Shift/Ctrl/Alt flags); 0: none.
    TShortCut hotKey = 0;
    bool autoIndent = true;
    bool caretMarker = true;

    // Takes the hot key: expands the template for the word before the caret, or offers the
    // templates that share its prefix. Any other key, or a word no template starts with, is
    // left to the rest of the key path.
    bool KeyDown(TCustomCodeMemo& memo, std::uint16_t& key, TShiftState& shift) override;

    // The expansion itself; true when a template was expanded or a choice was offered.
    bool ExpandAtCaret(TCustomCodeMemo& memo);
    // Expands a template's text in place of the word of wordLength characters before the caret,
    // after the control's template event has seen (and possibly changed) it.
    bool Expand(TCustomCodeMemo& memo, const std::string& word, std::string text);

    // The word before the caret that template names are matched against.
    static std::string WordBeforeCaret(TCustomCodeMemo& memo);
};

}  // namespace quarry
