#include "tools/ui/TIDEConfig1.h"

#include "platform/UserInterface.h"
#include "platform/ui/QtUserInterface.h"
#include "settings/EnvironmentSettings.h"
#include "tools/FileFilterRules.h"
#include "tools/SettingsSnapshot.h"
#include "tools/ToolButtonRules.h"
#include "tools/ui/GnuFormParts.h"
#include "tools/ui/GnuTargetForms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QPushButton>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quarry {

namespace {

constexpr int kFirstToolPage = 3;
// The panels in the order of the stack.
enum PanelIndex { kTalvikPanel, kOtherPanel, kM68kPanel, kPpcPanel };

QGroupBox* group(QWidget* parent, const char* caption, std::initializer_list<QWidget*> widgets)
{
    auto* box = new QGroupBox(QString::fromLatin1(caption), parent);
    auto* layout = new QVBoxLayout(box);
    for (auto* widget : widgets) {
        widget->setParent(box);
        layout->addWidget(widget);
    }
    return box;
}

QLineEdit* named(QLineEdit* edit, const char* name)
{
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

}  // namespace

TIDEConfig1::TIDEConfig1(EnvironmentSettings& settings, UserInterface& ui, SettingsSnapshot& snapshot, QWidget* parent)
    : QDialog(parent), settings_(settings), ui_(ui), snapshot_(snapshot)
{
    setObjectName(QStringLiteral("IDEConfig1"));
    setWindowTitle(QStringLiteral("Environment Settings"));
    Pages = new QTabWidget(this);
    Pages->setObjectName(QStringLiteral("Pages"));
    Pages->addTab(BuildCompilerPage(), QStringLiteral("Assembler/Compiler"));
    Pages->addTab(BuildGeneralPage(), QStringLiteral("General Environment"));
    Pages->addTab(BuildFileTypesPage(), QStringLiteral("Filters"));
    Pages->setTabText(2, QStringLiteral("File Types"));
    const char* const toolTitles[] = {"EXE1 (Debugger)", "EXE2 (Programmer)", "EXE3()", "EXE4()"};
    for (int slot = 0; slot < 4; ++slot)
        Pages->addTab(BuildToolPage(slot), QString::fromLatin1(toolTitles[slot]));

    OkButton = new QPushButton(QStringLiteral("OK"), this);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    HelpButton = new QPushButton(QStringLiteral("&Help"), this);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    HelpButton->setObjectName(QStringLiteral("HelpButton"));
    // The focus stays where the user asks help for.
    HelpButton->setFocusPolicy(Qt::NoFocus);
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpButton, &QPushButton::clicked, this, [this] {
        if (onHelp)
            onHelp(focusWidget());
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (auto* button : {OkButton, CancelButton, HelpButton})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Pages);
    layout->addLayout(buttons);
    resize(980, sizeHint().height());
    LoadControls();
}

TIDEConfig1::~TIDEConfig1() = default;

QCheckBox* TIDEConfig1::Check(QWidget* parent, const QString& name, const char* caption, bool& value)
{
    return bindings_.NewCheck(parent, name, caption, value);
}

QPushButton* TIDEConfig1::SelectButton(QWidget* parent, QLineEdit* field, const char* title)
{
    return gnuforms::FileSelectButton(parent, field, QString::fromLatin1(title), ui_,
                                      [this] { return settings_.sourcePath; });
}

// ---------------------------------------------------------------- Assembler/Compiler

QWidget* TIDEConfig1::BuildCompilerPage()
{
    auto* page = new QWidget;
    Compiler_type = new QComboBox(page);
    Compiler_type->setObjectName(QStringLiteral("Compiler_type"));
    for (const char* type : kCompilerTypes)
        Compiler_type->addItem(QString::fromLatin1(type));
    bindings_.Choice(Compiler_type, settings_.compiler.type);
    connect(Compiler_type, &QComboBox::currentIndexChanged, this, &TIDEConfig1::Compiler_typeChange);
    Compiler_name = named(new QLineEdit(page), "Compiler_name");
    bindings_.Text(Compiler_name, settings_.compiler.name);
    Label1 = new QLabel(QStringLiteral("EXE Path"), page);
    Label1->setObjectName(QStringLiteral("Label1"));
    auto* select = SelectButton(page, Compiler_name, "EXE Path");  // before the panels: the tab order

    Panels = new QStackedWidget(page);
    Panel1 = BuildTalvikPanel();
    Panel2 = BuildOtherPanel();
    panel_m68kelf = BuildGnuPanel(0);
    panel_ppceabi = BuildGnuPanel(1);
    for (auto* panel : {Panel1, Panel2, panel_m68kelf, panel_ppceabi})
        Panels->addWidget(panel);

    auto* top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral("Type"), page), 0, 0);
    top->addWidget(Compiler_type, 0, 1, 1, 2);
    top->addWidget(Label1, 1, 0);
    top->addWidget(Compiler_name, 1, 1);
    top->addWidget(select, 1, 2);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(Panels);
    return page;
}

