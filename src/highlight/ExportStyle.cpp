#include "highlight/ExportStyle.h"

namespace quarry {

uint32_t defaultColourResolver(uint32_t colour)
{
    // Written files show the usual light palette for the symbolic system colours.
    switch (colour) {
    case kSysColorWindowText: return 0x000000;
    case kSysColorWindow: return 0xFFFFFF;
    case kSysColorHighlight: return 0x800000;
    case kSysColorHighlightText: return 0xFFFFFF;
    case kSysColorBtnFace: return 0xC0C0C0;
    default: return colour & 0xFFFFFF;
    }
}

ExportStyle ExportStyle::from(const LanguageSettings& settings)
{
    ExportStyle style;
    style.map = &settings.map;
    style.effects = &settings.effects;
    style.fontName = settings.fontName;
    style.fontSize = settings.fontSize;
    style.fontCharset = settings.fontCharset;
    return style;
}

ExportStyle::Look ExportStyle::defaultLook() const
{
    const StyleEffect& e0 = (*effects)[0];
    uint32_t fg = e0.foregroundDefault ? kSysColorWindowText : e0.foreground;
    uint32_t bg = e0.backgroundDefault ? kSysColorWindow : e0.background;
    return {e0.fontStyle, resolve(fg), resolve(bg)};
}

ExportStyle::Look ExportStyle::look(uint8_t tokenValue) const
{
    const StyleEffect& e = (*effects)[(*map)[tokenValue]];
    Look base = defaultLook();
    return {e.fontStyle, e.foregroundDefault ? base.foreground : resolve(e.foreground),
            e.backgroundDefault ? base.background : resolve(e.background)};
}

}  // namespace quarry
