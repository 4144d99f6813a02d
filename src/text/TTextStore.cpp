#include "text/TTextStore.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "text/ECodeMemo.h"
#include "text/EFileSaveError.h"
#include "text/EFileTooLarge.h"
#include "text/EditorMessages.h"
#include "text/Format.h"
#include "text/LineEnds.h"
#include "text/TCM_Breakpoints.h"
#include "text/TCM_CodeBreak.h"
#include "text/TCustomBookmarks.h"
#include "text/TFileStream.h"
#include "text/TLineSegmenter.h"
#include "text/TLineTrackManager.h"
#include "text/TMarkedRanges.h"
#include "text/TStream.h"
#include "text/TUndoStack.h"

namespace quarry {

namespace {
constexpr std::size_t kMaxRecordLength = TLineSegmenter::kMaxSegment + 1;
}  // namespace

TTextStore::TTextStore()
    : arena_(std::make_unique<TTextArena>()),
      pool_(std::make_unique<TRecordPool>()),
      lengthCounts_(kMaxRecordLength + 1, 0),
      tracks_(std::make_unique<TLineTrackManager>()),
      named_(std::make_unique<TCustomBookmarks>()),
      breakpoints_(std::make_unique<TCM_Breakpoints>()),
      codeBreaks_(std::make_unique<TCM_CodeBreak>()),
      ownUndo_(std::make_unique<TUndoStack>()),
      undo_(ownUndo_.get()) {}

TTextStore::~TTextStore() = default;


std::int32_t TTextStore::LogicalLineCount() const {
    if (first_ == kNoRecord) return 0;
    return crCount_ + (Rec(last_).EndsWithCR() ? 0 : 1);
}

TMarkedRanges& TTextStore::MarkedRanges() {
    if (!markedRanges_) markedRanges_ = std::make_unique<TMarkedRanges>();
    return *markedRanges_;
}

// ---------------------------------------------------------------- finding text

TTextStore::Location TTextStore::LastLineLocation() const {
    const TLineRecord& last = Rec(last_);
    if (last.EndsWithCR()) return {last_, lineCount_, charCount_};
    return {last_, lineCount_ - 1, charCount_ - last.length};
}

TTextStore::Location TTextStore::Locate(Offset offset) {
    if (first_ == kNoRecord) return {};
    if (offset >= charCount_) {
        const TLineRecord& last = Rec(last_);
        SetFinger(last_, charCount_ - last.length, lineCount_ - 1, crCount_ - (last.EndsWithCR() ? 1 : 0));
        return LastLineLocation();
    }
    if (offset < 0) offset = 0;
    // Start from whichever known point is nearest: the finger, the first or the last record.
    RecordId rec = finger_;
    Offset start = fingerStart_;
    LineIndex line = fingerLine_;
    std::int32_t logical = fingerLogical_;
    if (rec == kNoRecord) {
        rec = first_;
        start = line = logical = 0;
    }
    if (offset >= start) {
        const TLineRecord& last = Rec(last_);
        const Offset lastStart = charCount_ - last.length;
        if (charCount_ - offset < offset - start) {
            rec = last_;
            start = lastStart;
            line = lineCount_ - 1;
            logical = crCount_ - (last.EndsWithCR() ? 1 : 0);
        }
    } else if (offset < start - offset) {
        rec = first_;
        start = line = logical = 0;
    }
    const LineIndex from = line;
    while (offset >= start + Rec(rec).length) {
        const TLineRecord& r = Rec(rec);
        start += r.length;
        logical += r.EndsWithCR() ? 1 : 0;
        rec = r.next;
        ++line;
    }
    while (offset < start) {
        rec = Rec(rec).prev;
        const TLineRecord& r = Rec(rec);
        start -= r.length;
        logical -= r.EndsWithCR() ? 1 : 0;
        --line;
    }
    walked_ += static_cast<std::uint64_t>(line > from ? line - from : from - line);
    SetFinger(rec, start, line, logical);
    return {rec, line, start};
}

TTextStore::Location TTextStore::LineByIndex(LineIndex index) {
    if (first_ == kNoRecord) return {};
    index = std::clamp(index, 0, lineCount_ - 1);
    RecordId rec = finger_ != kNoRecord ? finger_ : first_;
    Offset start = finger_ != kNoRecord ? fingerStart_ : 0;
    LineIndex line = finger_ != kNoRecord ? fingerLine_ : 0;
    std::int32_t logical = finger_ != kNoRecord ? fingerLogical_ : 0;
    if (index < line && index < line - index) {
        rec = first_;
        start = line = logical = 0;
    } else if (index > line && lineCount_ - 1 - index < index - line) {
        const TLineRecord& last = Rec(last_);
        rec = last_;
        start = charCount_ - last.length;
        line = lineCount_ - 1;
        logical = crCount_ - (last.EndsWithCR() ? 1 : 0);
    }
    while (line < index) {
        const TLineRecord& r = Rec(rec);
        start += r.length;
        logical += r.EndsWithCR() ? 1 : 0;
        rec = r.next;
        ++line;
    }
    while (line > index) {
        rec = Rec(rec).prev;
        const TLineRecord& r = Rec(rec);
        start -= r.length;
        logical -= r.EndsWithCR() ? 1 : 0;
        --line;
    }
    SetFinger(rec, start, line, logical);
    return {rec, line, start};
}

std::int32_t TTextStore::ColumnOf(Offset offset) {
    const Location loc = Locate(offset);
    if (loc.record == kNoRecord || loc.lineStart == charCount_) return 0;
    return std::min<std::int32_t>(offset - loc.lineStart, Rec(loc.record).length);
}

TTextStore::Location TTextStore::FirstSegment(Location at) const {
    if (at.record == kNoRecord || at.lineStart == charCount_) return at;
    while (Rec(at.record).marks & kMarkContinuation) {
        at.record = Rec(at.record).prev;
        at.lineStart -= Rec(at.record).length;
        --at.line;
    }
    return at;
}

std::int32_t TTextStore::LogicalLineOf(Offset offset) {
    if (first_ == kNoRecord) return 0;
    const Location loc = Locate(offset);
    if (loc.lineStart == charCount_ && Rec(last_).EndsWithCR()) return crCount_;
    return fingerLogical_;
}

TTextStore::Location TTextStore::LocateLogicalLine(std::int32_t index) {
    if (first_ == kNoRecord) return {};
    index = std::clamp(index, 0, crCount_);
    if (index == crCount_ && Rec(last_).EndsWithCR()) {
        Locate(charCount_);
        return LastLineLocation();
    }
    // Walk to a record of the logical line, then back to its first segment.
    Location loc = Locate(fingerStart_);
    std::int32_t logical = fingerLogical_;
    RecordId rec = loc.record;
    Offset start = loc.lineStart;
    LineIndex line = loc.line;
    if (index < logical && index < logical - index) {
        rec = first_;
        start = line = logical = 0;
    }
    while (logical < index) {
        const TLineRecord& r = Rec(rec);
        start += r.length;
        logical += r.EndsWithCR() ? 1 : 0;
        rec = r.next;
        ++line;
    }
    while (logical > index) {
        rec = Rec(rec).prev;
        const TLineRecord& r = Rec(rec);
        start -= r.length;
        logical -= r.EndsWithCR() ? 1 : 0;
        --line;
    }
    const Location first = FirstSegment({rec, line, start});
    SetFinger(first.record, first.lineStart, first.line, index);
    return first;
}

Offset TTextStore::LogicalLineEnd(Location first) const {
    if (first.record == kNoRecord || first.lineStart == charCount_) return first.lineStart;
    RecordId rec = first.record;
    Offset start = first.lineStart;
    while (true) {
        const TLineRecord& r = Rec(rec);
        if (r.EndsWithCR() || r.next == kNoRecord) return start + r.ContentLength();
        start += r.length;
        rec = r.next;
    }
}

LineIndex TTextStore::LineOfRecord(RecordId id) {
    if (first_ == kNoRecord || id == kNoRecord) return -1;
    // Search outward from the finger in both directions at once.
    RecordId up = finger_ != kNoRecord ? finger_ : first_;
    LineIndex upLine = finger_ != kNoRecord ? fingerLine_ : 0;
    RecordId down = up;
    LineIndex downLine = upLine;
    while (up != kNoRecord || down != kNoRecord) {
        if (up == id) return upLine;
        if (down == id) return downLine;
        if (up != kNoRecord) {
            up = Rec(up).prev;
            --upLine;
        }
        if (down != kNoRecord) {
            down = Rec(down).next;
            ++downLine;
        }
    }
    return -1;
}

char TTextStore::CharAt(Offset offset) {
    if (offset < 0 || offset >= charCount_) return '\0';
    const Location loc = Locate(offset);
    return TextOf(Rec(loc.record))[offset - loc.lineStart];
}

void TTextStore::AppendText(Offset start, Offset end, std::string& out) {
    start = std::max<Offset>(start, 0);
    end = std::min(end, charCount_);
    if (start >= end) return;
    const Location loc = Locate(start);
    RecordId rec = loc.record;
    std::int32_t from = start - loc.lineStart;
    Offset left = end - start;
    out.reserve(out.size() + static_cast<std::size_t>(left));
    while (left > 0 && rec != kNoRecord) {
        const TLineRecord& r = Rec(rec);
        const std::int32_t take = std::min<std::int32_t>(r.length - from, left);
        out.append(TextOf(r) + from, static_cast<std::size_t>(take));
        left -= take;
        from = 0;
        rec = r.next;
    }
}

std::string TTextStore::GetText(Offset start, Offset end) {
    std::string out;
    AppendText(start, end, out);
    return out;
}

// ---------------------------------------------------------------- records

RecordId TTextStore::NewRecord() { return pool_->Allocate(); }

void TTextStore::SetRecordText(TLineRecord& rec, const char* text, std::int32_t length) {
    if (rec.text) arena_->Free(rec.text, static_cast<std::size_t>(rec.length) + 1);
    if (rec.styles) arena_->Free(rec.styles, StylesBytes(rec.length));
    rec.styles = 0;
    rec.text = arena_->Allocate(static_cast<std::size_t>(length) + 1);
    char* copy = arena_->Pointer(rec.text);
    std::memcpy(copy, text, static_cast<std::size_t>(length));
    copy[length] = '\0';
    rec.length = static_cast<std::uint16_t>(length);
    std::uint8_t shape = 0;
    if (std::memchr(text, '\t', static_cast<std::size_t>(length))) shape |= lfHasTab;
    if (length > 0 && text[length - 1] == '\r') shape |= lfEndsLine;
    rec.flags = static_cast<std::uint8_t>((rec.flags & ~(lfHasTab | lfEndsLine)) | shape);
}

void TTextStore::CountLength(std::int32_t length, int delta) {
    lengthCounts_[static_cast<std::size_t>(length)] += static_cast<std::uint32_t>(delta);
    if (delta > 0 && length > widest_) widest_ = length;
    if (delta < 0 && length == widest_ && lengthCounts_[static_cast<std::size_t>(length)] == 0) RecomputeWidest();
}

void TTextStore::RecomputeWidest() {
    while (widest_ > 0 && lengthCounts_[static_cast<std::size_t>(widest_)] == 0) --widest_;
}

TTextStore::Side& TTextStore::SideOf(RecordId id) {
    Rec(id).hasSide = 1;
    return side_[id];
}

void TTextStore::FreeRecord(RecordId id, std::vector<std::int32_t>& freedTracks) {
    TLineRecord& rec = Rec(id);
    if (rec.text) arena_->Free(rec.text, static_cast<std::size_t>(rec.length) + 1);
    if (rec.styles) arena_->Free(rec.styles, StylesBytes(rec.length));
    if (rec.hasSide) {
        const auto it = side_.find(id);
        if (it != side_.end()) {
            for (std::int32_t track : it->second.tracks) {
                tracks_->Remove(track);
                freedTracks.push_back(track);
            }
            side_.erase(it);
        }
    }
    pool_->Free(id);
}

void TTextStore::FireTrackFrees(const std::vector<std::int32_t>& freedTracks) {
    if (!OnTrackFree) return;
    for (std::int32_t track : freedTracks) OnTrackFree(track);
}

// ---------------------------------------------------------------- segmentation

void TTextStore::SplitIntoPieces(std::string_view text, std::vector<Piece>& pieces, bool startsContinued,
                                 bool evenCuts) const {
    pieces.clear();
    std::size_t pos = 0;
    std::vector<std::int32_t>& lengths = lengths_;
    while (pos < text.size()) {
        const void* cr = std::memchr(text.data() + pos, '\r', text.size() - pos);
        const std::size_t lineEnd = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - text.data()) : text.size();
        const std::string_view line = text.substr(pos, lineEnd - pos);
        const bool endsLine = cr != nullptr;
        // The first piece of a text that starts inside a logical line continues that line.
        bool continued = pos == 0 && startsContinued;
        lengths.clear();
        if (!line.empty()) {
            if (segmenter_)
                segmenter_->Split(line, lengths);
            else
                lengths.push_back(static_cast<std::int32_t>(line.size()));
        }
        const bool cut = segmenter_ || continued || line.size() >= static_cast<std::size_t>(TLineSegmenter::kLongLine);
        for (std::int32_t length : lengths) {
            // No segment outgrows the composing buffers, whatever the segmenter said. Even cuts
            // leave room in every piece, so that a segment that grew by a few characters does
            // not leave a piece of a few characters behind at each edit.
            const std::int32_t count = (length + TLineSegmenter::kMaxSegment - 1) / TLineSegmenter::kMaxSegment;
            const std::int32_t size = evenCuts && count > 1 ? (length + count - 1) / count : TLineSegmenter::kMaxSegment;
            while (cut && length > TLineSegmenter::kMaxSegment) {
                pieces.push_back({size, continued, false});
                continued = true;
                length -= size;
            }
            if (length > 0) {
                pieces.push_back({length, continued, false});
                continued = true;
            }
        }
        if (endsLine) {
            if (lengths.empty())
                pieces.push_back({1, continued, true});
            else {
                pieces.back().length += 1;
                pieces.back().endsLine = true;
            }
        }
        pos = lineEnd + (endsLine ? 1 : 0);
    }
}

