#include "editor/ui/TCodeMemoPrinter.h"

#include <QDateTime>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "editor/TCustomCodeMemo.h"
#include "editor/ui/TCodeMemoPainter.h"
#include "editor/ui/TColourResolver.h"
#include "editor/ui/TLineComposer.h"
#include "editor/ui/TPaintFonts.h"

namespace quarry {

namespace {

constexpr TCodeMemoOptions kHeaderOptions = smoPrintFilename | smoPrintDate;
constexpr TCodeMemoOptions kPageOptions = smoPrintFilename | smoPrintDate | smoPrintPageNos;

// The rows a composed logical line takes on paper: cut at the page width, and with wrapping
// broken after the last blank that fits (hard at the width when there is none).
std::vector<std::pair<std::int32_t, std::int32_t>> Rows(const TComposedLine& line, std::int32_t width, bool wrap) {
    std::vector<std::pair<std::int32_t, std::int32_t>> rows;
    const std::int32_t columns = line.Columns();
    if (!wrap || columns <= width) {
        rows.emplace_back(0, std::min(columns, width));
        return rows;
    }
    for (std::int32_t start = 0; start < columns;) {
        std::int32_t end = std::min(columns, start + width);
        if (end < columns) {
            std::int32_t blank = end - 1;
            while (blank > start && line.text[static_cast<std::size_t>(blank)] != ' ') --blank;
            if (blank > start) end = blank + 1;
        }
        rows.emplace_back(start, end);
        start = end;
    }
    return rows;
}

// Most printers cannot reach the outer quarter inch of the paper; no page is printed closer to
// its edge than that, whatever margins it was given.
constexpr qreal kMinimumMarginInch = 0.25;

// The rectangle printed in, in device pixels from the painter's origin, which lies at the
// page's margins (at the paper's corner for a full-page printer).
QRect PrintArea(const QPagedPaintDevice& device) {
    const auto* printer = dynamic_cast<const QPrinter*>(&device);
    const bool fullPage = printer && printer->fullPage();
    const QMarginsF margins = device.pageLayout().margins(QPageLayout::Inch);
    const auto inset = [&](qreal margin, int dpi) {
        const qreal origin = fullPage ? 0 : margin;
        return static_cast<int>(std::ceil((std::max(margin, kMinimumMarginInch) - origin) * dpi));
    };
    const int dx = device.logicalDpiX();
    const int dy = device.logicalDpiY();
    return QRect(0, 0, device.width(), device.height())
        .adjusted(inset(margins.left(), dx), inset(margins.top(), dy), -inset(margins.right(), dx),
                  -inset(margins.bottom(), dy));
}

}  // namespace

TCodeMemoPrinter::TLayout TCodeMemoPrinter::Layout(TCodeMemoOptions options, const QRect& page, int lineHeight,
                                                   int charWidth) {
    TLayout layout;
    const bool reserved = (options & kPageOptions) != 0;
    layout.header = (options & kHeaderOptions) != 0;
    layout.footer = (options & smoPrintPageNos) != 0;
    layout.top = page.top() + (reserved ? 3 * lineHeight : 0);
    layout.bottom = page.bottom() + 1 - (reserved ? 4 * lineHeight : 0);
    layout.textLeft = page.left() + ((options & smoPrintLineNos) ? 10 * charWidth : 0);
    return layout;
}

int TCodeMemoPrinter::Print(QPagedPaintDevice& device, Offset from, Offset to) {
    QPainter painter;
    if (!painter.begin(&device)) return 0;
    TTextStore& store = memo_.Store();
    const TCodeMemoOptions options = memo_.Options();
    TPaintFonts fonts;
    fonts.Set(memo_.Font(), &device);
    TStyleLooks looks;
    looks.Build(memo_.Settings(), colours_, mono);
    const int lh = fonts.LineHeight();
    const int cw = fonts.CharWidth();
    const QRect page = PrintArea(device);
    TLayout layout = Layout(options, page, lh, cw);
    const std::int32_t pageColumns = std::max(1, (page.right() + 1 - layout.textLeft) / cw);
    const QString date = dateText.isEmpty() ? QLocale().toString(QDate::currentDate(), QLocale::ShortFormat) : dateText;
    const QString time = timeText.isEmpty() ? QLocale().toString(QTime::currentTime(), QLocale::ShortFormat) : timeText;

    int pageNumber = 0;
    int y = 0;
    const auto startPage = [&]() {
        if (pageNumber > 0) device.newPage();
        ++pageNumber;
        painter.setFont(fonts.Font(0));
        painter.setPen(Qt::black);
        int top = layout.top;
        if (onHeaderFooter) {
            bool transparent = false;
            top = onHeaderFooter(painter, page, transparent);
        } else if (layout.header) {
            const QRect line(page.left(), page.top(), page.width(), lh);
            if (options & smoPrintFilename) painter.drawText(line, Qt::AlignLeft | Qt::AlignTop, title);
            if (options & smoPrintDate) painter.drawText(line, Qt::AlignRight | Qt::AlignTop, date + QStringLiteral(" - ") + time);
            painter.drawLine(page.left(), page.top() + 2 * lh, page.right(), page.top() + 2 * lh);
        }
        if (layout.footer) {
            const int bottom = page.bottom() + 1;
            painter.drawLine(page.left(), bottom - 3 * lh, page.right(), bottom - 3 * lh);
            painter.drawText(QRect(page.left(), bottom - lh * 5 / 2, page.width(), lh), Qt::AlignHCenter | Qt::AlignTop,
                             QStringLiteral("- %1 -").arg(pageNumber));
        }
        y = top;
    };
    startPage();

    TTextLineArgs args;
    args.clipLeft = layout.textLeft;
    args.clipRight = page.right() + 1;
    args.highlight = (options & smoSyntaxHighlight) != 0;
    args.controlForeground = mono ? QColor(Qt::black) : QColor(Qt::gray);

    if (store.First() != kNoRecord && from < to) {
        TTextStore::Location loc = store.FirstSegment(store.Locate(from));
        const LineIndex lastLine = store.Locate(std::max(from, to - 1)).line;
        memo_.EnsureScanned(loc.line, lastLine);
        std::int32_t logicalNumber = store.LogicalLineOf(loc.lineStart) + 1;
        std::string text;
        std::vector<std::uint8_t> values;
        TComposedLine composed;
        const bool wrap = (options & smoPrintWrap) != 0;
        while (loc.record != kNoRecord && loc.lineStart < to) {
            // The logical line: its segments joined.
            text.clear();
            values.clear();
            RecordId rec = loc.record;
            Offset next = loc.lineStart;
            while (rec != kNoRecord) {
                const TLineRecord& r = store.Record(rec);
                text.append(store.LineText(rec));
                const std::uint8_t* styles = store.StylesOf(r);
                if (styles)
                    values.insert(values.end(), styles, styles + r.length);
                else
                    values.insert(values.end(), r.length, 0);
                next += r.length;
                rec = r.next;
                if (r.EndsWithCR()) break;
            }
            TLineComposer::Compose(text, values.data(), memo_.Settings(), memo_.HasOption(smoShowAllChars), composed,
                                   wrap ? TLineComposer::kMaxColumns : pageColumns, memo_.IsUtf8());
            bool firstRow = true;
            for (const auto& [rowStart, rowEnd] : Rows(composed, pageColumns, wrap)) {
                if (y + lh > layout.bottom && y > layout.top) startPage();
                if (firstRow && (options & smoPrintLineNos)) {
                    painter.setFont(fonts.Font(0));
                    painter.fillRect(QRect(page.left(), y, layout.textLeft - page.left(), lh), Qt::white);
                    painter.setPen(Qt::black);
                    painter.drawText(QPoint(page.left(), y + fonts.Ascent()),
                                     QString::asprintf("%6d:", logicalNumber));
                }
                firstRow = false;
                args.top = y;
                args.x0 = layout.textLeft - rowStart * cw;
                args.firstColumn = rowStart;
                args.lastColumn = rowEnd;
                TCodeMemoPainter::PaintText(painter, composed, looks, fonts, args);
                y += lh;
            }
            ++logicalNumber;
            loc = {rec, 0, next};
        }
    }
    painter.end();
    return pageNumber;
}

}  // namespace quarry
