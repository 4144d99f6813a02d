#include "editorwin/ui/MiddleElidedCaptionStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOptionTitleBar>

namespace quarry {

MiddleElidedCaptionStyle::MiddleElidedCaptionStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
{
    setParent(qApp);
}

MiddleElidedCaptionStyle* MiddleElidedCaptionStyle::Shared()
{
    static QPointer<MiddleElidedCaptionStyle> shared;
    if (!shared)
        shared = new MiddleElidedCaptionStyle();
    return shared;
}

void MiddleElidedCaptionStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                                  QPainter* painter, const QWidget* widget) const
{
    const auto* bar = qstyleoption_cast<const QStyleOptionTitleBar*>(option);
    if (control != CC_TitleBar || !bar || !widget || !painter) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    QStyleOptionTitleBar elided(*bar);
    elided.text = widget->windowTitle();
    // Styles cut the caption again at its end, some in bold and with a few pixels of padding;
    // measured the same way, the text cut here fits and passes through unchanged.
    QFont font = painter->font();
    font.setBold(true);
    const int width = subControlRect(CC_TitleBar, &elided, SC_TitleBarLabel, widget).width() - 14;
    elided.text = QFontMetrics(font).elidedText(elided.text, Qt::ElideMiddle, std::max(0, width));
    QProxyStyle::drawComplexControl(control, &elided, painter, widget);
}

}  // namespace quarry
