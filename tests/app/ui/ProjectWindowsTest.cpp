// Projects and the Search menu in the running main window: its actions driven as a user would,
// the scripted UserInterface answering, real editor windows, real files.
#include "app/ui/EditorWindows.h"
#include "app/ui/ProjectTree.h"
#include "app/ui/ProjectUi.h"
#include "app/ui/QuarryShell.h"
#include "app/ui/TMainForm.h"
#include "app/ui/TRemProjBox.h"
#include "editor/ui/TCodeMemo.h"
#include "editorwin/ui/SearchCommands.h"
#include "editorwin/ui/TMDIChild.h"
#include "highlight/PersistentEditorStore.h"
#include "platform/ProfileFile.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"
#include "support/ui/EventWait.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>

namespace quarry {
namespace {

using test::RecordedBox;
using test::ScriptedUserInterface;
using test::TempDir;
namespace fs = std::filesystem;

class ProjectWindowsTest : public ::testing::Test {
protected:
    ProjectWindowsTest()
    {
        fs::create_directories(dir.path() / "run");
        fs::permissions(dir.path() / "run", fs::perms::owner_all);
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir.file("run")));
        fs::create_directories(dir.path() / "home");
        fs::create_directories(dir.path() / "src");
    }
    ~ProjectWindowsTest() override
    {
        shell.reset();
        qunsetenv("XDG_RUNTIME_DIR");
    }

    void start(const std::string& ini = "")
    {
        dir.write("home/Quarry.ini", "[PROJECT]\nOPEN=0\nSOURCEPATH=" + dir.file("src") + "\nPROJECTPATH=" +
                                         dir.file("src") + "\n[GENERALEXECUTABLE]\nASKEXITAPPLICATION=0\n" + ini);
        shell = std::make_unique<QuarryShell>(ui, QuarryShell::Options{dir.file("home"), dir.file("home/quarry"), {}});
        shell->start();
        ASSERT_TRUE(test::runEventsUntil([&] { return shell->mainForm().startupDone(); }));
    }
    TMainForm& form() { return shell->mainForm(); }
    EditorWindows& windows() { return form().editorWindows(); }
    void trigger(const char* action) { form().action(QString::fromLatin1(action))->trigger(); }
    // A source file with some rows, by full name.
    std::string source(const std::string& name, int rows = 40)
    {
        std::string text;
        for (int i = 1; i <= rows; ++i)
            text += "line " + std::to_string(i) + " of " + name + "\n";
        return dir.write("src/" + name, text);
    }
    std::vector<std::string> openNames()
    {
        std::vector<std::string> names;
        for (auto* window : windows().InOrder())
            names.push_back(window->FileName());
        return names;
    }
    // Saves the open project under a name chosen in the Save As dialog.
    void saveProjectAs(const std::string& name)
    {
        ui.chooseFile(name);
        trigger("SaveProjectAs1");
    }
    void openProject(const std::string& name)
    {
        ui.chooseFile(name);
        trigger("OpenProject1");
    }
    QTreeWidgetItem* treeRoot() { return form().findChild<QTreeWidget*>("ProjectTree")->topLevelItem(0); }
    QStringList treeChildren()
    {
        QStringList out;
        for (int i = 0; i < treeRoot()->childCount(); ++i)
            out << treeRoot()->child(i)->text(0);
        return out;
    }

    TempDir dir;
    ScriptedUserInterface ui;
    std::unique_ptr<QuarryShell> shell;
};

