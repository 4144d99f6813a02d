// The File menu through the main window: Open (several files, missing ones, what is not a file),
// Save with backups, Save As with the file type's extension, read-only files, Save all, the save
// question before tools, and the Re-open list (also with entries whose file is gone).
#include "ShellFixture.h"

#include "platform/PersistentEditorStore.h"

#include <QMenu>

#include <optional>

#include <sys/stat.h>

namespace quarry {
namespace {

using test::RecordedBox;
namespace fs = std::filesystem;

class FileCommandsTest : public test::StartedShellFixture {};

TEST_F(FileCommandsTest, OpeningThreeFilesOfWhichOneIsOpenMakesTwoWindowsAndBringsTheOpenOneForward)
{
    const auto a = write("a.c", "a\n"), b = write("b.asm", "b\n"), c = write("c.txt", "c\n");
    form().OpenFileByName(b);
    form().OpenFileByName(write("other.c", ""));
    ui.chooseFiles({a, b, c}, 2);
    Trigger("OpenFile1");
    ASSERT_EQ(1u, ui.fileDialogs().size());
    const auto& request = ui.fileDialogs()[0];
    EXPECT_EQ("Open File", request.title);
    EXPECT_TRUE(request.multiSelect);
    EXPECT_EQ(home(), request.initialDirectory);
    EXPECT_EQ(1, request.filterIndex);
    EXPECT_EQ("Assembly Files (*.asm)|*.asm;*.s|C Files (*.c)|*.c;*.h|All Files (*.*)|*.*", request.filter);
    EXPECT_EQ("$_~", request.defaultExtension);
    EXPECT_EQ((std::vector<std::string>{c, b, a, file("other.c")}), Captions());
    EXPECT_TRUE(ui.boxes().empty());
    EXPECT_EQ(2, form().settings().editor.fileFilterIndex) << "the dialog remembers the file type";
}

TEST_F(FileCommandsTest, OpeningAMissingFileAsksToCreateIt)
{
    const auto missing = file("new.asm");
    ui.chooseFile(missing);
    ui.answer(Answer::No);
    Trigger("OpenFile1");
    EXPECT_TRUE(Windows().empty());
    ui.chooseFile(missing);
    ui.answer(Answer::Yes);
    Trigger("OpenFile1");
    const RecordedBox question{MessageKind::Information,
                               "The file " + missing + " does not exist. Do you wish to create it?",
                               MessageButtons::YesNo};
    EXPECT_EQ((std::vector<RecordedBox>{question, question}), ui.boxes());
    ASSERT_EQ(1u, Windows().size());
    EXPECT_EQ(missing, Active()->FileName());
    EXPECT_EQ("", Memo(Active()).Text());
    EXPECT_FALSE(fs::exists(missing)) << "nothing is written before a save";
}

// What is not a file is refused before the create question: reading a pipe or a device would
// never end, and "creating" a directory's name would lose the directory's place.
TEST_F(FileCommandsTest, OpenRefusesDirectoriesDevicesAndPipes)
{
    fs::create_directories(file("folder.asm"));
    ASSERT_EQ(0, ::mkfifo(file("pipe.asm").c_str(), 0600));
    const std::string device = " - It is a device, pipe or socket, not a file.";
    const struct {
        std::string name;
        std::string reason;
    } cases[] = {{file("folder.asm"), " - It is a directory."}, {file("pipe.asm"), device}, {"/dev/null", device}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui.clearRecords();
        ui.chooseFile(c.name);
        Trigger("OpenFile1");
        EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Error, "Error opening file: " + c.name + c.reason,
                                             MessageButtons::Ok}}),
                  ui.boxes());
        EXPECT_TRUE(Windows().empty());
    }
}

