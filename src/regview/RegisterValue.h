#pragma once
#include "regview/RegisterDefinition.h"

#include <cstdint>

namespace quarry {

// The value being composed for one register, field by field. Field arithmetic wraps to the
// field's width; a read-only field refuses every change.
class RegisterValue final {
public:
    explicit RegisterValue(const RegisterDefinition& reg) : reg_(reg) {}

    const RegisterDefinition& Register() const { return reg_; }
    int FieldCount() const { return static_cast<int>(reg_.fields.size()); }
    const BitField& Field(int index) const { return reg_.fields[static_cast<std::size_t>(index)]; }

    std::uint32_t Value() const { return value_; }
    void SetValue(std::uint32_t value) { value_ = value & reg_.SizeMask(); }
    std::uint32_t FieldValue(int index) const;

    // Each returns false and changes nothing when the field is read-only.
    bool SetFieldValue(int index, std::uint32_t value);
    bool StepField(int index, int delta);
    // A digit key: field value := field value * 16 + digit.
    bool ShiftInDigit(int index, int digit);

private:
    const RegisterDefinition& reg_;
    std::uint32_t value_ = 0;
};

}  // namespace quarry
