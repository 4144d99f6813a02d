#include "export/RtfWriter.h"

#include "editorsettings/SettingRange.h"
#include "export/StyledRunWriter.h"

#include <algorithm>
#include <cstdio>

namespace quarry {

void RtfWriter::escape(unsigned char c, std::string& out)
{
    switch (c) {
    case 0: return;
    case '\'': out += "\\'27"; return;
    case '\\': out += "\\\\"; return;
    case '{': out += "\\{"; return;
    case '}': out += "\\}"; return;
    case 9: out += "\\tab "; return;
    case 12: out += "\\page "; return;
    case 13: out += "\\line "; return;
    default: break;
    }
    if (c >= 32 && c <= 127) {
        out += char(c);
        return;
    }
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\'%.2x", c);
    out += buf;
}

std::vector<uint32_t> RtfWriter::colourTable(const ExportStyle& style)
{
    const ExportStyle::Look base = style.defaultLook();
    std::vector<uint32_t> table{base.foreground, base.background};
    auto addColour = [&](uint32_t c) {
        if (table.size() < 256 && std::find(table.begin(), table.end(), c) == table.end())
            table.push_back(c);
    };
    for (int e = 0; e < 256; ++e) {
        if (!style.effects[size_t(e)].inUse)
            continue;
        // Colours of an effect are looked at as a token mapped to it would be painted.
        const StyleEffect& effect = style.effects[size_t(e)];
        addColour(effect.foregroundDefault ? base.foreground : style.resolve(effect.foreground));
        addColour(effect.backgroundDefault ? base.background : style.resolve(effect.background));
    }
    return table;
}

void RtfWriter::write(std::ostream& stream, StyledLineSource& lines, const ExportStyle& style)
{
    static const StyledRunWriter runs(escape);
    ExportBuffer out(stream);
    out.put("{\\rtf1 \\deff1");
    out.put("{\\fonttbl ");
    out.put("{\\f1 \\fnil\\fcharset" + std::to_string(style.fontCharset) + " " + style.fontName + ";}");
    out.put("}\r\n");
    const std::vector<uint32_t> table = colourTable(style);
    out.put("{\\colortbl");
    for (uint32_t c : table) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "\\red%u\\green%u\\blue%u;", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
        out.put(buf);
    }
    out.put("}\r\n");
    // Half-points; a size from elsewhere is brought into range rather than doubled past int.
    out.put("{\\f1\\fs" + std::to_string(2 * kFontSizeRange.clamp(style.fontSize)) + "\\cf0\\cb1 ");

    // Token value to colour-table index, computed once.
    int fgIndex[256], bgIndex[256];
    ExportStyle::Look looks[256];
    for (int v = 0; v < 256; ++v) {
        looks[v] = style.look(uint8_t(v));
        auto index = [&](uint32_t c) {
            auto it = std::find(table.begin(), table.end(), c);
            return it == table.end() ? 0 : int(it - table.begin());
        };
        fgIndex[v] = index(looks[v].foreground);
        bgIndex[v] = index(looks[v].background);
    }
    static const char* const kOn[3] = {"\\b1 ", "\\i1 ", "\\ul1 "};
    static const char* const kOff[3] = {"\\b0 ", "\\i0 ", "\\ul0 "};
    int fg = 0, bg = 1;
    uint8_t flags = 0;
    runs.write(out, lines, [&](uint8_t value) {
        StyledRunWriter::switchFontStyle(out, looks[value].fontStyle, flags, kOn, kOff);
        if (fgIndex[value] != fg) {
            fg = fgIndex[value];
            out.put("\\cf" + std::to_string(fg) + " ");
        }
        if (bgIndex[value] != bg) {
            bg = bgIndex[value];
            out.put("\\cb" + std::to_string(bg) + " ");
        }
    });
    out.put("}}");
}

}  // namespace quarry
