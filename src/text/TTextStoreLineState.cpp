#include "text/TTextStore.h"

#include <algorithm>
#include <cstring>

#include "text/ECodeMemo.h"
#include "text/EditorMessages.h"
#include "text/Format.h"
#include "text/TLineTrackManager.h"

namespace quarry {

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

}  // namespace quarry
