#include "text/TMarkedRanges.h"

#include <algorithm>

namespace quarry {

void TMarkedRanges::Add(Offset start, Offset end, std::uint8_t kind, std::int32_t value) {
    if (end < start) std::swap(start, end);
    const auto at = std::upper_bound(ranges_.begin(), ranges_.end(), start,
                                     [](Offset s, const Range& r) { return s < r.start; });
    ranges_.insert(at, Range{start, end, kind, value});
}

void TMarkedRanges::Inserted(Offset at, std::int32_t count) {
    for (Range& r : ranges_) {
        if (r.start >= at) {
            r.start += count;
            r.end += count;
        } else if (r.end > at) {
            r.end += count;
        }
    }
}

void TMarkedRanges::Deleted(Offset start, Offset end) {
    const std::int32_t count = end - start;
    auto map = [&](Offset p) { return p <= start ? p : (p >= end ? p - count : start); };
    std::vector<Range> kept;
    for (Range r : ranges_) {
        const bool wasEmpty = r.start == r.end;
        r.start = map(r.start);
        r.end = map(r.end);
        if (r.start == r.end && !wasEmpty) continue;
        kept.push_back(r);
    }
    ranges_ = std::move(kept);
}

}  // namespace quarry
