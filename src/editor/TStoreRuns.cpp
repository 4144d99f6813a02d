#include "editor/TStoreRuns.h"

#include <cstring>

namespace quarry {

void TStoreRuns::Reset()
{
    size_ = store_.CharCount();
    for (auto& chunk : chunks_)
        chunk.first = chunk.last = kNoRecord;
    target_ = kMinGather;
}

void TStoreRuns::gatherForward(Chunk& chunk, RecordId id, TextPos start, TextPos target)
{
    const TLineRecord* r = &store_.Record(id);
    chunk.first = chunk.last = id;
    if (r->length >= kInPlace || r->next == kNoRecord) {
        chunk.run = {reinterpret_cast<const unsigned char*>(store_.TextOf(*r)), start, r->length};
        return;
    }
    if (chunk.buffer.size() < static_cast<std::size_t>(target))
        chunk.buffer.resize(static_cast<std::size_t>(target));
    unsigned char* out = chunk.buffer.data();
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
    if (chunk.buffer.size() < static_cast<std::size_t>(target))
        chunk.buffer.resize(static_cast<std::size_t>(target));
    unsigned char* out = chunk.buffer.data();
    TextPos used = 0;
    for (;;) {
        used += r->length;
        std::memcpy(out + target - used, store_.TextOf(*r), r->length);
        chunk.first = id;
        id = r->prev;
        if (id == kNoRecord)
            break;
        r = &store_.Record(id);
        if (r->length >= kInPlace || used + r->length > target)
            break;
    }
    chunk.run = {out + target - used, end - used, used};
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