TEST_F(ProjectWindowsTest, ThirtyWindowsSaveAndReopenAsTwentySixWithFileAInFront)
{
    start();
    for (int i = 1; i <= 30; ++i)
        windows().OpenByName(source("f" + std::to_string(i) + ".c"));
    const auto before = openNames();
    ASSERT_EQ(30u, before.size());
    const auto project = dir.file("src/big.ppf");
    saveProjectAs(project);
    ProfileFile written(project);
    EXPECT_EQ(before[0], written.readString("FILEA", "FILENAME", ""));
    EXPECT_EQ(before[25], written.readString("FILEZ", "FILENAME", ""));

    ui.answer(Answer::No);  // do not save the project again
    trigger("CloseNewProject1");
    ASSERT_TRUE(windows().InOrder().empty());
    EXPECT_EQ("Quarry - [No Project]", form().windowTitle().toStdString());

    QElapsedTimer timer;
    timer.start();
    openProject(project);
    const auto elapsed = timer.elapsed();
    std::cout << "[ measure  ] opening a project of 26 windows: " << elapsed << " ms\n";
    const auto after = openNames();
    ASSERT_EQ(26u, after.size());
    EXPECT_EQ(before[0], after[0]);
    EXPECT_EQ(std::vector<std::string>(before.begin(), before.begin() + 26), after);
    EXPECT_EQ(before[0], windows().Active()->FileName());
    EXPECT_EQ("Quarry - [big.ppf]", form().windowTitle().toStdString());
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Confirmation, "Do you wish to save project big.ppf?",
                                         MessageButtons::YesNoCancel}}),
              ui.boxes());
}

TEST_F(ProjectWindowsTest, TwoWindowsAfterFiveLeaveNoOldSections)
{
    start();
    for (int i = 1; i <= 5; ++i)
        windows().OpenByName(source("f" + std::to_string(i) + ".c"));
    const auto project = dir.file("src/p.ppf");
    saveProjectAs(project);
    ASSERT_TRUE(ProfileFile(project).sectionExists("FILEE"));
    for (int i = 0; i < 3; ++i)
        windows().InOrder().front()->close();
    ASSERT_TRUE(test::runEventsUntil([&] { return windows().InOrder().size() == 2; }));
    trigger("SaveProject1");
    const ProfileFile written(project);
    for (const char* gone : {"FILEC", "FILED", "FILEE"})
        EXPECT_FALSE(written.sectionExists(gone)) << gone;
    EXPECT_TRUE(written.sectionExists("FILEB"));
}

TEST_F(ProjectWindowsTest, SectionsWithoutPlacesOpenAtTheDefaultPlaces)
{
    const auto a = source("a.c");
    const auto b = source("b.c");
    dir.write("src/p.ppf", "[FILEA]\nFILENAME=" + a + "\n[FILEB]\nFILENAME=" + b + "\n");
    start();
    openProject(dir.file("src/p.ppf"));
    ASSERT_EQ(2u, windows().InOrder().size());
    EXPECT_EQ((WindowBounds{30, 20, 200, 100}), windows().Find(a)->RestoredBounds());
    EXPECT_EQ((WindowBounds{40, 30, 200, 100}), windows().Find(b)->RestoredBounds());
}

TEST_F(ProjectWindowsTest, CaretMarkersAndStatesComeBack)
{
    start();
    auto* a = windows().OpenByName(source("a.c"));
    a->SetBounds({15, 25, 320, 210});
    auto* b = windows().OpenByName(source("b.c"));
    b->SetMarker(3, 12, 4);
    b->SetCaret(20, 5);
    b->SetState(WindowState::Maximized);
    const auto project = dir.file("src/p.ppf");
    saveProjectAs(project);
    const ProfileFile written(project);
    EXPECT_EQ(12, written.readInteger("FILEA", "MARKER3ROW", -1));
    EXPECT_EQ(4, written.readInteger("FILEA", "MARKER3COLUMN", -1));
    EXPECT_EQ(2, written.readInteger("FILEA", "STATE", -1));
    EXPECT_EQ(320, written.readInteger("FILEB", "WIDTH", -1));

    ui.answer(Answer::No);
    trigger("CloseNewProject1");
    openProject(project);
    auto* b2 = windows().Find(dir.file("src/b.c"));
    auto* a2 = windows().Find(dir.file("src/a.c"));
    ASSERT_TRUE(a2 && b2);
    EXPECT_EQ((EditorDocument::Position{12, 4}), b2->GetMarker(3));
    EXPECT_EQ((EditorDocument::Position{20, 5}), b2->GetCaret());
    EXPECT_EQ(WindowState::Maximized, b2->State());
    EXPECT_EQ((WindowBounds{15, 25, 320, 210}), a2->RestoredBounds());
    EXPECT_EQ(b2, windows().Active());
}

