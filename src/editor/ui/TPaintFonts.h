#pragma once
#include <QFont>

#include <array>
#include <cstdint>

#include "editorsettings/SettingRange.h"
#include "editorsettings/TCM_Settings.h"

class QPaintDevice;

namespace quarry {

// The text font of a control on one device (the screen or a printer) in its sixteen style
// variants, with the cell metrics columns are laid out by. Fixed pitch is assumed: every glyph
// is made to advance by exactly CharWidth pixels, so runs drawn in one call stay on the grid.
class TPaintFonts final {
public:
    // Point sizes are kept within this range: a size of 0 or below, or one so large that a glyph
    // would not fit a 16-bit coordinate, must not reach the font engine.
    static constexpr int kMinPoints = kFontSizeRange.low;
    static constexpr int kMaxPoints = kFontSizeRange.high;

    // device null: the screen.
    void Set(const TCM_Font& font, QPaintDevice* device = nullptr);
    const QFont& Font(std::uint8_t fontStyle = 0) const { return fonts_[fontStyle & 15u]; }
    int CharWidth() const { return charWidth_; }
    int LineHeight() const { return lineHeight_; }
    int Ascent() const { return ascent_; }
    // The measured advance of a byte of the text (Windows-1252).
    int Width(unsigned char c) const { return widths_[c]; }

    // A font for the name, size and style, falling back to the system's fixed font when the name
    // is not a fixed-pitch face here.
    static QFont MakeFont(const TCM_Font& font, bool fixedPitch);

private:
    std::array<QFont, 16> fonts_;
    std::array<int, 256> widths_{};
    int charWidth_ = 8;
    int lineHeight_ = 16;
    int ascent_ = 12;
};

}  // namespace quarry
