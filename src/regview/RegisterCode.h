#pragma once
#include "regview/RegisterDefinition.h"

#include <cstdint>
#include <string>

namespace quarry {

// The line of code the register window writes: "$" and the value in 2, 4 or 8 hexadecimal digits
// (none for an "X" register), " ;" and the register's line from column 3.
std::string registerCodeText(const RegisterDefinition& reg, std::uint32_t value);

// What goes to the clipboard to become a new line above the caret's: eight blanks, the code
// text and a carriage return.
std::string insertedCodeLine(const std::string& codeText);

}  // namespace quarry