QWidget* TIDEConfig1::BuildTalvikPanel()
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("Panel1"));
    auto& c = settings_.compiler;
    auto* output = group(panel, "Output Control",
                         {Check(panel, "OutputS19", "Output S19 Object", c.outputS19),
                          Check(panel, "OutputDebug", "Output MAP Debug File", c.outputDebug),
                          Check(panel, "OutputListing", "Output Listing File", c.outputListing),
                          Check(panel, "OutputDwarf", "Output Dwarf Object/Debug", c.outputDwarf),
                          Check(panel, "Output695", "Output 695 Object/Debug", c.output695)});
    auto* listing = group(panel, "Listing Options",
                          {Check(panel, "ShowCycles", "Show Cycles in Listing", c.showCycles),
                           Check(panel, "ExpandIncludes", "Expand Includes in Listing", c.expandIncludes),
                           Check(panel, "ExpandMacros", "Expand Macros in Listing", c.expandMacros)});
    auto* preferences =
        group(panel, "Assembly Preferences",
              {Check(panel, "SoundBell", "Sound Bell on Error", c.soundBell),
               Check(panel, "WaitFor", "Wait for Assembler Result", c.waitFor),
               Check(panel, "ShowAssembler", "Show Assembler Progress", c.showAssembler),
               Check(panel, "SaveFilesBefore", "Auto-Save All Files Before Assembling (Don't Ask)", c.saveFilesBefore)});
    auto* layout = new QGridLayout(panel);
    layout->addWidget(output, 0, 0);
    layout->addWidget(listing, 0, 1);
    layout->addWidget(preferences, 1, 0, 1, 2);
    return panel;
}

QWidget* TIDEConfig1::BuildOtherPanel()
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("Panel2"));
    auto& c = settings_.compiler;
    Compiler_Options = named(new QLineEdit(panel), "Compiler_Options");
    bindings_.Text(Compiler_Options, c.options);
    ErrorFormat = new QComboBox(panel);
    ErrorFormat->setObjectName(QStringLiteral("ErrorFormat"));
    for (const char* format : kErrorFormats)
        ErrorFormat->addItem(QString::fromLatin1(format));
    ErrorFormat->setCurrentIndex(0);
    bindings_.Choice(ErrorFormat, c.otherErrorFormat);
    auto* errorFile = named(new QLineEdit(panel), "OtherErrorFileName");
    bindings_.Text(errorFile, c.otherErrorFileName);

    auto* recovering = new QGroupBox(QStringLiteral("Recovering Compiler Error"), panel);
    auto* errors = new QGridLayout(recovering);
    errors->addWidget(Check(recovering, "OtherGetError", "Recover Error from Compiler", c.otherGetError), 0, 0, 1, 3);
    errors->addWidget(new QLabel(QStringLiteral("Error Format"), recovering), 1, 0);
    errors->addWidget(ErrorFormat, 1, 1, 1, 2);
    errors->addWidget(new QLabel(QStringLiteral("Error Filename"), recovering), 2, 0);
    errors->addWidget(errorFile, 2, 1);
    errors->addWidget(SelectButton(recovering, errorFile, "Error File Name"), 2, 2);

    auto* layout = new QVBoxLayout(panel);
    auto* options = new QFormLayout;
    options->addRow(QStringLiteral("Options"), Compiler_Options);
    layout->addLayout(options);
    layout->addWidget(Check(panel, "OtherAddQuotes", "Add double quotes around filename parameters", c.otherAddQuotes));
    layout->addWidget(Check(panel, "OtherSaveFiles", "Save files before Assembling", c.otherSaveFiles));
    layout->addWidget(Check(panel, "OtherWait", "Wait for compiler to finish", c.otherWait));
    layout->addWidget(Check(panel, "OtherConfirm", "Confirm command line", c.otherConfirm));
    layout->addWidget(recovering);
    return panel;
}