// Replaces the records from `firstSeg` (a first segment, or the place after the last record when
// firstSeg.record is kNoRecord) through `lastSeg` by the segments of `newText`. `owner`, when
// given, is one of the old records; it keeps its identity (bookmark bit, line marks, colours,
// tracks) and becomes the first segment of logical line `ownerLine` of the new text. Every other
// old record is freed.
void TTextStore::ReplaceLines(Location firstSeg, RecordId lastSeg, std::string_view newText,
                              const std::uint8_t* newStyles, RecordId owner, std::int32_t ownerLine,
                              std::int32_t logicalBefore, bool startsContinued, bool evenCuts) {
    ++version_;
    const RecordId before = firstSeg.record != kNoRecord ? Rec(firstSeg.record).prev : last_;
    const RecordId after = lastSeg != kNoRecord ? Rec(lastSeg).next : kNoRecord;
    std::vector<std::int32_t> freedTracks;

    // Take the old records out of the counts and off the list.
    if (firstSeg.record != kNoRecord) {
        for (RecordId rec = firstSeg.record;;) {
            TLineRecord& r = Rec(rec);
            const RecordId next = r.next;
            CountLength(r.length, -1);
            --lineCount_;
            charCount_ -= r.length;
            crCount_ -= r.EndsWithCR() ? 1 : 0;
            if (rec != owner) FreeRecord(rec, freedTracks);
            if (rec == lastSeg) break;
            rec = next;
        }
    }

    SplitIntoPieces(newText, pieces_, startsContinued, evenCuts);
    RecordId prev = before;
    RecordId firstNew = kNoRecord;
    std::int32_t logical = 0;
    std::size_t pos = 0;
    bool ownerUsed = false;
    for (const Piece& piece : pieces_) {
        RecordId id;
        const bool ownerPlace = logical == ownerLine && (!piece.continuation || (startsContinued && logical == 0));
        if (owner != kNoRecord && !ownerUsed && ownerPlace) {
            id = owner;
            ownerUsed = true;
        } else {
            id = NewRecord();
        }
        TLineRecord& r = Rec(id);
        SetRecordText(r, newText.data() + pos, piece.length);
        if (newStyles) {
            r.styles = arena_->Allocate(StylesBytes(r.length));
            std::memcpy(arena_->Pointer(r.styles), newStyles + pos, static_cast<std::size_t>(piece.length));
            WriteScanStart(r, {});
        }
        r.flags = static_cast<std::uint8_t>((r.flags & (lfHasTab | lfEndsLine)) | lfRepaint | (newStyles ? 0 : lfChanged));
        r.marks = static_cast<std::uint16_t>(piece.continuation ? (r.marks | kMarkContinuation)
                                                                : (r.marks & ~kMarkContinuation));
        r.prev = prev;
        if (prev != kNoRecord)
            Rec(prev).next = id;
        else
            first_ = id;
        if (firstNew == kNoRecord) firstNew = id;
        prev = id;
        CountLength(piece.length, +1);
        ++lineCount_;
        charCount_ += piece.length;
        if (piece.endsLine) {
            ++crCount_;
            ++logical;
        }
        pos += static_cast<std::size_t>(piece.length);
    }
    if (prev != kNoRecord)
        Rec(prev).next = after;
    else
        first_ = after;
    if (after != kNoRecord)
        Rec(after).prev = prev;
    else
        last_ = prev;
    if (owner != kNoRecord && !ownerUsed) FreeRecord(owner, freedTracks);

    // The finger goes to the first rebuilt record, or to whatever now stands there.
    if (firstNew != kNoRecord) {
        SetFinger(firstNew, firstSeg.lineStart, firstSeg.line, logicalBefore);
    } else if (after != kNoRecord) {
        SetFinger(after, firstSeg.lineStart, firstSeg.line, logicalBefore);
    } else if (before != kNoRecord) {
        const TLineRecord& b = Rec(before);
        SetFinger(before, firstSeg.lineStart - b.length, firstSeg.line - 1, logicalBefore - (b.EndsWithCR() ? 1 : 0));
    } else {
        SetFinger(kNoRecord, 0, 0, 0);
    }
    if (first_ == kNoRecord) {
        // An empty text: hand all memory back.
        arena_->Clear();
        pool_->Clear();
        side_.clear();
        scanStates_.Clear();
        scanStatesCrowded_ = false;
    }
    FireTrackFrees(freedTracks);
}

