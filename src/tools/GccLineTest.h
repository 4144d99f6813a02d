#pragma once
#include <optional>
#include <string_view>

namespace quarry {

// What the GCC test makes of a line of compiler output: the line number of an error (0 for a
// message of a tool without position: the linker, the assembler, a missing file, an undefined
// symbol), and whether "warning" alone kept the line from being one. Lines with "In file
// included from" and lines that begin with a blank are no errors.
struct GccCheck {
    std::optional<int> line;  // set for an error, and for a warning that would be one
    bool warning = false;

    std::optional<int> error() const { return warning ? std::nullopt : line; }
};
GccCheck CheckGccLine(std::string_view line);

// The GCC test: the line number of an error line, nullopt for any other line; warnings count
// when `acceptWarnings` is set (the error list shows them apart).
inline std::optional<int> GccLineTest(std::string_view line, bool acceptWarnings = false)
{
    const auto check = CheckGccLine(line);
    return acceptWarnings ? check.line : check.error();
}

// A run of decimal digits as a number (saturating), nullopt when the text is not one.
std::optional<int> DecimalNumber(std::string_view digits);

}  // namespace quarry
