#pragma once
#include <string_view>

namespace quarry {

// The lines of a text that ends its lines with LF, CR LF or CR, visited first to last or last
// to first without copying the text. `visit` returns false to stop.
template <class Visit>
void ForEachLine(std::string_view text, bool forward, Visit&& visit)
{
    constexpr std::string_view kBreaks = "\r\n";
    if (forward) {
        std::size_t pos = 0;
        while (pos < text.size()) {
            const auto end = text.find_first_of(kBreaks, pos);
            if (!visit(text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos)))
                return;
            if (end == std::string_view::npos)
                return;
            pos = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
        }
        return;
    }
    std::size_t end = text.size();
    while (end > 0) {
        const auto brk = text.find_last_of(kBreaks, end - 1);
        const auto start = brk == std::string_view::npos ? 0 : brk + 1;
        if (!visit(text.substr(start, end - start)) || brk == std::string_view::npos)
            return;
        end = brk > 0 && text[brk] == '\n' && text[brk - 1] == '\r' ? brk - 1 : brk;
    }
}

}  // namespace quarry
