#pragma once
// Character facts shared by literal search and the regular expressions. The text is Windows-1252,
// so ignoring case folds the accented letters of that code page too, not only A to Z.
#include <array>
#include <cstdint>

namespace quarry {

struct TSearchChars final {
    // Upper-case form of a byte; identity for bytes without case.
    static std::uint8_t upper(std::uint8_t c) { return upperTable()[c]; }
    // Letters, digits and "_": the default word characters and the regular expression's "\w".
    static bool isWord(std::uint8_t c)
    {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    }
    static const std::array<std::uint8_t, 256>& upperTable()
    {
        static const std::array<std::uint8_t, 256> table = makeUpper();
        return table;
    }

private:
    static std::array<std::uint8_t, 256> makeUpper()
    {
        std::array<std::uint8_t, 256> t{};
        for (int c = 0; c < 256; ++c)
            t[c] = static_cast<std::uint8_t>(c);
        for (int c = 'a'; c <= 'z'; ++c)
            t[c] = static_cast<std::uint8_t>(c - 32);
        for (int c = 0xE0; c <= 0xFE; ++c)
            if (c != 0xF7)
                t[c] = static_cast<std::uint8_t>(c - 32);
        t[0x9A] = 0x8A;
        t[0x9C] = 0x8C;
        t[0x9E] = 0x8E;
        t[0xFF] = 0x9F;
        return t;
    }
};

}  // namespace quarry
