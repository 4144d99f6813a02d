#include "text/TTextStore.h"

#include <algorithm>
#include <cstring>

#include "text/EFileTooLarge.h"
#include "text/EditorMessages.h"
#include "text/Format.h"
#include "text/LineEnds.h"
#include "text/TCM_Breakpoints.h"
#include "text/TCM_CodeBreak.h"
#include "text/TCustomBookmarks.h"
#include "text/TLineSegmenter.h"
#include "text/TLineTrackManager.h"
#include "text/TMarkedRanges.h"

namespace quarry {

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

}  // namespace quarry
