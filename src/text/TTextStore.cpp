#include "text/TTextStore.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "text/TCM_Breakpoints.h"
#include "text/TCM_CodeBreak.h"
#include "text/TCustomBookmarks.h"
#include "text/TLineSegmenter.h"
#include "text/TLineTrackManager.h"
#include "text/TMarkedRanges.h"
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
