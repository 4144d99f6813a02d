#include "editor/ExpandText.h"

#include "editor/TCodeMemoUndoGroup.h"
#include "editor/TCustomCodeMemo.h"

namespace quarry {

std::string PrepareExpansion(std::string_view text, const TExpansionStyle& style, std::int32_t indentColumns,
                             std::int32_t& markerOffset)
{
    const std::string indent =
        style.autoIndent && !text.empty() && indentColumns > 0 ? std::string(size_t(indentColumns), ' ') : "";
    std::string out;
    out.reserve(text.size());
    markerOffset = -1;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += '\r';
            out += indent;
        } else if (c == '|' && style.caretMarker && markerOffset < 0) {
            markerOffset = std::int32_t(out.size());
        } else {
            out += c;
        }
    }
    return out;
}

std::int32_t IndentColumnsAtCaret(TCustomCodeMemo& memo)
{
    TTextStore& store = memo.Store();
    const Offset caret = memo.Caret();
    Offset pos = store.FirstSegment(store.Locate(caret)).lineStart;
    std::int32_t column = 0;
    for (; pos < caret; ++pos) {
        const char c = store.CharAt(pos);
        if (c == ' ')
            ++column;
        else if (c == '\t')
            column = memo.NextTabStop(column);
        else
            break;
    }
    return column;
}

bool ExpandText(TCustomCodeMemo& memo, const TExpansionStyle& style, Offset wordLength, std::string_view text)
{
    const Offset caret = memo.Caret();
    if (memo.readOnly || wordLength < 0 || wordLength > caret)
        return false;
    const Offset start = caret - wordLength;
    std::int32_t marker = -1;
    const std::string inserted = PrepareExpansion(text, style, IndentColumnsAtCaret(memo), marker);
    TCodeMemoUndoGroup group(memo, style.undoGroup);
    memo.SetSelection(start, caret);
    memo.ReplaceSelection(inserted);
    if (marker >= 0)
        memo.SetSelStart(start + marker);
    return true;
}

}  // namespace quarry
