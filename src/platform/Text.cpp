#include "platform/Text.h"

namespace quarry::text {

char ansiUpper(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z')
        return static_cast<char>(u - 32);
    // Windows-1252: à..þ except ÷ map 0x20 down; š œ ž ÿ have capitals elsewhere in the page.
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7)
        return static_cast<char>(u - 32);
    switch (u) {
    case 0x9A: return static_cast<char>(0x8A);
    case 0x9C: return static_cast<char>(0x8C);
    case 0x9E: return static_cast<char>(0x8E);
    case 0xFF: return static_cast<char>(0x9F);
    default: return c;
    }
}

std::string ansiUpperCase(std::string_view s)
{
    std::string out(s);
    for (auto& c : out)
        c = ansiUpper(c);
    return out;
}

int compareIgnoreCase(std::string_view a, std::string_view b)
{
    const auto n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(ansiUpper(a[i]));
        const auto y = static_cast<unsigned char>(ansiUpper(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && compareIgnoreCase(a, b) == 0;
}

namespace {
bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

std::string trimLeft(std::string_view s)
{
    std::size_t first = 0;
    while (first < s.size() && isBlank(s[first]))
        ++first;
    return std::string(s.substr(first));
}

std::string trimRight(std::string_view s)
{
    std::size_t end = s.size();
    while (end > 0 && isBlank(s[end - 1]))
        --end;
    return std::string(s.substr(0, end));
}

std::string trim(std::string_view s) { return trimLeft(trimRight(s)); }

std::string cut(std::string_view s, std::size_t maxLength)
{
    return std::string(s.substr(0, maxLength));
}

std::string replaceAll(std::string_view s, std::string_view from, std::string_view to)
{
    std::string out(s);
    if (from.empty())
        return out;
    if (to.find(from) != std::string_view::npos) {
        // Rescanning would loop forever; replace the original occurrences once, left to right.
        std::string result;
        std::size_t pos = 0;
        for (auto hit = out.find(from); hit != std::string::npos; hit = out.find(from, pos)) {
            result.append(out, pos, hit - pos).append(to);
            pos = hit + from.size();
        }
        return result.append(out, pos, std::string::npos);
    }
    for (auto hit = out.find(from); hit != std::string::npos; hit = out.find(from))
        out.replace(hit, from.size(), to);
    return out;
}

bool containsWildcard(std::string_view name)
{
    return name.find_first_of("*?") != std::string_view::npos;
}

}  // namespace quarry::text
