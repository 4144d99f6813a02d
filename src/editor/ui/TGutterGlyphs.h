#pragma once
#include <QRect>

class QPainter;

namespace quarry {

// The gutter's pictures, drawn by our own code: the numbered bookmarks 0..9 (15 by 16 pixels
// each) and the mark of a segment that continues a wrapped line.
class TGutterGlyphs final {
public:
    static constexpr int kWidth = 15;
    static constexpr int kHeight = 16;

    // Draws bookmark `index` (0..9) into the 15-by-16 cell at topLeft.
    static void DrawBookmark(QPainter& painter, QPoint topLeft, int index);
    static void DrawWrap(QPainter& painter, QPoint topLeft);
};

}  // namespace quarry
