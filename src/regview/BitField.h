#pragma once
#include "regview/FieldValueLine.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quarry {

// One bit field of a register: bits `high` down to `low`, its access code (column 2 of its
// line), its line (kept up to 50 characters) and the value lines that follow it.
struct BitField {
    static constexpr std::size_t kLineLength = 50;
    static constexpr std::size_t kDescriptionLength = 31;
    static constexpr std::size_t kMeaningLength = 30;

    int high = 0;
    int low = 0;
    char access = ' ';
    std::string line;
    std::vector<FieldValueLine> values;

    // The field that stands for a register described without bit fields: all its bits.
    static BitField Unspecified(int bits);

    int Width() const { return high - low + 1; }
    // The field's bits at their place in the register.
    std::uint32_t Mask() const { return WidthMask() << low; }
    // All ones over the field's width.
    std::uint32_t WidthMask() const { return Width() >= 32 ? 0xFFFFFFFFu : (1u << Width()) - 1; }
    bool ReadOnly() const { return access == 'R'; }
    // From column 5, trimmed, at most 31 characters.
    std::string Description() const;
    // The caption of the field's settings list: columns 5 to 34 between blanks.
    std::string SettingsCaption() const;
    // What the value lines say of a field value (at most 30 characters).
    std::string Meaning(std::uint32_t value) const;
    // The value line whose text Meaning shows, -1 for none.
    int MeaningLine(std::uint32_t value) const;
};

}  // namespace quarry