// The logical line that holds `at`: its first segment, its last segment and its text.
TTextStore::LogicalSpan TTextStore::SpanAt(Offset at) {
    LogicalSpan span;
    if (first_ == kNoRecord || (at >= charCount_ && Rec(last_).EndsWithCR())) {
        // The empty line after a final CR has no record.
        span.first = {kNoRecord, lineCount_, charCount_};
        span.logical = crCount_;
        return span;
    }
    const Location loc = Locate(at);
    span.logical = fingerLogical_;
    span.first = FirstSegment(loc);
    RecordId rec = span.first.record;
    while (true) {
        const TLineRecord& r = Rec(rec);
        if (r.EndsWithCR() || r.next == kNoRecord) break;
        rec = r.next;
    }
    span.last = rec;
    return span;
}

void TTextStore::SpanText(const LogicalSpan& span, std::string& out, std::vector<std::uint8_t>* styles) const {
    if (span.first.record == kNoRecord) return;
    bool allStyled = styles != nullptr;
    for (RecordId rec = span.first.record;; rec = Rec(rec).next) {
        const TLineRecord& r = Rec(rec);
        out.append(TextOf(r), r.length);
        if (allStyled) {
            if (const std::uint8_t* values = StylesOf(r))
                styles->insert(styles->end(), values, values + r.length);
            else
                allStyled = false;
        }
        if (rec == span.last) break;
    }
    if (styles && !allStyled) styles->clear();
}

