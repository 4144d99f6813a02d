#include "text/TStoreRuns.h"

#include <algorithm>
#include <cstring>

namespace quarry {

void TStoreRuns::Reset()
{
    size_ = store_.CharCount();
    for (auto& chunk : chunks_)
        chunk.first = chunk.last = kNoRecord;
    target_ = kMinGather;
}

// The first record of a gather is copied whatever the target, and any record that is copied is
// shorter than kInPlace: the buffer holds at least that much.
unsigned char* TStoreRuns::reserve(Chunk& chunk, TextPos target)
{
    const auto size = static_cast<std::size_t>(std::max(target, kInPlace));
    if (chunk.buffer.size() < size)
        chunk.buffer.resize(size);
    return chunk.buffer.data();
}

void TStoreRuns::gatherForward(Chunk& chunk, RecordId id, TextPos start, TextPos target)
{
    const TLineRecord* r = &store_.Record(id);
    chunk.first = chunk.last = id;
    if (r->length >= kInPlace || r->next == kNoRecord) {
        chunk.run = {reinterpret_cast<const unsigned char*>(store_.TextOf(*r)), start, r->length};
        return;
    }
    unsigned char* out = reserve(chunk, target);
    TextPos used = 0;
    for (;;) {
        std::memcpy(out + used, store_.TextOf(*r), r->length);
        used += r->length;
        chunk.last = id;
        id = r->next;
        if (id == kNoRecord)
            break;
        r = &store_.Record(id);
        if (r->length >= kInPlace || used + r->length > target)
            break;
    }
    chunk.run = {out, start, used};
}

void TStoreRuns::gatherBackward(Chunk& chunk, RecordId id, TextPos end, TextPos target)
{
    const TLineRecord* r = &store_.Record(id);
    chunk.first = chunk.last = id;
    if (r->length >= kInPlace || r->prev == kNoRecord) {
        chunk.run = {reinterpret_cast<const unsigned char*>(store_.TextOf(*r)), end - r->length, r->length};
        return;
    }
    // Filled from its end: the capacity, not the target, is where the first record goes.
    const TextPos capacity = std::max(target, kInPlace);
    unsigned char* out = reserve(chunk, capacity);
    TextPos used = 0;
    for (;;) {
        used += r->length;
        std::memcpy(out + capacity - used, store_.TextOf(*r), r->length);
        chunk.first = id;
        id = r->prev;
        if (id == kNoRecord)
            break;
        r = &store_.Record(id);
        if (r->length >= kInPlace || used + r->length > target)
            break;
    }
    chunk.run = {out + capacity - used, end - used, used};
}

TTextRun TStoreRuns::runAt(TextPos pos)
{
    Chunk& newest = chunks_[recent_];
    if (newest.first != kNoRecord && pos >= newest.run.start && pos < newest.run.end())
        return newest.run;
    Chunk& older = chunks_[1 - recent_];
    if (older.first != kNoRecord && pos >= older.run.start && pos < older.run.end()) {
        recent_ = 1 - recent_;
        return older.run;
    }
    // The older chunk makes room; the newest stays valid for a caller still reading it.
    Chunk& chunk = older;
    if (newest.first != kNoRecord && pos == newest.run.end()) {
        target_ = std::min(target_ * 2, kMaxGather);
        gatherForward(chunk, store_.Record(newest.last).next, pos, target_);
    } else if (newest.first != kNoRecord && pos == newest.run.start - 1) {
        target_ = std::min(target_ * 2, kMaxGather);
        gatherBackward(chunk, store_.Record(newest.first).prev, newest.run.start, target_);
    } else {
        target_ = kMinGather;
        const TTextStore::Location at = store_.Locate(static_cast<Offset>(pos));
        gatherForward(chunk, at.record, at.lineStart, target_);
    }
    recent_ = 1 - recent_;
    return chunk.run;
}

}  // namespace quarry
