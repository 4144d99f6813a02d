#include "export/HtmlWriter.h"

#include "export/StyledRunWriter.h"

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
    static const StyledRunWriter runs(escape);
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
    runs.write(out, lines, [&](uint8_t value) {
        const ExportStyle::Look& look = looks[value];
        if (look.foreground != colour) {
            out.put(colourChange[value]);
            colour = look.foreground;
        }
        StyledRunWriter::switchFontStyle(out, look.fontStyle, flags, kOn, kOff);
    });
    out.put("</PRE></FONT></BODY></HTML>\r\n");
}

}  // namespace quarry