QWidget* TIDEConfig1::BuildGnuPanel(int index)
{
    const auto target = index == 0 ? GnuTarget::M68kElf : GnuTarget::PowerPcEabi;
    auto& options = index == 0 ? settings_.m68kElf : settings_.ppcEabi;
    const auto prefix = gnuforms::Prefix(target);
    auto* panel = new QWidget;
    panel->setObjectName(index == 0 ? QStringLiteral("panel_m68kelf") : QStringLiteral("panel_ppceabi"));

    auto forms = std::make_unique<GnuTargetForms>(target, options, ui_, snapshot_,
                                                  [this] { return settings_.sourcePath; }, this);
    forms->onSettingsChanged = [this] { SettingsChanged(); };
    forms->onHelp = [this] {
        if (onHelp)
            onHelp(nullptr);
    };
    auto* formsPtr = forms.get();
    (index == 0 ? m68kForms : ppcForms) = std::move(forms);
    const auto formButton = [&](const char* name, const char* caption, bool (GnuTargetForms::*open)()) {
        auto* button = new QPushButton(QString::fromLatin1(caption), panel);
        button->setObjectName(prefix + QString::fromLatin1(name));
        connect(button, &QPushButton::clicked, this, [formsPtr, open] { (formsPtr->*open)(); });
        return button;
    };
    auto* formButtons = new QGridLayout;
    formButtons->addWidget(formButton("errorbutton", "Quarry Error Options", &GnuTargetForms::OpenErrorOptions), 0, 0);
    formButtons->addWidget(
        formButton("optionsbutton", "Compiler Options (General)", &GnuTargetForms::OpenCompileOptions), 0, 1);
    auto* pathsButton = new QPushButton(QStringLiteral("Compiler Options (Paths)"), panel);
    pathsButton->setObjectName(prefix + QStringLiteral("pathsbutton"));
    connect(pathsButton, &QPushButton::clicked, this, [formsPtr] { formsPtr->OpenPaths(); });
    formButtons->addWidget(pathsButton, 1, 0);
    formButtons->addWidget(formButton("targetbutton", "Target Options", &GnuTargetForms::OpenTargetOptions), 1, 1);

    gnuOptions[index] = new QLineEdit(panel);
    gnuOptions[index]->setObjectName(prefix + QStringLiteral("options"));
    bindings_.Text(gnuOptions[index], options.compilerOptions);
    gnuConfirm[index] = Check(panel, prefix + QStringLiteral("confirm"), "Confirm Options Passed to Build Script",
                              options.confirm);
    gnuConfirm[index]->hide();
    auto* gccBox = group(panel, "Additional Options Passed to GCC", {gnuOptions[index], gnuConfirm[index]});
    auto* saveFiles =
        Check(panel, prefix + QStringLiteral("savefiles"), "Save Files Before Compiling (Without Asking)", options.saveFiles);
    gnuBatch[index] = {new QRadioButton(QStringLiteral("create and launch batch file build script")),
                       new QRadioButton(QStringLiteral("launch batch file build script (do not create)"))};
    gnuBatch[index][0]->setChecked(true);
    auto* batchGroup = group(panel, "When building application...", {gnuBatch[index][0], gnuBatch[index][1]});
    batchGroup->setObjectName(prefix + QStringLiteral("batchgroup"));
    bindings_.Index({gnuBatch[index][0], gnuBatch[index][1]}, options.batchOpt);

    auto* layout = new QVBoxLayout(panel);
    layout->addLayout(formButtons);
    layout->addWidget(gccBox);
    layout->addWidget(saveFiles);
    layout->addWidget(batchGroup);
    layout->addStretch();
    return panel;
}

