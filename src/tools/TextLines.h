#pragma once
#include <string_view>

namespace quarry {

// The lines of a text that ends its lines with LF, CR LF or CR, visited first to last or last
// to first without copying the text. `visit` returns false to stop.
template <class Visit>
void ForEachLine(std::string_view text, bool forward, Visit&& visit)
{
    const auto isBreak = [](char c) { return c == '\n' || c == '\r'; };
    const std::size_t n = text.size();
    if (forward) {
        std::size_t pos = 0;
        while (pos < n) {
            std::size_t end = pos;
            while (end < n && !isBreak(text[end]))
                ++end;
            if (!visit(text.substr(pos, end - pos)) || end == n)
                return;
            pos = end + (text[end] == '\r' && end + 1 < n && text[end + 1] == '\n' ? 2 : 1);
        }
        return;
    }
    std::size_t end = n;
    while (end > 0) {
        std::size_t start = end;
        while (start > 0 && !isBreak(text[start - 1]))
            --start;
        if (!visit(text.substr(start, end - start)) || start == 0)
            return;
        const std::size_t brk = start - 1;
        end = brk > 0 && text[brk] == '\n' && text[brk - 1] == '\r' ? brk - 1 : brk;
    }
}

}  // namespace quarry
