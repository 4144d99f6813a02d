#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quarry {

// The UTF-8 form of the text store's bytes. The store keeps bytes whatever a document's
// encoding; this reads them as code points without ever changing them. A byte that does not
// start a well-formed sequence (a stray continuation byte, a truncated or overlong form, a
// surrogate, F5..FF) is a character of its own, one byte long, so that every byte belongs to
// exactly one character and damaged text still reads, moves and saves unchanged.
class Utf8 final {
public:
    // Shown for a byte that is no character.
    static constexpr char32_t kReplacement = 0xFFFD;
    static constexpr char kBom[] = "\xEF\xBB\xBF";
    static constexpr std::size_t kBomLength = 3;

    struct Decoded {
        char32_t code = 0;      // the code point, or the byte itself when not valid
        std::int32_t length = 1;
        bool valid = true;
        bool truncated = false;  // well formed so far, but the text ends inside the sequence
    };

    static bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }
    // The character that starts at text[at] (at < text.size()).
    static Decoded Decode(std::string_view text, std::size_t at) {
        const auto c = static_cast<unsigned char>(text[at]);
        if (c < 0x80) return {c, 1, true, false};
        return DecodeMultiByte(text, at);
    }
    static std::int32_t LengthAt(std::string_view text, std::size_t at) { return Decode(text, at).length; }
    // Where the character that ends at `at` starts (at > 0): the inverse of stepping forward.
    static std::size_t StartBefore(std::string_view text, std::size_t at);
    // Display cells: 2 for East Asian wide and fullwidth characters, else 1.
    static std::int32_t Width(char32_t code);
    static void Append(char32_t code, std::string& out);
    static std::string Encode(char32_t code) {
        std::string out;
        Append(code, out);
        return out;
    }
    // Code points, each invalid byte as itself (so Windows-1252 text stays readable).
    static std::u32string ToCodes(std::string_view text);

private:
    static Decoded DecodeMultiByte(std::string_view text, std::size_t at);
};

}  // namespace quarry
