// The project commands against fake editor windows: which windows a project opens and in what
// order, where their carets, markers and bounds go, what a save writes and keeps, and the
// questions and messages of each command.
#include "app/ProjectCommands.h"
#include "platform/ProfileFile.h"
#include "support/FakeSettingsHost.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace quarry {
namespace {

using test::RecordedBox;
using test::ScriptedUserInterface;
using test::TempDir;
namespace fs = std::filesystem;

// An editor window that records what the project does to it in its host's log.
class FakeWindow final : public ProjectWindow {
public:
    FakeWindow(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}

    std::string fileName() const override { return name_; }
    WindowState windowState() const override { return state; }
    WindowBounds bounds() const override { return live; }
    WindowBounds restoredBounds() const override { return restored; }
    bool isVisible() const override { return true; }
    int lineCount() const override { return lines; }
    TextPosition caret() const override { return caretAt; }
    TextPosition marker(int k) const override { return markers[static_cast<std::size_t>(k)]; }
    void setCaret(int row, int column) override { caretAt = record("caret ", row, column); }
    void setMarker(int k, int row, int column) override
    {
        markers[static_cast<std::size_t>(k)] = record("marker" + std::to_string(k) + " ", row, column);
    }
    void setBounds(const WindowBounds& b) override { live = b; log_.push_back("bounds"); }
    void recordRestoredBounds() override { restored = live; log_.push_back("restored"); }
    void setWindowState(WindowState s) override
    {
        state = s;
        log_.push_back("state " + std::to_string(static_cast<int>(s)));
    }

    WindowState state = WindowState::Normal;
    WindowBounds live{0, 0, 400, 300};
    WindowBounds restored{0, 0, 400, 300};
    int lines = 50;
    TextPosition caretAt{1, 1};
    std::array<TextPosition, 10> markers;
    bool refuseClose = false;

private:
    TextPosition record(const std::string& what, int row, int column)
    {
        log_.push_back(what + std::to_string(row) + "," + std::to_string(column));
        return {row, column};
    }
    std::string name_;
    std::vector<std::string>& log_;
};

class FakeProjectHost final : public ProjectHost {
public:
    std::vector<ProjectWindow*> editorWindows() override
    {
        std::vector<ProjectWindow*> front;
        for (auto& w : windows)
            front.push_back(w.get());
        return front;
    }
    ProjectWindow* openEditorByName(const std::string& name) override
    {
        log.push_back("open " + name);
        auto found = std::find_if(windows.begin(), windows.end(), [&](const auto& w) { return w->fileName() == name; });
        if (found == windows.end())
            windows.insert(windows.begin(), std::make_unique<FakeWindow>(name, log));
        else
            std::rotate(windows.begin(), found, found + 1);
        return windows.front().get();
    }
    bool closeEditorWindow(ProjectWindow& window) override
    {
        log.push_back("close " + window.fileName());
        auto found = std::find_if(windows.begin(), windows.end(), [&](const auto& w) { return w.get() == &window; });
        if ((*found)->refuseClose)
            return false;
        windows.erase(found);
        return true;
    }
    std::string activeEditorFile() override { return windows.empty() ? std::string() : windows.front()->fileName(); }
    void saveAllFiles() override { log.push_back("saveAll"); }
    void projectFilesChanged() override { log.push_back("tree"); }
    void updateProjectState() override { log.push_back("state"); }
    std::optional<std::size_t> chooseFileToRemove(const std::vector<std::string>& files) override
    {
        removeDialogFiles = files;
        return removeChoice;
    }

    FakeWindow& add(const std::string& name)
    {
        windows.push_back(std::make_unique<FakeWindow>(name, log));
        return *windows.back();
    }
    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        for (const auto& w : windows)
            out.push_back(w->fileName());
        return out;
    }
    std::vector<std::string> logged(const std::string& prefix) const
    {
        std::vector<std::string> out;
        std::copy_if(log.begin(), log.end(), std::back_inserter(out), [&](const auto& l) { return l.rfind(prefix, 0) == 0; });
        return out;
    }

    std::vector<std::unique_ptr<FakeWindow>> windows;  // frontmost first
    std::vector<std::string> log;
    std::optional<std::size_t> removeChoice;
    std::vector<std::string> removeDialogFiles;
};

