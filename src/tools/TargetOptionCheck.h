#pragma once
#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace quarry {

// The memory-map fields of the target options form take hexadecimal addresses such as
// 0x12345678, or nothing.
namespace targetoptions {

// At least three characters, "0x" or "0X", then hexadecimal digits up to the tenth character;
// what follows the tenth is not looked at.
bool IsHexAddress(const std::string& text);

std::string InvalidFieldMessage(const std::string& fieldName);

struct Field {
    const char* name;  // as the message names it
    std::string* text;
    bool enabled;
};

// Trims every field's text in place and returns the first field, in the order given, that is
// enabled, not empty and no hexadecimal address.
std::optional<std::size_t> FirstInvalidField(std::span<const Field> fields);

}  // namespace targetoptions

}  // namespace quarry
