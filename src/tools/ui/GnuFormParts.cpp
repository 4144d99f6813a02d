#include "tools/ui/GnuFormParts.h"

#include "platform/UserInterface.h"
#include "platform/ui/QtUserInterface.h"

#include <QBoxLayout>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace quarry {

QString gnuforms::Prefix(GnuTarget target)
{
    return target == GnuTarget::PowerPcEabi ? QStringLiteral("ppceabi_") : QStringLiteral("m68kelf_");
}

QString gnuforms::CaptionName(GnuTarget target)
{
    return target == GnuTarget::PowerPcEabi ? QStringLiteral("POWERPC-EABI") : QStringLiteral("M68K-ELF");
}

gnuforms::ButtonRow gnuforms::AddButtonRow(QDialog& form, QBoxLayout& layout)
{
    ButtonRow row{new QPushButton(QStringLiteral("OK"), &form), new QPushButton(QStringLiteral("Cancel"), &form),
                  new QPushButton(QStringLiteral("&Help"), &form)};
    row.ok->setObjectName(QStringLiteral("OkButton"));
    row.cancel->setObjectName(QStringLiteral("CancelButton"));
    row.help->setObjectName(QStringLiteral("HelpButton"));
    row.ok->setDefault(true);
    QObject::connect(row.ok, &QPushButton::clicked, &form, &QDialog::accept);
    QObject::connect(row.cancel, &QPushButton::clicked, &form, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (auto* button : {row.ok, row.cancel, row.help})
        buttons->addWidget(button);
    layout.addLayout(buttons);
    return row;
}

QPushButton* gnuforms::FileSelectButton(QWidget* parent, QLineEdit* field, const QString& title, UserInterface& ui,
                                        std::function<std::string()> startDir)
{
    auto* button = new QPushButton(QStringLiteral("Select"), parent);
    button->setObjectName(field->objectName() + QStringLiteral("Select"));
    QObject::connect(button, &QPushButton::clicked, parent, [field, title, &ui, startDir = std::move(startDir)] {
        FileBrowseRequest request;
        request.title = fromQt(title);
        request.filter = "All files (*.*)|*.*";
        request.initialDirectory = startDir();
        if (const auto chosen = ui.browseForOpenFile(request); chosen && !chosen->files.empty())
            field->setText(toQt(chosen->files.front()));
    });
    return button;
}

}  // namespace quarry
