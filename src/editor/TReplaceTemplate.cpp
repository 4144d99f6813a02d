#include "editor/TReplaceTemplate.h"

#include "platform/Text.h"

namespace quarry {

namespace {

bool isOctal(char c)
{
    return c >= '0' && c <= '7';
}

}  // namespace

std::string TReplaceTemplate::Expand(std::string_view text, const std::function<std::string(int)>& subMatch)
{
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i++];
        if (c == '%') {
            if (i >= text.size()) {
                out += '%';
            } else if (text[i] >= '0' && text[i] <= '9') {
                long n = 0;
                while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
                    if (n <= 1000)
                        n = n * 10 + (text[i] - '0');
                    ++i;
                }
                if (n >= 1 && n <= 255)
                    out += subMatch(static_cast<int>(n));
            } else {
                out += text[i++];  // "%%" gives one percent sign, like any other character
            }
            continue;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (i >= text.size()) {
            out += '\\';
            break;
        }
        const char e = text[i++];
        if (isOctal(e)) {
            int code = e - '0';
            for (int digits = 1; digits < 3 && i < text.size() && isOctal(text[i]); ++digits)
                code = code * 8 + (text[i++] - '0');
            if (code > 255)
                return out;
            out += static_cast<char>(code);
            continue;
        }
        switch (e | 0x20) {  // the letter in either case
        case 'n': out += '\r'; break;
        case 'r': out += '\n'; break;
        case 't': out += '\t'; break;
        case 's': out += ' '; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'x': {
            int code = 0;
            int digits = 0;
            while (digits < 2 && i < text.size() && text::hexDigitValue(text[i]) >= 0)
                code = code * 16 + text::hexDigitValue(text[i++]), ++digits;
            out += digits > 0 ? static_cast<char>(code) : e;
            break;
        }
        default:
            out += e;
            break;
        }
    }
    return out;
}

}  // namespace quarry