// ---------------------------------------------------------------- editing

std::int32_t TTextStore::InsertText(Offset at, const char* text, std::int32_t count) {
    if (!text) return 0;
    if (count < 0) count = static_cast<std::int32_t>(std::strlen(text));
    at = std::clamp<Offset>(at, 0, charCount_);
    std::int32_t total = 0;
    std::string normalised;
    while (count > 0) {
        const std::int32_t chunk = std::min<std::int32_t>(count, kChunkSize);
        normalised.clear();
        // A line-end pair never straddles two chunks: an unpaired final CR or LF waits.
        const auto consumed = static_cast<std::int32_t>(
            NormaliseLineEnds(std::string_view(text, static_cast<std::size_t>(chunk)), normalised, chunk < count));
        const std::int32_t n = InsertNormalised(at, normalised);
        at += n;
        total += n;
        text += consumed;
        count -= consumed;
    }
    return total;
}

std::int32_t TTextStore::InsertNormalised(Offset at, std::string_view chunk) {
    const auto n = static_cast<std::int32_t>(chunk.size());
    if (n == 0) return 0;
    if (n > charLimit_ - charCount_) throw EFileTooLarge(Format(msg::TextTooLarge, charLimit_));
    InsertChunk(at, chunk);
    if (OnTextChange) OnTextChange(at, n);
    breakpoints_->Shift(at, n);
    codeBreaks_->Shift(at, n);
    named_->Inserted(at, n);
    if (markedRanges_) markedRanges_->Inserted(at, n);
    return n;
}

bool TTextStore::TryLocalInsert(Offset at, std::string_view chunk) {
    if (segmenter_ || first_ == kNoRecord || at > charCount_) return false;
    if (at == charCount_ && Rec(last_).EndsWithCR()) return false;  // the empty last line
    const Location loc = Locate(at);
    const TLineRecord& r = Rec(loc.record);
    const bool continued = (r.marks & kMarkContinuation) != 0;
    const bool continues = !r.EndsWithCR() && r.next != kNoRecord;
    if (!continued && !continues) return false;  // a one-segment line: the general path is as cheap
    const std::int32_t logical = fingerLogical_;
    const auto column = static_cast<std::size_t>(at - loc.lineStart);
    work_.assign(TextOf(r), r.length);
    work_.insert(column, chunk);
    const auto breaks = static_cast<std::int32_t>(std::count(chunk.begin(), chunk.end(), '\r'));
    // A first segment's attributes stay with its first character (see InsertChunk).
    const std::int32_t ownerLine = !continued && column == 0 ? breaks : 0;
    ReplaceLines(loc, loc.record, work_, nullptr, loc.record, ownerLine, logical, continued, true);
    if (breaks > 0) {
        // The line was cut: either part may now be short enough to be one segment again.
        JoinIfShort(at);
        JoinIfShort(at + static_cast<Offset>(chunk.size()));
    }
    return true;
}

bool TTextStore::TryLocalDelete(Offset start, Offset end) {
    if (segmenter_ || first_ == kNoRecord || end > charCount_) return false;
    if (end == charCount_ && Rec(last_).EndsWithCR()) return false;
    const Location a = Locate(start);
    const std::int32_t logical = fingerLogical_;
    const Location b = Locate(end);
    // Only inside one logical line: no CR may go.
    for (RecordId rec = a.record; rec != b.record; rec = Rec(rec).next)
        if (Rec(rec).EndsWithCR()) return false;
    const TLineRecord& first = Rec(a.record);
    const TLineRecord& last = Rec(b.record);
    const bool continued = (first.marks & kMarkContinuation) != 0;
    const bool continues = !last.EndsWithCR() && last.next != kNoRecord;
    if (!continued && !continues && a.record == b.record) return false;
    work_.assign(TextOf(first), static_cast<std::size_t>(start - a.lineStart));
    work_.append(TextOf(last) + (end - b.lineStart), static_cast<std::size_t>(last.length - (end - b.lineStart)));
    RecordId lastSeg = b.record;
    if (work_.empty()) {
        if (!continued) {
            // The line's first segment would vanish: the next one takes its place and its text,
            // so the first record keeps the line's bookmark, marks and tracks.
            if (!continues) return false;
            lastSeg = last.next;
            work_.assign(TextOf(Rec(lastSeg)), Rec(lastSeg).length);
        }
    }
    ReplaceLines(a, lastSeg, work_, nullptr, work_.empty() ? kNoRecord : a.record, 0, logical, continued);
    JoinIfShort(std::min(start, charCount_));
    return true;
}