class ProjectCommandsTest : public ::testing::Test {
protected:
    ProjectCommandsTest()
        : settingsFile(settings, settingsHost, ui, dir.path().string()),
          locator(settings, dir.path().string()),
          browser(ui, locator),
          commands(settings, settingsFile, locator, ui, browser, host)
    {
        settings.sourcePath = dir.path().string();
        settings.projectPath = dir.path().string();
    }
    std::string source(const std::string& name) { return dir.write(name, "line 1\nline 2\n"); }
    void openProjectNamed(const std::string& name)
    {
        settings.project.open = true;
        settings.project.name = name;
    }
    std::string project() const { return dir.file("p.ppf"); }
    // Reads the saved project into a second, empty host, as the next session would.
    std::unique_ptr<FakeProjectHost> reopen()
    {
        auto reopened = std::make_unique<FakeProjectHost>();
        EXPECT_TRUE(ProjectCommands(settings, settingsFile, locator, ui, browser, *reopened).ReadProject(project()));
        return reopened;
    }
    static RecordedBox error(const std::string& text) { return {MessageKind::Error, text, MessageButtons::Ok}; }

    TempDir dir;
    EnvironmentSettings settings;
    test::FakeSettingsHost settingsHost;
    ScriptedUserInterface ui;
    SettingsFile settingsFile;
    FileLocator locator;
    FileBrowser browser;
    FakeProjectHost host;
    ProjectCommands commands;
};