void TIDEConfig1::Compiler_typeChange()
{
    const auto kind = compilerKindOf(fromQt(Compiler_type->currentText()));
    switch (kind) {
    case CompilerKind::TalvikAssembler:
        Panels->setCurrentIndex(kTalvikPanel);
        break;
    case CompilerKind::GnuM68kElf:
        Panels->setCurrentIndex(kM68kPanel);
        break;
    case CompilerKind::GnuPowerPcEabi:
        Panels->setCurrentIndex(kPpcPanel);
        break;
    case CompilerKind::OtherCompiler:
    case CompilerKind::None:
        Panels->setCurrentIndex(kOtherPanel);
        break;
    }
    const bool gnu = kind == CompilerKind::GnuM68kElf || kind == CompilerKind::GnuPowerPcEabi;
    Label1->setText(gnu ? QStringLiteral("Batch File Build Script") : QStringLiteral("EXE Path"));
}

// ---------------------------------------------------------------- General Environment

QWidget* TIDEConfig1::BuildGeneralPage()
{
    auto* page = new QWidget;
    auto& g = settings_.general;
    UseMainFile = new QRadioButton(QStringLiteral("Main filename ------>"), page);
    UseMainFile->setObjectName(QStringLiteral("UseMainFile"));
    UseEditFile = new QRadioButton(QStringLiteral("Currently edited filename"), page);
    UseEditFile->setObjectName(QStringLiteral("UseEditFile"));
    connect(UseMainFile, &QRadioButton::toggled, this, [this](bool on) {
        settings_.general.fileParameter = on ? FileParameterSource::MainFile : FileParameterSource::EditedFile;
    });
    MainFileEditName = named(new QLineEdit(page), "MainFileEditName");
    bindings_.Text(MainFileEditName, g.mainFileEditName);

    auto* fileBox = new QGroupBox(QStringLiteral("%FILE% Parameter passed to external programs is:"), page);
    auto* fileLayout = new QGridLayout(fileBox);
    fileLayout->addWidget(UseMainFile, 0, 0);
    fileLayout->addWidget(MainFileEditName, 0, 1);
    fileLayout->addWidget(SelectButton(fileBox, MainFileEditName, "Main filename"), 0, 2);
    fileLayout->addWidget(UseEditFile, 1, 0, 1, 3);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group(page, "Saving a file that already exists",
                            {Check(page, "CreateBackupFile1", "Also creates a backup file",
                                   settings_.editor.createBackupFile)}));
    layout->addWidget(group(page, "Creating a file",
                            {Check(page, "NewFilesUtf8", "New files are UTF-8 (else Windows-1252)",
                                   settings_.editor.newFilesUtf8)}));
    layout->addWidget(fileBox);
    layout->addWidget(group(page, "When leaving the environment",
                            {Check(page, "ExitAutoSaveProject", "Auto-Save the current project (Without Asking)",
                                   g.exitAutoSaveProject),
                             Check(page, "ExitAutoSaveAllFiles", "Auto-Save all files (Without Asking)",
                                   g.exitAutoSaveAllFiles),
                             Check(page, "AskExitApplication", "Ask before leaving the environment",
                                   g.askExitApplication)}));
    layout->addWidget(group(page, "If modified files exist just prior to external program execution:",
                            {Check(page, "ModifiedFileAsk", "Give user option to save each file", g.modifiedFileAsk)}));
    layout->addWidget(group(page, "Saving the project",
                            {Check(page, "SaveProjectSavesFiles", "Also saves all open editor files (Without Asking)",
                                   g.saveProjectSavesFiles)}));
    layout->addStretch();
    return page;
}

