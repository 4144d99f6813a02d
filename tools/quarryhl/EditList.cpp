#include "EditList.h"

#include "HighlightInput.h"

#include <charconv>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace quarry::hl {
namespace {

class LineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string unescape(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            throw LineError("a \\ ends the text");
        switch (text[i]) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case '\\': out += '\\'; break;
        case 'x': {
            unsigned byte = 0;
            const char* digits = text.data() + i + 1;
            const bool two = i + 2 < text.size() &&
                             std::from_chars(digits, digits + 2, byte, 16).ptr == digits + 2;
            if (!two)
                throw LineError("\\x needs two hexadecimal digits");
            out += char(byte);
            i += 2;
            break;
        }
        default:
            throw LineError(std::string("unknown escape \\") + text[i] + " (use \\n, \\t, \\\\ or \\xHH)");
        }
    }
    return out;
}

// A decimal number up to the next blank (or the end), which `rest` is left at.
std::int32_t number(std::string_view& rest, const char* what)
{
    const size_t end = std::min(rest.find(' '), rest.size());
    if (end == 0)
        throw LineError(std::string("expected ") + what + ": a line is OFFSET DELETE TEXT");
    std::int64_t value = 0;
    for (char c : rest.substr(0, end)) {
        if (c < '0' || c > '9')
            throw LineError(std::string(what) + " is not a number: " + std::string(rest.substr(0, end)));
        value = value * 10 + (c - '0');
        if (value > INT32_MAX)
            throw LineError(std::string(what) + " is too large");
    }
    rest.remove_prefix(end);
    return std::int32_t(value);
}

TextEdit parseLine(std::string_view line)
{
    TextEdit edit;
    edit.offset = number(line, "OFFSET");
    if (!line.empty())
        line.remove_prefix(1);
    edit.erase = number(line, "DELETE");
    if (!line.empty())
        line.remove_prefix(1);
    edit.text = unescape(line);
    return edit;
}

}  // namespace

std::vector<TextEdit> readEdits(const std::string& path)
{
    const std::string all = readFile(path);
    std::vector<TextEdit> edits;
    size_t pos = 0;
    for (int lineNo = 1; pos < all.size(); ++lineNo) {
        size_t end = all.find('\n', pos);
        if (end == std::string::npos)
            end = all.size();
        std::string_view line(all.data() + pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.find_first_not_of(" \t") == std::string_view::npos)
            continue;
        try {
            edits.push_back(parseLine(line));
        } catch (const LineError& e) {
            throw std::runtime_error(path + ":" + std::to_string(lineNo) + ": " + e.what());
        }
        edits.back().line = lineNo;
    }
    return edits;
}

}  // namespace quarry::hl