TEST_F(FileCommandsTest, SaveMakesBackupsNamedFromTheExtensionWhenSetTo)
{
    const struct {
        const char* name;
        const char* backup;
        bool option;
        const char* command;
    } cases[] = {{"prog.asm", "prog.~as", true, "SaveFile1"}, {"notes", "notes.~", true, "SaveFile1"},
                 {"plain.asm", "plain.~as", false, "SaveFile2"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        form().settings().editor.createBackupFile = c.option;
        auto* window = form().OpenFileByName(write(c.name, "old\n"));
        TypeInto(window, "new ");
        Trigger(c.command);
        EXPECT_EQ("new old\n", read(c.name));
        EXPECT_EQ(c.option, fs::exists(file(c.backup)));
        if (c.option) {
            EXPECT_EQ("old\n", read(c.backup));
        }
        EXPECT_FALSE(window->IsModified());
        EXPECT_EQ("", Panel(3));
    }
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(FileCommandsTest, SaveAsGivesANameWithoutExtensionTheChosenFileType)
{
    Trigger("NewFile1");
    TypeInto(Active(), "int main;");
    ui.chooseFile(file("prog.$_~"), 2);
    Trigger("SaveFile1");  // a NONAME file goes to Save As
    ASSERT_EQ(1u, ui.fileDialogs().size());
    EXPECT_TRUE(ui.fileDialogWasSave()[0]);
    EXPECT_EQ("Save NONAME1 As", ui.fileDialogs()[0].title);
    EXPECT_TRUE(ui.fileDialogs()[0].overwritePrompt);
    EXPECT_EQ("", ui.fileDialogs()[0].fileName);
    EXPECT_EQ("int main;", read("prog.c"));
    EXPECT_EQ(file("prog.c"), Active()->FileName());
    EXPECT_EQ(file("prog.c"), fromQt(Active()->windowTitle()));
    EXPECT_EQ("ANSI C", Panel(6)) << "the new name's language";
    Trigger("NewFile1");
    EXPECT_EQ("NONAME1", Active()->FileName()) << "the number was released";

    TypeInto(Active(), "nop");
    ui.chooseFile(file("prog.asm"), 2);
    Trigger("SaveFileAs1");
    EXPECT_EQ("nop", read("prog.asm"));
    EXPECT_FALSE(fs::exists(file("prog.asm.c")));
}

TEST_F(FileCommandsTest, SaveAsOfANamedFileStartsWithItsName)
{
    auto* window = form().OpenFileByName(write("a.c", "a\n"));
    ui.cancelFileDialog();
    Trigger("SaveFileAs1");
    EXPECT_EQ("Save a.c As", ui.fileDialogs()[0].title);
    EXPECT_EQ("a.c", ui.fileDialogs()[0].fileName);
    EXPECT_EQ(home(), ui.fileDialogs()[0].initialDirectory);
    EXPECT_EQ(file("a.c"), window->FileName());
}

TEST_F(FileCommandsTest, SavingAReadOnlyFileSaysSoAndGoesToSaveAs)
{
    const auto path = write("ro.c", "old\n");
    fs::permissions(path, fs::perms::owner_read);
    auto* window = form().OpenFileByName(path);
    TypeInto(window, "x");
    ui.chooseFile(path, 2);  // the read-only file again: the message, then the dialog again
    ui.chooseFile(file("copy.c"), 2);
    Trigger("SaveFile1");
    const RecordedBox readOnly{MessageKind::Information, "Error saving file: " + path + " - File is read-only.",
                               MessageButtons::Ok};
    EXPECT_EQ((std::vector<RecordedBox>{readOnly, readOnly}), ui.boxes());
    EXPECT_EQ(2u, ui.fileDialogs().size());
    EXPECT_EQ("Save ro.c As", ui.fileDialogs()[0].title);
    EXPECT_EQ("old\n", read("ro.c"));
    EXPECT_EQ("xold\n", read("copy.c"));
    EXPECT_EQ(file("copy.c"), window->FileName());
}

TEST_F(FileCommandsTest, SaveAllWithTwoNonameWindowsShowsTwoSaveAsDialogsWithTheirOwnNames)
{
    auto* named = form().OpenFileByName(write("a.c", "a\n"));
    Trigger("NewFile1");
    Trigger("NewFile1");
    TypeInto(named, "1");
    ui.chooseFile(file("second.c"), 2);
    ui.chooseFile(file("first.c"), 2);
    form().SaveAll();
    ASSERT_EQ(2u, ui.fileDialogs().size());
    EXPECT_EQ("Save NONAME2 As", ui.fileDialogs()[0].title);
    EXPECT_EQ("Save NONAME1 As", ui.fileDialogs()[1].title);
    EXPECT_EQ("1a\n", read("a.c"));
    EXPECT_TRUE(fs::exists(file("first.c")));
    EXPECT_TRUE(fs::exists(file("second.c")));
    for (auto* window : Windows())
        EXPECT_FALSE(window->IsModified());
}

TEST_F(FileCommandsTest, TheSaveQuestionBeforeToolsAsksOnlyForModifiedFiles)
{
    auto* a = form().OpenFileByName(write("a.c", "a\n"));
    form().OpenFileByName(write("b.c", "b\n"));
    auto* c = form().OpenFileByName(write("c.c", "c\n"));
    TypeInto(a, "1");
    TypeInto(c, "3");
    ui.answer(Answer::No);   // c.c is in front
    ui.answer(Answer::Yes);  // a.c
    form().AskSaveAllModified();
    EXPECT_EQ((std::vector<std::string>{file("c.c") + " has changed, do you wish to save?",
                                        file("a.c") + " has changed, do you wish to save?"}),
              ui.texts());
    EXPECT_EQ("1a\n", read("a.c"));
    EXPECT_EQ("c\n", read("c.c"));
}

TEST_F(FileCommandsTest, TheSaveQuestionSkipsTheReadOnlyTestAndTheSaveReportsTheRefusal)
{
    const auto path = write("ro.c", "old\n");
    fs::permissions(path, fs::perms::owner_read);
    TypeInto(form().OpenFileByName(path), "x");
    ui.answer(Answer::Yes);
    form().AskSaveAllModified();
    ASSERT_EQ(2u, ui.boxes().size());
    EXPECT_EQ((RecordedBox{MessageKind::Error,
                           "Cannot access file (" + path + ") .  The file may be in use by another application.",
                           MessageButtons::Ok}),
              ui.boxes()[1]);
    EXPECT_EQ("old\n", read("ro.c"));
}

TEST_F(FileCommandsTest, ClosingTwentyFiveFilesLeavesTheTwentyNewestInTheReopenMenu)
{
    for (int i = 1; i <= 25; ++i) {
        form().OpenFileByName(write("f" + std::to_string(i) + ".c", ""));
        Trigger("CloseFile1");
        Settle();
    }
    auto* menu = form().findChild<QMenu*>("Reopen1");
    const auto items = menu->actions();
    ASSERT_EQ(20, items.size());
    EXPECT_EQ(file("f25.c"), fromQt(items.front()->text()));
    EXPECT_EQ(file("f6.c"), fromQt(items.back()->text()));
    EXPECT_EQ(20u, form().editorStore()->List(PersistentEditorStore::kMRU).size());

    items[3]->trigger();  // f22.c
    EXPECT_EQ(file("f22.c"), Active()->FileName());
    // Closing it again leaves the list as it is: the file is listed already.
    Trigger("CloseFile1");
    Settle();
    EXPECT_EQ(file("f25.c"), fromQt(menu->actions().front()->text()));
}

// An entry whose file is gone says so and may go; one that is no longer a file is refused.
TEST_F(FileCommandsTest, AReopenEntryWhoseFileIsGoneOffersToRemoveIt)
{
    const auto gone = file("gone.c");
    const RecordedBox question{MessageKind::Confirmation,
                               "The file " + gone + " no longer exists. Remove it from the Re-open list?",
                               MessageButtons::YesNo};
    const struct {
        bool directory;  // the name now stands for a directory
        std::optional<Answer> answer;
        RecordedBox box;
        bool kept;
    } cases[] = {
        {false, Answer::Yes, question, false},
        {false, Answer::No, question, true},
        {true, std::nullopt, {MessageKind::Error, "Error opening file: " + gone + " - It is a directory.", MessageButtons::Ok}, true},
    };
    auto* menu = form().findChild<QMenu*>("Reopen1");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box.text + (c.kept ? " (kept)" : ""));
        form().OpenFileByName(write("stays.c", ""));
        Trigger("CloseFile1");
        form().OpenFileByName(write("gone.c", ""));
        Trigger("CloseFile1");
        Settle();
        fs::remove(gone);
        if (c.directory)
            fs::create_directories(gone);
        ui.clearRecords();
        if (c.answer)
            ui.answer(*c.answer);
        ASSERT_EQ(gone, fromQt(menu->actions().front()->text()));
        menu->actions().front()->trigger();
        Settle();
        EXPECT_EQ(std::vector<RecordedBox>{c.box}, ui.boxes());
        EXPECT_TRUE(Windows().empty());
        const auto expected = c.kept ? std::vector<std::string>{gone, file("stays.c")}
                                     : std::vector<std::string>{file("stays.c")};
        std::vector<std::string> items;
        for (auto* item : menu->actions())
            items.push_back(fromQt(item->text()));
        EXPECT_EQ(expected, items);
        EXPECT_EQ(expected, form().editorStore()->List(PersistentEditorStore::kMRU));
        fs::remove_all(gone);
        form().editorStore()->SetList(PersistentEditorStore::kMRU, {});
    }
}

