#pragma once
#include <cstdint>
#include <unordered_map>

#include "text/EditorTypes.h"

namespace quarry {

// Every live line-track ID with the record it rides on and the caller's value. IDs are never
// reused, so a stale ID is always recognised as unknown.
class TLineTrackManager final {
public:
    struct Entry {
        RecordId record = kNoRecord;
        std::int32_t value = 0;
    };

    std::int32_t Add(RecordId record, std::int32_t value) {
        const std::int32_t id = nextId_++;
        entries_.emplace(id, Entry{record, value});
        return id;
    }
    bool Contains(std::int32_t id) const { return entries_.count(id) != 0; }
    const Entry* Find(std::int32_t id) const {
        const auto it = entries_.find(id);
        return it == entries_.end() ? nullptr : &it->second;
    }
    void Remove(std::int32_t id) { entries_.erase(id); }
    void Clear() { entries_.clear(); }
    std::int32_t Count() const { return static_cast<std::int32_t>(entries_.size()); }

private:
    std::unordered_map<std::int32_t, Entry> entries_;
    std::int32_t nextId_ = 1;
};

}  // namespace quarry
