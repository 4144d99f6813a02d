#include "editor/ui/TCodeMemoPainter.h"

#include <QPainter>

#include <algorithm>

#include "editor/ui/TColourResolver.h"
#include "editor/ui/TLineComposer.h"
#include "editor/ui/TPaintFonts.h"
#include "editor/ui/Windows1252.h"

namespace quarry {

void TStyleLooks::Build(const TCM_Settings& settings, const TColourResolver& colours, bool mono) {
    const TCM_Effect& e0 = settings.effects[0];
    base_.fontStyle = e0.fontStyle;
    base_.foreground = mono ? QColor(Qt::black) : colours.Resolve(e0.defaultForeground ? clWindowText : e0.foreground);
    base_.background = mono ? QColor(Qt::white) : colours.Resolve(e0.defaultBackground ? clWindow : e0.background);
    for (int value = 0; value < 256; ++value) {
        const TCM_Effect& e = settings.effects[settings.map[static_cast<std::size_t>(value)]];
        TRunLook& look = looks_[static_cast<std::size_t>(value)];
        look.fontStyle = e.fontStyle;
        look.hotSpot = e.hotSpot;
        if (mono) {
            look.foreground = Qt::black;
            look.background = Qt::white;
        } else {
            look.foreground = e.defaultForeground ? base_.foreground : colours.Resolve(e.foreground);
            look.background = e.defaultBackground ? base_.background : colours.Resolve(e.background);
        }
    }
}

void TCodeMemoPainter::PaintText(QPainter& painter, const TComposedLine& line, const TStyleLooks& looks,
                                 const TPaintFonts& fonts, const TTextLineArgs& args) {
    const int cw = fonts.CharWidth();
    const int height = fonts.LineHeight();
    const QColor lineBack = args.lineOverride ? args.overrideBackground : looks.Base().background;
    painter.fillRect(QRect(args.clipLeft, args.top, std::max(0, args.clipRight - args.clipLeft), height), lineBack);

    const std::int32_t columns = line.Columns();
    const std::int32_t first = std::max<std::int32_t>(args.firstColumn, 0);
    const std::int32_t last = std::min(args.lastColumn, columns);
    const auto selected = [&](std::int32_t c) { return c >= args.selFrom && c < args.selTo; };
    const auto valueAt = [&](std::int32_t c) { return args.highlight ? line.values[static_cast<std::size_t>(c)] : std::uint8_t{0}; };

    for (std::int32_t start = first; start < last;) {
        const std::uint8_t value = valueAt(start);
        const bool sel = selected(start);
        const std::uint8_t kind = line.kinds[static_cast<std::size_t>(start)];
        std::int32_t end = start + 1;
        while (end < last && valueAt(end) == value && selected(end) == sel && line.kinds[static_cast<std::size_t>(end)] == kind)
            ++end;
        const TRunLook& look = args.highlight ? looks.Look(value) : looks.Base();
        QColor fore = look.foreground;
        QColor back = look.background;
        if (sel) {
            fore = args.selForeground;
            back = args.selBackground;
        } else if (args.lineOverride) {
            back = args.overrideBackground;
            if (args.overrideForeground.isValid()) fore = args.overrideForeground;
        }
        if (kind == TComposedLine::ckControl && !sel) fore = args.controlForeground;
        const int x = args.x0 + start * cw;
        const QRect cells(x, args.top, (end - start) * cw, height);
        if (back != lineBack) painter.fillRect(cells, back);
        painter.setFont(fonts.Font(look.fontStyle));
        painter.setPen(fore);
        painter.drawText(QPoint(x, args.top + fonts.Ascent()),
                         Windows1252::ToUnicode(std::string_view(line.text).substr(static_cast<std::size_t>(start),
                                                                                  static_cast<std::size_t>(end - start))));
        start = end;
    }
    if (args.selectLineEnd && columns >= first && columns < args.lastColumn)
        painter.fillRect(QRect(args.x0 + columns * cw, args.top, cw, height), args.selBackground);
}

}  // namespace quarry
