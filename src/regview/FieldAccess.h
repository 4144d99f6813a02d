#pragma once
#include <cstdint>
#include <string>

namespace quarry {

// How a bit field may be accessed (column 2 of its line) and how the register window shows it:
// the text of its R/W box and the colours of the list's selection.
enum class FieldAccess { ReadWrite, ReadOnly, WriteOnly, Other };

struct SelectionColours {
    std::uint32_t text;        // blue-green-red
    std::uint32_t background;
    bool operator==(const SelectionColours&) const = default;
};

FieldAccess accessOf(char code);
std::string accessText(FieldAccess access);
SelectionColours selectionColours(FieldAccess access);

}  // namespace quarry
