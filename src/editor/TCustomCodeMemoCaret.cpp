#include "editor/TCustomCodeMemo.h"

#include <algorithm>

#include "editor/TCodeMemoHost.h"
#include "text/ECodeMemo.h"
#include "text/EditorMessages.h"

namespace quarry {

// ---------------------------------------------------------------- caret geometry

TTextStore::Location TCustomCodeMemo::CaretLocation() { return store_->Locate(caret_); }

LineIndex TCustomCodeMemo::CaretLine() {
    if (store_->First() == kNoRecord) return 0;
    return CaretLocation().line;
}

std::int32_t TCustomCodeMemo::DisplayColumnOf(Offset offset) {
    if (store_->First() == kNoRecord) return 0;
    const TTextStore::Location loc = store_->Locate(offset);
    if (loc.lineStart >= store_->CharCount() && offset >= store_->CharCount() && store_->Record(loc.record).EndsWithCR())
        return 0;
    const TLineRecord& rec = store_->Record(loc.record);
    const std::int32_t upTo = std::min<std::int32_t>(offset - loc.lineStart, rec.length);
    if (!(rec.flags & lfHasTab)) return upTo;
    const TCM_Settings& settings = Settings();
    std::int32_t column = 0;
    const char* text = store_->TextOf(rec);
    for (std::int32_t i = 0; i < upTo; ++i) column = text[i] == '\t' ? settings.NextTabStop(column) : column + 1;
    return column;
}

std::int32_t TCustomCodeMemo::CaretColumn() { return beyondEol_ ? virtualColumn_ : DisplayColumnOf(caret_); }

// The offset where the caret may stand last in a segment: before its CR, before the last
// character of a segment that continues on the next one, or the end of the text.
std::int32_t TCustomCodeMemo::SegmentContentEnd(const TTextStore::Location& segment) {
    if (segment.record == kNoRecord || segment.lineStart >= store_->CharCount()) return segment.lineStart;
    const TLineRecord& rec = store_->Record(segment.record);
    if (rec.EndsWithCR() || rec.next != kNoRecord) return segment.lineStart + rec.length - 1;
    return segment.lineStart + rec.length;
}

Offset TCustomCodeMemo::OffsetAtColumn(const TTextStore::Location& segment, std::int32_t column, std::int32_t* reached) {
    const Offset end = SegmentContentEnd(segment);
    std::int32_t col = 0;
    Offset pos = segment.lineStart;
    if (segment.record != kNoRecord && segment.lineStart < store_->CharCount()) {
        const TLineRecord& rec = store_->Record(segment.record);
        const TCM_Settings& settings = Settings();
        while (pos < end) {
            const char c = store_->TextOf(rec)[pos - segment.lineStart];
            const std::int32_t next = c == '\t' ? settings.NextTabStop(col) : col + 1;
            if (next > column) break;
            col = next;
            ++pos;
        }
    }
    if (reached) *reached = col;
    return pos;
}

void TCustomCodeMemo::MoveCaretTo(LineIndex line, std::int32_t column, bool extend) {
    PlaceCaret(line, column, extend);
    columnMemory_ = CaretColumn();
}

void TCustomCodeMemo::PlaceCaret(LineIndex line, std::int32_t column, bool extend) {
    if (store_->First() == kNoRecord) {
        MoveCaret(0, extend);
        return;
    }
    const TLineRecord& last = store_->Record(store_->Last());
    const LineIndex lastLine = store_->LineCount() - (last.EndsWithCR() ? 0 : 1);
    line = std::clamp<LineIndex>(line, 0, lastLine);
    TTextStore::Location segment;
    if (line == store_->LineCount())
        segment = {store_->Last(), line, store_->CharCount()};
    else
        segment = store_->LineByIndex(line);
    std::int32_t reached = 0;
    const Offset offset = OffsetAtColumn(segment, column, &reached);
    MoveCaret(offset, extend);
    if (HasOption(smoCaretAfterEOL) && column > reached && offset == SegmentContentEnd(segment)) {
        beyondEol_ = true;
        virtualColumn_ = column;
    }
}

void TCustomCodeMemo::MoveCaret(Offset caret, bool extend) {
    caret_ = std::clamp<Offset>(caret, 0, store_->CharCount());
    if (!extend) anchor_ = caret_;
    beyondEol_ = false;
    host_.CaretChanged();
}

void TCustomCodeMemo::ClearSelectionState(Offset caret) {
    anchor_ = caret_ = std::clamp<Offset>(caret, 0, store_->CharCount());
    beyondEol_ = false;
    columnMemory_ = 0;
}

void TCustomCodeMemo::SetSelection(Offset anchor, Offset caret) {
    const Offset count = store_->CharCount();
    anchor_ = std::clamp<Offset>(anchor, 0, count);
    caret_ = std::clamp<Offset>(caret, 0, count);
    beyondEol_ = false;
    columnMemory_ = DisplayColumnOf(caret_);
    host_.CaretChanged();
    host_.Invalidate();
}

void TCustomCodeMemo::SetOverwrite(bool overwrite) {
    overwrite_ = overwrite;
    host_.CaretChanged();
}

TCustomCodeMemo::TCaretShape TCustomCodeMemo::CaretShape() {
    TCaretShape shape;
    const int charWidth = host_.AverageCharWidth();
    const TCM_Settings& settings = Settings();
    const int textLeft = (HasOption(smoShowGutter) ? settings.gutter : 0) + settings.margin;
    shape.x = textLeft + (CaretColumn() - leftColumn_) * charWidth;
    shape.y = (CaretLine() - firstVisible_) * host_.LineHeight();
    shape.height = host_.LineHeight();
    shape.width = 2;
    if (overwrite_ && HasOption(smoBlockOverwriteCursor)) {
        const char under = caret_ < store_->CharCount() ? store_->CharAt(caret_) : '\r';
        shape.width = (beyondEol_ || under == '\r') ? charWidth : host_.CharWidth(static_cast<unsigned char>(under));
    }
    return shape;
}

// ---------------------------------------------------------------- view

std::int32_t TCustomCodeMemo::VisibleLines() const {
    const int height = host_.LineHeight();
    return std::max(1, height > 0 ? host_.ClientHeight() / height : 1);
}

void TCustomCodeMemo::SetFirstVisibleLine(LineIndex line) {
    firstVisible_ = std::clamp<LineIndex>(line, 0, std::max<LineIndex>(store_->LineCount() - 1, 0));
    host_.Invalidate();
}

void TCustomCodeMemo::SetLeftColumn(std::int32_t column) {
    leftColumn_ = std::max<std::int32_t>(column, 0);
    host_.Invalidate();
}

void TCustomCodeMemo::ScrollCaretIntoView() {
    const LineIndex line = CaretLine();
    const std::int32_t visible = VisibleLines();
    if (line < firstVisible_) firstVisible_ = line;
    if (line >= firstVisible_ + visible) firstVisible_ = line - visible + 1;
    const std::int32_t column = CaretColumn();
    const int charWidth = std::max(1, host_.AverageCharWidth());
    const TCM_Settings& settings = Settings();
    const int textWidth = host_.ClientWidth() - (HasOption(smoShowGutter) ? settings.gutter : 0) - settings.margin;
    const std::int32_t columns = std::max(1, textWidth / charWidth);
    if (column < leftColumn_) leftColumn_ = column;
    if (column >= leftColumn_ + columns) leftColumn_ = column - columns + 1;
    host_.Invalidate();
}

// ---------------------------------------------------------------- bookmarks

void TCustomCodeMemo::SetBookmark(int index, std::int32_t line, std::int32_t column) {
    if (index < 0 || index > 9) throw ECodeMemo(msg::BookmarkRange);
    const auto bit = static_cast<std::uint16_t>(1u << index);
    RecordId previous = kNoRecord;
    TTextStore::Location where;
    if (store_->BookmarkColumn(index) != 0 && store_->FindBookmark(index, where)) {
        previous = where.record;
        store_->SetBookmarkBits(previous, 0);
    }
    if (store_->First() == kNoRecord) {
        store_->SetBookmarkColumn(index, 0);
        return;
    }
    TTextStore::Location target;
    if (line == -1) {
        target = store_->FirstSegment(CaretLocation());
        if (target.lineStart >= store_->CharCount() && store_->Record(store_->Last()).EndsWithCR()) {
            target = store_->FirstSegment(store_->LineByIndex(store_->LineCount() - 1));
        }
        column = caret_ - target.lineStart + 1;
    } else {
        target = store_->FirstSegment(store_->LineByIndex(std::max<std::int32_t>(line, 1) - 1));
        column = std::max<std::int32_t>(column, 1);
    }
    if (target.record == previous) {
        // Setting a bookmark on its own line toggles it off.
        store_->SetBookmarkColumn(index, 0);
        host_.Invalidate();
        if (OnBookmarkClear) OnBookmarkClear(index);
        return;
    }
    store_->SetBookmarkBits(target.record, bit);
    for (int other = 0; other < 10; ++other)
        if (other != index && store_->BookmarkColumn(other) != 0) {
            TTextStore::Location o;
            if (!store_->FindBookmark(other, o)) store_->SetBookmarkColumn(other, 0);
        }
    store_->SetBookmarkColumn(index, static_cast<std::uint16_t>(std::min<std::int32_t>(column, 0xFFFF)));
    if (OnBookmarkSet) OnBookmarkSet(index);
    host_.Invalidate();
}

void TCustomCodeMemo::ClearBookmark(int index) {
    if (index < 0 || index > 9) throw ECodeMemo(msg::BookmarkRange);
    TTextStore::Location where;
    const bool set = store_->BookmarkColumn(index) != 0 && store_->FindBookmark(index, where);
    if (set) store_->SetBookmarkBits(where.record, 0);
    store_->SetBookmarkColumn(index, 0);
    if (set && OnBookmarkClear) OnBookmarkClear(index);
    host_.Invalidate();
}

bool TCustomCodeMemo::GetBookmark(int index, std::int32_t& line, std::int32_t& column) {
    if (index < 0 || index > 9) throw ECodeMemo(msg::BookmarkRange);
    TTextStore::Location where;
    if (store_->BookmarkColumn(index) == 0 || !store_->FindBookmark(index, where)) return false;
    line = where.line + 1;
    const Offset end = store_->LogicalLineEnd(where);
    column = std::min<std::int32_t>(store_->BookmarkColumn(index), end - where.lineStart + 1);
    return true;
}

void TCustomCodeMemo::GotoBookmark(int index) {
    if (index < 0 || index > 9) throw ECodeMemo(msg::BookmarkRange);
    TTextStore::Location where;
    if (store_->BookmarkColumn(index) == 0 || !store_->FindBookmark(index, where)) return;
    // Clipped to the logical line, so a line that became shorter sends the caret to its end.
    const Offset end = store_->LogicalLineEnd(where);
    const Offset target = where.lineStart + std::min<std::int32_t>(store_->BookmarkColumn(index), end - where.lineStart + 1) - 1;
    MoveCaret(target, false);
    columnMemory_ = CaretColumn();
    firstVisible_ = std::max<LineIndex>(CaretLine() - VisibleLines() / 2, 0);
    host_.Invalidate();
}

// ---------------------------------------------------------------- line conversion

void TCustomCodeMemo::LogicalToDisplay(std::int32_t& line, std::int32_t& column) {
    if (store_->First() == kNoRecord) {
        line = column = 1;
        return;
    }
    const TTextStore::Location first = store_->LocateLogicalLine(std::max<std::int32_t>(line, 1) - 1);
    const Offset end = store_->LogicalLineEnd(first);
    const Offset offset = std::min<Offset>(first.lineStart + std::max<std::int32_t>(column, 1) - 1, end);
    if (first.lineStart >= store_->CharCount()) {
        line = first.line + 1;
        column = 1;
        return;
    }
    // The end of a wrapped line belongs to its last segment, not to the next line.
    TTextStore::Location seg = store_->Locate(offset);
    if (offset == end && offset == seg.lineStart && seg.record != first.record &&
        !(store_->Record(seg.record).marks & kMarkContinuation)) {
        seg = store_->Locate(offset - 1);
    }
    line = seg.line + 1;
    column = offset - seg.lineStart + 1;
}

void TCustomCodeMemo::DisplayToLogical(std::int32_t& line, std::int32_t& column) {
    if (store_->First() == kNoRecord) {
        line = column = 1;
        return;
    }
    if (line > store_->LineCount()) {
        // Past the records: the empty line after a final line end, which is the last row.
        line = store_->RowCount();
        column = 1;
        return;
    }
    const TTextStore::Location seg = store_->LineByIndex(std::max<std::int32_t>(line, 1) - 1);
    const TTextStore::Location first = store_->FirstSegment(seg);
    const Offset offset = seg.lineStart + std::max<std::int32_t>(column, 1) - 1;
    line = store_->LogicalLineOf(first.lineStart) + 1;
    column = offset - first.lineStart + 1;
}

}  // namespace quarry
