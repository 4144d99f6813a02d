// The Edit menu and printing through the main window, and the command states that follow the
// active editor window.
#include "ShellFixture.h"

#include "app/ui/EditCommands.h"

#include <QClipboard>
#include <QPrinter>
#include <QProcess>
#include <QToolButton>

namespace quarry {
namespace {

class EditCommandsTest : public test::StartedShellFixture {
protected:
    bool Enabled(const char* name)
    {
        if (auto* item = form().action(QString::fromLatin1(name)))
            return item->isEnabled();
        return form().toolButton(QString::fromLatin1(name))->isEnabled();
    }
};

TEST_F(EditCommandsTest, GroupedUndoTakesARunOfTypingInOneStepAndRedoBringsItBack)
{
    auto* window = form().OpenFileByName(write("a.c", "x\n"));
    TypeInto(window, "hello");
    Memo(window).SetSelection(0, 0);
    TypeInto(window, "12");
    Trigger("Undo1");
    EXPECT_EQ("hellox\r", Memo(window).Text());
    Trigger("Undo1");
    EXPECT_EQ("x\r", Memo(window).Text());
    EXPECT_FALSE(window->IsModified());
    Trigger("Redo1");
    EXPECT_EQ("hellox\r", Memo(window).Text());
    Trigger("Redo1");
    EXPECT_EQ("12hellox\r", Memo(window).Text());
}

TEST_F(EditCommandsTest, WithoutGroupedUndoEachKeystrokeIsOneStep)
{
    Trigger("GroupedUndo1");
    EXPECT_FALSE(form().settings().editor.groupedUndo);
    auto* window = form().OpenFileByName(write("a.c", ""));
    TypeInto(window, "abc");
    Trigger("Undo1");
    EXPECT_EQ("ab", Memo(window).Text());
    Trigger("Redo1");
    EXPECT_EQ("abc", Memo(window).Text());
}

TEST_F(EditCommandsTest, TheMenuShortcutsComeBeforeTheEditorsOwnKeys)
{
    auto* window = form().OpenFileByName(write("a.c", ""));
    window->SEditor1->setFocus();
    TypeInto(window, "word");
    Press(Qt::Key_Z, Qt::ControlModifier);  // the grouped undo of the Edit menu
    EXPECT_EQ("", Memo(window).Text());
    Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ("word", Memo(window).Text());
}

TEST_F(EditCommandsTest, UndoAfterSaveKeepsTheHistoryAndTheFileIsModifiedAgain)
{
    auto* window = form().OpenFileByName(write("a.c", "x\n"));
    TypeInto(window, "abc");
    Trigger("SaveFile1");
    EXPECT_EQ("", Panel(3));
    ASSERT_TRUE(Enabled("Undo1"));
    Trigger("Undo1");
    EXPECT_EQ("x\r", Memo(window).Text());
    EXPECT_TRUE(window->IsModified());
    EXPECT_EQ("Modified", Panel(3));
    Trigger("Redo1");
    EXPECT_FALSE(window->IsModified());
}

TEST_F(EditCommandsTest, WithoutUndoAfterSaveTheSaveEndsTheHistory)
{
    Trigger("UndoAfterSave1");
    auto* window = form().OpenFileByName(write("a.c", "x\n"));
    TypeInto(window, "abc");
    Trigger("SaveFile1");
    EXPECT_FALSE(Enabled("Undo1"));
    EXPECT_FALSE(Enabled("UndoButton"));
}

TEST_F(EditCommandsTest, CommandStatesFollowTheActiveWindowAndItsSelection)
{
    const char* editorCommands[] = {"SaveFile1", "SaveFileAs1", "CloseFile1", "Print1", "SaveBtn", "CloseBtn"};
    for (const char* name : editorCommands)
        EXPECT_FALSE(Enabled(name)) << name;
    auto* window = form().OpenFileByName(write("a.c", "some text\n"));
    for (const char* name : editorCommands)
        EXPECT_TRUE(Enabled(name)) << name;
    for (const char* name : {"Cut1", "Copy1", "Delete1", "IndentButton", "UndentButton", "Undo1", "UndoButton"})
        EXPECT_FALSE(Enabled(name)) << name;
    EXPECT_TRUE(Enabled("SelectAll1"));
    Trigger("SelectAll1");
    for (const char* name : {"Cut1", "Copy1", "Delete1", "IndentButton", "UndentButton"})
        EXPECT_TRUE(Enabled(name)) << name;
    Trigger("Copy1");
    EXPECT_EQ("some text\n", QApplication::clipboard()->text().toStdString());
    EXPECT_TRUE(Enabled("Paste1"));
    form().toolButton("IndentButton")->click();
    EXPECT_EQ(" some text\r", Memo(window).Text());
    EXPECT_TRUE(Enabled("UndoButton"));
    form().toolButton("UndentButton")->click();
    EXPECT_EQ("some text\r", Memo(window).Text());
    Memo(window).SetSelection(0, 4);
    Trigger("Delete1");
    EXPECT_EQ(" text\r", Memo(window).Text());
    Memo(window).SetSelection(0, 5);
    form().UpdateButtons();
    Trigger("Cut1");
    EXPECT_EQ("\r", Memo(window).Text());
    EXPECT_EQ(" text", QApplication::clipboard()->text().toStdString());
    Trigger("Paste1");
    EXPECT_EQ(" text\r", Memo(window).Text());
}

TEST_F(EditCommandsTest, EditCommandsWithoutAnEditorWindowDoNothing)
{
    auto& commands = form().editCommands();
    commands.Undo1Click();
    commands.Paste1Click();
    commands.SelectAll1Click();
    commands.Print1Click();
    EXPECT_TRUE(ui.boxes().empty());
    EXPECT_FALSE(Enabled("Paste1"));
}

TEST_F(EditCommandsTest, PrintingTheWholeTextOrTheSelectionToPdf)
{
    auto* window = form().OpenFileByName(write("print.c", "first line\nsecond line\nthird line\n"));
    auto print = [&](bool selection) {
        const auto pdf = file(selection ? "selection.pdf" : "all.pdf");
        form().editCommands().runPrintDialog = [&, pdf](QPrinter& printer, bool& selectionOnly) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(toQt(pdf));
            selectionOnly = selection;
            EXPECT_FALSE(form().action("Print1")->isEnabled()) << "Print waits while the printer is busy";
            return true;
        };
        Trigger("Print1");
        QProcess tool;
        tool.start(QStringLiteral("pdftotext"), {toQt(pdf), QStringLiteral("-")});
        EXPECT_TRUE(tool.waitForFinished(30000));
        return tool.readAllStandardOutput().toStdString();
    };
    const auto all = print(false);
    EXPECT_NE(std::string::npos, all.find("first line"));
    EXPECT_NE(std::string::npos, all.find("third line"));
    EXPECT_NE(std::string::npos, all.find(file("print.c"))) << "the file name heads the page";
    Memo(window).SetSelection(11, 22);
    const auto selection = print(true);
    EXPECT_NE(std::string::npos, selection.find("second line"));
    EXPECT_EQ(std::string::npos, selection.find("third line"));
    EXPECT_TRUE(form().action("Print1")->isEnabled());
}

TEST_F(EditCommandsTest, PrintSetupKeepsThePrinterForTheNextPrint)
{
    bool asked = false;
    form().editCommands().runPageSetupDialog = [&](QPrinter& printer) {
        asked = true;
        printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    };
    Trigger("PrintSetup1");
    EXPECT_TRUE(asked);
    EXPECT_EQ(QPageLayout::Landscape, form().editCommands().printer().pageLayout().orientation());
}

}  // namespace
}  // namespace quarry