void TTextStore::JoinIfShort(Offset at) {
    if (first_ == kNoRecord || (at >= charCount_ && Rec(last_).EndsWithCR())) return;
    LogicalSpan span;
    span.first = Locate(at);
    span.logical = fingerLogical_;
    span.last = span.first.record;
    // Out from `at` only until the line is known to be long: an edit inside a long line must not
    // walk the whole line, or replacing all over one long line grows with its square.
    Offset length = Rec(span.last).ContentLength();
    while (length < TLineSegmenter::kLongLine && (Rec(span.first.record).marks & kMarkContinuation)) {
        span.first.record = Rec(span.first.record).prev;
        span.first.lineStart -= Rec(span.first.record).length;
        --span.first.line;
        length += Rec(span.first.record).ContentLength();
    }
    while (length < TLineSegmenter::kLongLine && !Rec(span.last).EndsWithCR() && Rec(span.last).next != kNoRecord) {
        span.last = Rec(span.last).next;
        length += Rec(span.last).ContentLength();
    }
    if (length >= TLineSegmenter::kLongLine || span.first.record == span.last) return;
    work_.clear();
    SpanText(span, work_, nullptr);
    const std::string text = work_;
    ReplaceLines(span.first, span.last, text, nullptr, span.first.record, 0, span.logical);
}

void TTextStore::InsertChunk(Offset at, std::string_view chunk) {
    if (chunk.empty()) return;
    if (TryLocalInsert(at, chunk)) return;
    const LogicalSpan span = SpanAt(at);
    if (span.first.record == kNoRecord) {
        // After a final CR (or into an empty text) the chunk becomes new lines as it is.
        ReplaceLines(span.first, kNoRecord, chunk, nullptr, kNoRecord, 0, span.logical);
        return;
    }
    if (at == charCount_ && !Rec(last_).EndsWithCR()) {
        // Appending, as loading does: only the last line is rebuilt with the chunk's first line;
        // the chunk's further lines are appended without being copied through the work buffer.
        const std::size_t firstBreak = chunk.find('\r');
        if (firstBreak != std::string_view::npos && firstBreak + 1 < chunk.size()) {
            work_.clear();
            SpanText(span, work_, nullptr);
            work_.append(chunk.substr(0, firstBreak + 1));
            ReplaceLines(span.first, span.last, work_, nullptr, span.first.record, 0, span.logical);
            const Location end{kNoRecord, lineCount_, charCount_};
            ReplaceLines(end, kNoRecord, chunk.substr(firstBreak + 1), nullptr, kNoRecord, 0, crCount_);
            return;
        }
    }
    work_.clear();
    SpanText(span, work_, nullptr);
    const auto column = static_cast<std::size_t>(at - span.first.lineStart);
    work_.insert(column, chunk);
    // Attributes stay with the old line's first character: after the insertion when it went in
    // at the very start of the line, else on the first new line.
    std::int32_t ownerLine = 0;
    if (column == 0) ownerLine = static_cast<std::int32_t>(std::count(chunk.begin(), chunk.end(), '\r'));
    ReplaceLines(span.first, span.last, work_, nullptr, span.first.record, ownerLine, span.logical);
}

void TTextStore::DeleteRange(Offset start, Offset end) {
    start = std::clamp<Offset>(start, 0, charCount_);
    end = std::clamp<Offset>(end, 0, charCount_);
    if (start >= end) return;
    if (!TryLocalDelete(start, end)) DeleteLines(start, end);
    ShiftAfterDelete(start, end);
}

void TTextStore::DeleteLines(Offset start, Offset end) {
    const LogicalSpan head = SpanAt(start);
    const LogicalSpan tail = SpanAt(end);
    work_.clear();
    // Head of the first logical line, then the tail of the last one.
    if (head.first.record != kNoRecord) AppendFromRecords(head.first, start, work_);
    const std::size_t headLength = work_.size();
    if (tail.first.record != kNoRecord) {
        std::string rest;
        SpanText(tail, rest, nullptr);
        work_.append(rest, static_cast<std::size_t>(end - tail.first.lineStart), std::string::npos);
    }
    // The surviving line keeps the attributes of the line whose first character survives.
    RecordId owner = head.first.record;
    if (headLength == 0 && tail.first.record != head.first.record) owner = tail.first.record;
    const RecordId lastSeg = tail.last != kNoRecord ? tail.last : last_;
    ReplaceLines(head.first, lastSeg, work_, nullptr, owner, 0, head.logical);
}

void TTextStore::ShiftAfterDelete(Offset start, Offset end) {
    const std::int32_t count = end - start;
    std::vector<std::string> removedNames;
    named_->Deleted(start, end, removedNames);
    breakpoints_->Shift(start, -count);
    codeBreaks_->Shift(start, -count);
    if (markedRanges_) markedRanges_->Deleted(start, end);
    if (OnCustomBookmarkFree)
        for (const std::string& name : removedNames) OnCustomBookmarkFree(name);
}

void TTextStore::AppendFromRecords(Location from, Offset upTo, std::string& out) const {
    RecordId rec = from.record;
    Offset start = from.lineStart;
    while (rec != kNoRecord && start < upTo) {
        const TLineRecord& r = Rec(rec);
        const std::int32_t take = std::min<std::int32_t>(r.length, upTo - start);
        out.append(TextOf(r), static_cast<std::size_t>(take));
        start += r.length;
        rec = r.next;
    }
}

