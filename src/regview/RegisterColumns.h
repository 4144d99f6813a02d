#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Register description files are read by column, counted from 1; a column past the end of a
// line reads as a blank.
namespace quarry {

inline bool isBlank(char c) { return c == ' ' || c == '\t'; }

inline char column(std::string_view line, std::size_t number)
{
    return number >= 1 && number <= line.size() ? line[number - 1] : ' ';
}

// Up to `count` characters from column `first` on (npos: the rest of the line).
inline std::string_view columns(std::string_view line, std::size_t first, std::size_t count)
{
    return first - 1 < line.size() ? line.substr(first - 1, count) : std::string_view();
}

// A non-empty run of hexadecimal digits (either case) of at most 8 digits.
std::optional<std::uint32_t> parseHex(std::string_view digits);

// A value as `digits` upper-case hexadecimal digits (the last ones when it needs more).
std::string hexDigits(std::uint32_t value, int digits);

}  // namespace quarry
