// The editor window's logic on a real control and real files: loading with the parser the
// name asks for, saving (line ends, backups, undo after save, failures that must not cost the
// old file), the reload question, caret and markers, the error line.
#include "editor/FixedPitchHost.h"
#include "editor/TCustomCodeMemo.h"
#include "editorsettings/TEditorActions.h"
#include "text/TTextStore.h"
#include "editorwin/EditorDocument.h"
#include "editorwin/EditorWindowTexts.h"
#include "platform/FileFacts.h"
#include "settings/EnvironmentSettings.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include <sys/mount.h>
#include <unistd.h>

namespace quarry {
namespace {

using test::RecordedBox;
namespace fs = std::filesystem;

class EditorDocumentTest : public ::testing::Test {
protected:
    EditorDocumentTest() : memo(host), document(memo, ui, settings, [this] { return filters; })
    {
        host.height = 20 * 16;  // twenty rows
        filters = {"*.asm;*.s", "*.pas", "*.c;*.h", "*.java", "*.html", "*.txt"};
    }

    // A document showing a file, loaded as the window loads it.
    void Open(const std::string& path)
    {
        document.SetFileName(path);
        ASSERT_TRUE(document.LoadFile(true));
    }
    void Type(const std::string& text)
    {
        for (char c : text)
            memo.KeyPress(c);
    }
    // Moves the file's time stamp so that a check sees a change within the same second.
    static void Touch(const std::string& path, int secondsAhead)
    {
        fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(secondsAhead));
    }
    std::string Lines(int count)
    {
        std::string text;
        for (int i = 1; i <= count; ++i)
            text += "line " + std::to_string(i) + "\n";
        return text;
    }

