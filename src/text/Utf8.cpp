#include "text/Utf8.h"

#include <algorithm>
#include <array>

namespace quarry {

Utf8::Decoded Utf8::DecodeMultiByte(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const Decoded invalid{lead, 1, false, false};
    int need = 0;
    char32_t code = 0;
    // The second byte's range rules out overlong forms, surrogates and code points past 10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        code = lead & 0x0Fu;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        code = lead & 0x07u;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return invalid;
    }
    for (int i = 1; i <= need; ++i) {
        if (at + static_cast<std::size_t>(i) >= text.size()) return {lead, 1, false, true};
        const auto c = static_cast<unsigned char>(text[at + static_cast<std::size_t>(i)]);
        if (c < low || c > high) return invalid;
        low = 0x80;
        high = 0xBF;
        code = (code << 6) | (c & 0x3Fu);
    }
    return {code, need + 1, true, false};
}

std::size_t Utf8::StartBefore(std::string_view text, std::size_t at) {
    at = std::min(at, text.size());
    if (at == 0) return 0;
    std::size_t start = at - 1;
    for (int back = 0; back < 3 && start > 0 && IsContinuation(static_cast<unsigned char>(text[start])); ++back) --start;
    if (start + 1 < at) {
        const Decoded d = Decode(text, start);
        if (d.valid && start + static_cast<std::size_t>(d.length) == at) return start;
    }
    return at - 1;
}

namespace {
struct Range {
    char32_t first;
    char32_t last;
};
// East Asian Wide and Fullwidth blocks, and the emoji that terminals show two cells wide.
constexpr std::array<Range, 40> kWide{{
    {0x1100, 0x115F}, {0x231A, 0x231B}, {0x2329, 0x232A}, {0x23E9, 0x23EC}, {0x23F0, 0x23F0},
    {0x23F3, 0x23F3}, {0x25FD, 0x25FE}, {0x2614, 0x2615}, {0x2648, 0x2653}, {0x267F, 0x267F},
    {0x2693, 0x2693}, {0x26A1, 0x26A1}, {0x26AA, 0x26AB}, {0x26BD, 0x26BE}, {0x26C4, 0x26C5},
    {0x26CE, 0x26CE}, {0x26D4, 0x26D4}, {0x26EA, 0x26EA}, {0x26F2, 0x26F5}, {0x26FA, 0x26FD},
    {0x2705, 0x2705}, {0x270A, 0x270B}, {0x2728, 0x2728}, {0x274C, 0x274E}, {0x2753, 0x2757},
    {0x2795, 0x2797}, {0x27B0, 0x27BF}, {0x2B1B, 0x2B1C}, {0x2B50, 0x2B55}, {0x2E80, 0x303E},
    {0x3041, 0xA4CF}, {0xA960, 0xA97F}, {0xAC00, 0xD7A3}, {0xF900, 0xFAFF}, {0xFE10, 0xFE19},
    {0xFE30, 0xFE6F}, {0xFF00, 0xFF60}, {0xFFE0, 0xFFE6}, {0x1F300, 0x1F64F}, {0x1F680, 0x1FAFF},
}};
}  // namespace

std::int32_t Utf8::Width(char32_t code) {
    if (code < 0x1100) return 1;
    if (code >= 0x16FE0 && code <= 0x1B2FF) return 2;
    if (code >= 0x20000 && code <= 0x3FFFD) return 2;
    const auto it = std::upper_bound(kWide.begin(), kWide.end(), code,
                                     [](char32_t c, const Range& r) { return c < r.first; });
    return it != kWide.begin() && code <= std::prev(it)->last ? 2 : 1;
}

void Utf8::Append(char32_t code, std::string& out) {
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = kReplacement;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::u32string Utf8::ToCodes(std::string_view text) {
    std::u32string codes;
    codes.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Decoded d = Decode(text, i);
        codes += d.code;
        i += static_cast<std::size_t>(d.length);
    }
    return codes;
}

}  // namespace quarry
