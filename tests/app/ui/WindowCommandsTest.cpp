// The Window menu, Close File and the "NONAME" numbering through the main window's commands.
#include "ShellFixture.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMenu>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>

namespace quarry {
namespace {

using test::RecordedBox;

class WindowCommandsTest : public test::StartedShellFixture {};

TEST_F(WindowCommandsTest, TwelveWindowsShowNineSortedItemsAndMoreWindowsActivatesTheChosenOne)
{
    const char* names[] = {"k.c", "B.c", "a.c", "L.c", "c.c", "j.c", "D.c", "i.c", "e.c", "H.c", "f.c", "G.c"};
    for (const char* name : names)
        ASSERT_NE(nullptr, form().OpenFileByName(write(name, "int x;\n")));
    ASSERT_EQ(12u, Windows().size());
    form().findChild<QMenu*>("Window1")->aboutToShow();
    const char* sorted[] = {"a.c", "B.c", "c.c", "D.c", "e.c", "f.c", "G.c", "H.c", "i.c"};
    for (int k = 1; k <= 9; ++k) {
        auto* item = form().action(QStringLiteral("WindowItem") + QString::number(k));
        EXPECT_TRUE(item->isVisible()) << k;
        EXPECT_EQ("&" + std::to_string(k) + " " + file(sorted[k - 1]), fromQt(item->text()));
        // The last one opened (G.c) is the active window.
        EXPECT_EQ(std::string(sorted[k - 1]) == "G.c", item->isChecked()) << k;
    }
    EXPECT_TRUE(form().action("MoreWindows1")->isVisible());

    Trigger("WindowItem2");
    EXPECT_EQ(file("B.c"), Active()->FileName());

    ui.pick(10);  // the eleventh entry in sorted order: k.c
    Trigger("MoreWindows1");
    ASSERT_EQ(1u, ui.picks().size());
    EXPECT_EQ(" Editor File List ", ui.picks()[0].title);
    EXPECT_EQ(12u, ui.picks()[0].items.size());
    EXPECT_EQ(file("j.c"), ui.picks()[0].items[9]);
    EXPECT_EQ(1, ui.picks()[0].preselected) << "the active window's entry";
    EXPECT_EQ(file("k.c"), Active()->FileName());
    EXPECT_EQ(file("k.c"), Windows().front()->FileName());

    ui.cancelPick();
    Trigger("MoreWindows1");
    EXPECT_EQ(file("k.c"), Active()->FileName());
}

TEST_F(WindowCommandsTest, FewWindowsHideTheUnusedItemsAndMoreWindows)
{
    form().OpenFileByName(write("one.c", ""));
    form().OpenFileByName(write("two.c", ""));
    form().FixMenus();
    EXPECT_TRUE(form().action("WindowItem2")->isVisible());
    EXPECT_FALSE(form().action("WindowItem3")->isVisible());
    EXPECT_FALSE(form().action("MoreWindows1")->isVisible());
    EXPECT_TRUE(form().action("Cascade1")->isEnabled());
}

TEST_F(WindowCommandsTest, NewFileReusesTheLowestFreeNumberAfterAClose)
{
    Trigger("NewFile1");
    Trigger("NewFile1");
    Trigger("NewFile1");
    EXPECT_EQ((std::vector<std::string>{"NONAME3", "NONAME2", "NONAME1"}), Captions());
    form().BringEditorToFront(*Windows()[1]);
    ASSERT_EQ("NONAME2", Active()->FileName());
    Trigger("CloseFile1");
    Settle();
    EXPECT_EQ(2u, Windows().size());
    Trigger("NewFile1");
    EXPECT_EQ("NONAME2", Active()->FileName());
    Trigger("NewFile1");
    EXPECT_EQ("NONAME4", Active()->FileName());
}

TEST_F(WindowCommandsTest, CloseFileAsksAboutChangesAndCancelKeepsTheWindow)
{
    auto* window = form().OpenFileByName(write("a.c", "x\n"));
    TypeInto(window, "y");
    const RecordedBox question{MessageKind::Information, file("a.c") + " has changed, do you wish to save?",
                               MessageButtons::YesNoCancel};
    ui.answer(Answer::Cancel);
    Trigger("CloseFile1");
    Settle();
    EXPECT_EQ(std::vector<RecordedBox>{question}, ui.boxes());
    ASSERT_EQ(1u, Windows().size());

    ui.answer(Answer::Yes);
    Trigger("CloseFile1");
    Settle();
    EXPECT_TRUE(Windows().empty());
    EXPECT_EQ("yx\n", read("a.c"));
    EXPECT_EQ("x\n", read("a.~c"));
    EXPECT_FALSE(form().action("CloseFile1")->isEnabled());
}

TEST_F(WindowCommandsTest, AnsweringNoDiscardsTheChanges)
{
    auto* window = form().OpenFileByName(write("a.c", "x\n"));
    TypeInto(window, "y");
    ui.answer(Answer::No);
    Trigger("CloseFile1");
    Settle();
    EXPECT_TRUE(Windows().empty());
    EXPECT_EQ("x\n", read("a.c"));
}

TEST_F(WindowCommandsTest, ASaveThatFailsWhileClosingKeepsTheWindowAndItsText)
{
    auto* window = form().OpenFileByName(write("gone/a.c", "x\n"));
    TypeInto(window, "y");
    std::filesystem::remove_all(file("gone"));
    ui.answer(Answer::Yes);
    Trigger("CloseFile1");
    Settle();
    ASSERT_EQ(1u, Windows().size());
    EXPECT_TRUE(Windows()[0]->IsModified());
    ASSERT_EQ(2u, ui.boxes().size());
    EXPECT_EQ(MessageKind::Error, ui.boxes()[1].kind);
    EXPECT_NE(std::string::npos, ui.boxes()[1].text.find("No such file or directory")) << ui.boxes()[1].text;
}

TEST_F(WindowCommandsTest, ExitAsksEveryWindowBeforeClosingAnyAndACancelKeepsThemAll)
{
    for (const char* name : {"a.c", "b.c"})
        TypeInto(form().OpenFileByName(write(name, "x\n")), "y");
    // No to the first window, Cancel to the second: nothing closes, nothing is lost.
    ui.answer(Answer::No);
    ui.answer(Answer::Cancel);
    form().close();
    Settle();
    EXPECT_TRUE(form().isVisible());
    ASSERT_EQ(2u, Windows().size());
    for (auto* window : Windows())
        EXPECT_TRUE(window->IsModified());
    EXPECT_EQ(2u, ui.boxes().size());
    // Asked again, No to both: the program ends without a further question.
    ui.clearRecords();
    ui.answer(Answer::No);
    ui.answer(Answer::No);
    form().close();
    Settle();
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(2u, ui.boxes().size());
    EXPECT_EQ("x\n", read("a.c"));
}

TEST_F(WindowCommandsTest, CtrlDClosesTheActiveWindowAndDoesNothingWithoutOne)
{
    Press(Qt::Key_D, Qt::ControlModifier);
    EXPECT_TRUE(ui.boxes().empty());
    form().OpenFileByName(write("a.c", "x\n"));
    form().OpenFileByName(write("b.c", "x\n"));
    Active()->SEditor1->setFocus();
    Press(Qt::Key_D, Qt::ControlModifier);
    Settle();
    EXPECT_EQ((std::vector<std::string>{file("a.c")}), Captions());
    EXPECT_EQ("x\n", read("b.c")) << "Ctrl+D reached no editor";
    Press(Qt::Key_F4, Qt::ControlModifier);
    Settle();
    EXPECT_TRUE(Windows().empty());
}

TEST_F(WindowCommandsTest, MinimizeAllKeepsTheNormalBoundsAndCascadeAndTileArrange)
{
    auto* a = form().OpenFileByName(write("a.c", ""));
    auto* b = form().OpenFileByName(write("b.c", ""));
    a->SetBounds({10, 20, 300, 200});
    b->SetBounds({40, 50, 250, 150});
    Trigger("MinimizeAll1");
    EXPECT_TRUE(a->isMinimized());
    EXPECT_TRUE(b->isMinimized());
    EXPECT_EQ(WindowState::Minimized, a->State());
    EXPECT_EQ((WindowBounds{10, 20, 300, 200}), a->RestoredBounds());
    EXPECT_EQ((WindowBounds{40, 50, 250, 150}), b->RestoredBounds());
    Trigger("ArrangeIcons1");
    EXPECT_EQ(a->y(), b->y()) << "icons in one row";
    EXPECT_NE(a->x(), b->x());
    a->showNormal();
    b->showNormal();
    Trigger("Tile1");
    EXPECT_FALSE(a->geometry().intersects(b->geometry()));
    Trigger("Cascade1");
    EXPECT_NE(a->pos(), b->pos());
}

TEST_F(WindowCommandsTest, AMaximisedWindowRemembersItsNormalBounds)
{
    auto* a = form().OpenFileByName(write("a.c", ""));
    a->SetBounds({15, 25, 320, 210});
    a->SetState(WindowState::Maximized);
    QApplication::processEvents();
    EXPECT_EQ(WindowState::Maximized, a->State());
    EXPECT_EQ((WindowBounds{15, 25, 320, 210}), a->RestoredBounds());
    a->SetState(WindowState::Normal);
    QApplication::processEvents();
    EXPECT_EQ((WindowBounds{15, 25, 320, 210}), a->Bounds());
}

// The window system appends an application display name to every caption it shows; with none
// set it shows the main window's caption alone. (Unset, the display name follows the
// application name, which is how the probe tells.)
TEST_F(WindowCommandsTest, TheMainWindowCaptionIsShownAlone)
{
    const auto name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    const auto displayName = QGuiApplication::applicationDisplayName();
    QCoreApplication::setApplicationName(name);
    EXPECT_EQ("probe", displayName.toStdString());
    EXPECT_EQ("Quarry - [No Project]", fromQt(form().windowTitle()));
}

// Tiled windows of one deep directory: every caption keeps its file name by leaving out the
// middle of the path, and the window's caption itself stays the full name.
TEST_F(WindowCommandsTest, TiledCaptionsKeepTheirFileNamesVisible)
{
    const std::string deep = "a-rather-long-directory-name/another-long-directory-name/and-one-more/";
    const std::vector<std::string> names = {"alpha.c", "bravo.c", "charlie.c", "delta.c"};
    for (const auto& name : names)
        form().OpenFileByName(write(deep + name, ""));
    Trigger("Tile1");
    Settle();
    auto* area = form().findChild<QMdiArea*>("MdiArea");
    const auto pdf = dir.file("tiled.pdf");
    {
        QPdfWriter writer(QString::fromStdString(pdf));
        writer.setResolution(96);
        QPainter painter(&writer);
        area->render(&painter);
    }
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), QString::fromStdString(pdf), QStringLiteral("-")});
    ASSERT_TRUE(tool.waitForFinished(60000));
    const auto shown = QString::fromUtf8(tool.readAllStandardOutput()).toStdString();
    for (const auto& name : names)
        EXPECT_NE(std::string::npos, shown.find(name)) << name << " in\n" << shown;
    for (auto* window : Windows())
        EXPECT_EQ(window->FileName(), fromQt(window->windowTitle()));
}

}  // namespace
}  // namespace quarry
