#include "regview/RegisterValue.h"

namespace quarry {

std::uint32_t RegisterValue::FieldValue(int index) const
{
    const auto& field = Field(index);
    return (value_ & field.Mask()) >> field.low;
}

bool RegisterValue::SetFieldValue(int index, std::uint32_t value)
{
    const auto& field = Field(index);
    if (field.ReadOnly())
        return false;
    value_ = (value_ & ~field.Mask()) | ((value & field.WidthMask()) << field.low);
    return true;
}

bool RegisterValue::StepField(int index, int delta)
{
    return SetFieldValue(index, FieldValue(index) + static_cast<std::uint32_t>(delta));
}

bool RegisterValue::ShiftInDigit(int index, int digit)
{
    return SetFieldValue(index, (FieldValue(index) << 4) + static_cast<std::uint32_t>(digit));
}

}  // namespace quarry
