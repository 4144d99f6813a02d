// The Import SVD dialog over a real device description: ticking, the target directory and its
// setting, replacing files only when the user agrees, progress and stopping, and refusals.
#include "regview/RegisterDirectorySetting.h"
#include "regview/ui/TSvdImportDialog.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <filesystem>

namespace quarry {
namespace {

using test::RecordedBox;
using test::ScriptedUserInterface;
using test::TempDir;

const std::string kDevice = std::string(QUARRY_SOURCE_DIR) + "/tests/regview/svd/ARMCM3xxx.svd";

class SvdImportDialogTest : public ::testing::Test {
protected:
    SvdImportDialogTest()
    {
        std::filesystem::create_directories(dir_.path() / "program");
        std::filesystem::create_directories(dir_.path() / "registers");
        ini_ = dir_.write("program/Quarry.ini", "[GENERAL]\nKEEP=1\n");
    }
    std::string Program() const { return dir_.file("program"); }
    std::string Registers() const { return dir_.file("registers"); }
    bool Exists(const std::string& path) const { return std::filesystem::exists(path); }

    TempDir dir_;
    std::string ini_;
    ScriptedUserInterface ui_;
};

std::vector<std::string> rows(const QTreeWidget& list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        const auto* item = list.topLevelItem(i);
        texts.push_back((item->checkState(0) == Qt::Checked ? "[x] " : "[ ] ") + item->text(0).toStdString() + " " +
                        item->text(1).toStdString() + " " + item->text(2).toStdString());
    }
    return texts;
}

TEST_F(SvdImportDialogTest, WritesTheTickedPeripheralsAndKeepsTheRegisterDirectory)
{
    {
        TSvdImportDialog dialog(ui_, Program(), ini_);
        EXPECT_TRUE(dialog.ProgramDirButton()->isChecked());
        ui_.chooseFile(kDevice);
        dialog.findChild<QPushButton*>("BrowseButton")->click();
        EXPECT_EQ("ARMCM3xxx: 3 peripherals", dialog.DeviceLabel()->text().toStdString());
        EXPECT_EQ((std::vector<std::string>{"[x] TIMER0 40010000 TIMER0.reg", "[x] TIMER1 40010100 TIMER1.reg",
                                            "[x] TIMER2 40010200 TIMER2.reg"}),
                  rows(*dialog.PeripheralList()));
        dialog.findChild<QPushButton*>("SelectNoneButton")->click();
        EXPECT_FALSE(dialog.ImportButton()->isEnabled());
        dialog.PeripheralList()->topLevelItem(0)->setCheckState(0, Qt::Checked);
        dialog.PeripheralList()->topLevelItem(2)->setCheckState(0, Qt::Checked);
        ASSERT_TRUE(dialog.ImportButton()->isEnabled());

        ui_.chooseDirectory(Registers());
        dialog.findChild<QPushButton*>("BrowseDirButton")->click();
        EXPECT_TRUE(dialog.RegisterDirButton()->isChecked());
        dialog.ImportButton()->click();
        EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Information, "2 register files written to " + Registers() + ".",
                                             MessageButtons::Ok}}),
                  ui_.boxes());
        EXPECT_TRUE(Exists(Registers() + "/TIMER0.reg"));
        EXPECT_FALSE(Exists(Registers() + "/TIMER1.reg"));
        EXPECT_TRUE(Exists(Registers() + "/TIMER2.reg"));
        EXPECT_EQ(2, dialog.Progress()->maximum());
        EXPECT_EQ(2, dialog.Progress()->value());
        EXPECT_TRUE(dialog.Report()->toPlainText().startsWith(QString::fromStdString(Registers() + "/TIMER0.reg: 11 registers")));
        EXPECT_EQ(Registers(), RegisterDirectorySetting(ini_).Read());
        EXPECT_NE(std::string::npos, TempDir::read(ini_).find("[GENERAL]\nKEEP=1\n"));

        // Files already there are replaced only when the user agrees.
        dir_.write("registers/TIMER0.reg", "mine\n");
        ui_.clearRecords();
        ui_.answer(Answer::No);
        EXPECT_FALSE(dialog.Import());
        EXPECT_EQ("Replace 2 register files in " + Registers() + "?\nTIMER0.reg, TIMER2.reg", ui_.texts().at(0));
        EXPECT_EQ("mine\n", TempDir::read(Registers() + "/TIMER0.reg"));
    }
    // The next dialog starts from the kept directory.
    TSvdImportDialog again(ui_, Program(), ini_);
    EXPECT_TRUE(again.RegisterDirButton()->isChecked());
    EXPECT_EQ(Registers(), again.RegisterDirEdit()->text().toStdString());
}

TEST_F(SvdImportDialogTest, CloseDuringARunStopsItBetweenFiles)
{
    TSvdImportDialog dialog(ui_, Program(), ini_);
    dialog.show();
    ASSERT_TRUE(dialog.OpenFile(kDevice));
    dialog.ProgramDirButton()->setChecked(true);
    ui_.onProcessEvents([&dialog] {
        EXPECT_FALSE(dialog.OpenFile(kDevice));  // not while the run writes from the one held
        if (dialog.Progress()->value() == 1)
            dialog.findChild<QPushButton*>("CloseButton")->click();
    });
    EXPECT_TRUE(dialog.Import());
    EXPECT_EQ("1 register files written to " + Program() + ". Stopped after 1 of 3.", ui_.texts().back());
    EXPECT_TRUE(Exists(Program() + "/TIMER0.reg"));
    EXPECT_FALSE(Exists(Program() + "/TIMER1.reg"));
    EXPECT_TRUE(dialog.isVisible());  // Close stopped the run; only a second one closes
}

TEST_F(SvdImportDialogTest, RefusalsSayWhy)
{
    const std::string reg = std::string(QUARRY_DATA_DIR) + "/mc68hc11.reg";
    const struct {
        std::string file;
        std::string directory;  // the register directory typed; empty for the program directory
        std::string message;
    } cases[] = {
        {reg, "", reg + ": not an SVD file: no XML element in it"},
        {dir_.file("missing.svd"), "", "Cannot read " + dir_.file("missing.svd") + "."},
        {kDevice, dir_.file("nowhere"), "The register directory \"" + dir_.file("nowhere") + "\" does not exist."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        ui_.clearRecords();
        TSvdImportDialog dialog(ui_, Program(), ini_);
        dialog.OpenFile(c.file);
        dialog.RegisterDirEdit()->setText(QString::fromStdString(c.directory));
        dialog.RegisterDirButton()->setChecked(!c.directory.empty());
        EXPECT_FALSE(dialog.Import());
        EXPECT_EQ((std::vector<std::string>{c.message}), ui_.texts());
    }
}

}  // namespace
}  // namespace quarry
