#include "editor/ui/TColourResolver.h"

namespace quarry {

QColor TColourResolver::FromBgr(TColor colour) {
    const auto v = static_cast<std::uint32_t>(colour);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

QColor TColourResolver::Resolve(TColor colour) const {
    const auto v = static_cast<std::uint32_t>(colour);
    if ((v & 0xFF000000u) != 0xFF000000u) return FromBgr(colour);
    // The numbering of the system colours.
    switch (v & 0xFFu) {
        case 0:  // scroll bar
        case 15: // button face
            return palette_.color(QPalette::Button);
        case 1:  // desktop
        case 12: // application work space
            return palette_.color(QPalette::Dark);
        case 5:  // window
            return palette_.color(QPalette::Base);
        case 6:  // window frame
        case 21: // 3D dark shadow
            return palette_.color(QPalette::Shadow);
        case 8:  // window text
        case 7:  // menu text
            return palette_.color(QPalette::Text);
        case 13:
            return palette_.color(QPalette::Highlight);
        case 14:
            return palette_.color(QPalette::HighlightedText);
        case 16: // button shadow
            return palette_.color(QPalette::Mid);
        case 17: // grey text
            return palette_.color(QPalette::Disabled, QPalette::Text);
        case 18: // button text
            return palette_.color(QPalette::ButtonText);
        case 20: // button highlight
        case 22: // 3D light
            return palette_.color(QPalette::Light);
        case 23:
            return palette_.color(QPalette::ToolTipText);
        case 24:
            return palette_.color(QPalette::ToolTipBase);
        default:
            return palette_.color(QPalette::Window);
    }
}

}  // namespace quarry