    test::TempDir dir;
    test::ScriptedUserInterface ui;
    test::FixedPitchHost host;
    TCustomCodeMemo memo;
    EnvironmentSettings settings;
    std::vector<std::string> filters;
    EditorDocument document;
};

TEST_F(EditorDocumentTest, LoadingChoosesTheParserByExtensionAndStartsUnmodified)
{
    settings.editor.defaultSyntax = 4;
    const struct {
        const char* name;
        const char* content;  // nullptr: a new file, not on disk
        int parser;
        const char* text;
    } cases[] = {{"new.c", nullptr, 3, ""},  // first: a window loads once, into an empty control
                 {"prog.asm", "  org $1000\r\n  rts\r\n", 1, "  org $1000\r  rts\r"},
                 {"readme", "x\n", 4, "x\r"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        document.SetFileName(c.content ? dir.write(c.name, c.content) : dir.file(c.name));
        ASSERT_TRUE(document.LoadFile(true));
        EXPECT_EQ(c.parser, memo.ActiveParser());
        EXPECT_EQ(c.text, memo.Text());
        EXPECT_EQ(c.content != nullptr, document.Loaded());
        EXPECT_FALSE(document.IsModified());
        EXPECT_EQ(c.content ? files::modificationTime(dir.file(c.name)).value() : 0, document.FileDate());
    }
}

TEST_F(EditorDocumentTest, AFileTooLargeToEditIsRefusedWithItsMessageAndLeavesNoText)
{
    memo.Store().SetCharLimit(10);
    const auto path = dir.write("big.txt", "0123456789abcdef");
    document.SetFileName(path);
    EXPECT_FALSE(document.LoadFile(true));
    ASSERT_EQ(1u, ui.boxes().size());
    EXPECT_EQ(MessageKind::Error, ui.boxes()[0].kind);
    EXPECT_NE(std::string::npos, ui.boxes()[0].text.find("is too large to edit")) << ui.boxes()[0].text;
    EXPECT_EQ("", memo.Text());
    EXPECT_FALSE(document.Loaded());
}

TEST_F(EditorDocumentTest, EditingMarksModifiedAndUndoingEveryChangeClearsIt)
{
    Open(dir.write("a.c", "int x;\n"));
    Type("ab");
    EXPECT_TRUE(document.IsModified());
    memo.Undo();
    memo.Undo();
    EXPECT_FALSE(document.IsModified());
    memo.Redo();
    EXPECT_TRUE(document.IsModified());
}

TEST_F(EditorDocumentTest, SavingKeepsTheLineEndsTheFileHad)
{
    const struct {
        const char* name;
        std::string content;
        std::string saved;
    } cases[] = {
        {"dos.c", "a\r\nb\r\n", "Xa\r\nb\r\n"},
        {"unix.c", "a\nb\n", "Xa\nb\n"},
        {"mac.c", "a\rb\r", "Xa\rb\r"},
        {"mixed.c", "a\nb\r\nc", "Xa\nb\nc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open(dir.write(c.name, c.content));
        Type("X");
        ASSERT_TRUE(document.SaveFile(dir.file(c.name)));
        EXPECT_EQ(c.saved, test::TempDir::read(dir.file(c.name)));
        EXPECT_FALSE(document.IsModified());
    }
    // A new file gets the platform's line ends.
    document.SetFileName(dir.file("fresh.c"));
    document.LoadFile(true);
    memo.SetText("one\rtwo");
    ASSERT_TRUE(document.SaveFile(dir.file("fresh.c")));
    EXPECT_EQ("one\ntwo", test::TempDir::read(dir.file("fresh.c")));
}

TEST_F(EditorDocumentTest, SaveTakesTheNewNameAndItsDate)
{
    Open(dir.write("old.c", "x\n"));
    Type("y");
    ASSERT_TRUE(document.SaveFile(dir.file("new.c")));
    EXPECT_EQ(dir.file("new.c"), document.FileName());
    EXPECT_EQ(files::modificationTime(dir.file("new.c")).value(), document.FileDate());
    EXPECT_EQ("yx\n", test::TempDir::read(dir.file("new.c")));
    EXPECT_EQ("x\n", test::TempDir::read(dir.file("old.c")));
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(EditorDocumentTest, WithUndoAfterSaveTheHistorySurvivesAndUndoPastTheSaveIsModifiedAgain)
{
    settings.editor.undoAfterSave = true;
    Open(dir.write("a.c", "x\n"));
    Type("abc");
    ASSERT_TRUE(document.SaveFile(dir.file("a.c")));
    EXPECT_FALSE(document.IsModified());
    ASSERT_TRUE(memo.CanUndo());
    memo.Undo();
    EXPECT_EQ("abx\r", memo.Text());
    EXPECT_TRUE(document.IsModified());
    memo.Redo();
    EXPECT_FALSE(document.IsModified());
    // An edit after undoing past the save point can never come back to it.
    memo.Undo();
    Type("Z");
    memo.Undo();
    EXPECT_TRUE(document.IsModified());
}

TEST_F(EditorDocumentTest, WithoutUndoAfterSaveTheHistoryStartsAgainAtTheSave)
{
    settings.editor.undoAfterSave = false;
    Open(dir.write("a.c", "x\n"));
    Type("abc");
    ASSERT_TRUE(document.SaveFile(dir.file("a.c")));
    EXPECT_FALSE(memo.CanUndo());
    EXPECT_FALSE(document.IsModified());
    Type("d");
    EXPECT_TRUE(document.IsModified());
    memo.Undo();
    EXPECT_FALSE(document.IsModified());
}

TEST_F(EditorDocumentTest, BackupsKeepTheOldTextUnderTheBackupName)
{
    const struct {
        const char* name;
        const char* backup;
        bool oldBackupIsALink;  // to nowhere: the new backup must not be written through it
    } cases[] = {{"prog.asm", "prog.~as", false}, {"notes", "notes.~", false}, {"page.html", "page.~htl", false},
                 {"main.c", "main.~c", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.oldBackupIsALink)
            fs::create_symlink(dir.file("nowhere.txt"), dir.file(c.backup));
        else
            dir.write(c.backup, "an older backup\n");
        Open(dir.write(c.name, "old text\n"));
        Type("new ");
        document.MakeBackup(dir.file(c.name));
        ASSERT_TRUE(document.SaveFile(dir.file(c.name)));
        EXPECT_EQ("old text\n", test::TempDir::read(dir.file(c.backup)));
        EXPECT_EQ("new old text\n", test::TempDir::read(dir.file(c.name)));
        EXPECT_FALSE(fs::is_symlink(dir.file(c.backup)));
    }
    EXPECT_FALSE(fs::exists(dir.file("nowhere.txt")));
    document.MakeBackup(dir.file("missing.asm"));  // nothing to keep: no backup, no message
    EXPECT_FALSE(fs::exists(dir.file("missing.~as")));
    EXPECT_TRUE(ui.boxes().empty());
}

// The backup holds the text before the save, whatever name the file is reached by; every other
// name of the file shows the saved text.
TEST_F(EditorDocumentTest, BackupsOfLinkedFilesKeepTheOldTextAndLinksStayLinks)
{
    const struct {
        const char* what;
        const char* link;  // "-" none, "s" symbolic link real.c -> open.c, "h" hard link other.c
    } cases[] = {{"symbolic link", "s"}, {"hard link", "h"}, {"plain file", "-"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir files;
        const auto real = files.write("real.c", "old text\n");
        const auto open = c.link[0] == 's' ? files.file("open.c") : real;
        if (c.link[0] == 's')
            fs::create_symlink(real, open);
        if (c.link[0] == 'h')
            fs::create_hard_link(real, files.file("other.c"));
        Open(open);
        Type("new ");
        document.MakeBackup(open);
        ASSERT_TRUE(document.SaveFile(open));
        const auto backup = c.link[0] == 's' ? files.file("open.~c") : files.file("real.~c");
        EXPECT_EQ("old text\n", test::TempDir::read(backup));
        EXPECT_FALSE(fs::is_symlink(backup));
        EXPECT_EQ("new old text\n", test::TempDir::read(real));
        EXPECT_EQ(c.link[0] == 's', fs::is_symlink(open));
        if (c.link[0] == 'h') {
            EXPECT_EQ("new old text\n", test::TempDir::read(files.file("other.c")));
            EXPECT_TRUE(fs::equivalent(real, files.file("other.c")));
        }
        EXPECT_TRUE(ui.boxes().empty());
    }
}

TEST_F(EditorDocumentTest, ADanglingLinkGetsItsTargetWritten)
{
    fs::create_symlink(dir.file("made.c"), dir.file("link.c"));
    Open(dir.file("link.c"));
    Type("x");
    ASSERT_TRUE(document.SaveFile(dir.file("link.c")));
    EXPECT_TRUE(fs::is_symlink(dir.file("link.c")));
    EXPECT_EQ("x", test::TempDir::read(dir.file("made.c")));
}

TEST_F(EditorDocumentTest, AReadOnlyDirectoryIsNamedBeforeTheFileIsOverwrittenInPlace)
{
    const auto path = dir.write("ro/prog.asm", "old\n");
    ::chmod(dir.file("ro").c_str(), 0555);
    const RecordedBox question{MessageKind::Warning,
                               "The directory of " + path + " is read-only, so the file cannot be replaced safely: "
                               "it will be overwritten in place, and a failure while writing could damage it. No "
                               "backup copy can be made there. Save anyway?",
                               MessageButtons::YesNo};
    Open(path);
    Type("new ");
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        ui.answer(answer);
        document.MakeBackup(path);
        EXPECT_EQ(answer == Answer::Yes, document.SaveFile(path));
    }
    EXPECT_EQ((std::vector<RecordedBox>{question, question}), ui.boxes());
    EXPECT_EQ("new old\n", test::TempDir::read(path));
    EXPECT_FALSE(document.IsModified());
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.file("ro")))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(std::vector<std::string>{"prog.asm"}, left);
    ::chmod(dir.file("ro").c_str(), 0755);
}

TEST_F(EditorDocumentTest, ANameOfTheLongestLengthSavesAndATooLongBackupNameIsReported)
{
    // A window's name is cut at 255 characters, so such a file lives in a short directory; the
    // save is what matters here.
    const auto name = std::string(253, 'n') + ".c";  // its backup name would be 256 bytes long
    const auto path = dir.write(name, "old\n");
    memo.SetText("new old\n");
    document.MakeBackup(path);
    ASSERT_TRUE(document.SaveFile(path));
    EXPECT_EQ("new old\n", test::TempDir::read(path));
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Information,
                                         "Error saving backup file: " + dir.file(std::string(253, 'n') + ".~c") +
                                             " - File name too long.",
                                         MessageButtons::Ok}}),
              ui.boxes());
}