void TTextStore::Clear() {
    ++version_;
    std::vector<std::int32_t> freedTracks;
    for (auto& [id, side] : side_)
        for (std::int32_t track : side.tracks) {
            tracks_->Remove(track);
            freedTracks.push_back(track);
        }
    std::vector<std::string> removedNames;
    named_->Deleted(0, charCount_ + 1, removedNames);
    breakpoints_->Shift(0, -(charCount_ + 1));
    codeBreaks_->Shift(0, -(charCount_ + 1));
    if (markedRanges_) markedRanges_->Clear();
    arena_->Clear();
    pool_->Clear();
    side_.clear();
    scanStates_.Clear();
    scanStatesCrowded_ = false;
    std::fill(lengthCounts_.begin(), lengthCounts_.end(), 0u);
    first_ = last_ = kNoRecord;
    lineCount_ = crCount_ = charCount_ = widest_ = 0;
    SetFinger(kNoRecord, 0, 0, 0);
    FireTrackFrees(freedTracks);
    if (OnCustomBookmarkFree)
        for (const std::string& name : removedNames) OnCustomBookmarkFree(name);
}

// ---------------------------------------------------------------- loading and saving

Offset TTextStore::LoadFromStream(TStream& stream, Offset at) {
    const std::int64_t size = stream.Remaining();
    if (size > static_cast<std::int64_t>(charLimit_) - charCount_)
        throw EFileTooLarge(Format(msg::TextTooLarge, charLimit_));
    // Blocks of kChunkSize bytes; a line end at a block's end is held back and read again at the
    // head of the next block, where its partner may be.
    std::string buffer(kChunkSize + 1, '\0');
    std::int32_t held = 0;
    bool more = true;
    while (more) {
        const auto n = static_cast<std::int32_t>(stream.Read(buffer.data() + held, kChunkSize - held)) + held;
        more = n == kChunkSize;
        if (n == 0) break;
        std::size_t length = 0;
        const auto consumed =
            static_cast<std::int32_t>(NormaliseInPlace(buffer.data(), static_cast<std::size_t>(n), more, &length));
        at += InsertNormalised(at, std::string_view(buffer.data(), length));
        held = n - consumed;
        // The held bytes lie after everything consumed, untouched by the normalisation.
        if (held > 0) std::memmove(buffer.data(), buffer.data() + consumed, static_cast<std::size_t>(held));
    }
    return at;
}

Offset TTextStore::LoadFromFile(const std::string& fileName, Offset at) {
    TFileStream stream(fileName, TFileStream::Mode::OpenRead);
    const std::int64_t size = stream.Size();
    if (size > static_cast<std::int64_t>(charLimit_) - charCount_)
        throw EFileTooLarge(Format(msg::FileTooLarge, fileName.c_str(), static_cast<unsigned long long>(size), charLimit_));
    return LoadFromStream(stream, at);
}

void TTextStore::SaveToStream(TStream* stream, TSaveFormat format) {
    if (!stream) throw EFileSaveError(msg::BadStream);
    const std::int64_t start = stream->Position();
    const std::int64_t expected = WrittenSize(0, charCount_, format, SelLineStyle);
    WriteText(*stream, 0, charCount_, format, SelLineStyle);
    // The check is against the bytes this form produces, not the character count: a CR LF save
    // that came short could still be longer than the text and pass unnoticed.
    for (int repeat = 0; repeat < 3 && stream->Position() - start < expected; ++repeat) {
        // Again from the first position, so that a partial first attempt leaves nothing behind.
        stream->SetPosition(start);
        WriteText(*stream, 0, charCount_, format, SelLineStyle);
    }
    if (stream->Position() - start < expected) throw EFileSaveError(msg::CouldNotSave);
}

void TTextStore::SaveToFile(const std::string& fileName, TSaveFormat format) {
    TFileStream stream(fileName, TFileStream::Mode::Create);
    SaveToStream(&stream, format);
}

std::int64_t TTextStore::WrittenSize(Offset start, Offset end, TSaveFormat format, TSelLineStyle style) {
    start = std::max<Offset>(start, 0);
    end = std::min(end, charCount_);
    if (start >= end) return 0;
    std::int64_t size = end - start;
    if (format == TSaveFormat::sfTEXT && style == TSelLineStyle::lsCRLF) {
        if (start == 0 && end == charCount_) return size + crCount_;
        size += static_cast<std::int64_t>(CountCRs(start, end));
    }
    return size;
}

std::int32_t TTextStore::CountCRs(Offset start, Offset end) {
    std::int32_t count = 0;
    const Location loc = Locate(start);
    RecordId rec = loc.record;
    std::int32_t from = start - loc.lineStart;
    Offset pos = start;
    while (rec != kNoRecord && pos < end) {
        const TLineRecord& r = Rec(rec);
        const std::int32_t take = std::min<std::int32_t>(r.length - from, end - pos);
        if (r.EndsWithCR() && from + take == r.length) ++count;
        pos += take;
        from = 0;
        rec = r.next;
    }
    return count;
}

std::int64_t TTextStore::WriteText(TStream& stream, Offset start, Offset end, TSaveFormat format, TSelLineStyle style) {
    start = std::max<Offset>(start, 0);
    end = std::min(end, charCount_);
    if (start >= end) return 0;
    std::string lineEnd = "\r";
    if (format == TSaveFormat::sfUNIX) lineEnd = "\n";
    else if (style == TSelLineStyle::lsCRLF) lineEnd = "\r\n";
    std::string out;
    out.reserve(1 << 16);
    std::int64_t written = 0;
    auto flush = [&]() {
        const std::int64_t n = stream.Write(out.data(), static_cast<std::int64_t>(out.size()));
        written += n;
        const bool complete = n == static_cast<std::int64_t>(out.size());
        out.clear();
        return complete;
    };
    const Location loc = Locate(start);
    RecordId rec = loc.record;
    std::int32_t from = start - loc.lineStart;
    Offset pos = start;
    while (rec != kNoRecord && pos < end) {
        const TLineRecord& r = Rec(rec);
        const std::int32_t take = std::min<std::int32_t>(r.length - from, end - pos);
        const bool breakHere = r.EndsWithCR() && from + take == r.length;
        out.append(TextOf(r) + from, static_cast<std::size_t>(take - (breakHere ? 1 : 0)));
        if (breakHere) out += lineEnd;
        pos += take;
        from = 0;
        rec = r.next;
        if (out.size() >= (1u << 16) - 4096 && !flush()) return written;
    }
    flush();
    return written;
}

