#pragma once
#include <cstddef>
#include <memory>
#include <vector>

#include "editor/TLineRecord.h"

namespace quarry {

// Line records in chunks of 65,536, addressed by 32-bit handles so that the links in a record
// take four bytes each. Handle 0 is never given out: it is kNoRecord. Freed records are chained
// through their `next` field and given out again first.
class TRecordPool final {
public:
    static constexpr unsigned kChunkBits = 16;
    static constexpr RecordId kChunkSize = RecordId{1} << kChunkBits;

    TLineRecord& operator[](RecordId id) { return chunks_[id >> kChunkBits][id & (kChunkSize - 1)]; }
    const TLineRecord& operator[](RecordId id) const { return chunks_[id >> kChunkBits][id & (kChunkSize - 1)]; }

    // A record with every field at its default.
    RecordId Allocate() {
        RecordId id = freeHead_;
        if (id != kNoRecord) {
            freeHead_ = (*this)[id].next;
        } else {
            if ((nextUnused_ >> kChunkBits) >= chunks_.size())
                chunks_.push_back(std::make_unique<TLineRecord[]>(kChunkSize));
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
    std::vector<std::unique_ptr<TLineRecord[]>> chunks_;
    RecordId nextUnused_ = 1;
    RecordId freeHead_ = kNoRecord;
};

}  // namespace quarry
