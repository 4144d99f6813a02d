// Projects and the Search menu in the running main window: its actions driven as a user would,
// the scripted UserInterface answering, real editor windows, real files.
#include "ShellFixture.h"

#include "app/ui/ProjectTree.h"
#include "app/ui/ProjectUi.h"
#include "app/ui/TRemProjBox.h"
#include "editorwin/ui/SearchCommands.h"
#include "platform/ProfileFile.h"

#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace quarry {
namespace {

using test::RecordedBox;
namespace fs = std::filesystem;

class ProjectWindowsTest : public test::ShellFixture {
protected:
    EditorWindows& windows() { return form().editorWindows(); }
    // A source file with some rows, by full name.
    std::string source(const std::string& name, int rows = 40)
    {
        std::string text;
        for (int i = 1; i <= rows; ++i)
            text += "line " + std::to_string(i) + " of " + name + "\n";
        return write(name, text);
    }
    std::vector<std::string> openNames()
    {
        std::vector<std::string> names;
        for (auto* window : windows().InOrder())
            names.push_back(window->FileName());
        return names;
    }
    void saveProjectAs(const std::string& name)
    {
        ui.chooseFile(name);
        Trigger("SaveProjectAs1");
    }
    void openProject(const std::string& name)
    {
        ui.chooseFile(name);
        Trigger("OpenProject1");
    }
    std::string title() { return form().windowTitle().toStdString(); }
    QTreeWidget* tree() { return form().findChild<QTreeWidget*>("ProjectTree"); }
    void clickInTree(QTreeWidgetItem* item)
    {
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(item).center());
    }
    QStringList treeChildren()
    {
        QStringList out;
        for (int i = 0; i < tree()->topLevelItem(0)->childCount(); ++i)
            out << tree()->topLevelItem(0)->child(i)->text(0);
        return out;
    }
};

TEST_F(ProjectWindowsTest, ThirtyWindowsSaveAndReopenAsTwentySixWithFileAInFront)
{
    Start();
    for (int i = 1; i <= 30; ++i)
        windows().OpenByName(source("f" + std::to_string(i) + ".c"));
    const auto before = openNames();
    ASSERT_EQ(30u, before.size());
    const auto project = file("big.ppf");
    saveProjectAs(project);
    ProfileFile written(project);
    EXPECT_EQ(before[0], written.readString("FILEA", "FILENAME", ""));
    EXPECT_EQ(before[25], written.readString("FILEZ", "FILENAME", ""));

    ui.answer(Answer::No);  // do not save the project again
    Trigger("CloseNewProject1");
    ASSERT_TRUE(windows().InOrder().empty());
    EXPECT_EQ("Quarry - [No Project]", title());

    openProject(project);
    const auto after = openNames();
    ASSERT_EQ(26u, after.size());
    EXPECT_EQ(before[0], after[0]);
    EXPECT_EQ(std::vector<std::string>(before.begin(), before.begin() + 26), after);
    EXPECT_EQ(before[0], windows().Active()->FileName());
    EXPECT_EQ("Quarry - [big.ppf]", title());
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Confirmation, "Do you wish to save project big.ppf?",
                                         MessageButtons::YesNoCancel}}),
              ui.boxes());
}

TEST_F(ProjectWindowsTest, TwoWindowsAfterFiveLeaveNoOldSections)
{
    Start();
    for (int i = 1; i <= 5; ++i)
        windows().OpenByName(source("f" + std::to_string(i) + ".c"));
    const auto project = file("p.ppf");
    saveProjectAs(project);
    ASSERT_TRUE(ProfileFile(project).sectionExists("FILEE"));
    for (int i = 0; i < 3; ++i)
        windows().InOrder().front()->close();
    ASSERT_TRUE(test::runEventsUntil([&] { return windows().InOrder().size() == 2; }));
    Trigger("SaveProject1");
    const ProfileFile written(project);
    for (const char* gone : {"FILEC", "FILED", "FILEE"})
        EXPECT_FALSE(written.sectionExists(gone)) << gone;
    EXPECT_TRUE(written.sectionExists("FILEB"));
}

TEST_F(ProjectWindowsTest, SectionsWithoutPlacesOpenAtTheDefaultPlaces)
{
    const auto a = source("a.c");
    const auto b = source("b.c");
    write("p.ppf", "[FILEA]\nFILENAME=" + a + "\n[FILEB]\nFILENAME=" + b + "\n");
    Start();
    openProject(file("p.ppf"));
    ASSERT_EQ(2u, windows().InOrder().size());
    EXPECT_EQ((WindowBounds{30, 20, 200, 100}), windows().Find(a)->RestoredBounds());
    EXPECT_EQ((WindowBounds{40, 30, 200, 100}), windows().Find(b)->RestoredBounds());
}

