#include "app/StatusPanels.h"

namespace quarry {

std::string escapeAmpersands(const std::string& text)
{
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '&')
            out += '&';
    }
    return out;
}

StatusTexts statusTextsFor(const StatusSnapshot& s)
{
    return {std::to_string(s.row) + ":" + std::to_string(s.column),
            s.modified ? "Modified" : "",
            "Total: " + std::to_string(s.rows),
            "Top: " + std::to_string(s.topRow),
            escapeAmpersands(s.parserName),
            s.overwrite ? "Overwrite" : "Insert",
            s.encoding};
}

}  // namespace quarry
