// The environment settings dialog and the GNU target forms, offscreen, over real settings
// files: panels and label by kind, Cancel giving back every setting through "Quarry.tmp" (forms
// opened meanwhile included), tool pages, the filter limit, the check-box rules, the memory
// map's hexadecimal check and where the focus goes.
#include "settings/SettingsFile.h"
#include "support/FakeSettingsHost.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"
#include "tools/SettingsSnapshot.h"
#include "tools/ui/GnuTargetForms.h"
#include "tools/ui/TGnuCompileErrorForm.h"
#include "tools/ui/TGnuCompileOptionForm.h"
#include "tools/ui/TGnuCompilerPathForm.h"
#include "tools/ui/TGnuTargetOptForm.h"
#include "tools/ui/TIDEConfig1.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace quarry {
namespace {

using test::RecordedBox;

// Runs `whileOpen` once the next modal dialog has started.
void WhenOpen(std::function<void()> whileOpen) { QTimer::singleShot(0, std::move(whileOpen)); }

class EnvironmentDialogTest : public ::testing::Test {
protected:
    EnvironmentDialogTest()
    {
        settings.editor.fileFilters = {"C Files (*.c)|*.c;*.h", "All Files (*.*)|*.*"};
        settings.editor.fileFilterIndex = 1;
        // The settings as a start-up leaves them: read from a file.
        file.WriteSettings("start.ini");
        file.ReadSettings("start.ini");
    }
    std::string SnapshotFile() const { return dir.file("Quarry.tmp"); }

