#include "text/CodePage1252.h"

#include <array>

#include "text/Utf8.h"

namespace quarry {

namespace {
// Bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
}  // namespace

char32_t CodePage1252::ToCode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHigh[byte - 0x80];
    return byte;
}

bool CodePage1252::FromCode(char32_t code, unsigned char& byte) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
        byte = static_cast<unsigned char>(code);
        return true;
    }
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == code) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    return false;
}

std::string CodePage1252::ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) Utf8::Append(ToCode(static_cast<unsigned char>(c)), out);
    return out;
}

std::string CodePage1252::FromUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Utf8::Decoded d = Utf8::Decode(text, i);
        unsigned char byte = '?';
        if (d.valid) FromCode(d.code, byte);
        out += static_cast<char>(byte);
        i += static_cast<std::size_t>(d.length);
    }
    return out;
}

}  // namespace quarry