TEST_F(EditorDocumentTest, AReadOnlyBackupIsReportedAndTheSaveGoesOn)
{
    const auto backup = dir.write("prog.~as", "kept backup\n");
    fs::permissions(backup, fs::perms::owner_read);
    Open(dir.write("prog.asm", "old\n"));
    Type("new ");
    document.MakeBackup(dir.file("prog.asm"));
    ASSERT_TRUE(document.SaveFile(dir.file("prog.asm")));
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Information,
                                         "Error saving backup file: " + backup + " - File is read-only.",
                                         MessageButtons::Ok}}),
              ui.boxes());
    EXPECT_EQ("kept backup\n", test::TempDir::read(backup));
    EXPECT_EQ("new old\n", test::TempDir::read(dir.file("prog.asm")));
}

TEST_F(EditorDocumentTest, SavingKeepsPermissionsAndWritesThroughALink)
{
    const auto real = dir.write("real.c", "a\n");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, dir.file("link.c"));
    Open(dir.file("link.c"));
    Type("b");
    ASSERT_TRUE(document.SaveFile(dir.file("link.c")));
    EXPECT_TRUE(fs::is_symlink(dir.file("link.c")));
    EXPECT_EQ("ba\n", test::TempDir::read(real));
    EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
              fs::status(real).permissions() & fs::perms::all);
}

