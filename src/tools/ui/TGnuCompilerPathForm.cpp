#include "tools/ui/TGnuCompilerPathForm.h"

#include "platform/Text.h"
#include "platform/UserInterface.h"
#include "platform/ui/QtUserInterface.h"
#include "tools/ui/GnuFormParts.h"

#include <QGridLayout>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarry {

std::string TGnuCompilerPathForm::AppendDirectory(const std::string& list, const std::string& directory)
{
    const auto trimmed = text::trim(list);
    if (!trimmed.empty() && trimmed.back() != ';')
        return list + ";" + directory;
    return list + directory;
}

TGnuCompilerPathForm::TGnuCompilerPathForm(GnuTarget target, GnuTargetOptions& o, UserInterface& ui,
                                           std::function<std::string()> sourcePath, QWidget* parent)
    : QDialog(parent), ui_(ui), sourcePath_(std::move(sourcePath))
{
    const auto prefix = gnuforms::Prefix(target);
    setObjectName(prefix + QStringLiteral("compilerpathform"));
    setWindowTitle(QStringLiteral("GNU ") + gnuforms::CaptionName(target) + QStringLiteral(" Compiler Paths"));
    auto* grid = new QGridLayout;
    const auto field = [&](const char* name, const char* label, std::string& value) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(prefix + QString::fromLatin1(name));
        edit->setMinimumWidth(360);
        bindings_.Text(edit, value);
        const int row = grid->rowCount();
        grid->addWidget(new QLabel(QString::fromLatin1(label), this), row, 0);
        grid->addWidget(edit, row, 1);
        return edit;
    };
    const auto withFile = [&](QLineEdit* edit, const char* title) {
        const int row = grid->rowCount() - 1;
        grid->addWidget(gnuforms::FileSelectButton(this, edit, QString::fromLatin1(title), ui_, sourcePath_), row, 2);
    };
    const auto withDirectory = [&](QLineEdit* edit, const char* title, bool asList) {
        grid->addWidget(DirectoryButton(edit, QString::fromLatin1(title), asList), grid->rowCount() - 1, 2);
    };
    maininputfile = field("maininputfile", "Main Input File", o.main);
    withFile(maininputfile, "Main Input File");
    outputfilename = field("outputfilename", "Output ELF/DWARF File", o.outFile);
    withFile(outputfilename, "Output ELF/DWARF File");
    startupfile = field("startupfile", "Startup File", o.startup);
    withFile(startupfile, "Startup File");
    linkername = field("linkername", "Linker Script", o.linker);
    withFile(linkername, "Linker Script");
    gens19name = field("gens19name", "Output S19 File", o.genS19Name);
    withFile(gens19name, "Output S19 File");
    genlistname = field("genlistname", "GNU Assembler Listing File", o.genListName);
    withFile(genlistname, "Assembler Listing File");
    genobjname = field("genobjname", "Output Object File (*.o)", o.genObjName);
    withFile(genobjname, "Output Object File");
    pathbox = field("pathbox", "Executable Search Path", o.path);
    withDirectory(pathbox, "Executable Search Path", true);
    includepath = field("includepath", "Include File Search Path", o.include);
    withDirectory(includepath, "Include File Search Path", true);
    libpath = field("libpath", "Library Search Path", o.lib);
    withDirectory(libpath, "Library Search Path", true);
    if (target == GnuTarget::PowerPcEabi) {
        ecrt = field("ecrt", "Path to ecrti.o, ecrtn.o, and libgcc.a", o.ecrt);
        withDirectory(ecrt, "Path to ecrti.o, ecrtn.o, and libgcc.a", false);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    const auto buttons = gnuforms::AddButtonRow(*this, *layout);
    okButton = buttons.ok;
    helpButton = buttons.help;
    LoadControls();
}

QPushButton* TGnuCompilerPathForm::DirectoryButton(QLineEdit* field, const QString& title, bool asList)
{
    auto* button = new QPushButton(QStringLiteral("Select"), this);
    button->setObjectName(field->objectName() + QStringLiteral("Select"));
    connect(button, &QPushButton::clicked, this, [this, field, title, asList] {
        const auto chosen = ui_.chooseDirectory(fromQt(title), sourcePath_());
        if (!chosen)
            return;
        const auto current = fromQt(field->text());
        field->setText(toQt(asList ? AppendDirectory(current, *chosen) : current + *chosen));
    });
    return button;
}

void TGnuCompilerPathForm::LoadControls() { bindings_.Load(); }

void TGnuCompilerPathForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    QLineEdit* field = nullptr;
    switch (focus_) {
    case Focus::OkButton:
        okButton->setFocus();
        return;
    case Focus::ListingName:
        field = genlistname;
        break;
    case Focus::ObjectName:
        field = genobjname;
        break;
    case Focus::S19Name:
        field = gens19name;
        break;
    }
    field->setFocus();
    field->selectAll();
}

}  // namespace quarry