// ---------------------------------------------------------------- segmentation of existing text

void TTextStore::Resegment() {
    if (first_ == kNoRecord) return;
    Location at{first_, 0, 0};
    std::int32_t logical = 0;
    while (at.record != kNoRecord) {
        const Offset next = ResegmentFrom(at, logical);
        if (next >= charCount_) break;
        at = Locate(next);
        logical = fingerLogical_;
    }
}

// Re-cuts the logical line whose first segment is `first` when its cut differs from what the
// segmenter now says; keeps token values. Returns the offset after the logical line.
Offset TTextStore::ResegmentFrom(Location first, std::int32_t logical) {
    LogicalSpan span;
    span.first = first;
    span.logical = logical;
    RecordId rec = first.record;
    std::int32_t segments = 1;
    while (!Rec(rec).EndsWithCR() && Rec(rec).next != kNoRecord) {
        rec = Rec(rec).next;
        ++segments;
    }
    span.last = rec;
    work_.clear();
    workStyles_.clear();
    SpanText(span, work_, &workStyles_);
    const Offset after = first.lineStart + static_cast<Offset>(work_.size());
    SplitIntoPieces(work_, pieces_);
    bool same = static_cast<std::int32_t>(pieces_.size()) == segments;
    RecordId check = first.record;
    for (std::size_t i = 0; same && i < pieces_.size(); ++i, check = Rec(check).next)
        same = pieces_[i].length == Rec(check).length;
    if (!same) {
        const std::string text = work_;
        const std::vector<std::uint8_t> styles = workStyles_;
        // The line still begins where it began: its first segment keeps the scan start.
        const ScanStart start = ScanStartOf(Rec(first.record));
        ReplaceLines(first, span.last, text, styles.empty() ? nullptr : styles.data(), first.record, 0, logical);
        if (Rec(first.record).styles) WriteScanStart(Rec(first.record), start);
    }
    return after;
}

// ---------------------------------------------------------------- per-record state

void TTextStore::SetFlags(RecordId id, std::uint8_t set, std::uint8_t clear) {
    // The shape bits follow the text; callers cannot change them.
    constexpr std::uint8_t kShape = lfHasTab | lfEndsLine;
    set = static_cast<std::uint8_t>(set & ~kShape);
    clear = static_cast<std::uint8_t>(clear & ~kShape);
    TLineRecord& r = Rec(id);
    r.flags = static_cast<std::uint8_t>((r.flags & ~clear) | set);
}

void TTextStore::SetLineMarks(RecordId id, std::uint16_t marks) {
    TLineRecord& r = Rec(id);
    r.lineMarks = marks;
    r.flags |= lfRepaint;
}

void TTextStore::SetBookmarkBits(RecordId id, std::uint16_t bits) {
    TLineRecord& r = Rec(id);
    r.marks = static_cast<std::uint16_t>((r.marks & ~kBookmarkMask) | (bits & kBookmarkMask));
    r.flags |= lfRepaint;
}

TColor TTextStore::LineColour1(RecordId id) const {
    if (!Rec(id).hasSide) return clNone;
    const auto it = side_.find(id);
    return it == side_.end() ? clNone : it->second.colour1;
}

TColor TTextStore::LineColour2(RecordId id) const {
    if (!Rec(id).hasSide) return clNone;
    const auto it = side_.find(id);
    return it == side_.end() ? clNone : it->second.colour2;
}

void TTextStore::SetLineColours(RecordId id, TColor colour1, TColor colour2) {
    Rec(id).flags |= lfRepaint;
    if (colour1 == clNone && colour2 == clNone && !Rec(id).hasSide) return;
    Side& side = SideOf(id);
    side.colour1 = colour1;
    side.colour2 = colour2;
    DropSideIfEmpty(id);
}

void TTextStore::DropSideIfEmpty(RecordId id) {
    const auto it = side_.find(id);
    if (it == side_.end()) return;
    if (it->second.colour1 == clNone && it->second.colour2 == clNone && it->second.tracks.empty()) {
        side_.erase(it);
        Rec(id).hasSide = 0;
    }
}

void TTextStore::SetStyles(RecordId id, const std::uint8_t* values, ScanStart start) {
    TLineRecord& r = Rec(id);
    if (!r.styles) r.styles = arena_->Allocate(StylesBytes(r.length));
    std::memcpy(arena_->Pointer(r.styles), values, r.length);
    WriteScanStart(r, start);
}

void TTextStore::DropStyles(RecordId id) {
    TLineRecord& r = Rec(id);
    if (r.styles) arena_->Free(r.styles, StylesBytes(r.length));
    r.styles = 0;
}

TTextStore::ScanStart TTextStore::ScanStartOf(const TLineRecord& r) const {
    if (!r.styles) return {};
    const auto* tail = reinterpret_cast<const std::uint8_t*>(arena_->Pointer(r.styles)) + r.length;
    return {static_cast<TScanStates::Index>(tail[0] | tail[1] << 8), tail[2]};
}

void TTextStore::WriteScanStart(const TLineRecord& rec, ScanStart start) {
    auto* tail = reinterpret_cast<std::uint8_t*>(arena_->Pointer(rec.styles)) + rec.length;
    tail[0] = static_cast<std::uint8_t>(start.state & 0xFF);
    tail[1] = static_cast<std::uint8_t>(start.state >> 8);
    tail[2] = start.lookahead;
}

TScanStates::Index TTextStore::InternScanState(std::string_view state) {
    TScanStates::Index index = scanStates_.Intern(state);
    if (index == TScanStates::kUnknown && !scanStatesCrowded_) {
        CompactScanStates();
        index = scanStates_.Intern(state);
        scanStatesCrowded_ = scanStates_.Count() > TScanStates::kCapacity / 2;
    }
    return index;
}

