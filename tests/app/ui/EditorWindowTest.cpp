// The editor windows inside the main window: the status bar panels and messages, the popup
// menu, the reload question at activation, the caret placed in the middle of a real window.
#include "ShellFixture.h"

#include "editorwin/ui/SearchCommands.h"
#include "platform/PersistentEditorStore.h"
#include "highlight/TCodeMemoParser.h"
#include "highlight/TParserRepository.h"

#include <QClipboard>
#include <QComboBox>
#include <QPushButton>

#include <QMenu>
#include <QStatusBar>
#include <QStatusTipEvent>

namespace quarry {
namespace {

using test::RecordedBox;
namespace fs = std::filesystem;

class EditorWindowTest : public test::StartedShellFixture {
protected:
    std::vector<std::string> Panels()
    {
        std::vector<std::string> out;
        for (int n = 2; n <= 7; ++n)
            out.push_back(Panel(n));
        return out;
    }
    bool PanelsVisible() { return form().statusPanel(2)->isVisible() && form().statusPanel(7)->isVisible(); }
    std::string Lines(int count)
    {
        std::string text;
        for (int i = 1; i <= count; ++i)
            text += "line " + std::to_string(i) + "\n";
        return text;
    }
};

TEST_F(EditorWindowTest, TheSixPanelsDescribeTheActiveWindow)
{
    EXPECT_EQ((std::vector<std::string>{"", "", "", "", "", ""}), Panels());
    auto* window = form().OpenFileByName(write("main.c", "int a;\nint b;\n"));
    EXPECT_EQ((std::vector<std::string>{"1:1", "", "Total: 3", "Top: 1", "ANSI C", "Insert"}), Panels());
    window->SetCaret(2, 4);
    TypeInto(window, "xy");
    Settle();
    EXPECT_EQ((std::vector<std::string>{"2:6", "Modified", "Total: 3", "Top: 1", "ANSI C", "Insert"}), Panels());
    QTest::keyClick(window->SEditor1, Qt::Key_Insert);
    Settle();
    EXPECT_EQ("Overwrite", Panel(7));
    form().OpenFileByName(write("boot.asm", "  nop\n"));
    Settle();
    EXPECT_EQ("Talvik Assembly", Panel(6));
    Trigger("NewFile1");
    Settle();
    EXPECT_EQ("Plain text", Panel(6)) << "DEFAULTSYNTAX 6";
    ui.answer(Answer::No);  // main.c was changed
    for (int i = 0; i < 3; ++i) {
        Trigger("CloseFile1");
        Settle();
    }
    Settle();
    EXPECT_EQ((std::vector<std::string>{"", "", "", "", "", ""}), Panels());
}

// The caret panel shows where the caret is, however it got there: moves made from a dialog or a
// menu touch no key or mouse in the editor. After a final line end the caret can stand on the
// empty line below the last one, the last row.
TEST_F(EditorWindowTest, TheCaretPanelFollowsTheCaretWhereverItMoves)
{
    auto* window = form().OpenFileByName(write("a.c", "alpha\nbeta\ngamma\n"));
    auto* editor = window->SEditor1;
    const struct {
        const char* what;
        std::function<void()> move;
        const char* panel;
        const char* total;
    } steps[] = {
        {"Find with the dialog's OK", [&] {
             Trigger("Find1");
             auto& find = form().searchCommands().findDialog();
             find.FindHistoryBox->setEditText(QStringLiteral("gamma"));
             find.OKButton->click();
             find.close();
         }, "3:6", "Total: 4"},
        {"Goto Marker from the popup menu", [&] {
             window->SetMarker(2, 2, 3);
             window->findChild<QAction*>("GotoMarker2")->trigger();
         }, "2:3", "Total: 4"},
        {"Ctrl+End", [&] { QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier); }, "4:1", "Total: 4"},
        {"Page Up", [&] { QTest::keyClick(editor, Qt::Key_PageUp); }, "1:1", "Total: 4"},
        {"Ctrl+End and typing", [&] {
             QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
             QTest::keyClicks(editor, "z");
         }, "4:2", "Total: 4"},
    };
    for (const auto& step : steps) {
        step.move();
        Settle();
        EXPECT_EQ(step.panel, Panel(2)) << step.what;
        EXPECT_EQ(step.total, Panel(4)) << step.what;
    }
    Trigger("SaveFile1");
    EXPECT_EQ("alpha\nbeta\ngamma\nz", read("a.c"));
}

TEST_F(EditorWindowTest, AHintReplacesThePanelsUnlessAnInformationMessageShows)
{
    form().OpenFileByName(write("a.c", "x\n"));
    QStatusTipEvent hint(QStringLiteral("Open a file for editing"));
    QApplication::sendEvent(&form(), &hint);
    EXPECT_EQ("Open a file for editing", form().statusBar()->currentMessage().toStdString());
    EXPECT_FALSE(PanelsVisible());
    QStatusTipEvent none{QString()};
    QApplication::sendEvent(&form(), &none);
    EXPECT_TRUE(PanelsVisible());

    form().ShowStatusInfo("  Error in line 3  ", clMaroon);
    EXPECT_EQ("Error in line 3", form().statusBar()->currentMessage().toStdString());
    QApplication::sendEvent(&form(), &hint);
    EXPECT_EQ("Error in line 3", form().statusBar()->currentMessage().toStdString()) << "hints wait";
    QApplication::sendEvent(&form(), &none);
    EXPECT_FALSE(PanelsVisible());
    EXPECT_NE(std::string::npos, form().statusBar()->styleSheet().toStdString().find("rgb(128, 0, 0)"));
}

TEST_F(EditorWindowTest, AKeyAfterAnInformationMessageBringsThePanelsBackAndRemovesTheErrorLine)
{
    auto* window = form().OpenFileByName(write("a.c", Lines(10)));
    window->SetCaret(3, 1);
    window->MarkErrorLine(3);
    form().ShowStatusInfo("Error: a.c(3): bad thing", clMaroon);
    ASSERT_TRUE(form().StatusInfoShowing());
    ASSERT_FALSE(PanelsVisible());
    QTest::keyClick(window->SEditor1, Qt::Key_Right);
    Settle();
    EXPECT_FALSE(form().StatusInfoShowing());
    EXPECT_TRUE(PanelsVisible());
    EXPECT_EQ("", form().statusBar()->currentMessage().toStdString());
    EXPECT_EQ("", form().statusBar()->styleSheet().toStdString());
    EXPECT_EQ(-1, window->Document().ErrorTrack());
    EXPECT_FALSE(Memo(window).HasLineMark(11, 3));
    EXPECT_EQ("3:2", Panel(2));
}

TEST_F(EditorWindowTest, AnEmptyInformationMessageOnlyRefreshes)
{
    form().OpenFileByName(write("a.c", "x\n"));
    form().ShowStatusInfo("   ");
    EXPECT_FALSE(form().StatusInfoShowing());
    EXPECT_EQ("1:1", Panel(2));
}

TEST_F(EditorWindowTest, ThePopupMenuFollowsTheSelectionAndTheMarkers)
{
    auto* window = form().OpenFileByName(write("a.c", Lines(20)));
    auto* popup = window->PopupMenu1;
    auto item = [&](const char* name) { return window->findChild<QAction*>(name); };
    popup->aboutToShow();
    EXPECT_FALSE(item("Cut1PopupMenu")->isEnabled());
    EXPECT_FALSE(item("Copy1PopupMenu")->isEnabled());
    for (int k = 0; k <= 9; ++k)
        EXPECT_FALSE(item(("GotoMarker" + std::to_string(k)).c_str())->isEnabled()) << k;

    window->SetCaret(5, 3);
    item("ToggleMarker4")->trigger();
    window->SetCaret(15, 1);
    popup->aboutToShow();
    EXPECT_TRUE(item("GotoMarker4")->isEnabled());
    EXPECT_FALSE(item("GotoMarker3")->isEnabled());
    item("GotoMarker4")->trigger();
    EXPECT_EQ((EditorDocument::Position{5, 3}), window->GetCaret());
    EXPECT_EQ((EditorDocument::Position{5, 3}), window->GetMarker(4));

    Memo(window).SetSelection(0, 4);
    popup->aboutToShow();
    EXPECT_TRUE(item("Cut1PopupMenu")->isEnabled());
    item("Copy1PopupMenu")->trigger();
    EXPECT_EQ("line", QApplication::clipboard()->text().toStdString());
    popup->aboutToShow();
    EXPECT_TRUE(item("Paste1PopupMenu")->isEnabled());

    item("ToggleMarker4")->trigger();  // on another line: the marker moves
    item("ClearAllMarkers1")->trigger();
    EXPECT_EQ((EditorDocument::Position{-1, -1}), window->GetMarker(4));
}

// How often the question comes back is the document's business (EditorDocumentTest); here: the
// application's activation asks it for every window.
TEST_F(EditorWindowTest, TheApplicationsActivationAsksTheReloadQuestion)
{
    const auto path = write("a.c", "first\n");
    auto* window = form().OpenFileByName(path);
    write("a.c", "second\n");
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(3));
    ui.answer(Answer::Yes);
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    const RecordedBox question{MessageKind::Confirmation, "File '" + path + "' has changed. Reload?",
                               MessageButtons::YesNo};
    EXPECT_EQ(std::vector<RecordedBox>{question}, ui.boxes());
    EXPECT_EQ("second\r", Memo(window).Text());
    // After a tool has run the question comes although the date did not move; leaving the
    // application asks nothing.
    window->ForceReloadCheck();
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    ui.answer(Answer::No);
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_EQ(2u, ui.boxes().size());
}

