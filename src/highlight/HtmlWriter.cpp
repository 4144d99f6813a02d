#include "highlight/HtmlWriter.h"

#include <cstdio>

namespace quarry {

namespace {

// Blue-green-red to the "#rrggbb" order of HTML: the low and high bytes swapped.
std::string htmlColour(uint32_t bgr)
{
    char buf[8];
    uint32_t rgb = ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
    std::snprintf(buf, sizeof buf, "%.6x", rgb);
    return buf;
}

// Precomputed escapes so the per-character work is one table lookup.
struct EscapeTable {
    std::string text[256];
    bool plain[256];
    EscapeTable()
    {
        for (int c = 0; c < 256; ++c) {
            HtmlWriter::escape((unsigned char)c, text[c]);
            plain[c] = text[c].size() == 1 && (unsigned char)text[c][0] == c;
        }
    }
};

}  // namespace

void HtmlWriter::escape(unsigned char c, std::string& out)
{
    switch (c) {
    case '<': out += "&lt;"; return;
    case '>': out += "&gt;"; return;
    case '"': out += "&quot;"; return;
    case 9: case 160: out += "&nbsp;"; return;
    default: break;
    }
    if (c < 32)
        return;
    if (c > 127) {
        out += "&#" + std::to_string(c) + ";";
        return;
    }
    out += char(c);
}

void HtmlWriter::write(std::ostream& stream, StyledLineSource& lines, const ExportStyle& style)
{
    static const EscapeTable escapes;
    ExportBuffer out(stream);
    const ExportStyle::Look base = style.defaultLook();
    out.put("<HTML><HEAD>\r\n");
    out.put(std::string("<META NAME=\"Generator\" CONTENT=\"TCustomCodeMemo - ") + kGeneratorContact + "\">\r\n");
    out.put("<TITLE>" + style.title + "</TITLE>\r\n");
    out.put("<META NAME=\"Date\" CONTENT=\"" + style.date + "\">\r\n");
    out.put("</HEAD>\r\n");
    out.put("<BODY TEXT=\"#" + htmlColour(base.foreground) + "\" BGCOLOR=\"#" + htmlColour(base.background) +
            "\">\r\n");
    out.put("<PRE>");
    out.put("<FONT FACE=\"" + style.fontName + "\">\r\n");

    // Looks and colour changes per token value, worked out once.
    ExportStyle::Look looks[256];
    std::string colourChange[256];
    for (int v = 0; v < 256; ++v) {
        looks[v] = style.look(uint8_t(v));
        colourChange[v] = "</FONT><FONT COLOR=\"#" + htmlColour(looks[v].foreground) + "\">";
    }
    static const char* const kOn[3] = {"<B>", "<I>", "<U>"};
    static const char* const kOff[3] = {"</B>", "</I>", "</U>"};
    uint32_t colour = base.foreground;
    uint8_t flags = 0;  // bold, italic, underline as they stand in the output
    StyledLine line;
    while (lines.next(line)) {
        const size_t n = line.text.size();
        size_t i = 0;
        while (i < n) {
            size_t runEnd = n;
            if (line.styles) {
                const uint8_t value = line.styles[i];
                runEnd = i + 1;
                while (runEnd < n && line.styles[runEnd] == value)
                    ++runEnd;
                const ExportStyle::Look& look = looks[value];
                if (look.foreground != colour) {
                    out.put(colourChange[value]);
                    colour = look.foreground;
                }
                for (int bit = 0; bit < 3; ++bit) {
                    bool want = look.fontStyle & (1u << bit);
                    if (want != bool(flags & (1u << bit))) {
                        out.put(want ? kOn[bit] : kOff[bit]);
                        flags ^= uint8_t(1u << bit);
                    }
                }
            }
            // Characters that stand for themselves go out in one piece.
            while (i < runEnd) {
                size_t plain = i;
                while (plain < runEnd && escapes.plain[(unsigned char)line.text[plain]])
                    ++plain;
                out.put(line.text.substr(i, plain - i));
                if (plain < runEnd)
                    out.put(escapes.text[(unsigned char)line.text[plain++]]);
                i = plain;
            }
        }
        out.put("\r\n");
    }
    out.put("</PRE></FONT></BODY></HTML>\r\n");
}

}  // namespace quarry