void TTextStore::CompactScanStates() {
    std::vector<bool> used(scanStates_.Count() + 1, false);
    for (RecordId id = first_; id != kNoRecord; id = Rec(id).next) used[ScanStartOf(Rec(id)).state] = true;
    const std::vector<TScanStates::Index> renumbered = scanStates_.Keep(used);
    for (RecordId id = first_; id != kNoRecord; id = Rec(id).next) {
        const TLineRecord& r = Rec(id);
        if (!r.styles) continue;
        ScanStart start = ScanStartOf(r);
        start.state = renumbered[start.state];
        WriteScanStart(r, start);
    }
}

bool TTextStore::FindBookmark(int index, Location& where) {
    const auto bit = static_cast<std::uint16_t>(1u << index);
    Offset start = 0;
    LineIndex line = 0;
    for (RecordId rec = first_; rec != kNoRecord; rec = Rec(rec).next) {
        if (Rec(rec).marks & bit) {
            where = {rec, line, start};
            return true;
        }
        start += Rec(rec).length;
        ++line;
    }
    return false;
}

// ---------------------------------------------------------------- tracks

std::int32_t TTextStore::AddTrack(std::int32_t line, std::int32_t value) {
    if (line <= 0 || line > lineCount_) return -1;
    const Location first = FirstSegment(LineByIndex(line - 1));
    const std::int32_t id = tracks_->Add(first.record, value);
    SideOf(first.record).tracks.push_back(id);
    if (OnTrackAdd) OnTrackAdd(id);
    return id;
}

void TTextStore::RemoveTrack(std::int32_t id) {
    const TLineTrackManager::Entry* entry = tracks_->Find(id);
    if (!entry) throw ECodeMemo(Format(msg::InvalidTrackId, id));
    const RecordId rec = entry->record;
    if (OnTrackFree) OnTrackFree(id);
    tracks_->Remove(id);
    auto& list = side_[rec].tracks;
    list.erase(std::remove(list.begin(), list.end(), id), list.end());
    DropSideIfEmpty(rec);
}

bool TTextStore::IsTrack(std::int32_t id) const { return tracks_->Contains(id); }

std::int32_t TTextStore::TrackValue(std::int32_t id) const {
    const TLineTrackManager::Entry* entry = tracks_->Find(id);
    if (!entry) throw ECodeMemo(Format(msg::InvalidTrackId, id));
    return entry->value;
}

std::int32_t TTextStore::TrackLine(std::int32_t id) {
    const TLineTrackManager::Entry* entry = tracks_->Find(id);
    if (!entry) throw ECodeMemo(Format(msg::InvalidTrackId, id));
    return LineOfRecord(entry->record) + 1;
}

std::int32_t TTextStore::TrackCount() const { return tracks_->Count(); }

// ---------------------------------------------------------------- diagnostics

std::size_t TTextStore::ReservedBytes() const {
    return arena_->ReservedBytes() + pool_->ReservedBytes() + lengthCounts_.capacity() * sizeof(std::uint32_t);
}

void TTextStore::CheckInvariants() const {
    auto fail = [](const std::string& what) { throw std::logic_error("text store invariant: " + what); };
    Offset chars = 0;
    LineIndex lines = 0;
    std::int32_t crs = 0;
    std::int32_t widest = 0;
    bool fingerSeen = finger_ == kNoRecord;
    RecordId prev = kNoRecord;
    std::int32_t logical = 0;
    std::int32_t lineLength = 0;    // content of the logical line so far
    std::int32_t lineSegments = 0;
    for (RecordId rec = first_; rec != kNoRecord; rec = Rec(rec).next) {
        const TLineRecord& r = Rec(rec);
        if (r.prev != prev) fail("prev link");
        if (r.length == 0) fail("empty record");
        if (r.length > kMaxRecordLength) fail("record too long");
        const char* text = TextOf(r);
        if (text[r.length] != '\0') fail("text not NUL-terminated");
        if (std::memchr(text, '\r', r.length - 1u)) fail("CR inside a record");
        if (std::memchr(text, '\n', r.length)) fail("LF inside the store");
        if ((text[r.length - 1] == '\r') != r.EndsWithCR()) fail("line-end flag");
        if ((std::memchr(text, '\t', r.length) != nullptr) != ((r.flags & lfHasTab) != 0)) fail("TAB flag");
        const bool continuation = prev != kNoRecord && !Rec(prev).EndsWithCR();
        if (continuation != ((r.marks & kMarkContinuation) != 0)) fail("continuation mark");
        if (continuation && (r.marks & kBookmarkMask)) fail("bookmark on a continuation segment");
        if (rec == finger_) {
            if (fingerStart_ != chars || fingerLine_ != lines || fingerLogical_ != logical) fail("finger position");
            fingerSeen = true;
        }
        if (r.hasSide != (side_.count(rec) ? 1 : 0)) fail("side table flag");
        lineLength += r.ContentLength();
        ++lineSegments;
        if (r.EndsWithCR() || r.next == kNoRecord) {
            // Without word wrap only lines of kLongLine characters or more are cut.
            if (!segmenter_ && lineSegments > 1 && lineLength < TLineSegmenter::kLongLine) fail("short line cut");
            lineLength = lineSegments = 0;
        }
        chars += r.length;
        ++lines;
        crs += r.EndsWithCR() ? 1 : 0;
        logical += r.EndsWithCR() ? 1 : 0;
        widest = std::max<std::int32_t>(widest, r.length);
        prev = rec;
    }
    if (prev != last_) fail("last record");
    if (chars != charCount_) fail("character count");
    if (lines != lineCount_) fail("line count");
    if (crs != crCount_) fail("CR count");
    if (widest != widest_) fail("widest line");
    if (!fingerSeen) fail("finger not in the list");
    std::size_t counted = 0;
    for (std::uint32_t n : lengthCounts_) counted += n;
    if (counted != static_cast<std::size_t>(lineCount_)) fail("length histogram");
    std::size_t sideTracks = 0;
    for (const auto& [id, side] : side_) sideTracks += side.tracks.size();
    if (sideTracks != static_cast<std::size_t>(tracks_->Count())) fail("track count");
}

}  // namespace quarry
