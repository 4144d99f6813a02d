#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace quarry {

// Splits a parameter text into arguments the way Windows programs split their command line:
// blanks and tabs separate arguments, double quotes group blanks into one argument, a pair of
// double quotes inside a quoted part stands for one, and backslashes are literal except before a
// double quote, where each pair gives one backslash and an odd one makes the quote literal.
// Tools configured for Windows thus receive the same arguments here, without a shell between.
std::vector<std::string> splitCommandLine(std::string_view line);

}  // namespace quarry