    test::TempDir dir;
    EnvironmentSettings settings;
    test::FakeSettingsHost host;
    test::ScriptedUserInterface ui;
    SettingsFile file{settings, host, ui, dir.path().string()};
    SettingsSnapshot snapshot{settings, file};
    TIDEConfig1 dialog{settings, ui, snapshot};
};

TEST_F(EnvironmentDialogTest, EachKindShowsItsPanelAndLabel)
{
    const struct {
        int type;
        QWidget* TIDEConfig1::*panel;
        const char* label;
    } cases[] = {
        {0, &TIDEConfig1::Panel1, "EXE Path"},
        {1, &TIDEConfig1::Panel1, "EXE Path"},
        {2, &TIDEConfig1::Panel2, "EXE Path"},
        {3, &TIDEConfig1::panel_m68kelf, "Batch File Build Script"},
        {4, &TIDEConfig1::panel_ppceabi, "Batch File Build Script"},
    };
    WhenOpen([&] {
        for (const auto& c : cases) {
            dialog.Compiler_type->setCurrentIndex(c.type);
            EXPECT_EQ(dialog.*c.panel, dialog.Panels->currentWidget()) << c.type;
            EXPECT_EQ(1, std::count_if(dialog.Panels->children().begin(), dialog.Panels->children().end(),
                                       [](QObject* o) { return o->isWidgetType() && static_cast<QWidget*>(o)->isVisible(); }));
            EXPECT_EQ(c.label, dialog.Label1->text().toStdString()) << c.type;
            EXPECT_EQ(kCompilerTypes[static_cast<std::size_t>(c.type)], settings.compiler.type);
        }
        dialog.OkButton->click();
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(kCompilerTypes[4], settings.compiler.type);
    EXPECT_FALSE(dialog.Compiler_type->isEditable());
    // Shown again: the label says "Batch File Build Script" for m68k-elf only.
    for (const auto& [type, label] : {std::pair{4, "EXE Path"}, std::pair{3, "Batch File Build Script"}}) {
        settings.compiler.type = kCompilerTypes[static_cast<std::size_t>(type)];
        std::string shown;
        WhenOpen([&] {
            shown = dialog.Label1->text().toStdString();
            dialog.CancelButton->click();
        });
        dialog.Execute();
        EXPECT_EQ(label, shown);
    }
}

TEST_F(EnvironmentDialogTest, CancelGivesBackEverySettingTheFormsIncluded)
{
    const auto before = settings;
    for (const bool ok : {false, true}) {
        WhenOpen([&] {
            dialog.Compiler_type->setCurrentIndex(3);
            dialog.exeName[0]->setText("/no/such/debugger");
            dialog.UseMainFile->setChecked(true);
            dialog.findChild<QCheckBox*>("NewFilesUtf8")->click();
            dialog.AddFilterButton->click();
            // The compile options form, OK, and inside it the paths form, Cancel.
            WhenOpen([&] {
                auto* form = dialog.m68kForms->compileOptions;
                form->nowarn->click();
                WhenOpen([&] {
                    dialog.m68kForms->paths->startupfile->setText("crt0.s");
                    dialog.m68kForms->paths->reject();
                });
                form->s19NameButton->click();
                EXPECT_EQ("", settings.m68kElf.startup);
                form->accept();
            });
            dialog.findChild<QPushButton*>("m68kelf_optionsbutton")->click();
            EXPECT_TRUE(settings.m68kElf.noWarn);
            EXPECT_TRUE(dialog.isVisible());
            ok ? dialog.OkButton->click() : dialog.CancelButton->click();
        });
        EXPECT_EQ(ok, dialog.Execute());
        EXPECT_FALSE(std::filesystem::exists(SnapshotFile()));
        if (!ok) {
            EXPECT_EQ(before, settings);
        }
    }
    EXPECT_EQ(kCompilerTypes[3], settings.compiler.type);
    EXPECT_EQ("/no/such/debugger", settings.tools[0].name);
    EXPECT_EQ(FileParameterSource::MainFile, settings.general.fileParameter);
    EXPECT_FALSE(settings.editor.newFilesUtf8);
    EXPECT_EQ("Documents|*.doc", settings.editor.fileFilters.back());
    EXPECT_TRUE(settings.m68kElf.noWarn);
    EXPECT_EQ("", settings.m68kElf.startup);
}

TEST_F(EnvironmentDialogTest, ToolPagesFollowTheirSlots)
{
    std::vector<int> refreshed;
    dialog.onToolSlotChanged = [&](int slot) { refreshed.push_back(slot); };
    WhenOpen([&] {
        EXPECT_EQ("EXE1 (Debugger)", dialog.Pages->tabText(3).toStdString());
        EXPECT_EQ("File Types", dialog.Pages->tabText(2).toStdString());
        dialog.exeType[0]->setText(" Flasher ");
        dialog.exeOptions[1]->setText("-x");  // slot 2 follows its options
        dialog.exeOptions[2]->setText("-x");  // slot 3 only its type
        dialog.exeType[3]->setText("Sim");
        EXPECT_EQ("EXE1 (Flasher)", dialog.Pages->tabText(3).toStdString());
        EXPECT_EQ("EXE4 (Sim)", dialog.Pages->tabText(6).toStdString());
        EXPECT_EQ((std::vector<int>{0, 1, 3}), refreshed);
        EXPECT_FALSE(dialog.exeWait[0]->isVisible());  // withdrawn when the settings were read
        dialog.OkButton->click();
    });
    dialog.Execute();
    EXPECT_EQ((std::vector<int>{0, 1, 3, 0, 1, 2, 3}), refreshed);
}

TEST_F(EnvironmentDialogTest, FiltersStopAtTheJoinedLimitAndTheFileKeepsTen)
{
    const std::string long100(100, 'd');
    const struct {
        std::string pattern;
        std::string description;
        std::vector<RecordedBox> boxes;
        std::size_t count;
    } cases[] = {
        {"*.doc", long100, {}, 3},
        // 43 + 107 for the three entries (each with one separator), 97 + 3 for the new one: 250
        {"*.x", std::string(97, 'e'), {}, 4},
        {"*.y", "f", {{MessageKind::Information, "Filter length is too long, remove current filters before adding.",
                       MessageButtons::Ok}}, 4},
        {" ", "blank pattern", {}, 4},
    };
    for (const auto& c : cases) {
        ui.clearRecords();
        dialog.NewFilterEdit1->setText(QString::fromStdString(c.pattern));
        dialog.NewDescriptionEdit1->setText(QString::fromStdString(c.description));
        dialog.AddFilter();
        EXPECT_EQ(c.boxes, ui.boxes()) << c.pattern;
        EXPECT_EQ(c.count, settings.editor.fileFilters.size()) << c.pattern;
        EXPECT_EQ(static_cast<int>(c.count), dialog.DefaultFileType1->count());
    }
    // Removing keeps a selection on the list.
    dialog.FileFilterListbox1->setCurrentItem(dialog.FileFilterListbox1->topLevelItem(3));
    dialog.RemoveFilter();
    EXPECT_EQ(2, dialog.FileFilterListbox1->indexOfTopLevelItem(dialog.FileFilterListbox1->currentItem()));
    // Eleven short filters: the dialog takes them, the settings file keeps ten.
    settings.editor.fileFilters.clear();
    for (int i = 0; i < 11; ++i) {
        dialog.NewFilterEdit1->setText(QString("*.%1").arg(i));
        dialog.NewDescriptionEdit1->setText(QString("T%1").arg(i));
        dialog.AddFilter();
    }
    EXPECT_EQ(11u, settings.editor.fileFilters.size());
    file.WriteSettings("ten.ini");
    file.ReadSettings("ten.ini");
    EXPECT_EQ(10u, settings.editor.fileFilters.size());
}

// ---------------------------------------------------------------- the GNU forms

TEST_F(EnvironmentDialogTest, CheckBoxesFollowTheirRules)
{
    auto& forms = *dialog.m68kForms;
    auto* options = forms.compileOptions;
    const struct {
        QCheckBox* clicked;
        QCheckBox* other;
        bool clearsWhen;  // `other` is cleared and disabled while `clicked` is in this state
    } cases[] = {
        {options->nowarn, options->warnall, true},
        {options->warnall, options->nowarn, true},
        {options->genobject, options->gens19, true},
        {forms.errorOptions->get_error, forms.errorOptions->autoopenerror, false},
    };
    for (const auto& c : cases) {
        for (const bool on : {true, false}) {
            c.clicked->setChecked(!on);
            c.other->setChecked(true);
            c.clicked->click();
            const bool cleared = on == c.clearsWhen;
            EXPECT_EQ(!cleared, c.other->isChecked()) << c.clicked->objectName().toStdString() << on;
            EXPECT_EQ(!cleared, c.other->isEnabled()) << c.clicked->objectName().toStdString() << on;
        }
    }
    // Shown with extra warnings on, inhibiting them is not offered.
    settings.m68kElf.warnAll = true;
    settings.m68kElf.noWarn = false;
    bool nowarnOffered = true;
    WhenOpen([&] {
        nowarnOffered = options->nowarn->isEnabled();
        options->reject();
    });
    forms.OpenCompileOptions();
    EXPECT_FALSE(nowarnOffered);
    // The run addresses are asked only while their sections are copied.
    auto* target = forms.targetOptions;
    for (const bool copy : {false, true}) {
        target->movedatacheck->setChecked(copy);
        target->movetextcheck->setChecked(copy);
        EXPECT_EQ(copy, target->dataram->isEnabled());
        EXPECT_EQ(copy, target->textram->isEnabled());
    }
}

TEST_F(EnvironmentDialogTest, TheMemoryMapTakesHexadecimalAddressesOnly)
{
    auto* form = dialog.m68kForms->targetOptions;
    const std::string stackMessage =
        "Error in field: Stack Location.  Use this format for hexadecimal input: 0x12345678 .";
    const struct {
        const char* stack;
        const char* heap;
        const char* dataRam;
        bool moveData;
        QLineEdit* TGnuTargetOptForm::*focus;  // null: accepted
        std::string message;
    } cases[] = {
        {" 0x2000abCD ", "", "", true, nullptr, ""},
        {"0x00000000G", "", "", true, nullptr, ""},  // past the tenth character nothing is looked at
        {"2000abcd", "", "", true, &TGnuTargetOptForm::stack, stackMessage},
        {"0x", "", "", true, &TGnuTargetOptForm::stack, stackMessage},
        {"0x2G00", "", "", true, &TGnuTargetOptForm::stack, stackMessage},
        {"", "0X1", "", true, nullptr, ""},
        {"", "1x1", "", true, &TGnuTargetOptForm::heap,
         "Error in field: Heap Location.  Use this format for hexadecimal input: 0x12345678 ."},
        {"", "", "nonsense", false, nullptr, ""},  // disabled: whatever it holds
        {"", "", "nonsense", true, &TGnuTargetOptForm::dataram,
         "Error in field: Location of .data.  Use this format for hexadecimal input: 0x12345678 ."},
    };
    form->show();
    QApplication::setActiveWindow(form);
    for (const auto& c : cases) {
        ui.clearRecords();
        form->setResult(0);
        form->movedatacheck->setChecked(c.moveData);
        form->stack->setText(c.stack);
        form->heap->setText(c.heap);
        form->dataram->setText(c.dataRam);
        form->accept();
        const bool accepted = form->result() == QDialog::Accepted;
        EXPECT_EQ(c.focus == nullptr, accepted) << c.stack << c.heap << c.dataRam;
        const auto boxes = c.message.empty()
                               ? std::vector<RecordedBox>{}
                               : std::vector<RecordedBox>{{MessageKind::Error, c.message, MessageButtons::Ok}};
        EXPECT_EQ(boxes, ui.boxes());
        if (c.focus) {
            EXPECT_EQ(form->*c.focus, form->focusWidget());
            EXPECT_TRUE((form->*c.focus)->hasSelectedText());
        }
        EXPECT_EQ(QString(c.stack).trimmed().toStdString(), settings.m68kElf.stack);
        form->show();
    }
}

TEST_F(EnvironmentDialogTest, PathsFormAppendsDirectoriesAndTakesTheFocusAsked)
{
    const struct {
        const char* list;
        const char* result;
    } cases[] = {{"", "/d"}, {"/a", "/a;/d"}, {"/a;", "/a;/d"}, {" ", " /d"}};
    for (const auto& c : cases)
        EXPECT_EQ(c.result, TGnuCompilerPathForm::AppendDirectory(c.list, "/d")) << c.list;
    auto& forms = *dialog.ppcForms;
    settings.ppcEabi.genS19Name = "main.s19";
    settings.ppcEabi.ecrt = "/gnu";
    for (const auto& [focus, field] : {std::pair{TGnuCompilerPathForm::Focus::S19Name, &TGnuCompilerPathForm::gens19name},
                                       std::pair{TGnuCompilerPathForm::Focus::ListingName, &TGnuCompilerPathForm::genlistname}}) {
        WhenOpen([&, field = field] {
            auto* paths = forms.paths;
            EXPECT_EQ(paths->*field, paths->focusWidget());
            EXPECT_EQ((paths->*field)->text(), (paths->*field)->selectedText());
            ui.chooseDirectory("/lib");
            paths->findChild<QPushButton*>("ppceabi_ecrtSelect")->click();
            ui.chooseDirectory("/inc");
            paths->findChild<QPushButton*>("ppceabi_includepathSelect")->click();
            paths->accept();
        });
        forms.OpenPaths(focus);
    }
    EXPECT_EQ("/gnu/lib/lib", settings.ppcEabi.ecrt);
    EXPECT_EQ("/inc;/inc", settings.ppcEabi.include);
    // From the settings dialog the paths and target forms open with OK in focus.
    QWidget* focused[2] = {};
    WhenOpen([&] {
        focused[0] = forms.paths->focusWidget();
        forms.paths->reject();
    });
    forms.OpenPaths();
    WhenOpen([&] {
        focused[1] = forms.targetOptions->focusWidget();
        forms.targetOptions->reject();
    });
    forms.OpenTargetOptions();
    EXPECT_EQ(forms.paths->okButton, focused[0]);
    EXPECT_EQ(forms.targetOptions->okButton, focused[1]);
}

}  // namespace
}  // namespace quarry
