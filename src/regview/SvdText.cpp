#include "regview/SvdText.h"

#include <algorithm>

namespace quarry::svdtext {

std::string fold(std::string_view text)
{
    std::string folded;
    folded.reserve(text.size());
    bool blank = false;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) <= ' ' || c == '\x7F') {
            blank = !folded.empty();
            continue;
        }
        if (blank)
            folded += ' ';
        blank = false;
        folded += c;
    }
    return folded;
}

std::string withIndex(std::string_view text, std::string_view index)
{
    std::string result;
    std::size_t from = 0;
    for (auto at = text.find("%s"); at != std::string_view::npos; at = text.find("%s", from)) {
        result.append(text.substr(from, at - from)).append(index);
        from = at + 2;
    }
    return result.append(text.substr(from));
}

std::string safeFileStem(std::string_view name)
{
    std::string stem;
    for (const char c : name) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
                          c == '-' || c == '.';
        stem += kept ? c : '_';
    }
    if (std::all_of(stem.begin(), stem.end(), [](char c) { return c == '.'; }))
        stem = "_" + stem;
    return stem;
}

std::string cutUtf8(std::string_view text, std::size_t length)
{
    if (text.size() <= length)
        return std::string(text);
    std::size_t end = length;
    // Back off continuation bytes to the start of the sequence that would be cut.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return std::string(text.substr(0, end));
}

}  // namespace quarry::svdtext