// ---------------------------------------------------------------- File Types

QWidget* TIDEConfig1::BuildFileTypesPage()
{
    auto* page = new QWidget;
    auto* box = new QGroupBox(QStringLiteral("Filename Types"), page);
    DefaultFileType1 = new QComboBox(box);
    DefaultFileType1->setObjectName(QStringLiteral("DefaultFileType1"));
    connect(DefaultFileType1, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            settings_.editor.fileFilterIndex = index + 1;
    });
    NewFilterEdit1 = named(new QLineEdit(QStringLiteral("*.doc"), box), "NewFilterEdit1");
    NewDescriptionEdit1 = named(new QLineEdit(QStringLiteral("Documents"), box), "NewDescriptionEdit1");
    AddFilterButton = new QPushButton(QStringLiteral("&Add New Filter"), box);
    RemoveFilterButton = new QPushButton(QStringLiteral("&Remove Selected Filter"), box);
    connect(AddFilterButton, &QPushButton::clicked, this, &TIDEConfig1::AddFilter);
    connect(RemoveFilterButton, &QPushButton::clicked, this, &TIDEConfig1::RemoveFilter);
    FileFilterListbox1 = new QTreeWidget(box);
    FileFilterListbox1->setObjectName(QStringLiteral("FileFilterListbox1"));
    FileFilterListbox1->setHeaderLabels({QStringLiteral(" Filter"), QStringLiteral("Description")});
    FileFilterListbox1->setRootIsDecorated(false);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Default File Type"), DefaultFileType1);
    fields->addRow(QStringLiteral("New File Filter  (Example   *.doc   )"), NewFilterEdit1);
    fields->addRow(QStringLiteral("New Filter Description (Ex. Documents)"), NewDescriptionEdit1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(AddFilterButton);
    buttons->addWidget(RemoveFilterButton);
    buttons->addStretch();
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addLayout(fields);
    boxLayout->addLayout(buttons);
    boxLayout->addWidget(FileFilterListbox1);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(box);
    return page;
}

void TIDEConfig1::RefreshFilters(int select)
{
    const auto& filters = settings_.editor.fileFilters;
    FileFilterListbox1->clear();
    for (const auto& entry : filters) {
        const auto bar = entry.find('|');
        const auto pattern = bar == std::string::npos ? std::string() : entry.substr(bar + 1);
        FileFilterListbox1->addTopLevelItem(
            new QTreeWidgetItem({toQt(pattern), toQt(entry.substr(0, bar))}));
    }
    if (select >= 0 && select < FileFilterListbox1->topLevelItemCount())
        FileFilterListbox1->setCurrentItem(FileFilterListbox1->topLevelItem(select));
    QSignalBlocker quiet(DefaultFileType1);
    DefaultFileType1->clear();
    for (const auto& description : filefilters::Descriptions(filters))
        DefaultFileType1->addItem(toQt(description));
    DefaultFileType1->setCurrentIndex(settings_.editor.fileFilterIndex - 1);
}

void TIDEConfig1::AddFilter()
{
    auto& filters = settings_.editor.fileFilters;
    const auto result = filefilters::Add(filters, fromQt(NewFilterEdit1->text()), fromQt(NewDescriptionEdit1->text()));
    if (result == filefilters::AddResult::TooLong)
        ui_.showMessage(MessageKind::Information, filefilters::kTooLong, MessageButtons::Ok);
    if (result == filefilters::AddResult::Added)
        RefreshFilters(static_cast<int>(filters.size()) - 1);
}

void TIDEConfig1::RemoveFilter()
{
    auto* current = FileFilterListbox1->currentItem();
    if (!current)
        return;
    RefreshFilters(filefilters::Remove(settings_.editor.fileFilters, FileFilterListbox1->indexOfTopLevelItem(current)));
}

// ---------------------------------------------------------------- EXE1 to EXE4

