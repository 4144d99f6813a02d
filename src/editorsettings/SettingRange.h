#pragma once
// The ranges the editor takes for its layout settings. Highlighting scripts, stored settings and
// the export writers check values against them where they are read, and a value outside keeps
// the one held: a damaged number must not push the text out of the window or overflow a sum.
#include "text/TLineSegmenter.h"

#include <algorithm>
#include <cstdint>

namespace quarry {

struct SettingRange {
    std::int32_t low;
    std::int32_t high;

    constexpr bool holds(std::int64_t value) const { return value >= low && value <= high; }
    constexpr std::int32_t clamp(std::int64_t value) const
    {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, low, high));
    }
};

// Pixels; the options dialog accepts no more ("0-199 only").
inline constexpr SettingRange kGutterRange{0, 199};
// Pixels between the gutter and the text.
inline constexpr SettingRange kMarginWidthRange{0, 199};
// Wrap column and right margin: a column beyond the longest segment would never be reached.
inline constexpr SettingRange kColumnRange{0, TLineSegmenter::kMaxSegment};
// Points, text and gutter font: larger glyphs would not fit the 16-bit coordinates of painting.
inline constexpr SettingRange kFontSizeRange{1, 1600};
inline constexpr SettingRange kIndentStepRange{0, 20};
inline constexpr SettingRange kTabDefaultRange{1, 1000};
inline constexpr SettingRange kCharSetRange{0, 255};

}  // namespace quarry