TEST_F(ProjectWindowsTest, CaretMarkersAndStatesComeBack)
{
    Start();
    auto* a = windows().OpenByName(source("a.c"));
    a->SetBounds({15, 25, 320, 210});
    auto* b = windows().OpenByName(source("b.c"));
    b->SetMarker(3, 12, 4);
    b->SetCaret(20, 5);
    b->SetState(WindowState::Maximized);
    const auto project = file("p.ppf");
    saveProjectAs(project);
    const ProfileFile written(project);
    EXPECT_EQ(12, written.readInteger("FILEA", "MARKER3ROW", -1));
    EXPECT_EQ(4, written.readInteger("FILEA", "MARKER3COLUMN", -1));
    EXPECT_EQ(2, written.readInteger("FILEA", "STATE", -1));
    EXPECT_EQ(320, written.readInteger("FILEB", "WIDTH", -1));

    ui.answer(Answer::No);
    Trigger("CloseNewProject1");
    openProject(project);
    auto* b2 = windows().Find(file("b.c"));
    auto* a2 = windows().Find(file("a.c"));
    ASSERT_TRUE(a2 && b2);
    EXPECT_EQ((EditorDocument::Position{12, 4}), b2->GetMarker(3));
    EXPECT_EQ((EditorDocument::Position{20, 5}), b2->GetCaret());
    EXPECT_EQ(WindowState::Maximized, b2->State());
    EXPECT_EQ((WindowBounds{15, 25, 320, 210}), a2->RestoredBounds());
    EXPECT_EQ(b2, windows().Active());
}

TEST_F(ProjectWindowsTest, AddingTheSameFileTwiceKeepsOneEntryInTheTree)
{
    Start();
    const auto a = source("a.c");
    saveProjectAs(file("p.ppf"));
    ui.chooseFiles({a});
    Trigger("AddFilestoProject1");
    ui.chooseFiles({a, source("b.c")});
    form().toolButton("AddtoProjectBtn")->click();
    EXPECT_EQ((QStringList{"a.c", "b.c"}), treeChildren());
    EXPECT_EQ((std::vector<std::string>{a, file("b.c")}), shell->settings().project.files);
}

TEST_F(ProjectWindowsTest, RemoveDialogTakesAFileOutOfTheProject)
{
    Start();
    saveProjectAs(file("p.ppf"));
    ui.chooseFiles({source("a.c"), source("b.c"), source("c.c")});
    Trigger("AddFilestoProject1");
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<TRemProjBox*>(QApplication::activeModalWidget());
        ASSERT_NE(nullptr, box);
        box->fileList()->setCurrentItem(box->fileList()->topLevelItem(1));
        box->removeButton()->click();
    });
    Trigger("RemoveFilefromProject1");
    EXPECT_EQ((QStringList{"a.c", "c.c"}), treeChildren());
}

TEST_F(ProjectWindowsTest, TreeClicksOpenFilesAndTheRootOpensAProject)
{
    Start();
    ui.cancelFileDialog();
    clickInTree(tree()->topLevelItem(0));
    ASSERT_EQ(1u, ui.fileDialogs().size());
    EXPECT_EQ("Specify project file to open", ui.fileDialogs()[0].title);

    saveProjectAs(file("p.ppf"));
    const auto b = source("b.c");
    ui.chooseFiles({source("a.c"), b});
    Trigger("AddFilestoProject1");
    clickInTree(tree()->topLevelItem(0)->child(1));
    EXPECT_EQ((std::vector<std::string>{b}), openNames());
    clickInTree(tree()->topLevelItem(0));
    EXPECT_EQ(3u, ui.fileDialogs().size());  // a named open project: the root does nothing
}

TEST_F(ProjectWindowsTest, MissingProjectIsCreatedOnYes)
{
    Start();
    const auto project = file("new.ppf");
    ui.chooseFile(project);
    ui.answer(Answer::Yes);
    form().toolButton("OpenProjectBtn")->click();
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Information,
                                         "The project " + project + " does not exist. Do you wish to create it?",
                                         MessageButtons::YesNo}}),
              ui.boxes());
    EXPECT_TRUE(fs::exists(project));
    EXPECT_EQ("Quarry - [new.ppf]", title());
    EXPECT_TRUE(form().action("CloseNewProject1")->isEnabled());
}