TEST_F(EditorWindowTest, SetCaretPutsTheRowInTheMiddleOfTheWindow)
{
    auto* window = form().OpenFileByName(write("long.c", Lines(300)));
    window->SEditor1->resize(400, 20 * window->SEditor1->LineHeight() + 40);
    window->resize(window->SEditor1->size() + QSize(20, 40));
    QApplication::processEvents();
    const int visible = Memo(window).VisibleLines();
    ASSERT_GE(visible, 10);
    window->SetCaret(3, 1);
    EXPECT_EQ(0, Memo(window).FirstVisibleLine());
    window->SetCaret(100, 1);
    EXPECT_EQ(100 - visible / 2, Memo(window).FirstVisibleLine() + 1);
    Settle();
    EXPECT_EQ("Top: " + std::to_string(100 - visible / 2), Panel(5));
    EXPECT_EQ("100:1", Panel(2));
}

TEST_F(EditorWindowTest, TheEditorIsSetUpAsTheWindowDescribes)
{
    auto* window = form().OpenFileByName(write("notes.xyz", "x\n"));
    auto& memo = Memo(window);
    EXPECT_EQ(6, memo.ActiveParser()) << "no filter names .xyz: DEFAULTSYNTAX";
    for (int slot = 1; slot <= 6; ++slot)
        EXPECT_EQ(&form().parserRepository()->Parser(slot - 1), memo.Parser(slot)) << slot;
    const auto& own = memo.OwnSettings();
    EXPECT_EQ("Courier New", own.font.name);
    EXPECT_EQ(10, own.font.size);
    EXPECT_EQ("MS Sans Serif", own.gutterFont.name);
    EXPECT_EQ(80, own.rightMargin);
    EXPECT_EQ(4, own.TabDefault());
    EXPECT_EQ(clWhite, own.selTextColor);
    EXPECT_EQ(clNavy, own.selTextBack);
    EXPECT_TRUE(own.options & smoProcessDroppedFiles);
    EXPECT_FALSE(own.options & smoWordWrap);
    EXPECT_TRUE(window->SEditor1->MonoPrint());
    EXPECT_EQ(TCodeMemo::smTEXT | TCodeMemo::smRTF, window->SEditor1->ClipCopyFormats());
    EXPECT_EQ(file("notes.xyz"), memo.printTitle);
}

TEST_F(EditorWindowTest, FiltersSetInTheStoreChooseTheParser)
{
    form().editorStore()->SetFilterText("Talvik Assembly", "*.asm;*.s;*.a68;*.inc;*.xyz");
    auto* window = form().OpenFileByName(write("notes.xyz", "x\n"));
    EXPECT_EQ(1, Memo(window).ActiveParser());
}

TEST_F(EditorWindowTest, ADamagedEditorStoreStartsEmptyAndIsNotWrittenOver)
{
    shell.reset();
    fs::remove_all(file("quarry.dat"));
    fs::create_directories(file("quarry.dat"));  // a directory cannot be read as the store
    Start();
    auto* window = form().OpenFileByName(write("a.asm", "x\n"));
    EXPECT_EQ(1, Memo(window).ActiveParser()) << "default file types still apply";
    shell.reset();
    EXPECT_TRUE(fs::is_directory(file("quarry.dat")));
}

}  // namespace
}  // namespace quarry
