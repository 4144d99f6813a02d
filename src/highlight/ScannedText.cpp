#include "highlight/ScannedText.h"

#include <cstring>

namespace quarry {

void normaliseEditorTextInPlace(std::string& text)
{
    // Normalising only ever shortens, so the write position never passes the read position.
    const size_t n = text.size();
    char* data = text.data();
    size_t out = 0;
    for (size_t i = 0; i < n; ++i) {
        const unsigned char c = (unsigned char)data[i];
        if (c >= 32) {
            data[out++] = char(c);
        } else if (c == '\r' || c == '\n') {
            const unsigned char pair = c == '\r' ? '\n' : '\r';
            if (i + 1 < n && (unsigned char)data[i + 1] == pair)
                ++i;
            data[out++] = '\r';
        } else {
            data[out++] = c == '\t' ? '\t' : '.';
        }
    }
    text.resize(out);
}

std::string normaliseEditorText(std::string_view raw)
{
    std::string text(raw);
    normaliseEditorTextInPlace(text);
    return text;
}

std::vector<uint8_t> scanStyles(TCodeMemoParser& parser, std::string_view text)
{
    std::vector<uint8_t> styles(text.size());
    scanText(parser, text, [&](const TokenSpan& t) {
        std::memset(styles.data() + t.offset, t.value, size_t(t.length));
    });
    return styles;
}

}  // namespace quarry