TEST_F(ProjectWindowsTest, LastProjectIsReopenedAtStartUp)
{
    const auto a = source("a.c");
    const auto project = write("last.ppf", "[PROJECT]\nNAME=" + file("last.ppf") + "\nOPEN=1\n[PROJECTFILES]\nNUMFILES=1\nFILE1=" +
                                               a + "\n[FILEA]\nFILENAME=" + a + "\nEDITORROW=30\n");
    // The environment file names the last project as open.
    StartWithSettings("[PROJECT]\nNAME=" + project + "\nOPEN=1\n[GENERALEXECUTABLE]\nASKEXITAPPLICATION=0\n");
    EXPECT_EQ((std::vector<std::string>{a}), openNames());
    EXPECT_EQ(30, windows().Active()->GetCaret().row);
    EXPECT_EQ((QStringList{"a.c"}), treeChildren());
    EXPECT_EQ("Quarry - [last.ppf]", title());
}

TEST_F(ProjectWindowsTest, DamagedProjectFileOpensWhatItCan)
{
    const auto b = source("b.c");
    write("bad.ppf", std::string("\x01\xff garbage\n[PROJECTFILES\nNUMFILES=zz\n[FILEA]\nFILENAME=") +
                                 file("missing.c") + "\nSTATE=9\n[FILEB]\nFILENAME=" + b +
                                 "\nWIDTH=-40\nEDITORROW=99999\nMARKER2ROW=-7\n[FILEC]\n=\n[FILEC]\nFILENAME=\n");
    Start();
    openProject(file("bad.ppf"));
    EXPECT_EQ((std::vector<std::string>{b}), openNames());
    EXPECT_EQ(41, windows().Active()->GetCaret().row);  // kept inside the text: the row after its last line end
    EXPECT_EQ(200, windows().Active()->RestoredBounds().width);
    EXPECT_EQ(-1, windows().Active()->GetMarker(2).row);
    EXPECT_TRUE(ui.boxes().empty());
    EXPECT_EQ("Quarry - [bad.ppf]", title());
}

TEST_F(ProjectWindowsTest, ExitSavesTheProjectWithItsWindowsWhenSetTo)
{
    Start();
    form().settings().general.exitAutoSaveProject = true;
    const auto project = file("p.ppf");
    saveProjectAs(project);
    windows().OpenByName(source("late.c"));
    form().close();
    EXPECT_FALSE(form().isVisible());
    const ProfileFile written(project);
    EXPECT_EQ(file("late.c"), written.readString("FILEA", "FILENAME", ""));
    EXPECT_EQ(1, written.readInteger("PROJECT", "OPEN", 0));
    EXPECT_EQ(project, ProfileFile(file("Quarry.ini")).readString("PROJECT", "NAME", ""));
}

TEST_F(ProjectWindowsTest, ReplaceAllFromTheMenuIsUndoneInOneStep)
{
    Start();
    auto* window = windows().OpenByName(write("r.txt", "one fish two fish red fish"));
    Trigger("Replace1");
    auto& dialog = form().findChild<SearchCommands*>()->replaceDialog();
    ASSERT_TRUE(dialog.isVisible());
    dialog.FindHistoryBox->setEditText("fish");
    dialog.ReplHistoryBox->setEditText("cat");
    dialog.ReplaceAllButton->click();
    EXPECT_EQ("one cat two cat red cat", window->SEditor1->Memo().Text());
    Trigger("Undo1");
    EXPECT_EQ("one fish two fish red fish", window->SEditor1->Memo().Text());
    dialog.close();
}

TEST_F(ProjectWindowsTest, FindNextAndGoToLineFromTheMenu)
{
    Start();
    auto* window = windows().OpenByName(source("g.c", 100));
    EXPECT_FALSE(form().action("FindNext1")->isEnabled());
    Trigger("Find1");
    auto& dialog = form().findChild<SearchCommands*>()->findDialog();
    dialog.FindHistoryBox->setEditText("of g.c");
    dialog.OKButton->click();
    dialog.close();
    EXPECT_TRUE(form().action("FindNext1")->isEnabled());
    Trigger("FindNext1");
    EXPECT_EQ(2, window->GetCaret().row);
    ui.enterText("75");
    Trigger("GotoLine1");
    EXPECT_EQ((EditorDocument::Position{75, 1}), window->GetCaret());
    EXPECT_EQ("Enter Line Number (1 to 101)", ui.queries().at(0).prompt);  // the empty row after the last line end
}

}  // namespace
}  // namespace quarry
