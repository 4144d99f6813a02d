#include "prefs/HighlightElements.h"

#include "highlight/LanguageSettings.h"

namespace quarry {

namespace {

constexpr const char* kFixedElements[] = {"Selected text", "Left margin", "Gutter"};

}  // namespace

int HighlightElements::Count() const { return int(settings_.editableStyles.size() + std::size(kFixedElements)); }

HighlightElements::Kind HighlightElements::KindOf(int element) const
{
    const int styles = int(settings_.editableStyles.size());
    if (element < styles)
        return Kind::Style;
    return Kind(element - styles + 1);
}

std::string HighlightElements::Name(int element) const
{
    const int styles = int(settings_.editableStyles.size());
    return element < styles ? settings_.editableStyles[size_t(element)].name
                            : kFixedElements[element - styles];
}

ElementLook HighlightElements::Look(int element) const
{
    ElementLook look;
    switch (KindOf(element)) {
    case Kind::Style: {
        const StyleEffect& e = settings_.effects[uint8_t(settings_.editableStyles[size_t(element)].value)];
        look = {e.foreground, e.background, e.foregroundDefault, e.backgroundDefault, e.fontStyle};
        break;
    }
    case Kind::SelectedText:
        look = {settings_.selTextColor, settings_.selTextBack, settings_.selTextColorDefault,
                settings_.selTextBackDefault};
        look.hasFontStyle = false;
        break;
    case Kind::LeftMargin:
        look.background = settings_.marginColor;
        look.backgroundDefault = settings_.marginColorDefault;
        look.hasForeground = false;
        look.hasForegroundDefault = false;
        look.hasFontStyle = false;
        break;
    case Kind::Gutter:
        // The gutter's text is its line numbers, drawn in the gutter font.
        look = {settings_.gutterFontColor, settings_.gutterColor, false, settings_.gutterColorDefault,
                settings_.gutterFontStyle};
        look.hasForegroundDefault = false;
        break;
    }
    return look;
}

void HighlightElements::SetLook(int element, const ElementLook& look)
{
    switch (KindOf(element)) {
    case Kind::Style: {
        StyleEffect& e = settings_.effects[uint8_t(settings_.editableStyles[size_t(element)].value)];
        e.foreground = look.foreground;
        e.background = look.background;
        e.foregroundDefault = look.foregroundDefault;
        e.backgroundDefault = look.backgroundDefault;
        e.fontStyle = uint8_t(look.fontStyle & 0x0F);
        e.inUse = true;
        break;
    }
    case Kind::SelectedText:
        settings_.selTextColor = look.foreground;
        settings_.selTextBack = look.background;
        settings_.selTextColorDefault = look.foregroundDefault;
        settings_.selTextBackDefault = look.backgroundDefault;
        break;
    case Kind::LeftMargin:
        settings_.marginColor = look.background;
        settings_.marginColorDefault = look.backgroundDefault;
        break;
    case Kind::Gutter:
        settings_.gutterFontColor = look.foreground;
        settings_.gutterColor = look.background;
        settings_.gutterColorDefault = look.backgroundDefault;
        settings_.gutterFontStyle = uint8_t(look.fontStyle & 0x0F);
        break;
    }
}

int HighlightElements::ElementOfToken(std::uint8_t token) const
{
    const int effect = settings_.map[token];
    for (size_t i = 0; i < settings_.editableStyles.size(); ++i)
        if (settings_.editableStyles[i].value == effect)
            return int(i);
    return -1;
}

}  // namespace quarry
