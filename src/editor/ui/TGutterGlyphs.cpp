#include "editor/ui/TGutterGlyphs.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace quarry {

void TGutterGlyphs::DrawBookmark(QPainter& painter, QPoint topLeft, int index) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // A tab of paper with a folded corner and the number on it.
    const QRect body(topLeft.x() + 1, topLeft.y() + 1, kWidth - 3, kHeight - 3);
    QPainterPath shape;
    shape.moveTo(body.left(), body.top());
    shape.lineTo(body.right() - 3, body.top());
    shape.lineTo(body.right(), body.top() + 3);
    shape.lineTo(body.right(), body.bottom());
    shape.lineTo(body.left(), body.bottom());
    shape.closeSubpath();
    painter.setPen(QColor(0, 0, 128));
    painter.setBrush(QColor(64, 128, 224));
    painter.drawPath(shape);
    painter.setPen(Qt::white);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(body, Qt::AlignCenter, QString::number(index % 10));
    painter.restore();
}

void TGutterGlyphs::DrawWrap(QPainter& painter, QPoint topLeft) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(0, 128, 0), 1));
    // A line coming down from the previous segment and turning right into this one.
    const int x = topLeft.x() + 4;
    const int y = topLeft.y() + kHeight / 2;
    painter.drawLine(x, topLeft.y() + 2, x, y);
    painter.drawLine(x, y, x + 8, y);
    painter.drawLine(x + 8, y, x + 5, y - 3);
    painter.drawLine(x + 8, y, x + 5, y + 3);
    painter.restore();
}

}  // namespace quarry
