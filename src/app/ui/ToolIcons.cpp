#include "app/ui/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>
#include <map>

namespace quarry {

namespace {

using Painter = std::function<void(QPainter&)>;

void document(QPainter& p)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(4, 2, 11, 15);
    p.setPen(QColor(120, 120, 120));
    for (int y = 6; y <= 14; y += 3)
        p.drawLine(6, y, 13, y);
}

void folder(QPainter& p)
{
    p.setPen(QPen(QColor(120, 90, 0), 1));
    p.setBrush(QColor(240, 200, 60));
    p.drawRect(2, 6, 15, 10);
    p.drawRect(2, 4, 6, 2);
}

void floppy(QPainter& p)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(30, 60, 160));
    p.drawRect(2, 2, 15, 15);
    p.setBrush(Qt::white);
    p.drawRect(5, 3, 9, 6);
    p.setBrush(QColor(180, 180, 180));
    p.drawRect(6, 12, 7, 5);
}

void letter(QPainter& p, const QString& text, const QColor& color, QRect box = QRect(0, 0, 20, 20))
{
    auto font = p.font();
    font.setBold(true);
    font.setPixelSize(box.height() * 3 / 5);
    p.setFont(font);
    p.setPen(color);
    p.drawText(box, Qt::AlignCenter, text);
}

void curvedArrow(QPainter& p, bool toLeft)
{
    p.setPen(QPen(QColor(0, 0, 128), 2));
    p.setBrush(Qt::NoBrush);
    QPainterPath arc;
    arc.moveTo(toLeft ? 16 : 4, 15);
    arc.cubicTo(toLeft ? 18 : 2, 4, toLeft ? 8 : 12, 3, toLeft ? 5 : 15, 8);
    p.drawPath(arc);
    p.setBrush(QColor(0, 0, 128));
    const QPointF head[] = {{toLeft ? 2.0 : 18.0, 5.0}, {toLeft ? 8.0 : 12.0, 6.0}, {toLeft ? 4.0 : 16.0, 11.0}};
    p.drawPolygon(head, 3);
}

void indentLines(QPainter& p, bool inward)
{
    p.setPen(QPen(Qt::black, 1));
    for (int y = 3; y <= 16; y += 3)
        p.drawLine(9, y, 18, y);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 128, 0));
    const QPointF right[] = {{2, 6}, {7, 9.5}, {2, 13}};
    const QPointF left[] = {{7, 6}, {2, 9.5}, {7, 13}};
    p.drawPolygon(inward ? right : left, 3);
}

void badge(QPainter& p, bool plus)
{
    p.setPen(Qt::NoPen);
    p.setBrush(plus ? QColor(0, 150, 0) : QColor(200, 0, 0));
    p.drawEllipse(10, 10, 9, 9);
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(12, 14, 17, 14);
    if (plus)
        p.drawLine(14, 11, 14, 17);
}

void screen(QPainter& p, const QString& number)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(0, 128, 128));
    p.drawRect(2, 3, 15, 11);
    p.drawLine(7, 17, 12, 17);
    p.drawLine(9, 14, 9, 17);
    letter(p, number, Qt::white, QRect(2, 3, 16, 11));
}

const std::map<QString, Painter>& painters()
{
    static const std::map<QString, Painter> table = {
        {"SpeedButton3", [](QPainter& p) {  // assemble: a hammer
             p.setPen(QPen(QColor(140, 90, 30), 3));
             p.drawLine(5, 17, 12, 8);
             p.setPen(QPen(Qt::black, 1));
             p.setBrush(QColor(150, 150, 150));
             p.drawPolygon(QPolygon({QPoint(8, 4), QPoint(15, 2), QPoint(18, 8), QPoint(12, 10)}));
         }},
        {"SpeedButton1", [](QPainter& p) {  // debugger: a bug
             p.setPen(QPen(Qt::black, 1));
             for (int y : {7, 11, 15}) {
                 p.drawLine(3, y - 1, 7, y);
                 p.drawLine(16, y - 1, 12, y);
             }
             p.setBrush(QColor(170, 30, 30));
             p.drawEllipse(6, 5, 8, 12);
             p.setBrush(Qt::black);
             p.drawEllipse(7, 2, 6, 5);
         }},
        {"SpeedButton2", [](QPainter& p) {  // programmer: a chip
             p.setPen(QPen(QColor(120, 120, 120), 1));
             for (int x = 5; x <= 14; x += 3) {
                 p.drawLine(x, 2, x, 5);
                 p.drawLine(x, 15, x, 18);
             }
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(40, 40, 40));
             p.drawRect(3, 5, 14, 10);
             p.setBrush(QColor(200, 200, 200));
             p.drawEllipse(4, 6, 3, 3);
         }},
        {"SpeedButton4", [](QPainter& p) { screen(p, QStringLiteral("3")); }},
        {"SpeedButton5", [](QPainter& p) { screen(p, QStringLiteral("4")); }},
        {"UndoButton", [](QPainter& p) { curvedArrow(p, true); }},
        {"RedoButton", [](QPainter& p) { curvedArrow(p, false); }},
        {"IndentButton", [](QPainter& p) { indentLines(p, true); }},
        {"UndentButton", [](QPainter& p) { indentLines(p, false); }},
        {"OpenBtn", folder},
        {"SaveBtn", floppy},
        {"CloseBtn", [](QPainter& p) {
             p.setPen(QPen(QColor(200, 0, 0), 3));
             p.drawLine(4, 4, 15, 15);
             p.drawLine(15, 4, 4, 15);
         }},
        {"OpenProjectBtn", [](QPainter& p) {
             folder(p);
             letter(p, QStringLiteral("P"), QColor(0, 0, 128), QRect(2, 6, 15, 10));
         }},
        {"AddtoProjectBtn", [](QPainter& p) {
             document(p);
             badge(p, true);
         }},
        {"RemoveFromProjectBtn", [](QPainter& p) {
             document(p);
             badge(p, false);
         }},
        {"SavePrjBtn", [](QPainter& p) {
             floppy(p);
             letter(p, QStringLiteral("P"), QColor(0, 0, 128), QRect(5, 3, 9, 6));
         }},
        {"SpeedButton6", [](QPainter& p) {  // register files: a row of bits
             p.setPen(QPen(Qt::black, 1));
             for (int i = 0; i < 8; ++i) {
                 p.setBrush(i % 3 == 0 ? QColor(0, 0, 160) : Qt::white);
                 p.drawRect(1 + (i % 4) * 4 + (i / 4) * 1, 4 + (i / 4) * 7, 4, 5);
             }
         }},
    };
    return table;
}

}  // namespace

QIcon ToolIcons::forButton(const QString& buttonName)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const auto& table = painters();
    if (const auto it = table.find(buttonName); it != table.end()) {
        it->second(painter);
    } else {
        painter.setPen(Qt::gray);
        painter.drawRect(2, 2, kSize - 5, kSize - 5);
    }
    painter.end();
    return QIcon(pixmap);
}

}  // namespace quarry
