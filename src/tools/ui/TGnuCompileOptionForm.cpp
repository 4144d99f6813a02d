#include "tools/ui/TGnuCompileOptionForm.h"

#include "tools/ui/GnuFormParts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quarry {

namespace {

// The one switch excludes the other: checking it clears and disables the other one.
void excludes(QCheckBox* box, QCheckBox* other)
{
    QObject::connect(box, &QCheckBox::clicked, other, [other](bool on) {
        if (on)
            other->setChecked(false);
        other->setEnabled(!on);
    });
}

}  // namespace

TGnuCompileOptionForm::TGnuCompileOptionForm(GnuTarget target, GnuTargetOptions& o, QWidget* parent) : QDialog(parent)
{
    const auto prefix = gnuforms::Prefix(target);
    setObjectName(prefix + QStringLiteral("compileoptionform"));
    setWindowTitle(QStringLiteral("GNU ") + gnuforms::CaptionName(target) + QStringLiteral(" Compiler Options"));
    const auto check = [&](const char* name, const char* caption, bool& value) {
        return bindings_.NewCheck(this, prefix + QString::fromLatin1(name), caption, value);
    };
    nowarn = check("nowarn", "Inhibit Warnings", o.noWarn);
    warnall = check("warnall", "Generate Extra Warnings", o.warnAll);
    verbose = check("verbose", "Verbose", o.verbose);
    gendebug = check("gendebug", "Generate DWARF 2.0", o.debug);
    genlist = check("genlist", "Generate GNU Assembler Listing File", o.genList);
    genobject = check("genobject", "Generate Object File Only", o.genObj);
    gens19 = check("gens19", "Generate S19 File", o.genS19);
    excludes(nowarn, warnall);
    excludes(warnall, nowarn);
    excludes(genobject, gens19);

    auto* optimizeGroup = new QGroupBox(QStringLiteral("Optimization"), this);
    optimizeGroup->setObjectName(prefix + QStringLiteral("optimizegroup"));
    auto* optimizeLayout = new QVBoxLayout(optimizeGroup);
    const char* const levels[] = {"No Optimization", "Optimize for Size", "Optimize Level 1 (Less)",
                                  "Optimize Level 2", "Optimize Level 3 (More)"};
    for (std::size_t i = 0; i < optimize.size(); ++i) {
        optimize[i] = new QRadioButton(QString::fromLatin1(levels[i]), optimizeGroup);
        optimizeLayout->addWidget(optimize[i]);
    }
    bindings_.Index({optimize.begin(), optimize.end()}, o.optimize);

    const auto nameButton = [&](const char* caption, NameField field) {
        auto* button = new QPushButton(QString::fromLatin1(caption), this);
        connect(button, &QPushButton::clicked, this, [this, field] {
            if (onNameButton)
                onNameButton(field);
        });
        return button;
    };
    listingNameButton = nameButton("Listing File Name", NameField::Listing);
    objectNameButton = nameButton("Object File Name", NameField::Object);
    s19NameButton = nameButton("S19 File Name", NameField::S19);

    auto* warnings = new QGroupBox(QStringLiteral("Warnings"), this);
    auto* warningsLayout = new QVBoxLayout(warnings);
    for (auto* box : {nowarn, warnall, verbose})
        warningsLayout->addWidget(box);
    auto* debugBox = new QGroupBox(this);
    auto* debugLayout = new QVBoxLayout(debugBox);
    debugLayout->addWidget(new QLabel(QStringLiteral("Debug Information"), debugBox));
    debugLayout->addWidget(gendebug);
    auto* outputs = new QGroupBox(QStringLiteral("Output"), this);
    auto* outputLayout = new QGridLayout(outputs);
    outputLayout->addWidget(genlist, 0, 0);
    outputLayout->addWidget(listingNameButton, 0, 1);
    outputLayout->addWidget(genobject, 1, 0);
    outputLayout->addWidget(objectNameButton, 1, 1);
    outputLayout->addWidget(gens19, 2, 0);
    outputLayout->addWidget(s19NameButton, 2, 1);

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(warnings);
    left->addWidget(debugBox);
    left->addStretch();
    columns->addLayout(left);
    columns->addWidget(optimizeGroup);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(outputs);
    helpButton = gnuforms::AddButtonRow(*this, *layout).help;
    LoadControls();
}

void TGnuCompileOptionForm::LoadControls() { bindings_.Load(); }

void TGnuCompileOptionForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ApplyRulesOnShow();
}

void TGnuCompileOptionForm::ApplyRulesOnShow()
{
    nowarn->setEnabled(true);
    warnall->setEnabled(true);
    if (nowarn->isChecked()) {
        warnall->setChecked(false);
        warnall->setEnabled(false);
    } else if (warnall->isChecked()) {
        nowarn->setChecked(false);
        nowarn->setEnabled(false);
    }
    gens19->setEnabled(!genobject->isChecked());
}

}  // namespace quarry
