#include "tools/ui/TGnuTargetOptForm.h"

#include "platform/UserInterface.h"
#include "platform/ui/QtUserInterface.h"
#include "tools/TargetOptionCheck.h"
#include "tools/ui/GnuFormParts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarry {

namespace {

// A run address is asked only while its section is copied; the field then looks like any
// other, else it takes the inactive colour.
void followCopy(QCheckBox* copy, QLineEdit* runAddress)
{
    const auto apply = [copy, runAddress] {
        const bool on = copy->isChecked();
        runAddress->setEnabled(on);
        auto palette = runAddress->palette();
        palette.setColor(QPalette::Base, on ? QPalette().color(QPalette::Base) : QPalette().color(QPalette::Window));
        runAddress->setPalette(palette);
    };
    QObject::connect(copy, &QCheckBox::toggled, runAddress, apply);
    apply();
}

}  // namespace

TGnuTargetOptForm::TGnuTargetOptForm(GnuTarget target, GnuTargetOptions& o, UserInterface& ui, QWidget* parent)
    : QDialog(parent), ui_(ui), options_(o)
{
    const auto prefix = gnuforms::Prefix(target);
    setObjectName(prefix + QStringLiteral("targetoptform"));
    setWindowTitle(QStringLiteral("GNU ") + gnuforms::CaptionName(target) + QStringLiteral(" Target Options"));
    auto* box = new QGroupBox(QStringLiteral("Target Application Resources (Optional)"), this);
    auto* fields = new QFormLayout;
    const auto field = [&](const char* name, const char* label, std::string& value) {
        auto* edit = new QLineEdit(box);
        edit->setObjectName(prefix + QString::fromLatin1(name));
        bindings_.Text(edit, value);
        fields->addRow(QString::fromLatin1(label), edit);
        return edit;
    };
    const auto check = [&](const char* name, const char* caption, bool& value) {
        return bindings_.NewCheck(box, prefix + QString::fromLatin1(name), caption, value);
    };
    stack = field("stack", "Stack Location (RAM)", o.stack);
    heap = field("heap", "Heap Location (RAM)", o.heap);
    origin = field("origin", "Application Origin (Startup Code in ROM or RAM)", o.origin);
    movedatacheck = check("movedatacheck", ".data", o.moveData);
    movetextcheck = check("movetextcheck", ".text", o.moveText);
    auto* copyBox = new QGroupBox(box);
    auto* copyLayout = new QVBoxLayout(copyBox);
    copyLayout->addWidget(
        new QLabel(QStringLiteral("During target initilization,\ncopy the following sections \nfrom ROM to RAM:"), copyBox));
    copyLayout->addWidget(movedatacheck);
    copyLayout->addWidget(movetextcheck);
    fields->addRow(copyBox);
    dataram = field("dataram", "Location of .data Section (RAM)", o.dataRam);
    dataflash = field("dataflash", "Initial Location of .data Section\n(ROM or RAM)", o.dataFlash);
    textram = field("textram", "Location of .text Section (RAM)", o.textRam);
    textflash = field("textflash", "Initial Location of .text Section \n(ROM or RAM)", o.textFlash);
    followCopy(movedatacheck, dataram);
    followCopy(movetextcheck, textram);

    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(new QLabel(QStringLiteral("Use HEX (0x00000000) or leave blank"), box));
    boxLayout->addWidget(new QLabel(QStringLiteral("See linker script for default values"), box));
    boxLayout->addLayout(fields);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    const auto buttons = gnuforms::AddButtonRow(*this, *layout);
    okButton = buttons.ok;
    helpButton = buttons.help;
    LoadControls();
}

void TGnuTargetOptForm::LoadControls() { bindings_.Load(); }

void TGnuTargetOptForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    okButton->setFocus();
}

void TGnuTargetOptForm::accept()
{
    const targetoptions::Field checked[] = {
        {"Stack Location", &options_.stack, stack->isEnabled()},
        {"Heap Location", &options_.heap, heap->isEnabled()},
        {"Application Origin", &options_.origin, origin->isEnabled()},
        {"Location of .text", &options_.textFlash, textflash->isEnabled()},
        {"Location of .text", &options_.textRam, textram->isEnabled()},
        {"Location of .data", &options_.dataFlash, dataflash->isEnabled()},
        {"Location of .data", &options_.dataRam, dataram->isEnabled()},
    };
    QLineEdit* const edits[] = {stack, heap, origin, textflash, textram, dataflash, dataram};
    const auto invalid = targetoptions::FirstInvalidField(checked);
    LoadControls();  // the trimmed texts
    if (!invalid)
        return QDialog::accept();
    ui_.showMessage(MessageKind::Error, targetoptions::InvalidFieldMessage(checked[*invalid].name), MessageButtons::Ok);
    auto* edit = edits[*invalid];
    edit->setFocus();
    edit->selectAll();
}

}  // namespace quarry
