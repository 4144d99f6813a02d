#include "tools/GccLineTest.h"

#include "platform/Text.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string>

namespace quarry {

namespace {

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The text after the first ':', which must exist and not be the last character.
std::optional<std::string_view> afterColon(std::string_view text)
{
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon + 1 >= text.size())
        return std::nullopt;
    return text.substr(colon + 1);
}

constexpr unsigned kToolMessage = 1, kWarning = 2, kIncluded = 4;

// The markers an upper-cased line holds, found in one pass: error files run to many thousand
// lines, and a search per marker would read each line nine times.
unsigned markersIn(std::string_view upper)
{
    unsigned found = 0;
    for (std::size_t i = 0; i < upper.size(); ++i) {
        const auto rest = upper.substr(i);
        switch (upper[i]) {
        case ' ': found |= rest.starts_with(" LD ") ? kToolMessage : 0; break;
        case 'A': found |= rest.starts_with("AS.EXE") ? kToolMessage : 0; break;
        case 'C': found |= rest.starts_with("CC1") ? kToolMessage : 0; break;
        case 'L': found |= rest.starts_with("LD:") ? kToolMessage : 0; break;
        case 'F': found |= rest.starts_with("FILE NOT RECOGNIZED") ? kToolMessage : 0; break;
        case 'N': found |= rest.starts_with("NO SUCH FILE OR DIRECTORY") ? kToolMessage : 0; break;
        case 'W': found |= rest.starts_with("WARNING") ? kWarning : 0; break;
        case 'I': found |= rest.starts_with("IN FILE INCLUDED FROM") ? kIncluded : 0; break;
        default: break;
        }
    }
    return found;
}

std::optional<int> lineNumber(std::string_view upper, unsigned markers)
{
    if (markers & kToolMessage)
        return 0;
    auto rest = afterColon(upper);
    if (rest && !isDigit(rest->front()))
        rest = afterColon(*rest);  // the first colon was a drive's
    if (!rest)
        return std::nullopt;
    if (contains(*rest, "UNDEFINED"))
        return 0;
    const auto colon = rest->find(':');
    if (colon == std::string_view::npos || colon == 0)
        return std::nullopt;
    return DecimalNumber(rest->substr(0, colon));
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

// Upper-cases through a table: error files run to many thousand lines.
static void upperInto(std::string_view line, char* out)
{
    static const auto table = [] {
        std::array<char, 256> t{};
        for (int c = 0; c < 256; ++c)
            t[static_cast<std::size_t>(c)] = text::ansiUpper(static_cast<char>(c));
        return t;
    }();
    for (const char c : line)
        *out++ = table[static_cast<unsigned char>(c)];
}

GccCheck CheckGccLine(std::string_view line)
{
    // Most lines of GCC's output are its source excerpts, which begin with a blank.
    if (line.empty() || line.front() == ' ')
        return {};
    char buffer[256];
    std::string large;
    char* upper = buffer;
    if (line.size() > sizeof buffer) {
        large.resize(line.size());
        upper = large.data();
    }
    upperInto(line, upper);
    const std::string_view view(upper, line.size());
    const auto markers = markersIn(view);
    if (markers & kIncluded)
        return {};
    return {lineNumber(view, markers), (markers & kWarning) != 0};
}

}  // namespace quarry