TEST_F(ProjectCommandsTest, SavingThirtyWindowsThenReadingRestoresTheFirstTwentySixInOrder)
{
    for (int i = 1; i <= 30; ++i)
        host.add(source("f" + std::to_string(i) + ".c"));
    const auto saved = host.names();
    openProjectNamed(project());
    ASSERT_TRUE(commands.SaveProject());
    EXPECT_EQ(std::vector<std::string>(saved.begin(), saved.begin() + 26), reopen()->names());
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(ProjectCommandsTest, ReadingOpensFromFileZDownToFileAAndPlacesEachWindow)
{
    const auto a = source("a.c");
    const auto b = source("b.c");
    dir.write("p.ppf", "[FILEA]\nFILENAME=" + a + "\nSTATE=2\nEDITORROW=7\nEDITORCOLUMN=3\n" +
                           "[FILEB]\nFILENAME=" + b + "\nMARKER4ROW=12\nMARKER4COLUMN=4\nLEFT=5\nTOP=6\nWIDTH=70\nHEIGHT=80\n");
    commands.ReadProject(project());
    EXPECT_EQ((std::vector<std::string>{"tree", "open " + b, "caret 1,1", "marker4 12,4", "bounds", "restored",
                                        "state 0", "open " + a, "caret 7,3", "bounds", "restored", "state 2", "state"}),
              host.log);
    EXPECT_EQ((WindowBounds{5, 6, 70, 80}), host.windows[1]->restored);
    EXPECT_EQ((WindowBounds{30, 20, 200, 100}), host.windows[0]->restored);
    EXPECT_EQ(2, ui.pendingEventRuns());
}

TEST_F(ProjectCommandsTest, MarkersCaretsStatesAndPlacesRoundTrip)
{
    auto& first = host.add(source("a.c"));
    auto& second = host.add(source("b.c"));
    second.markers[3] = {12, 4};
    second.markers[0] = {1, 1};
    second.caretAt = {20, 5};
    first.state = WindowState::Maximized;
    first.restored = {11, 12, 313, 214};
    openProjectNamed(project());
    ASSERT_TRUE(commands.SaveProject());
    const ProfileFile file(project());
    EXPECT_EQ(12, file.readInteger("FILEB", "MARKER3ROW", 0));
    EXPECT_EQ(4, file.readInteger("FILEB", "MARKER3COLUMN", 0));
    EXPECT_FALSE(file.keyExists("FILEB", "MARKER1ROW"));
    EXPECT_EQ(313, file.readInteger("FILEA", "WIDTH", 0));  // a maximised window keeps its normal place

    const auto reopened = reopen();
    ASSERT_EQ(2u, reopened->windows.size());
    EXPECT_EQ(second.markers, reopened->windows[1]->markers);
    EXPECT_EQ((TextPosition{20, 5}), reopened->windows[1]->caretAt);
    EXPECT_EQ(WindowState::Maximized, reopened->windows[0]->state);
    EXPECT_EQ((WindowBounds{11, 12, 313, 214}), reopened->windows[0]->restored);
}

TEST_F(ProjectCommandsTest, MissingFilesAreSkippedSilentlyAndBareNamesAreFoundInTheSourcePath)
{
    const auto kept = source("kept.c");
    const auto bare = source("boot.asm");
    dir.write("p.ppf", "[FILEA]\nFILENAME=" + dir.file("gone.c") + "\n[FILEB]\nFILENAME=" + kept +
                           "\n[FILEC]\nFILENAME=\n[FILED]\nFILENAME=*.c\n[FILEE]\nFILENAME=boot.asm\n");
    EXPECT_TRUE(commands.ReadProject(project()));
    EXPECT_EQ((std::vector<std::string>{kept, bare}), host.names());
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(ProjectCommandsTest, UnreadableProjectFileIsReported)
{
    fs::create_directory(project());
    EXPECT_FALSE(commands.ReadProject(project()));
    EXPECT_EQ(std::vector<RecordedBox>{error("Error reading from IDE project file.")}, ui.boxes());
    EXPECT_EQ("state", host.log.back());
}

TEST_F(ProjectCommandsTest, SaveWritesTheSettingsCopyAfterTheProjectSections)
{
    host.add(source("a.c"));
    openProjectNamed(project());
    settings.project.addFile(dir.file("a.c"));
    settings.tools[2].name = "/opt/sim";
    ASSERT_TRUE(commands.SaveProject());
    const ProfileFile file(project());
    EXPECT_EQ(project(), file.readString("PROJECT", "NAME", ""));
    EXPECT_EQ("/opt/sim", file.readString("EXECUTABLE3", "NAME", ""));
    EXPECT_EQ(dir.file("a.c"), file.readString("PROJECTFILES", "FILE1", ""));
    EXPECT_FALSE(fs::exists(project() + ".saving"));
}

TEST_F(ProjectCommandsTest, SaveProjectSavesFilesFirstWhenAsked)
{
    settings.general.saveProjectSavesFiles = true;
    openProjectNamed(project());
    commands.SaveProject();
    EXPECT_EQ("saveAll", host.log.front());
    EXPECT_TRUE(fs::exists(project()));
}

TEST_F(ProjectCommandsTest, FailedSaveLeavesTheOldProjectFileWhole)
{
    const auto old = "[PROJECT]\nNAME=" + project() + "\n[PROJECTFILES]\nNUMFILES=1\nFILE1=/keep.c\n";
    dir.write("p.ppf", old);
    // The copy that the save writes into cannot be made.
    fs::create_directories(dir.path() / "p.ppf.saving" / "blocker");
    openProjectNamed(project());
    EXPECT_FALSE(commands.SaveProject());
    EXPECT_EQ(std::vector<RecordedBox>{error("Error writing to IDE project file.")}, ui.boxes());
    EXPECT_EQ(old, TempDir::read(project()));
}

TEST_F(ProjectCommandsTest, SaveIntoAVanishedDirectoryIsReported)
{
    openProjectNamed(dir.file("gone/p.ppf"));
    EXPECT_FALSE(commands.SaveProject());
    EXPECT_EQ((std::vector<std::string>{"Error writing to IDE project file."}), ui.texts());
    EXPECT_FALSE(fs::exists(dir.file("gone")));
}

TEST_F(ProjectCommandsTest, ProjectNameWithoutDirectoryMakesSaveAskForAName)
{
    openProjectNamed("demo.ppf");
    ui.chooseFile(dir.file("chosen.ppf"));
    EXPECT_TRUE(commands.SaveProject());
    ASSERT_EQ(1u, ui.fileDialogs().size());
    EXPECT_TRUE(ui.fileDialogWasSave()[0]);
    EXPECT_EQ("Specify project file to save", ui.fileDialogs()[0].title);
    EXPECT_EQ("Project File (*.PPF) | *.ppf", ui.fileDialogs()[0].filter);
    EXPECT_EQ(settings.projectPath, ui.fileDialogs()[0].initialDirectory);
    EXPECT_TRUE(ui.fileDialogs()[0].overwritePrompt);
    EXPECT_EQ("demo.ppf", ui.fileDialogs()[0].fileName);
    EXPECT_EQ(dir.file("chosen.ppf"), settings.project.name);
    EXPECT_TRUE(fs::exists(dir.file("chosen.ppf")));
}

TEST_F(ProjectCommandsTest, NameTypedWithoutExtensionGetsTheProjectExtension)
{
    openProjectNamed(kNoProject);
    ui.chooseFile(dir.file("fresh.$_~"));  // the dialog's placeholder extension
    commands.SaveProjectButton();
    EXPECT_EQ(dir.file("fresh.ppf"), settings.project.name);
    EXPECT_TRUE(fs::exists(dir.file("fresh.ppf")));
}

TEST_F(ProjectCommandsTest, SaveProjectButtonWithoutProjectAsksForAName)
{
    ui.cancelFileDialog();
    EXPECT_FALSE(commands.SaveProjectButton());
    EXPECT_EQ("Specify project file to save", ui.fileDialogs().at(0).title);
    EXPECT_FALSE(settings.project.open);
}

TEST_F(ProjectCommandsTest, ReadOnlyProjectFileIsSavedUnderAnotherName)
{
    const auto locked = dir.write("locked.ppf", "[PROJECT]\n");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    openProjectNamed(locked);
    ui.chooseFile(dir.file("other.ppf"));
    EXPECT_TRUE(commands.SaveProject());
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Information,
                                         "Error saving file: " + locked + " - File is read-only.", MessageButtons::Ok}}),
              ui.boxes());
    EXPECT_EQ(dir.file("other.ppf"), settings.project.name);
    EXPECT_EQ("[PROJECT]\n", TempDir::read(locked));
}

