#pragma once
// The one insertion routine that code templates and auto-replace share: the word before the
// caret is replaced by a text as a single undoable step, with the text's continuation lines
// indented like the caret's line and the caret left at the text's marker.
#include <cstdint>
#include <string>
#include <string_view>

#include "text/EditorTypes.h"

namespace quarry {

class TCustomCodeMemo;

struct TExpansionStyle {
    // Continuation lines of the text get the indentation (as blanks) of the caret's line.
    bool autoIndent = true;
    // The first "|" of the text marks where the caret is left; the bar itself is removed.
    bool caretMarker = true;
    // The undo group the step is recorded in.
    std::int32_t undoGroup = 0;
};

// The text as it will be inserted: line ends made CR (CR LF and LF count as one break), the
// indentation inserted after every break, the marker removed. markerOffset becomes the marker's
// offset in the result, or -1 when there is none.
std::string PrepareExpansion(std::string_view text, const TExpansionStyle& style, std::int32_t indentColumns,
                             std::int32_t& markerOffset);

// Replaces the wordLength characters before the caret by the text. Returns false (and changes
// nothing) when the control is read-only or the word does not fit before the caret.
bool ExpandText(TCustomCodeMemo& memo, const TExpansionStyle& style, Offset wordLength, std::string_view text);

// The indentation of the caret's logical line in display columns (TABs expanded).
std::int32_t IndentColumnsAtCaret(TCustomCodeMemo& memo);

}  // namespace quarry
