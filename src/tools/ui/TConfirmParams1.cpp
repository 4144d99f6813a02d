#include "tools/ui/TConfirmParams1.h"

#include "platform/ui/QtUserInterface.h"
#include "tools/ToolTexts.h"

#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace quarry {

TConfirmParams1::TConfirmParams1(QWidget* parent)
    : QDialog(parent),
      Executable_name(new QLineEdit(this)),
      Executable_parameters(new QLineEdit(this)),
      OkButton(new QPushButton(QStringLiteral("OK"), this)),
      CancelButton(new QPushButton(QStringLiteral("Cancel"), this)),
      HelpButton(new QPushButton(QStringLiteral("Help"), this))
{
    setObjectName(QStringLiteral("ConfirmParams1"));
    setWindowTitle(QString::fromLatin1(tooltexts::kConfirmCaption));
    Executable_name->setObjectName(QStringLiteral("Executable_name"));
    Executable_name->setReadOnly(true);
    Executable_parameters->setObjectName(QStringLiteral("Executable_parameters"));
    OkButton->setObjectName(QStringLiteral("OkButton"));
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    HelpButton->setObjectName(QStringLiteral("HelpButton"));
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpButton, &QPushButton::clicked, this, [this] {
        if (onHelp)
            onHelp();
    });

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Executable :"), Executable_name);
    fields->addRow(QStringLiteral("Parameters :"), Executable_parameters);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (auto* button : {OkButton, CancelButton, HelpButton})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    resize(560, sizeHint().height());
}

std::optional<std::string> TConfirmParams1::Confirm(const std::string& executable, const std::string& parameters)
{
    Executable_name->setText(toQt(executable));
    Executable_parameters->setText(toQt(parameters));
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return fromQt(Executable_parameters->text());
}

void TConfirmParams1::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    OkButton->setFocus();
    if (const auto* screen = QGuiApplication::primaryScreen()) {
        auto frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

}  // namespace quarry
