#include "editor/ui/TPaintFonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QString>

#include <algorithm>
#include <cmath>

#include "editor/ui/Windows1252.h"

namespace quarry {

QFont TPaintFonts::MakeFont(const TCM_Font& font, bool fixedPitch) {
    QFont f(QString::fromStdString(font.name));
    f.setPointSize(std::clamp(font.size, kMinPoints, kMaxPoints));
    if (fixedPitch) {
        f.setStyleHint(QFont::TypeWriter, QFont::PreferDefault);
        f.setFixedPitch(true);
        if (!QFontInfo(f).fixedPitch()) {
            QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
            system.setPointSize(f.pointSize());
            f = system;
        }
    }
    f.setBold((font.style & fsBold) != 0);
    f.setItalic((font.style & fsItalic) != 0);
    f.setUnderline((font.style & fsUnderline) != 0);
    f.setStrikeOut((font.style & fsStrikeOut) != 0);
    f.setKerning(false);
    return f;
}

void TPaintFonts::Set(const TCM_Font& font, QPaintDevice* device) {
    QFont base = MakeFont(font, true);
    const QFontMetricsF exact(base, device);
    const qreal advance = exact.horizontalAdvance(QLatin1Char('x'));
    charWidth_ = std::max(1, static_cast<int>(std::lround(advance)));
    // Spacing that turns the fractional advance into the whole cell width. Printers scale a
    // font's absolute spacing by their resolution: measured there, it is scaled back.
    const qreal wanted = charWidth_ - advance;
    base.setLetterSpacing(QFont::AbsoluteSpacing, wanted);
    const QString run(10, QLatin1Char('x'));  // a single character is measured without spacing
    const qreal applied = QFontMetricsF(base, device).horizontalAdvance(run) / run.size() - advance;
    if (std::abs(applied) > 1e-3 && std::abs(applied - wanted) > 1e-3)
        base.setLetterSpacing(QFont::AbsoluteSpacing, wanted * wanted / applied);
    for (unsigned effect = 0; effect < 16; ++effect) {
        const unsigned style = effect | font.style;
        QFont f = base;
        f.setBold((style & fsBold) != 0);
        f.setItalic((style & fsItalic) != 0);
        f.setUnderline((style & fsUnderline) != 0);
        f.setStrikeOut((style & fsStrikeOut) != 0);
        fonts_[effect] = f;
    }
    const QFontMetricsF metrics(base, device);
    lineHeight_ = std::max(1, static_cast<int>(std::ceil(metrics.height())));
    ascent_ = static_cast<int>(std::ceil(metrics.ascent()));
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<unsigned char>(c);
        widths_[byte] = c < 32 ? charWidth_
                               : std::max(1, static_cast<int>(std::lround(metrics.horizontalAdvance(Windows1252::ToUnicode(byte)))));
    }
}

}  // namespace quarry
