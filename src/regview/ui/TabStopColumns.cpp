#include "regview/ui/TabStopColumns.h"

#include <QPainter>

#include <algorithm>

namespace quarry {

void TabStopColumns::Draw(QPainter& painter, const QRect& rect, const QString& text)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const double unit = metrics.averageCharWidth() / 4.0;
    const int blank = metrics.horizontalAdvance(QLatin1Char(' '));
    const auto parts = text.split(QLatin1Char('\t'));
    int x = 0;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            const auto stop = static_cast<std::size_t>(i - 1);
            const int at = stop < std::size(kStops) ? static_cast<int>(kStops[stop] * unit) : x + blank;
            x = std::max(at, x + blank);
        }
        const QString part = parts[i];
        painter.drawText(rect.adjusted(x, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, part);
        // Trailing blanks pad a column; they do not push the next one.
        qsizetype used = part.size();
        while (used > 0 && part[used - 1] == QLatin1Char(' '))
            --used;
        x += metrics.horizontalAdvance(part.left(used));
    }
}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const auto& palette = option.palette;
    painter->save();
    painter->fillRect(option.rect, selected ? palette.color(QPalette::Active, QPalette::Highlight) : palette.base());
    painter->setPen(selected ? palette.color(QPalette::Active, QPalette::HighlightedText)
                             : palette.color(QPalette::Text));
    painter->setFont(option.font);
    TabStopColumns::Draw(*painter, option.rect.adjusted(2, 0, 0, 0), index.data().toString());
    painter->restore();
}

TabStopHeader::TabStopHeader(const QString& text, QWidget* parent) : QWidget(parent), text_(text) {}

QSize TabStopHeader::sizeHint() const { return {200, fontMetrics().height() + 4}; }

void TabStopHeader::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    TabStopColumns::Draw(painter, rect().adjusted(4, 0, 0, 0), text_);
}

}  // namespace quarry
