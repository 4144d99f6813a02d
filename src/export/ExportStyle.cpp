#include "export/ExportStyle.h"

#include "editorsettings/TCM_Settings.h"

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
    style.map = settings.map;
    style.effects = settings.effects;
    style.fontName = settings.fontName;
    style.fontSize = settings.fontSize;
    style.fontCharset = settings.fontCharset;
    return style;
}

ExportStyle ExportStyle::from(const TCM_Settings& settings)
{
    ExportStyle style;
    style.map = settings.map;
    for (size_t i = 0; i < settings.effects.size(); ++i) {
        const TCM_Effect& e = settings.effects[i];
        style.effects[i] = {e.fontStyle,        uint32_t(e.foreground), uint32_t(e.background), e.defaultForeground,
                            e.defaultBackground, e.hotSpot,             i == 0};
    }
    for (uint8_t effect : settings.map)
        style.effects[effect].inUse = true;
    style.fontName = settings.font.name;
    style.fontSize = settings.font.size;
    style.fontCharset = settings.font.charSet;
    return style;
}

ExportStyle::Look ExportStyle::defaultLook() const
{
    const StyleEffect& e0 = effects[0];
    uint32_t fg = e0.foregroundDefault ? kSysColorWindowText : e0.foreground;
    uint32_t bg = e0.backgroundDefault ? kSysColorWindow : e0.background;
    return {e0.fontStyle, resolve(fg), resolve(bg)};
}

ExportStyle::Look ExportStyle::look(uint8_t tokenValue) const
{
    const StyleEffect& e = effects[map[tokenValue]];
    Look base = defaultLook();
    return {e.fontStyle, e.foregroundDefault ? base.foreground : resolve(e.foreground),
            e.backgroundDefault ? base.background : resolve(e.background)};
}

}  // namespace quarry