TEST_F(FileCommandsTest, TheReopenListSurvivesARestartInTheEditorStore)
{
    form().OpenFileByName(write("kept.c", ""));
    Trigger("CloseFile1");
    Settle();
    shell.reset();
    EXPECT_NE(std::string::npos, read("quarry.dat").find("[MRU]\n" + file("kept.c")));
    Start();
    auto* first = form().action("NoEntries1");
    EXPECT_EQ(file("kept.c"), fromQt(first->text()));
    EXPECT_TRUE(first->isEnabled());
}

TEST_F(FileCommandsTest, AnEmptyReopenListShowsNoEntriesDisabled)
{
    auto* first = form().action("NoEntries1");
    EXPECT_EQ("<No entries>", fromQt(first->text()));
    EXPECT_FALSE(first->isEnabled());
    Trigger("NewFile1");
    Trigger("CloseFile1");
    Settle();
    EXPECT_EQ("<No entries>", fromQt(first->text())) << "NONAME files are not remembered";
}

TEST_F(FileCommandsTest, OpenByNameFindsBareNamesAndBringsAnOpenWindowForward)
{
    write("lib/util.c", "u\n");
    form().settings().sourcePath = file("lib");
    auto* first = form().OpenFileByName("  util.c ");
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(file("lib/util.c"), first->FileName());
    form().OpenFileByName(write("other.c", ""));
    EXPECT_EQ(first, form().OpenFileByName(file("lib/util.c") + " "));
    EXPECT_EQ(first, Active());
    // Open windows are found with names compared upper-cased, as on the file systems that
    // ignore case.
    EXPECT_EQ(first, form().editorWindows().Find(" " + file("LIB/UTIL.C").replace(0, home().size(), home())));
    EXPECT_EQ(nullptr, form().OpenFileByName("nowhere.c"));
    EXPECT_EQ(2u, Windows().size());
}

}  // namespace
}  // namespace quarry