// A failed save: the message says why and the window stays modified.
void ExpectFailedSave(EditorDocument& document, test::ScriptedUserInterface& ui, const std::string& message)
{
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Error, message, MessageButtons::Ok}}), ui.boxes());
    ui.clearRecords();
}

TEST_F(EditorDocumentTest, AFailedSaveSaysWhyAndKeepsTheNameTheTextAndTheOldFile)
{
    const auto plain = dir.write("a.c", "x\n");
    const auto gone = dir.write("gone/a.c", "x\n");
    const auto locked = dir.write("locked.c", "x\n");
    fs::permissions(locked, fs::perms::owner_read);
    const struct {
        std::string open;
        std::string target;
        std::string message;
    } cases[] = {
        {plain, "/dev/full", editortexts::saveFailed("/dev/full", "No space left on device")},
        {gone, gone, editortexts::saveFailed(gone, "No such file or directory")},
        {locked, locked, "Cannot access file (" + locked + ") .  The file may be in use by another application."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        if (!fs::exists(c.target) && c.target == "/dev/full")
            continue;  // no such device here
        Open(c.open);
        Type("y");
        if (c.open == gone)
            fs::remove_all(dir.file("gone"));
        EXPECT_FALSE(document.SaveFile(c.target));
        ExpectFailedSave(document, ui, c.message);
        EXPECT_EQ(c.open, document.FileName());
        EXPECT_EQ("yx\r", memo.Text());
        if (c.open != gone) {
            EXPECT_EQ("x\n", test::TempDir::read(c.open));
        }
    }
}

// A file system of a few kilobytes, mounted by the test where that is allowed.
class SmallFileSystem final {
public:
    explicit SmallFileSystem(const std::string& where) : where_(where)
    {
        fs::create_directories(where);
        mounted_ = ::mount("tmpfs", where.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallFileSystem()
    {
        if (mounted_)
            ::umount2(where_.c_str(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;  // owns a mount
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;
    bool mounted() const { return mounted_; }

private:
    std::string where_;
    bool mounted_ = false;
};

TEST_F(EditorDocumentTest, AFullDiskKeepsTheOldFileAndItsBackupAndLeavesNoTemporaryFile)
{
    SmallFileSystem disk(dir.file("small"));
    if (!disk.mounted())
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    const auto path = dir.write("small/prog.asm", "the old text\n");
    Open(path);
    memo.SetSelection(0, memo.Store().CharCount());
    memo.ReplaceSelection(std::string(200 * 1024, 'x'));  // more than the disk holds
    document.MakeBackup(path);
    EXPECT_FALSE(document.SaveFile(path));
    ExpectFailedSave(document, ui, editortexts::saveFailed(path, "No space left on device"));
    EXPECT_EQ("the old text\n", test::TempDir::read(path));
    EXPECT_EQ("the old text\n", test::TempDir::read(dir.file("small/prog.~as")));
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.file("small")))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ((std::vector<std::string>{"prog.asm", "prog.~as"}), left);
    // Room again: the same window saves.
    memo.SetSelection(0, memo.Store().CharCount());
    memo.ReplaceSelection("short");
    EXPECT_TRUE(document.SaveFile(path));
    EXPECT_EQ("short", test::TempDir::read(path));
}

TEST_F(EditorDocumentTest, TheReloadQuestionComesBackUntilAnswered)
{
    const auto path = dir.write("a.c", "first\n");
    Open(path);
    document.CheckFileChanged();
    EXPECT_TRUE(ui.boxes().empty());

    dir.write("a.c", "second\n");
    Touch(path, 5);
    ui.answer(Answer::No);
    document.CheckFileChanged();
    const RecordedBox question{MessageKind::Confirmation, "File '" + path + "' has changed. Reload?",
                               MessageButtons::YesNo};
    EXPECT_EQ(std::vector<RecordedBox>{question}, ui.boxes());
    EXPECT_EQ("first\r", memo.Text());

    ui.answer(Answer::Yes);
    document.CheckFileChanged();
    EXPECT_EQ((std::vector<RecordedBox>{question, question}), ui.boxes());
    EXPECT_EQ("second\r", memo.Text());
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(files::modificationTime(path).value(), document.FileDate());
    EXPECT_EQ(document.FileDate(), document.AcknowledgedDate());

    document.CheckFileChanged();
    EXPECT_EQ(2u, ui.boxes().size());

    // A forced check asks even though the date did not move.
    document.ForceReloadCheck();
    ui.answer(Answer::No);
    document.CheckFileChanged();
    EXPECT_EQ(3u, ui.boxes().size());
    // A file that vanished is never offered for reload.
    fs::remove(path);
    document.CheckFileChanged();
    EXPECT_EQ(3u, ui.boxes().size());
}

TEST_F(EditorDocumentTest, ReloadOfAModifiedWindowSaysSoAndIsOneUndoableStep)
{
    const auto path = dir.write("a.c", "first\n");
    Open(path);
    Type("edited ");
    dir.write("a.c", "second\n");
    Touch(path, 5);
    ui.answer(Answer::Yes);
    document.CheckFileChanged();
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Confirmation,
                                         "File '" + path + "' has changed. Reload?\n\nThis window has unsaved "
                                         "changes: reloading replaces them with the file on disk. Undo (Ctrl+Z) "
                                         "brings them back.",
                                         MessageButtons::YesNo}}),
              ui.boxes());
    EXPECT_EQ("second\r", memo.Text());
    EXPECT_FALSE(document.IsModified());
    memo.Undo();
    EXPECT_EQ("edited first\r", memo.Text());
    EXPECT_TRUE(document.IsModified());
    memo.Redo();
    EXPECT_EQ("second\r", memo.Text());
    EXPECT_FALSE(document.IsModified());
}

