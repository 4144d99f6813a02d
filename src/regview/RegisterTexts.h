#pragma once
#include "regview/BitField.h"

#include <cstdint>
#include <string>

// The texts of the register window.
namespace quarry {

// "07" for bit 7, "07-04" for bits 7 down to 4.
std::string bitsText(const BitField& field);
// 8 characters: "%" and the bits for fields up to 7 bits wide, else hexadecimal digits, after
// a "$" while that leaves room.
std::string fieldValueText(const BitField& field, std::uint32_t value);
// Bits, description, value and meaning, separated by tabs.
std::string rowText(const BitField& field, std::uint32_t value);
// Binary, "  $" hexadecimal, "  ", a sign, the value without its top bit in decimal, "T":
// an 8-bit A5 reads "10100101  $A5  -037T".
std::string registerValueText(std::uint32_t value, int bits);

}  // namespace quarry
