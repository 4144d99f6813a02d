#pragma once
#include <QColor>

#include <array>
#include <cstdint>

#include "editorsettings/TCM_Settings.h"

class QPainter;

namespace quarry {

struct TComposedLine;
class TColourResolver;
class TPaintFonts;

// How one token value paints: the map turns it into an effect, the effect gives style and
// colours; colours marked default take effect 0's, and effect 0's default ones the system
// window-text and window colours.
struct TRunLook {
    std::uint8_t fontStyle = 0;
    QColor foreground;
    QColor background;
    bool hotSpot = false;
};

class TStyleLooks final {
public:
    // mono: everything black on white (printing with MonoPrint).
    void Build(const TCM_Settings& settings, const TColourResolver& colours, bool mono = false);
    const TRunLook& Look(std::uint8_t value) const { return looks_[value]; }
    // Effect 0: the colours of text without a token and of the space after a line's end.
    const TRunLook& Base() const { return base_; }

private:
    std::array<TRunLook, 256> looks_;
    TRunLook base_;
};

// What one text line needs besides its composition: where it goes, which columns are visible,
// which are selected, and the line's colour override.
struct TTextLineArgs {
    int x0 = 0;              // x of display column 0 (left of the text area minus the scrolled part)
    int top = 0;
    int clipLeft = 0;        // the text area across
    int clipRight = 0;
    std::int32_t firstColumn = 0;  // columns drawn: [firstColumn, lastColumn)
    std::int32_t lastColumn = 0;
    bool highlight = true;   // paint with the token values (else all in the default look)
    std::int32_t selFrom = 0;      // selected display columns [selFrom, selTo)
    std::int32_t selTo = 0;
    bool selectLineEnd = false;    // the line break is selected: one selected cell after the text
    QColor selForeground;
    QColor selBackground;
    bool lineOverride = false;     // colour 1 of the line is set
    QColor overrideBackground;
    QColor overrideForeground;     // invalid: the effects' foreground
    QColor controlForeground;      // visible control characters
};

// The one line-painting routine of the screen and the printer: background, then the runs of equal
// look, each drawn with a single text call.
class TCodeMemoPainter final {
public:
    static void PaintText(QPainter& painter, const TComposedLine& line, const TStyleLooks& looks,
                          const TPaintFonts& fonts, const TTextLineArgs& args);
};

}  // namespace quarry
