#include "highlight/ScannedText.h"

#include <cstring>

namespace quarry {

std::string normaliseEditorText(std::string_view raw)
{
    std::string text;
    text.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        unsigned char c = (unsigned char)raw[i];
        if (c == '\r' || c == '\n') {
            unsigned char pair = c == '\r' ? '\n' : '\r';
            if (i + 1 < raw.size() && (unsigned char)raw[i + 1] == pair)
                ++i;
            text += '\r';
        } else if (c < 32 && c != '\t') {
            text += '.';
        } else {
            text += char(c);
        }
    }
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

bool BufferLineSource::next(StyledLine& line)
{
    if (pos_ >= text_.size())
        return false;
    size_t end = text_.find('\r', pos_);
    end = end == std::string_view::npos ? text_.size() : end + 1;
    line.text = text_.substr(pos_, end - pos_);
    line.styles = styles_ ? styles_->data() + pos_ : nullptr;
    pos_ = end;
    return true;
}

}  // namespace quarry
