#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace quarry {

// Cuts a logical line into display segments. The text store asks it for every logical line it
// rebuilds; the control installs one that measures in pixels while word wrap is on. Without one
// the store applies only its own rule: lines of kLongLine characters or more are cut into pieces
// of kMaxSegment, so that no segment outgrows the composing buffers of painting.
class TLineSegmenter {
public:
    static constexpr std::int32_t kLongLine = 2048;
    static constexpr std::int32_t kMaxSegment = 2047;

    virtual ~TLineSegmenter() = default;

    // Appends the lengths of the segments of `line` (without its CR) to `lengths`; they sum to
    // line.size(). An empty line yields no length at all.
    virtual void Split(std::string_view line, std::vector<std::int32_t>& lengths) const = 0;
};

}  // namespace quarry