TEST_F(ProjectCommandsTest, OpenProjectReadsWindowsThenSettings)
{
    const auto a = source("a.c");
    dir.write("p.ppf", "[PROJECT]\nNAME=/elsewhere/p.ppf\nOPEN=0\n[EXECUTABLE1]\nNAME=/opt/dbg\n[FILEA]\nFILENAME=" + a +
                           "\n[PROJECTFILES]\nNUMFILES=1\nFILE1=" + a + "\n");
    ui.chooseFile(project());
    commands.OpenProject();
    const auto& request = ui.fileDialogs().at(0);
    EXPECT_EQ("Specify project file to open", request.title);
    EXPECT_TRUE(request.pathMustExist);
    EXPECT_FALSE(ui.fileDialogWasSave()[0]);
    EXPECT_EQ((std::vector<std::string>{a}), host.names());
    EXPECT_EQ((std::vector<std::string>{a}), settings.project.files);
    EXPECT_EQ("/opt/dbg", settings.tools[0].name);
    // The file opened is the project, whatever its own keys say.
    EXPECT_EQ(project(), settings.project.name);
    EXPECT_TRUE(settings.project.open);
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(ProjectCommandsTest, OpeningAMissingProjectCreatesItOnlyOnYes)
{
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        SCOPED_TRACE(answer);
        ui.clearRecords();
        ui.chooseFile(dir.file("new.ppf"));
        ui.answer(answer);
        commands.OpenProject();
        EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Information,
                                             "The project " + dir.file("new.ppf") + " does not exist. Do you wish to create it?",
                                             MessageButtons::YesNo}}),
                  ui.boxes());
        const bool created = answer == Answer::Yes;
        EXPECT_EQ(created, settings.project.open);
        EXPECT_EQ(created ? dir.file("new.ppf") : std::string(kNoProject), settings.project.name);
        EXPECT_EQ(created, fs::exists(dir.file("new.ppf")));
    }
}

TEST_F(ProjectCommandsTest, OpeningAnotherProjectClosesTheOpenOneFirst)
{
    const auto b = source("b.c");
    dir.write("other.ppf", "[FILEA]\nFILENAME=" + b + "\n");
    host.add(source("a.c"));
    openProjectNamed(project());
    ui.chooseFile(dir.file("other.ppf"));
    ui.answer(Answer::No);
    commands.OpenProject();
    EXPECT_EQ((std::vector<std::string>{"Do you wish to save project p.ppf?"}), ui.texts());
    EXPECT_EQ((std::vector<std::string>{b}), host.names());
    EXPECT_EQ(dir.file("other.ppf"), settings.project.name);
}

TEST_F(ProjectCommandsTest, CancelledCloseKeepsTheProjectOpen)
{
    host.add(source("a.c"));
    openProjectNamed(project());
    settings.project.addFile(dir.file("a.c"));
    ui.answer(Answer::Cancel);
    EXPECT_FALSE(commands.CloseNewProject());
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Confirmation, "Do you wish to save project p.ppf?",
                                         MessageButtons::YesNoCancel}}),
              ui.boxes());
    EXPECT_TRUE(settings.project.open);
    EXPECT_EQ(1u, host.windows.size());
    EXPECT_EQ(1u, settings.project.files.size());
}