TEST_F(EditorDocumentTest, ReloadKeepsTheCaretWhereTheNewTextReaches)
{
    const auto path = dir.write("a.c", Lines(50));
    Open(path);
    document.SetCaret(40, 3);
    dir.write("a.c", Lines(30));
    Touch(path, 5);
    ui.answer(Answer::Yes);
    document.CheckFileChanged();
    EXPECT_EQ((EditorDocument::Position{31, 1}), document.GetCaret()) << "the end of the new text";
}

TEST_F(EditorDocumentTest, SetCaretCentresTheRowInTheWindow)
{
    memo.SetText(Lines(200));
    ASSERT_EQ(20, memo.VisibleLines());
    const struct {
        int row;
        int column;
        EditorDocument::Position caret;
        int top;  // first visible row, 1-based
    } cases[] = {
        {3, 1, {3, 1}, 1},      {100, 1, {100, 1}, 90},   {11, 4, {11, 4}, 1},   {12, 2, {12, 2}, 2},
        {0, 1, {1, 1}, 1},      {-5, 0, {1, 1}, 1},        {500, 1, {201, 1}, 191}, {5, 99, {5, 7}, 1},
        {201, 5, {201, 1}, 191},
    };
    for (const auto& c : cases) {
        document.SetCaret(c.row, c.column);
        EXPECT_EQ(c.caret, document.GetCaret()) << "row " << c.row;
        EXPECT_EQ(c.top, memo.FirstVisibleLine() + 1) << "row " << c.row;
    }
    EXPECT_EQ(201, document.LineCount()) << "the empty line after the last line end is a row";
}

