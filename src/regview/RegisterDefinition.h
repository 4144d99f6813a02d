#pragma once
#include "regview/BitField.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quarry {

// The size code in column 1 of a register line: "B" 8 bits, "W" 16, "L" 32; "X" is 32 bits
// whose code line carries the comment only.
enum class RegisterSize { Byte, Word, Long, CommentOnly };

// One register of a description file: its line (kept up to 120 characters), size, address and
// bit fields (at least one, at most 32).
struct RegisterDefinition {
    static constexpr std::size_t kLineLength = 120;
    static constexpr std::size_t kMaxFields = 32;

    std::string line;
    int lineNumber = 0;
    RegisterSize size = RegisterSize::Long;
    bool relocatable = false;   // blank column 2, size other than "X"
    bool addressValid = false;  // columns 3 to 10 hold 8 hexadecimal digits
    std::uint32_t address = 0;
    std::vector<BitField> fields;

    int Bits() const { return size == RegisterSize::Byte ? 8 : size == RegisterSize::Word ? 16 : 32; }
    std::uint32_t SizeMask() const { return Bits() == 32 ? 0xFFFFFFFFu : (1u << Bits()) - 1; }
    // The first word after the address.
    std::string Name() const;
    // The line from column 3: the address as 8 hexadecimal digits (as written when it is not
    // valid) and the text from column 11, trailing blanks left out.
    std::string Text() const;
    // Moves a relocatable address to (address AND mask) + offset.
    void Relocate(std::uint32_t mask, std::uint32_t offset);
};

}  // namespace quarry