TEST_F(ProjectCommandsTest, CloseClosesWindowsFrontmostFirstAndForgetsTheProject)
{
    host.add(source("a.c"));
    host.add(source("b.c"));
    openProjectNamed(project());
    settings.project.addFile(dir.file("a.c"));
    ui.answer(Answer::Yes);
    EXPECT_TRUE(commands.CloseNewProject());
    EXPECT_TRUE(fs::exists(project()));  // Yes saved it
    EXPECT_EQ((std::vector<std::string>{"close " + dir.file("a.c"), "close " + dir.file("b.c")}), host.logged("close"));
    EXPECT_FALSE(settings.project.open);
    EXPECT_EQ(kNoProject, settings.project.name);
    EXPECT_TRUE(settings.project.files.empty());
    EXPECT_EQ((std::vector<std::string>{"tree", "state"}),
              std::vector<std::string>(host.log.end() - 2, host.log.end()));
}

TEST_F(ProjectCommandsTest, WindowThatRefusesToCloseKeepsTheProjectOpen)
{
    host.add(source("a.c"));
    host.add(source("b.c")).refuseClose = true;
    openProjectNamed(project());
    ui.answer(Answer::No);
    EXPECT_FALSE(commands.CloseNewProject());
    EXPECT_EQ((std::vector<std::string>{dir.file("b.c")}), host.names());
    EXPECT_TRUE(settings.project.open);
}

TEST_F(ProjectCommandsTest, AddingFilesAsksWithTheFiltersAndKeepsOneEntryPerFile)
{
    const auto a = source("a.c");
    const auto b = source("b.c");
    openProjectNamed(project());
    settings.editor.fileFilters = {"C Files|*.c", "All|*.*"};
    settings.editor.fileFilterIndex = 2;
    ui.chooseFiles({a});
    commands.AddFilesToProject();
    ui.chooseFiles({b, a});
    commands.AddFilesToProject();
    EXPECT_EQ((std::vector<std::string>{a, b}), settings.project.files);
    const auto& request = ui.fileDialogs().at(0);
    EXPECT_EQ("Add Files to Project", request.title);
    EXPECT_EQ("C Files|*.c|All|*.*", request.filter);
    EXPECT_EQ(2, request.filterIndex);
    EXPECT_TRUE(request.multiSelect);
    EXPECT_EQ(2u, host.logged("tree").size());
}

TEST_F(ProjectCommandsTest, AddFilesStartsInTheActiveWindowsDirectory)
{
    fs::create_directory(dir.path() / "sub");
    host.add(dir.write("sub/x.c", ""));
    ui.cancelFileDialog();
    commands.AddFilesToProject();
    EXPECT_EQ(dir.file("sub"), ui.fileDialogs().at(0).initialDirectory);
}

TEST_F(ProjectCommandsTest, AddingAFileThatDoesNotExistAsksAgain)
{
    const auto a = source("a.c");
    ui.chooseFiles({a, dir.file("nope.c")});
    ui.chooseFiles({a});
    commands.AddFilesToProject();
    EXPECT_EQ(std::vector<RecordedBox>{error("Error - File " + dir.file("nope.c") + " does not exist.")}, ui.boxes());
    EXPECT_EQ((std::vector<std::string>{a}), settings.project.files);
}

TEST_F(ProjectCommandsTest, RemoveTakesOutTheChosenFile)
{
    for (const char* f : {"/p/a.c", "/p/b.c", "/p/c.c"})
        settings.project.addFile(f);
    host.removeChoice = 1;
    commands.RemoveFileFromProject();
    EXPECT_EQ((std::vector<std::string>{"/p/a.c", "/p/b.c", "/p/c.c"}), host.removeDialogFiles);
    EXPECT_EQ((std::vector<std::string>{"/p/a.c", "/p/c.c"}), settings.project.files);
    host.removeChoice.reset();
    commands.RemoveFileFromProject();
    EXPECT_EQ(2u, settings.project.files.size());
    EXPECT_EQ(2u, host.logged("tree").size());
}

TEST_F(ProjectCommandsTest, TreeClicksOpenFilesAndTheRootOpensAProjectOnlyWithoutOne)
{
    const auto a = source("a.c");
    settings.project.addFile(a);
    commands.FileNodeClicked(0);
    commands.FileNodeClicked(5);
    EXPECT_EQ((std::vector<std::string>{"open " + a}), host.logged("open"));

    ui.cancelFileDialog();
    commands.RootNodeClicked();
    EXPECT_EQ(1u, ui.fileDialogs().size());
    openProjectNamed(project());
    commands.RootNodeClicked();
    EXPECT_EQ(1u, ui.fileDialogs().size());
}

}  // namespace
}  // namespace quarry