// After a final line end the caret can stand on the empty line that follows; the window counts
// it as the last row, and moving, paging and typing there agree on where it is.
TEST_F(EditorDocumentTest, TheEmptyLineAfterAFinalLineEndIsTheLastRow)
{
    const struct {
        const char* text;
        std::vector<int> actions;  // editor action codes, or a character typed as -c
        EditorDocument::Position caret;
        const char* after;         // the text afterwards
    } cases[] = {
        {"one\ntwo\nthree\n", {caDOCEND}, {4, 1}, "one\rtwo\rthree\r"},
        {"one\ntwo\nthree\n", {caDOCEND, caPAGEUP}, {1, 1}, "one\rtwo\rthree\r"},
        {"one\ntwo\nthree\n", {caDOCEND, -'x'}, {4, 2}, "one\rtwo\rthree\rx"},
        {"one\ntwo\nthree\n", {caDOCEND, caUP, caDOWN}, {4, 1}, "one\rtwo\rthree\r"},
        {"one\ntwo\nthree", {caDOCEND}, {3, 6}, "one\rtwo\rthree"},
    };
    for (const auto& c : cases) {
        memo.SetText(c.text);
        for (int action : c.actions) {
            if (action < 0)
                memo.KeyPress(char(-action));
            else
                memo.ExecuteAction(action);
        }
        EXPECT_EQ(c.caret, document.GetCaret()) << c.text << ", " << c.actions.size() << " actions";
        EXPECT_EQ(c.after, memo.Store().Text()) << c.text << ", " << c.actions.size() << " actions";
    }
    memo.SetText(Lines(100));
    memo.ExecuteAction(caDOCEND);
    memo.ExecuteAction(caPAGEUP);
    EXPECT_EQ((EditorDocument::Position{81, 1}), document.GetCaret()) << "a page of twenty rows up from row 101";
    document.SetCaret(101, 1);
    EXPECT_EQ(memo.Store().CharCount(), memo.Caret());
}

TEST_F(EditorDocumentTest, MarkersRoundTripAndUnsetOnesAreMinusOne)
{
    memo.SetText(Lines(30));
    document.SetMarker(3, 12, 4);
    document.SetMarker(3, 12, 4);  // setting again keeps it set
    document.SetMarker(0, 1, 1);
    document.SetMarker(10, 5, 5);
    document.SetMarker(-1, 5, 5);
    EXPECT_EQ((EditorDocument::Position{12, 4}), document.GetMarker(3));
    EXPECT_EQ((EditorDocument::Position{1, 1}), document.GetMarker(0));
    EXPECT_EQ((EditorDocument::Position{-1, -1}), document.GetMarker(5));
    EXPECT_EQ((EditorDocument::Position{-1, -1}), document.GetMarker(10));
    document.SetMarker(3, 999, 1);  // beyond the text: the marker goes
    EXPECT_EQ((EditorDocument::Position{-1, -1}), document.GetMarker(3));
}

TEST_F(EditorDocumentTest, TheErrorLineIsMarkedFollowsItsLineAndIsCleared)
{
    memo.SetText(Lines(10));
    auto& store = memo.Store();
    document.MarkErrorLine(4);
    ASSERT_GE(document.ErrorTrack(), 0);
    EXPECT_EQ(clMaroon, store.LineColour1(store.LineByIndex(3).record));
    EXPECT_EQ(clWhite, store.LineColour2(store.LineByIndex(3).record));
    EXPECT_TRUE(memo.HasLineMark(EditorDocument::kErrorLineMark, 4));

    memo.SetSelection(0, 0);
    memo.ReplaceSelection("new\r");  // the marked line moves down one row
    EXPECT_TRUE(memo.HasLineMark(EditorDocument::kErrorLineMark, 5));
    document.ClearErrorLine();
    EXPECT_EQ(-1, document.ErrorTrack());
    EXPECT_FALSE(memo.HasLineMark(EditorDocument::kErrorLineMark, 5));
    EXPECT_EQ(clNone, store.LineColour1(store.LineByIndex(4).record));
    EXPECT_EQ(clNone, store.LineColour2(store.LineByIndex(4).record));

    for (int outside : {0, 12}) {
        document.MarkErrorLine(outside);
        EXPECT_EQ(-1, document.ErrorTrack()) << outside;
    }
    // A second error line replaces the first.
    document.MarkErrorLine(2);
    document.MarkErrorLine(7);
    EXPECT_FALSE(memo.HasLineMark(EditorDocument::kErrorLineMark, 2));
    EXPECT_TRUE(memo.HasLineMark(EditorDocument::kErrorLineMark, 7));
    EXPECT_EQ(1, memo.Store().TrackCount());
    // Its line deleted with the text, it clears quietly.
    memo.SetText("short");
    document.ClearErrorLine();
    EXPECT_EQ(-1, document.ErrorTrack());
}

}  // namespace
}  // namespace quarry
