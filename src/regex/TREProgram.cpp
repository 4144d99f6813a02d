#include "regex/TREProgram.h"

#include <cstdio>

namespace quarry {

using namespace reop;

int reNodeSize(const std::vector<std::uint8_t>& code, std::size_t at)
{
    if (at + kHeader > code.size())
        return 0;
    const std::uint8_t op = code[at];
    int size = 0;
    switch (op) {
    case END: case BOL: case EOL: case ANY: case BRANCH: case BACK: case NOTHING: case STAR:
    case PLUS:
        size = kHeader;
        break;
    case ANYOF: case ANYBUT:
        size = kClassSize;
        break;
    case EXACTLY: {
        std::size_t i = at + kHeader;
        while (i < code.size() && code[i] != 0)
            ++i;
        if (i >= code.size())
            return 0;
        size = static_cast<int>(i + 1 - at);
        break;
    }
    case CSET:
        size = kSetSize;
        break;
    case CDEC: case CTESTZERO: case CBELOW1: case CABOVE0:
        size = kCounterSize;
        break;
    default:
        if ((op > OPEN && op <= OPEN + kMaxGroups) || (op > CLOSE && op <= CLOSE + kMaxGroups))
            size = kHeader;
        break;
    }
    return at + size <= code.size() ? size : 0;
}

int reNext(const std::vector<std::uint8_t>& code, int at)
{
    const int offset = (code[at + 1] << 8) | code[at + 2];
    if (offset == 0)
        return 0;
    return code[at] == BACK ? at - offset : at + offset;
}

namespace {

std::string printable(int c)
{
    if (c >= 33 && c < 127 && c != '"' && c != '\\' && c != '[' && c != ']' && c != '-')
        return std::string(1, static_cast<char>(c));
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\x%02X", c);
    return buf;
}

// Flagged characters as ranges: "[0-9A-Z_]".
std::string classText(const std::vector<std::uint8_t>& code, int at)
{
    std::string out = "[";
    const std::uint8_t* flags = &code[at + kHeader];
    for (int c = 0; c < 256; ++c) {
        if (!flags[c])
            continue;
        int last = c;
        while (last + 1 < 256 && flags[last + 1])
            ++last;
        out += printable(c);
        if (last > c)
            out += (last > c + 1 ? "-" : "") + printable(last);
        c = last;
    }
    return out + "]";
}

std::string nodeName(const std::vector<std::uint8_t>& code, int at)
{
    const std::uint8_t op = code[at];
    switch (op) {
    case END: return "END";
    case BOL: return "BOL";
    case EOL: return "EOL";
    case ANY: return "ANY";
    case ANYOF: return "ANYOF" + classText(code, at);
    case ANYBUT: return "ANYBUT" + classText(code, at);
    case BRANCH: return "BRANCH";
    case BACK: return "BACK";
    case NOTHING: return "NOTHING";
    case STAR: return "STAR";
    case PLUS: return "PLUS";
    case EXACTLY: {
        std::string s = "EXACTLY\"";
        for (int i = at + kHeader; code[i] != 0; ++i)
            s += printable(code[i]);
        return s + "\"";
    }
    case CSET:
        return "CSET#" + std::to_string(code[at + 3]) + "=" +
               std::to_string(code[at + 4] | (code[at + 5] << 8));
    case CDEC: return "CDEC#" + std::to_string(code[at + 3]);
    case CTESTZERO: return "CTESTZERO#" + std::to_string(code[at + 3]);
    case CBELOW1: return "CBELOW1#" + std::to_string(code[at + 3]);
    case CABOVE0: return "CABOVE0#" + std::to_string(code[at + 3]);
    default:
        if (op > CLOSE)
            return "CLOSE" + std::to_string(op - CLOSE);
        return "OPEN" + std::to_string(op - OPEN);
    }
}

}  // namespace

std::string reDump(const std::vector<std::uint8_t>& code)
{
    if (code.empty() || code[0] != kMagic)
        return "<no program>";
    std::string out;
    for (std::size_t at = 1; at < code.size();) {
        const int size = reNodeSize(code, at);
        if (size == 0)
            return out + " <bad node at " + std::to_string(at) + ">";
        if (!out.empty())
            out += ' ';
        out += std::to_string(at) + ":" + nodeName(code, static_cast<int>(at));
        if (const int next = reNext(code, static_cast<int>(at)))
            out += "->" + std::to_string(next);
        at += size;
    }
    return out;
}

}  // namespace quarry