TEST_F(ProjectWindowsTest, AddingTheSameFileTwiceKeepsOneEntryInTheTree)
{
    start();
    const auto a = source("a.c");
    saveProjectAs(dir.file("src/p.ppf"));
    ui.chooseFiles({a});
    trigger("AddFilestoProject1");
    ui.chooseFiles({a, source("b.c")});
    form().toolButton("AddtoProjectBtn")->click();
    EXPECT_EQ((QStringList{"a.c", "b.c"}), treeChildren());
    EXPECT_EQ((std::vector<std::string>{a, dir.file("src/b.c")}), shell->settings().project.files);
}

TEST_F(ProjectWindowsTest, RemoveDialogTakesAFileOutOfTheProject)
{
    start();
    saveProjectAs(dir.file("src/p.ppf"));
    ui.chooseFiles({source("a.c"), source("b.c"), source("c.c")});
    trigger("AddFilestoProject1");
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<TRemProjBox*>(QApplication::activeModalWidget());
        ASSERT_NE(nullptr, box);
        box->fileList()->setCurrentItem(box->fileList()->topLevelItem(1));
        box->removeButton()->click();
    });
    trigger("RemoveFilefromProject1");
    EXPECT_EQ((QStringList{"a.c", "c.c"}), treeChildren());
}

TEST_F(ProjectWindowsTest, TreeClicksOpenFilesAndTheRootOpensAProject)
{
    start();
    auto* tree = form().findChild<QTreeWidget*>("ProjectTree");
    ui.cancelFileDialog();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(treeRoot()).center());
    ASSERT_EQ(1u, ui.fileDialogs().size());
    EXPECT_EQ("Specify project file to open", ui.fileDialogs()[0].title);

    saveProjectAs(dir.file("src/p.ppf"));
    const auto b = source("b.c");
    ui.chooseFiles({source("a.c"), b});
    trigger("AddFilestoProject1");
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(treeRoot()->child(1)).center());
    EXPECT_EQ((std::vector<std::string>{b}), openNames());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(treeRoot()).center());
    EXPECT_EQ(3u, ui.fileDialogs().size());  // a named open project: the root does nothing
}

TEST_F(ProjectWindowsTest, BareProjectNameMakesSaveProjectAsk)
{
    start();
    shell->settings().project.name = "demo.ppf";
    shell->settings().project.open = true;
    form().updateProjectState();
    ui.cancelFileDialog();
    trigger("SaveProject1");
    ASSERT_EQ(1u, ui.fileDialogs().size());
    EXPECT_EQ("Specify project file to save", ui.fileDialogs()[0].title);
    EXPECT_TRUE(ui.fileDialogWasSave()[0]);
}

TEST_F(ProjectWindowsTest, MissingProjectIsCreatedOnYes)
{
    start();
    const auto project = dir.file("src/new.ppf");
    ui.chooseFile(project);
    ui.answer(Answer::Yes);
    form().toolButton("OpenProjectBtn")->click();
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Information,
                                         "The project " + project + " does not exist. Do you wish to create it?",
                                         MessageButtons::YesNo}}),
              ui.boxes());
    EXPECT_TRUE(fs::exists(project));
    EXPECT_EQ("Quarry - [new.ppf]", form().windowTitle().toStdString());
    EXPECT_TRUE(form().action("CloseNewProject1")->isEnabled());
}

TEST_F(ProjectWindowsTest, LastProjectIsReopenedAtStartUp)
{
    const auto a = source("a.c");
    const auto project = dir.write("src/last.ppf", "[PROJECT]\nNAME=" + dir.file("src/last.ppf") +
                                                       "\nOPEN=1\n[PROJECTFILES]\nNUMFILES=1\nFILE1=" + a +
                                                       "\n[FILEA]\nFILENAME=" + a + "\nEDITORROW=30\n");
    start("");
    // The environment file names the last project as open.
    shell.reset();
    dir.write("home/Quarry.ini", "[PROJECT]\nNAME=" + project + "\nOPEN=1\n[GENERALEXECUTABLE]\nASKEXITAPPLICATION=0\n");
    shell = std::make_unique<QuarryShell>(ui, QuarryShell::Options{dir.file("home"), dir.file("home/quarry"), {}});
    shell->start();
    ASSERT_TRUE(test::runEventsUntil([&] { return shell->mainForm().startupDone(); }));
    EXPECT_EQ((std::vector<std::string>{a}), openNames());
    EXPECT_EQ(30, windows().Active()->GetCaret().row);
    EXPECT_EQ((QStringList{"a.c"}), treeChildren());
    EXPECT_EQ("Quarry - [last.ppf]", form().windowTitle().toStdString());
}

