#include "prefs/ui/ColourButton.h"

#include "editor/ui/TColourResolver.h"

#include <QColorDialog>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

namespace quarry {

namespace {

// The sixteen basic colours, blue-green-red.
constexpr std::pair<const char*, std::uint32_t> kPalette[] = {
    {"Black", 0x000000}, {"Maroon", 0x000080}, {"Green", 0x008000},  {"Olive", 0x008080},
    {"Navy", 0x800000},  {"Purple", 0x800080}, {"Teal", 0x808000},   {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},   {"Lime", 0x00FF00},   {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},  {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
};

QIcon Swatch(const QColor& colour, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return QIcon(pixmap);
}

std::uint32_t ToBgr(const QColor& colour)
{
    return std::uint32_t(colour.red()) | std::uint32_t(colour.green()) << 8 | std::uint32_t(colour.blue()) << 16;
}

}  // namespace

ColourButton::ColourButton(const QString& caption, QWidget* parent) : QToolButton(parent)
{
    setText(caption);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(this);
    for (const auto& [name, colour] : kPalette) {
        const std::uint32_t value = colour;
        menu->addAction(Swatch(TColourResolver::FromBgr(TColor(value)), {16, 12}), QString::fromLatin1(name),
                        this, [this, value] { ChooseColour(value); });
    }
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Other"), this, &ColourButton::OtherClick);
    setMenu(menu);
    UpdateSwatch();
}

void ColourButton::SetColour(std::uint32_t colour)
{
    colour_ = colour;
    UpdateSwatch();
}

void ColourButton::ChooseColour(std::uint32_t colour)
{
    SetColour(colour);
    Q_EMIT colourChosen(colour);
}

void ColourButton::OtherClick()
{
    const QColor chosen = QColorDialog::getColor(TColourResolver(palette()).Resolve(TColor(colour_)), this);
    if (chosen.isValid())
        ChooseColour(ToBgr(chosen));
}

void ColourButton::UpdateSwatch()
{
    setIcon(Swatch(TColourResolver(palette()).Resolve(TColor(colour_)), {24, 14}));
}

}  // namespace quarry
