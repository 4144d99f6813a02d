#include "tools/ui/TGnuCompileErrorForm.h"

#include "settings/CompilerSettings.h"
#include "tools/ui/GnuFormParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace quarry {

TGnuCompileErrorForm::TGnuCompileErrorForm(GnuTarget target, GnuTargetOptions& o, UserInterface& ui,
                                           std::function<std::string()> sourcePath, QWidget* parent)
    : QDialog(parent), target_(target)
{
    const auto prefix = gnuforms::Prefix(target);
    setObjectName(prefix + QStringLiteral("compileerror_form"));
    setWindowTitle(QStringLiteral("Quarry Error Options"));
    get_error = new QCheckBox(QStringLiteral("Recover Error from Compiler"), this);
    get_error->setObjectName(prefix + QStringLiteral("get_error"));
    bindings_.Check(get_error, o.getError);
    error_file_name = new QLineEdit(this);
    error_file_name->setObjectName(prefix + QStringLiteral("error_file_name"));
    error_file_name->setMinimumWidth(320);
    bindings_.Text(error_file_name, o.errorFileName);
    error_format = new QComboBox(this);
    error_format->setObjectName(prefix + QStringLiteral("error_format"));
    error_format->setEditable(true);
    for (const char* format : kErrorFormats)
        error_format->addItem(QString::fromLatin1(format));
    error_format->setEditText(QStringLiteral("Error Format"));
    autoopenerror = new QCheckBox(QStringLiteral("Automatically Open Error Log"), this);
    autoopenerror->setObjectName(prefix + QStringLiteral("autoopenerror"));
    bindings_.Check(autoopenerror, o.openErr);
    connect(get_error, &QCheckBox::clicked, this, &TGnuCompileErrorForm::ApplyGetErrorRule);

    auto* grid = new QGridLayout;
    grid->addWidget(get_error, 0, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Error Filename"), this), 1, 0);
    grid->addWidget(error_file_name, 1, 1);
    grid->addWidget(gnuforms::FileSelectButton(this, error_file_name, QStringLiteral("Error File Name"), ui,
                                               std::move(sourcePath)),
                    1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Error Format"), this), 2, 0);
    grid->addWidget(error_format, 2, 1);
    grid->addWidget(autoopenerror, 3, 0, 1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    helpButton = gnuforms::AddButtonRow(*this, *layout).help;
    LoadControls();
}

void TGnuCompileErrorForm::LoadControls() { bindings_.Load(); }

void TGnuCompileErrorForm::ApplyGetErrorRule(bool on)
{
    if (!on)
        autoopenerror->setChecked(false);
    autoopenerror->setEnabled(on);
}

void TGnuCompileErrorForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Only the m68k-elf form applies the rule when it shows; the powerpc-eabi form keeps the
    // state its last use left.
    if (target_ == GnuTarget::M68kElf)
        ApplyGetErrorRule(get_error->isChecked());
}

}  // namespace quarry
