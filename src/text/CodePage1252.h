#pragma once
#include <string>
#include <string_view>

namespace quarry {

// The Windows-1252 code page as code points. The five bytes it leaves undefined map to the
// control characters of the same number, as Windows does, so every byte has a character and
// every such text survives a round trip.
class CodePage1252 final {
public:
    static char32_t ToCode(unsigned char byte);
    // The byte of a code point, or false when the code page has none.
    static bool FromCode(char32_t code, unsigned char& byte);
    static std::string ToUtf8(std::string_view bytes);
    // UTF-8 text as code-page bytes; characters without a byte (and invalid bytes) become "?".
    static std::string FromUtf8(std::string_view text);
};

}  // namespace quarry
