#pragma once
#include <optional>
#include <string_view>

namespace quarry {

// Whether a line of compiler output is a GCC-style error, and the line number it names (0 for a
// message of a tool without position: the linker, the assembler, a missing file, an undefined
// symbol). Lines with "warning", "In file included from" and lines that begin with a blank are
// no errors, unless `acceptWarnings` lets warnings through (the error list shows them apart).
std::optional<int> GccLineTest(std::string_view line, bool acceptWarnings = false);

// A run of decimal digits as a number (saturating), nullopt when the text is not one.
std::optional<int> DecimalNumber(std::string_view digits);

}  // namespace quarry
