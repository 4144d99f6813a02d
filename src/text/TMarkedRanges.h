#pragma once
#include <cstdint>
#include <vector>

#include "text/EditorTypes.h"

namespace quarry {

// Ranges of text with a kind byte and a value, kept in text order. Insertions shift the ranges
// after the insertion point and widen a range that holds it; deletions cut ranges and drop the
// ones that become empty.
class TMarkedRanges final {
public:
    struct Range {
        Offset start = 0;
        Offset end = 0;
        std::uint8_t kind = 0;
        std::int32_t value = 0;
        bool operator==(const Range&) const = default;
    };

    void Add(Offset start, Offset end, std::uint8_t kind, std::int32_t value);
    void Clear() { ranges_.clear(); }
    const std::vector<Range>& Ranges() const { return ranges_; }

    void Inserted(Offset at, std::int32_t count);
    void Deleted(Offset start, Offset end);

private:
    std::vector<Range> ranges_;  // sorted by start
};

}  // namespace quarry
