#pragma once
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "text/LargeBlocks.h"
#include "text/TLineRecord.h"

namespace quarry {

// Line records in chunks of 262,144 (whole huge pages), addressed by 32-bit handles so that the links in a record
// take four bytes each. Handle 0 is never given out: it is kNoRecord. Freed records are chained
// through their `next` field and given out again first.
class TRecordPool final {
public:
    static constexpr unsigned kChunkBits = 18;
    static constexpr RecordId kChunkSize = RecordId{1} << kChunkBits;
    static constexpr std::size_t kChunkBytes = kChunkSize * sizeof(TLineRecord);
    static_assert(kChunkBytes % kHugePage == 0, "record chunks are huge-page blocks");

    TLineRecord& operator[](RecordId id) { return chunks_[id >> kChunkBits][id & (kChunkSize - 1)]; }
    const TLineRecord& operator[](RecordId id) const { return chunks_[id >> kChunkBits][id & (kChunkSize - 1)]; }

    // A record with every field at its default.
    RecordId Allocate() {
        RecordId id = freeHead_;
        if (id != kNoRecord) {
            freeHead_ = (*this)[id].next;
        } else {
            if ((nextUnused_ >> kChunkBits) >= chunks_.size()) {
                // Not zeroed here: every record is initialised when it is given out, so each
                // page is touched once.
                chunks_.emplace_back(static_cast<TLineRecord*>(AllocateBlock(kChunkBytes)));
            }
            id = nextUnused_++;
        }
        (*this)[id] = TLineRecord{};
        return id;
    }
    void Free(RecordId id) {
        TLineRecord& rec = (*this)[id];
        rec = TLineRecord{};
        rec.next = freeHead_;
        freeHead_ = id;
    }
    void Clear() {
        chunks_.clear();
        nextUnused_ = 1;
        freeHead_ = kNoRecord;
    }
    std::size_t ReservedBytes() const { return chunks_.size() * kChunkSize * sizeof(TLineRecord); }

private:
    struct FreeChunk {
        void operator()(TLineRecord* chunk) const { FreeBlock(chunk); }
    };
    std::vector<std::unique_ptr<TLineRecord[], FreeChunk>> chunks_;
    RecordId nextUnused_ = 1;
    RecordId freeHead_ = kNoRecord;
};

}  // namespace quarry
