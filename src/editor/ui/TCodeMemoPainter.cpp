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

namespace {
// A control character with all characters shown: its code as two small hexadecimal digits, one
// above the other in its cell, so that a form feed and an escape read differently in any font.
void DrawControlCode(QPainter& painter, const QRect& cell, unsigned char byte, const QFont& font) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    QFont small = font;
    small.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    small.setPixelSize(std::max(4, cell.height() / 2));
    painter.setFont(small);
    const int half = cell.height() / 2;
    painter.drawText(QRect(cell.left(), cell.top(), cell.width(), half), Qt::AlignCenter,
                     QString(QChar(kHex[byte >> 4])));
    painter.drawText(QRect(cell.left(), cell.top() + half, cell.width(), cell.height() - half), Qt::AlignCenter,
                     QString(QChar(kHex[byte & 15])));
}
QString CodeString(char32_t code) { return QString::fromUcs4(&code, 1); }

// UTF-8 text: ASCII in runs, every other character alone and centred in its cells, so that a
// glyph from a fallback font of another width cannot push the columns after it out of line.
void PaintUnicodeRun(QPainter& painter, const TComposedLine& line, std::int32_t start, std::int32_t end, int x,
                     int baseline, int cw) {
    QString ascii;
    int asciiX = x;
    const auto flush = [&]() {
        if (!ascii.isEmpty()) painter.drawText(QPoint(asciiX, baseline), ascii);
        ascii.clear();
    };
    for (std::int32_t c = start; c < end; ++c) {
        const char32_t code = line.codes[static_cast<std::size_t>(c)];
        const int left = x + (c - start) * cw;
        if (code == 0) continue;  // the second cell of a wide character
        if (code < 0x80) {
            if (ascii.isEmpty()) asciiX = left;
            ascii += QChar(static_cast<char16_t>(code));
            continue;
        }
        flush();
        const int cells = c + 1 < static_cast<std::int32_t>(line.codes.size()) && line.codes[static_cast<std::size_t>(c) + 1] == 0 ? 2 : 1;
        const QString glyph = CodeString(code);
        const int advance = painter.fontMetrics().horizontalAdvance(glyph);
        painter.drawText(QPoint(left + std::max(0, (cells * cw - advance) / 2), baseline), glyph);
    }
    flush();
}
}  // namespace

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
        const std::string_view run = std::string_view(line.text).substr(static_cast<std::size_t>(start),
                                                                         static_cast<std::size_t>(end - start));
        if (kind == TComposedLine::ckControl) {
            // Marks and codes cell by cell: a control code is not a character of the font.
            for (std::size_t i = 0; i < run.size(); ++i) {
                const auto byte = static_cast<unsigned char>(run[i]);
                const int left = x + static_cast<int>(i) * cw;
                if (byte < 32) {
                    DrawControlCode(painter, QRect(left, args.top, cw, height), byte, fonts.Font(look.fontStyle));
                } else {
                    painter.setFont(fonts.Font(look.fontStyle));
                    const QString shown = line.utf8 ? CodeString(line.codes[static_cast<std::size_t>(start) + i])
                                                    : QString(Windows1252::ToUnicode(byte));
                    painter.drawText(QPoint(left, args.top + fonts.Ascent()), shown);
                }
            }
        } else if (line.utf8) {
            PaintUnicodeRun(painter, line, start, end, x, args.top + fonts.Ascent(), cw);
        } else {
            painter.drawText(QPoint(x, args.top + fonts.Ascent()), Windows1252::ToUnicode(run));
        }
        start = end;
    }
    if (args.selectLineEnd && columns >= first && columns < args.lastColumn)
        painter.fillRect(QRect(args.x0 + columns * cw, args.top, cw, height), args.selBackground);
}

}  // namespace quarry
