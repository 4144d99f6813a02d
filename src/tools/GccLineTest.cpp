#include "tools/GccLineTest.h"

#include "platform/Text.h"

#include <climits>
#include <string>

namespace quarry {

namespace {

bool containsAny(std::string_view text, std::initializer_list<std::string_view> parts)
{
    for (auto part : parts)
        if (text.find(part) != std::string_view::npos)
            return true;
    return false;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The text after the first ':', which must exist and not be the last character.
std::optional<std::string_view> afterColon(std::string_view text)
{
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon + 1 >= text.size())
        return std::nullopt;
    return text.substr(colon + 1);
}

}  // namespace

std::optional<int> DecimalNumber(std::string_view digits)
{
    if (digits.empty())
        return std::nullopt;
    long long value = 0;
    for (char c : digits) {
        if (!isDigit(c))
            return std::nullopt;
        value = std::min<long long>(INT_MAX, value * 10 + (c - '0'));
    }
    return static_cast<int>(value);
}

std::optional<int> GccLineTest(std::string_view line, bool acceptWarnings)
{
    const std::string upper = text::ansiUpperCase(line);
    if ((!acceptWarnings && upper.find("WARNING") != std::string::npos) ||
        upper.find("IN FILE INCLUDED FROM") != std::string::npos || line.empty() || line.front() == ' ')
        return std::nullopt;
    if (containsAny(upper, {" LD ", "AS.EXE", "CC1", "LD:", "FILE NOT RECOGNIZED", "NO SUCH FILE OR DIRECTORY"}))
        return 0;
    auto rest = afterColon(upper);
    if (rest && !isDigit(rest->front()))
        rest = afterColon(*rest);  // the first colon was a drive's
    if (!rest)
        return std::nullopt;
    if (rest->find("UNDEFINED") != std::string_view::npos)
        return 0;
    const auto colon = rest->find(':');
    if (colon == std::string_view::npos || colon == 0)
        return std::nullopt;
    return DecimalNumber(rest->substr(0, colon));
}

}  // namespace quarry
