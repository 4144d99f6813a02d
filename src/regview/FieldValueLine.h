#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace quarry {

// One value line under a bit field. Columns 3 on hold the value in hexadecimal (4 characters
// wide, or 8 when column 7 is taken) and the text after it tells what the value means. A value
// that is not hexadecimal makes a display rule instead, which shows any field value: columns 4
// and 5 give a left shift, column 6 a digit count. A third character "N" marks a line that the
// settings list offers but does not let the user choose.
class FieldValueLine final {
public:
    static FieldValueLine Parse(std::string_view line);

    bool IsRule() const { return rule_; }
    // The line's value (lines that are not rules).
    std::uint32_t Value() const { return value_; }
    // Shift and digit count of a rule; a rule without valid numbers shows values in decimal.
    bool RuleValid() const { return shift_ >= 0 && digits_ > 0; }
    int Shift() const { return shift_; }
    int Digits() const { return digits_; }
    bool MarkedUnselectable() const { return unselectable_; }
    // Choosing the line in the settings list sets the field to its value.
    bool Choosable() const { return !rule_ && !unselectable_; }
    const std::string& Meaning() const { return meaning_; }
    // What the line says of a field value: its meaning, or for a rule the meaning, one blank and
    // the value shifted and cut to its last digits.
    std::string TextFor(std::uint32_t fieldValue) const;

private:
    bool rule_ = false;
    bool unselectable_ = false;
    std::uint32_t value_ = 0;
    int shift_ = -1;
    int digits_ = -1;
    std::string meaning_;
};

}  // namespace quarry
