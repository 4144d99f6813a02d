// The tool commands in the real window: F4 runs a real script as the compiler, its error file
// puts the caret on the error, the error list and the output panel show the run, the Build
// menu walks the errors; F6 reports a tool that cannot start and Stop ends one that runs.
#include "ShellFixture.h"

#include "app/ui/ToolCommands.h"
#include "tools/ToolProcesses.h"
#include "tools/ui/TBuildOutput.h"
#include "tools/ui/TErrorListPanel.h"
#include "tools/ui/TOutputView.h"

#include <QDockWidget>
#include <QStatusBar>
#include <QToolButton>

namespace quarry {
namespace {

using test::RecordedBox;

class ToolCommandsTest : public test::ShellFixture {
protected:
    // A compiler that writes "<file>:<row>: error: ..." for each row given, into the error
    // file the kind reads (%FILE.ERR%), and says what it compiles.
    void StartWithCompiler(const std::string& rows)
    {
        write("cc.sh", "f=\"$1\"\nfor row in " + rows +
                           "; do printf '%s:%s: error: x%s\\n' \"$f\" $row $row; done > \"${f%.*}.ERR\"\n"
                           "echo \"compiling $f\"\n");
        Start("[COMPILER]\nTYPE=Other Assembler/Compiler...\nNAME=" + file("cc.sh") +
              "\nOPTIONS=%FILE%\nOTHERGETERROR=1\nOTHERCONFIRM=0\nOTHERWAIT=1\nOTHERSAVEFILES=0\n"
              "OTHERERRORFORMAT=GCC Compatible\nOTHERERRORFILENAME=%FILE.ERR%\nOTHERADDQUOTES=1\n"
              "[EXECUTABLE1]\nTYPE=Debugger\nNAME=" +
              file("no-such-debugger") + "\nOPTIONS=%FILE%\nCONFIRM=0\nSAVEFILES=0\nADDQUOTES=1\n");
        std::string text;
        for (int i = 1; i <= 40; ++i)
            text += "int line" + std::to_string(i) + ";\n";
        source = write("main.c", text);
        form().OpenFileByName(source);
        Settle();
    }
    ToolCommands& Tools() { return form().toolCommands(); }
    std::string Status() { return form().statusBar()->currentMessage().toStdString(); }
    int CaretRow() { return Active()->GetCaret().row; }
    std::vector<std::string> OutputRows()
    {
        std::vector<std::string> rows;
        auto* view = Tools().Output()->View();
        view->Refresh();
        for (int row = 0; row < view->RowCount(); ++row)
            rows.push_back(view->RowText(row).toStdString());
        return rows;
    }

    std::string source;
};

TEST_F(ToolCommandsTest, F4RunsTheCompilerAndPutsTheCaretOnItsError)
{
    StartWithCompiler("12");
    Press(Qt::Key_F4);
    EXPECT_EQ(12, CaretRow());
    EXPECT_TRUE(form().StatusInfoShowing());
    EXPECT_EQ(source + ":12: error: x12", Status());
    auto* errors = Tools().ErrorPanel();
    ASSERT_EQ(1, errors->RowCount());
    EXPECT_EQ((QStringList{"Error", "main.c", "12", "error: x12"}), errors->RowTexts(0));
    EXPECT_TRUE(Tools().ErrorDock()->isVisible());
    EXPECT_TRUE(Tools().OutputDock()->isVisible());
    EXPECT_EQ((std::vector<std::string>{"> " + file("cc.sh") + " \"" + source + "\"", "compiling " + source,
                                        "Exit code 0"}),
              OutputRows());
    // A key in the editor ends the message; the error line mark goes with it.
    TypeInto(Active(), "x");
    EXPECT_FALSE(form().StatusInfoShowing());
}

TEST_F(ToolCommandsTest, TheBuildMenuWalksTheErrors)
{
    StartWithCompiler("3 7 20");
    Press(Qt::Key_F4);
    std::vector<int> rows{CaretRow()};
    for (auto [key, modifiers] : {std::pair{Qt::Key_Down, Qt::ControlModifier | Qt::AltModifier},
                                  std::pair{Qt::Key_Down, Qt::ControlModifier | Qt::AltModifier},
                                  std::pair{Qt::Key_Down, Qt::ControlModifier | Qt::AltModifier},
                                  std::pair{Qt::Key_Up, Qt::ControlModifier | Qt::AltModifier}}) {
        Press(key, modifiers);
        rows.push_back(CaretRow());
    }
    EXPECT_EQ((std::vector<int>{3, 7, 20, 3, 20}), rows);
    EXPECT_EQ(source + ":20: error: x20", Status());
    Trigger("PreviousError1");
    EXPECT_EQ(7, CaretRow());
}

TEST_F(ToolCommandsTest, ExeSlotsReportAToolThatCannotStartAndStopOneThatRuns)
{
    StartWithCompiler("1");
    EXPECT_EQ("External Program 1", form().toolButton("SpeedButton1")->toolTip().toStdString());
    Press(Qt::Key_F6);
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Information,
                                         "No such file or directory.  Check EXE path(s) in Quarry Environment "
                                         "Settings.",
                                         MessageButtons::Ok}}),
              ui.boxes());
    // A tool nobody waits for runs on while the window works; Stop ends it.
    form().settings().tools[0].name = write("sleeper.sh", "echo sleeping\nexec sleep 60\n");
    Press(Qt::Key_F6);
    ASSERT_TRUE(test::runEventsUntil([&] { return OutputRows().back() == "sleeping"; }));
    EXPECT_TRUE(Tools().Output()->StopButton()->isEnabled());
    Tools().Output()->StopButton()->click();
    ASSERT_TRUE(test::runEventsUntil([&] { return !Tools().Processes().AnyRunning(); }));
    EXPECT_EQ("Ended by signal 15 (Terminated)", OutputRows().back());
    EXPECT_FALSE(Tools().Output()->StopButton()->isEnabled());
}

}  // namespace
}  // namespace quarry