QWidget* TIDEConfig1::BuildToolPage(int slot)
{
    static const char* const names[4][3] = {{"EXE1_type", "Exe1_name", "Exe1_options"},
                                            {"EXE2_type", "EXE2_NAME", "EXE2_options"},
                                            {"EXE3_type", "EXE3_name", "EXE3_options"},
                                            {"EXE4_type", "EXE4_name", "EXE4_options"}};
    const auto i = static_cast<std::size_t>(slot);
    auto& tool = settings_.tools[i];
    auto* page = new QWidget;
    exeType[i] = named(new QLineEdit(page), names[slot][0]);
    exeName[i] = named(new QLineEdit(page), names[slot][1]);
    exeOptions[i] = named(new QLineEdit(page), names[slot][2]);
    bindings_.Text(exeType[i], tool.type);
    bindings_.Text(exeName[i], tool.name);
    bindings_.Text(exeOptions[i], tool.options);
    // Slots 1 and 2 follow every change; 3 and 4 their type (all four refresh on closing).
    for (auto* edit : slot < 2 ? std::vector<QLineEdit*>{exeType[i], exeName[i], exeOptions[i]}
                               : std::vector<QLineEdit*>{exeType[i]})
        connect(edit, &QLineEdit::textChanged, this, [this, slot] { RefreshToolSlot(slot); });
    const auto prefix = "EXE" + std::to_string(slot + 1);
    const auto check = [&](const char* name, const char* caption, bool& value) {
        return Check(page, QString::fromStdString(prefix + name), caption, value);
    };
    exeWait[i] = check("_wait", "Wait for program completion (program must terminate)", tool.wait);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Type"), page), 0, 0);
    grid->addWidget(exeType[i], 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("EXE Path"), page), 1, 0);
    grid->addWidget(exeName[i], 1, 1);
    grid->addWidget(SelectButton(page, exeName[i], "EXE Path"), 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Options"), page), 2, 0);
    grid->addWidget(exeOptions[i], 2, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addWidget(check("_confirm", "Confirm Command line before running", tool.confirm));
    layout->addWidget(exeWait[i]);
    layout->addWidget(check("_savefiles", "Auto-Save all files before running (Don't Ask)", tool.saveFiles));
    layout->addWidget(check("_addquotes", "Add double quotes around filename parameters", tool.addQuotes));
    layout->addStretch();
    return page;
}

void TIDEConfig1::RefreshToolSlot(int slot)
{
    Pages->setTabText(kFirstToolPage + slot,
                      toQt(toolbuttons::PageTitle(slot, settings_.tools[static_cast<std::size_t>(slot)])));
    if (onToolSlotChanged)
        onToolSlotChanged(slot);
}

// ---------------------------------------------------------------- the dialog as a whole

void TIDEConfig1::LoadControls()
{
    bindings_.Load();
    (settings_.general.fileParameter == FileParameterSource::MainFile ? UseMainFile : UseEditFile)->setChecked(true);
    Compiler_typeChange();
    RefreshFilters(0);
    for (std::size_t i = 0; i < exeWait.size(); ++i) {
        // Reading the settings withdraws the wait option of every slot.
        exeWait[i]->setVisible(settings_.tools[i].waitOffered);
        exeWait[i]->setEnabled(settings_.tools[i].waitOffered);
        Pages->setTabText(kFirstToolPage + static_cast<int>(i),
                          toQt(toolbuttons::PageTitle(static_cast<int>(i), settings_.tools[i])));
    }
}

void TIDEConfig1::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (Pages->currentIndex() == 0)
        Compiler_type->setFocus();
    Label1->setText(settings_.compiler.type == kCompilerTypes[3] ? QStringLiteral("Batch File Build Script")
                                                                 : QStringLiteral("EXE Path"));
}

void TIDEConfig1::SettingsChanged()
{
    LoadControls();
    if (onSettingsChanged)
        onSettingsChanged();
}

bool TIDEConfig1::Execute()
{
    const bool accepted = snapshot_.Run([this] {
        LoadControls();
        return exec() == QDialog::Accepted;
    });
    for (int slot = 0; slot < 4; ++slot)
        RefreshToolSlot(slot);
    SettingsChanged();
    return accepted;
}

}  // namespace quarry
