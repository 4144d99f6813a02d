#include "editor/TCodeMemoStrings.h"

#include "editor/EStringListError.h"
#include "text/EditorMessages.h"
#include "text/Format.h"
#include "editor/TCustomCodeMemo.h"

namespace quarry {

std::int32_t TCodeMemoStrings::Count() const { return memo_.store_->LogicalLineCount(); }

void TCodeMemoStrings::Check(std::int32_t index) const {
    if (index < 0 || index >= Count()) throw EStringListError(Format(msg::ListIndexOutOfBounds, index));
}

std::string TCodeMemoStrings::Get(std::int32_t index) const {
    Check(index);
    TTextStore& store = *memo_.store_;
    const TTextStore::Location first = store.LocateLogicalLine(index);
    return store.GetText(first.lineStart, store.LogicalLineEnd(first));
}

void TCodeMemoStrings::Put(std::int32_t index, std::string_view text) {
    Check(index);
    TTextStore& store = *memo_.store_;
    const TTextStore::Location first = store.LocateLogicalLine(index);
    memo_.ExternalReplace(first.lineStart, store.LogicalLineEnd(first), text);
}

void TCodeMemoStrings::Add(std::string_view text) {
    TTextStore& store = *memo_.store_;
    const Offset end = store.CharCount();
    const bool needsBreak = end > 0 && store.CharAt(end - 1) != '\r';
    std::string line = needsBreak ? "\r" : "";
    line.append(text);
    memo_.ExternalReplace(end, end, line);
}

void TCodeMemoStrings::Insert(std::int32_t index, std::string_view text) {
    if (index == Count()) {
        Add(text);
        return;
    }
    Check(index);
    TTextStore& store = *memo_.store_;
    const Offset at = store.LocateLogicalLine(index).lineStart;
    std::string line(text);
    line += '\r';
    memo_.ExternalReplace(at, at, line);
}

void TCodeMemoStrings::Delete(std::int32_t index) {
    Check(index);
    TTextStore& store = *memo_.store_;
    const TTextStore::Location first = store.LocateLogicalLine(index);
    Offset start = first.lineStart;
    Offset end = store.LogicalLineEnd(first);
    if (end < store.CharCount())
        ++end;  // with its CR
    else if (start > 0)
        --start;  // the last line takes the break before it
    memo_.ExternalReplace(start, end, {});
}

void TCodeMemoStrings::Clear() { memo_.Clear(); }

std::string TCodeMemoStrings::Text() const {
    std::string out;
    const std::int32_t count = Count();
    for (std::int32_t i = 0; i < count; ++i) {
        out += Get(i);
        out += "\r\n";
    }
    return out;
}

void TCodeMemoStrings::SetText(std::string_view text) { memo_.SetText(text); }

}  // namespace quarry
