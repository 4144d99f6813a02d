#include "app/ui/TMdiAbout.h"

#include "settings/EnvironmentSettings.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarry {

TMdiAbout::TMdiAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("MdiAbout"));
    setWindowTitle(QStringLiteral("About"));
    auto* layout = new QVBoxLayout(this);
    auto addLabel = [&](const QString& name, const QString& text, int pointSizeDelta) {
        auto* label = new QLabel(text, this);
        label->setObjectName(name);
        label->setAlignment(Qt::AlignCenter);
        auto font = label->font();
        font.setPointSize(font.pointSize() + pointSizeDelta);
        label->setFont(font);
        layout->addWidget(label);
    };
    addLabel(QStringLiteral("ProductName"), QString::fromLatin1(kApplicationTitle), 8);
    addLabel(QStringLiteral("Version"), QString::fromLatin1(kVersionText), 0);
    addLabel(QStringLiteral("Comments"), QStringLiteral("For Windows 95/98/NT/2000/XP"), 0);
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("OKButton"));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(okButton_, 0, Qt::AlignCenter);
    setFixedSize(300, 170);
}

void TMdiAbout::showAsSplash()
{
    splash_ = true;
    okButton_->setVisible(false);
    setModal(false);
    show();
    repaint();
    QApplication::processEvents();
}

void TMdiAbout::endSplash()
{
    splash_ = false;
    hide();
    okButton_->setVisible(true);
}

}  // namespace quarry