TEST_F(ProjectWindowsTest, DamagedProjectFileOpensWhatItCan)
{
    const auto b = source("b.c");
    dir.write("src/bad.ppf", std::string("\x01\xff garbage\n[PROJECTFILES\nNUMFILES=zz\n[FILEA]\nFILENAME=") +
                                 dir.file("src/missing.c") + "\nSTATE=9\n[FILEB]\nFILENAME=" + b +
                                 "\nWIDTH=-40\nEDITORROW=99999\nMARKER2ROW=-7\n[FILEC]\n=\n[FILEC]\nFILENAME=\n");
    start();
    openProject(dir.file("src/bad.ppf"));
    EXPECT_EQ((std::vector<std::string>{b}), openNames());
    EXPECT_EQ(40, windows().Active()->GetCaret().row);  // kept inside the text
    EXPECT_EQ(200, windows().Active()->RestoredBounds().width);
    EXPECT_EQ(-1, windows().Active()->GetMarker(2).row);
    EXPECT_TRUE(ui.boxes().empty());
    EXPECT_EQ("Quarry - [bad.ppf]", form().windowTitle().toStdString());
}

TEST_F(ProjectWindowsTest, ExitSavesTheProjectWithItsWindowsWhenSetTo)
{
    start("EXITAUTOSAVEPROJECT=1\n");
    const auto project = dir.file("src/p.ppf");
    saveProjectAs(project);
    windows().OpenByName(source("late.c"));
    form().close();
    EXPECT_FALSE(form().isVisible());
    const ProfileFile written(project);
    EXPECT_EQ(dir.file("src/late.c"), written.readString("FILEA", "FILENAME", ""));
    EXPECT_EQ(1, written.readInteger("PROJECT", "OPEN", 0));
    EXPECT_EQ(project, ProfileFile(dir.file("home/Quarry.ini")).readString("PROJECT", "NAME", ""));
}

TEST_F(ProjectWindowsTest, ReplaceAllFromTheMenuIsUndoneInOneStep)
{
    start();
    auto* window = windows().OpenByName(dir.write("src/r.txt", "one fish two fish red fish"));
    trigger("Replace1");
    auto& dialog = form().findChild<SearchCommands*>()->replaceDialog();
    ASSERT_TRUE(dialog.isVisible());
    dialog.FindHistoryBox->setEditText("fish");
    dialog.ReplHistoryBox->setEditText("cat");
    dialog.ReplaceAllButton->click();
    EXPECT_EQ("one cat two cat red cat", window->SEditor1->Memo().Text());
    trigger("Undo1");
    EXPECT_EQ("one fish two fish red fish", window->SEditor1->Memo().Text());
    dialog.close();
}

TEST_F(ProjectWindowsTest, FindNextAndGoToLineFromTheMenu)
{
    start();
    auto* window = windows().OpenByName(source("g.c", 100));
    EXPECT_FALSE(form().action("FindNext1")->isEnabled());
    trigger("Find1");
    auto& dialog = form().findChild<SearchCommands*>()->findDialog();
    dialog.FindHistoryBox->setEditText("of g.c");
    dialog.OKButton->click();
    dialog.close();
    EXPECT_TRUE(form().action("FindNext1")->isEnabled());
    trigger("FindNext1");
    EXPECT_EQ(2, window->GetCaret().row);
    ui.enterText("75");
    trigger("GotoLine1");
    EXPECT_EQ((EditorDocument::Position{75, 1}), window->GetCaret());
    EXPECT_EQ("Enter Line Number (1 to 100)", ui.queries().at(0).prompt);
}

}  // namespace
}  // namespace quarry
