#pragma once
#include <QRect>
#include <QString>

#include <cstdint>
#include <functional>

#include "text/EditorTypes.h"

class QPainter;
class QPagedPaintDevice;

namespace quarry {

class TCustomCodeMemo;
class TColourResolver;

// Lays the text out on pages: header (title, date and time) and footer (page number) as the
// print options ask, line numbers, wrapping or cutting long lines at the page width, and the
// lines drawn by the screen's line painter.
class TCodeMemoPrinter final {
public:
    struct TLayout {
        int top = 0;        // the text area on the page
        int bottom = 0;
        int textLeft = 0;   // x of the text column (after the line numbers)
        bool header = false;
        bool footer = false;
    };

    TCodeMemoPrinter(TCustomCodeMemo& memo, const TColourResolver& colours) : memo_(memo), colours_(colours) {}

    bool mono = false;
    QString title;
    QString dateText;   // the current date by default
    QString timeText;   // the current time by default
    std::function<int(QPainter&, const QRect&, bool&)> onHeaderFooter;

    // Prints the logical lines that hold the characters [from, to); returns the pages printed.
    int Print(QPagedPaintDevice& device, Offset from, Offset to);

    // The layout of a page of the given size and line height under the control's options.
    static TLayout Layout(TCodeMemoOptions options, const QRect& page, int lineHeight, int charWidth);

private:
    TCustomCodeMemo& memo_;
    const TColourResolver& colours_;
};

}  // namespace quarry
