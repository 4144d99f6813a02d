#pragma once
#include <string>
#include <string_view>

// Small text helpers for the single-byte (Windows-1252) strings that settings, file names and
// messages are made of. Letter case follows the ANSI code page so that names compare the way the
// stored files expect, accented capitals included.
namespace quarry::text {

char ansiUpper(char c);
std::string ansiUpperCase(std::string_view s);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
// Negative, zero or positive like strcmp, with letters compared upper-cased.
int compareIgnoreCase(std::string_view a, std::string_view b);

// Blanks and control characters (everything up to and including ' ') are trimmed, as the
// shell trims names typed into edit boxes.
std::string trim(std::string_view s);
std::string trimLeft(std::string_view s);
std::string trimRight(std::string_view s);

// The first maxLength characters; texts that form names and command lines are cut, never refused.
std::string cut(std::string_view s, std::size_t maxLength);

// Replaces every occurrence of `from`, searching again from the start after each replacement
// until none is left (a replacement may join its neighbours into the marker anew). When `to`
// itself holds `from` that would never end, so each original occurrence is replaced once.
std::string replaceAll(std::string_view s, std::string_view from, std::string_view to);

bool containsWildcard(std::string_view name);

// 0-15 for a hexadecimal digit of either case, else -1.
constexpr int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace quarry::text
