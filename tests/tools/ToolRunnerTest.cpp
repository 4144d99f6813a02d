#include "tools/ToolRunner.h"

#include "FakeToolShell.h"
#include "platform/FileFacts.h"
#include "settings/FileLocator.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"
#include "tools/ToolTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quarry {
namespace {

namespace fs = std::filesystem;
using test::RecordedBox;
using Strings = std::vector<std::string>;

constexpr int kCompiler = 1;
constexpr int kExe1 = 3;

class ToolRunnerTest : public ::testing::Test {
protected:
    ToolRunnerTest()
    {
        for (const char* sub : {"src", "project/lib", "prog"})
            fs::create_directories(dir.path() / sub);
        settings.sourcePath = dir.file("src");
        settings.projectPath = dir.file("project");
        settings.general.modifiedFileAsk = false;
        settings.tools[0] = ToolSlot{"Debugger", "gdb", "%FILE%", false, false, false, false, false};
        auto& c = settings.compiler;
        c.type = kCompilerTypes[2];
        c.name = "cc";
        c.options = "-c %FILE%";
        c.otherConfirm = c.otherAddQuotes = c.otherSaveFiles = false;
        c.otherErrorFormat = kErrorFormats[3];
        c.otherErrorFileName = "%FILE.ERR%";
        main = dir.write("src/main.c", "int main;\n");
    }

    std::string Src(const std::string& name) const { return dir.file("src/" + name); }
    std::string Project(const std::string& name) const { return dir.file("project/" + name); }
    // The compiler writes this error file when it runs.
    void CompilerWrites(const std::string& file, const std::string& content)
    {
        starter.onStart = [this, file, content](const LaunchRequest&) { dir.write(file, content); };
    }
    Strings Arguments() const { return starter.requests.empty() ? Strings{"<none>"} : starter.requests.back().arguments; }
    // The log from the run's own start (after the marks were cleared).
    Strings RunLog() const
    {
        const auto start = std::find(shell.log.begin(), shell.log.end(), "clear marks");
        return start == shell.log.end() ? Strings{} : Strings(start + 1, shell.log.end());
    }

    test::TempDir dir;
    std::string main;
    EnvironmentSettings settings;
    FileLocator locator{settings, dir.file("prog")};
    test::ScriptedUserInterface ui;
    test::FakeToolShell shell;
    test::FakeStarter starter;
    ToolRunner runner{settings, locator, ui, shell, starter, PathStyle::posix()};
};

TEST_F(ToolRunnerTest, SavesAsConfiguredBeforeTheFileIsChosen)
{
    const struct {
        int tag;
        bool saveBefore;
        bool ask;
        const char* first;
    } cases[] = {
        {kExe1, true, true, "save all"}, {kExe1, false, true, "ask save"}, {kExe1, false, false, "clear marks"},
        {kCompiler, true, false, "save all"}, {kCompiler, false, true, "ask save"},
    };
    shell.active = main;
    for (const auto& c : cases) {
        shell.log.clear();
        settings.tools[0].saveFiles = settings.compiler.otherSaveFiles = c.saveBefore;
        settings.general.modifiedFileAsk = c.ask;
        runner.SpeedButtonIdeClick(c.tag);
        ASSERT_FALSE(shell.log.empty());
        EXPECT_EQ(c.first, shell.log.front()) << c.tag << c.saveBefore << c.ask;
    }
}

TEST_F(ToolRunnerTest, ChoosesTheMainOrTheEditedFile)
{
    dir.write("project/lib/p.c", "");
    const struct {
        FileParameterSource source;
        std::string mainName;
        std::optional<std::string> active;
        std::string options;
        std::optional<Answer> answer;
        std::vector<RecordedBox> boxes;
        Strings arguments;
    } cases[] = {
        {FileParameterSource::MainFile, "main.c", {}, "%FILE%", {}, {}, {Src("main.c")}},
        {FileParameterSource::MainFile, "lib/p.c", {}, "%FILE%", {}, {}, {Project("lib/p.c")}},
        {FileParameterSource::MainFile,
         " gone.c ",
         {},
         "%FILE%",
         {},
         {{MessageKind::Error, tooltexts::invalidMainFile(" gone.c "), MessageButtons::Ok}},
         {"<none>"}},
        {FileParameterSource::EditedFile, "", " /x/e.c ", "-g %FILE%", {}, {}, {"-g", "/x/e.c"}},
        {FileParameterSource::EditedFile,
         "",
         {},
         "-v %file%",
         Answer::Cancel,
         {{MessageKind::Information, tooltexts::kNoEditFile, MessageButtons::OkCancel}},
         {"<none>"}},
        {FileParameterSource::EditedFile,
         "",
         {},
         "-v %file%",
         Answer::Ok,
         {{MessageKind::Information, tooltexts::kNoEditFile, MessageButtons::OkCancel}},
         {"-v"}},
        {FileParameterSource::EditedFile, "", {}, "-v", {}, {}, {"-v"}},
        {FileParameterSource::EditedFile,
         "",
         "/x/e.c",
         "%FILEX",
         {},
         {{MessageKind::Information, tooltexts::kIllegalParameter, MessageButtons::Ok}},
         {"<none>"}},
    };
    for (const auto& c : cases) {
        starter.requests.clear();
        ui.clearRecords();
        settings.general.fileParameter = c.source;
        settings.general.mainFileEditName = c.mainName;
        settings.tools[0].options = c.options;
        shell.active = c.active;
        if (c.answer)
            ui.answer(*c.answer);
        runner.SpeedButtonIdeClick(kExe1);
        EXPECT_EQ(c.boxes, ui.boxes()) << c.options << " " << c.mainName;
        EXPECT_EQ(c.arguments, Arguments()) << c.options << " " << c.mainName;
    }
}

TEST_F(ToolRunnerTest, ConfirmCancelledOrLaunchFailedKeepsTheOldErrorFile)
{
    const auto errorFile = Src("main.ERR");
    const auto backup = Src("main.TVTMPBAK");
    const std::string launchError = "No such file or directory" + std::string(tooltexts::kCheckExePaths);
    const struct {
        bool cancel;
        int failWith;
        std::vector<RecordedBox> boxes;
        std::size_t started;
        int result;
    } cases[] = {
        {true, 0, {}, 0, 0},
        {false, 2, {{MessageKind::Information, launchError, MessageButtons::Ok}}, 1, 2},
    };
    settings.compiler.otherConfirm = true;
    shell.active = main;
    for (const auto& c : cases) {
        dir.write("src/main.ERR", "old errors");
        ui.clearRecords();
        starter.requests.clear();
        shell.cancelConfirm = c.cancel;
        starter.failWith = c.failWith;
        bool movedAside = false;
        shell.onConfirm = [&] { movedAside = files::fileExists(backup) && !files::fileExists(errorFile); };
        runner.SpeedButtonIdeClick(kCompiler);
        EXPECT_TRUE(movedAside);
        EXPECT_EQ(c.boxes, ui.boxes());
        EXPECT_EQ(c.started, starter.requests.size());
        EXPECT_EQ(c.result, runner.Launcher().LastLaunchResult);
        EXPECT_EQ("old errors", test::TempDir::read(errorFile));
        EXPECT_FALSE(files::fileExists(backup));
    }
    // An EXE slot forgets a cancelled confirm silently.
    shell.onConfirm = nullptr;
    settings.tools[0].confirm = shell.cancelConfirm = true;
    runner.SpeedButtonIdeClick(kExe1);
    EXPECT_EQ(0, runner.Launcher().LastLaunchResult);
}

TEST_F(ToolRunnerTest, AfterACompilerRunTheErrorFileTakesTheUserToTheError)
{
    const auto lib = dir.write("project/lib/util.c", "");
    settings.project.files = {lib};
    const struct {
        std::string errors;
        Strings log;
        std::vector<RecordedBox> boxes;
    } cases[] = {
        {"main.c:12: error: x\n",
         {"clear marks", "open " + main, "error line 12", "status maroon: main.c:12: error: x"},
         {}},
        {"In file included from util.c:1:\nutil.c:3:7: error: y\n",
         {"clear marks", "open " + lib, "error line 3", "status maroon: util.c:3:7: error: y"},
         {}},
        {"main.c:500: error: beyond the end\n",
         {"clear marks", "open " + main, "status maroon: main.c:500: error: beyond the end"},
         {}},
        {"gone.c:4: error: z\n",
         {"status maroon: gone.c:4: error: z"},
         {{MessageKind::Information, tooltexts::sourceNotFound("gone.c", 4), MessageButtons::Ok}}},
        {"all fine\n", {"status navy: No error found - Check compiler error output"}, {}},
    };
    for (const auto& c : cases) {
        shell.log.clear();
        ui.clearRecords();
        shell.active = main;
        CompilerWrites("src/main.ERR", c.errors);
        runner.SpeedButtonIdeClick(kCompiler);
        EXPECT_EQ((Strings{"-c", Src("main.c")}), starter.requests.back().arguments);
        EXPECT_EQ(c.log, RunLog()) << c.errors;
        EXPECT_EQ(c.boxes, ui.boxes()) << c.errors;
    }
    EXPECT_FALSE(files::fileExists(Src("main.TVTMPBAK")));
}

TEST_F(ToolRunnerTest, TalvikRunsReplaceTheErrorFileAndRingOnErrors)
{
    auto& c = settings.compiler;
    c.type = kCompilerTypes[1];
    c.name = "asmb05";
    const auto source = dir.write("src/MAIN.ASM", "");
    const auto errorFile = Src("MAIN.ERR");
    const struct {
        bool bell;
        std::optional<std::string> errors;
        bool rings;
        std::vector<RecordedBox> boxes;
    } cases[] = {
        {true, "MAIN.ASM(3): first\nMAIN.ASM(25): Undefined label\n", true, {}},
        {true, "MAIN.ASM(25): Undefined label\nAssembly complete. Success, 0 errors\n", false, {}},
        {false, "MAIN.ASM(25): Undefined label\n", false, {}},
        {true,
         {},
         false,
         {{MessageKind::Error, tooltexts::errorFileNotFound(errorFile), MessageButtons::Ok}}},
    };
    for (const auto& row : cases) {
        shell.log.clear();
        ui.clearRecords();
        shell.active = source;
        c.soundBell = row.bell;
        dir.write("src/MAIN.ERR", "left from the last run");
        bool oldFileGone = false;
        starter.onStart = [&](const LaunchRequest&) {
            oldFileGone = !files::fileExists(errorFile);
            if (row.errors)
                dir.write("src/MAIN.ERR", *row.errors);
        };
        runner.SpeedButtonIdeClick(kCompiler);
        EXPECT_TRUE(oldFileGone);
        EXPECT_EQ((Strings{source, "S", "D", "L", "C", "^"}), Arguments());
        EXPECT_EQ(row.rings, std::count(shell.log.begin(), shell.log.end(), "beep") == 1) << row.bell;
        EXPECT_EQ(row.boxes, ui.boxes());
    }
}

TEST_F(ToolRunnerTest, GnuKindsRunTheirBuildScript)
{
    settings.compiler.type = kCompilerTypes[3];
    auto& target = settings.m68kElf;
    target.batchOpt = 1;  // the user's own script
    target.errorFileName = "gnu.err";
    target.saveFiles = target.openErr = target.getError = true;
    const auto script = dir.write("project/build.sh", "");
    const auto errorFile = dir.write("project/gnu.err", "from the last build");
    shell.active = main;
    const struct {
        std::string name;
        std::vector<RecordedBox> boxes;
        std::size_t started;
    } cases[] = {
        {"build", {{MessageKind::Error, tooltexts::kScriptNameNeeded, MessageButtons::Ok}}, 0},
        {"missing.sh", {{MessageKind::Error, tooltexts::scriptNotFound("missing.sh"), MessageButtons::Ok}}, 0},
        {"build.sh", {}, 1},
    };
    for (const auto& c : cases) {
        ui.clearRecords();
        shell.log.clear();
        settings.compiler.name = c.name;
        CompilerWrites("project/gnu.err", "main.c:7: error: e\n");
        runner.SpeedButtonIdeClick(kCompiler);
        EXPECT_EQ(c.boxes, ui.boxes()) << c.name;
        EXPECT_EQ(c.started, starter.requests.size()) << c.name;
    }
    const auto& request = starter.requests.back();
    EXPECT_EQ(script, request.executable);
    EXPECT_TRUE(request.arguments.empty());
    EXPECT_EQ((LaunchWindowMode{true, LaunchWindowMode::Show::Hidden}), request.windowMode);
    EXPECT_EQ(LaunchWindowMode{}, runner.Launcher().WindowMode);
    EXPECT_EQ((Strings{"force reload " + errorFile, "status navy: Executing Batch File Build Script...", "busy",
                       "status cleared", "idle", "check files", "busy",
                       "status navy: Processing Compiler Output...", "clear marks", "open " + main, "error line 7",
                       "status maroon: main.c:7: error: e", "idle", "open " + errorFile}),
              Strings(std::find(shell.log.begin(), shell.log.end(), "clear marks") + 1, shell.log.end()));
}

TEST_F(ToolRunnerTest, AnIllegalErrorFileNameIsReportedAfterTheRun)
{
    settings.compiler.otherErrorFileName = "%FILE.ERR";
    shell.active = main;
    runner.SpeedButtonIdeClick(kCompiler);
    EXPECT_EQ(1u, starter.requests.size());
    EXPECT_EQ((std::vector<RecordedBox>{
                  {MessageKind::Information, tooltexts::kIllegalErrorFileName, MessageButtons::Ok}}),
              ui.boxes());
}

TEST_F(ToolRunnerTest, TheErrorListHoldsTheFileAndTheOutputAndIsWalked)
{
    shell.active = main;
    CompilerWrites("src/main.ERR", "main.c:1: error: a\nmain.c:2: warning: b\nmain.c:3: error: c\n");
    starter.output = "main.c:3: error: c\nmain.c:4: error: only in the output\n";
    runner.SpeedButtonIdeClick(kCompiler);
    EXPECT_EQ(4u, shell.listed);
    EXPECT_EQ(0u, runner.Errors().Current());
    shell.log.clear();
    runner.NextError();
    runner.NextError();
    runner.PreviousError();
    runner.GoToListEntry(3);
    EXPECT_EQ((Strings{"clear marks", "open " + main, "error line 2", "status maroon: main.c:2: warning: b",
                       "clear marks", "open " + main, "error line 3", "status maroon: main.c:3: error: c",
                       "clear marks", "open " + main, "error line 2", "status maroon: main.c:2: warning: b",
                       "clear marks", "open " + main, "error line 4",
                       "status maroon: main.c:4: error: only in the output"}),
              shell.log);
    EXPECT_EQ(3u, shell.current);
}

TEST_F(ToolRunnerTest, NothingFollowsARunWhenTheProgramIsClosing)
{
    shell.active = main;
    shell.terminating = true;
    CompilerWrites("src/main.ERR", "main.c:1: error: x\n");
    runner.SpeedButtonIdeClick(kCompiler);
    EXPECT_EQ(1u, starter.requests.size());
    EXPECT_EQ(Strings{}, RunLog());
}

TEST_F(ToolRunnerTest, ParametersAndCommandLinesAreCutAt255)
{
    settings.tools[0].options = std::string(300, 'x');
    shell.active = main;
    runner.SpeedButtonIdeClick(kExe1);
    ASSERT_EQ(1u, starter.requests.size());
    EXPECT_EQ(255u, starter.requests[0].commandLine.size());
    EXPECT_EQ("gdb " + std::string(251, 'x'), starter.requests[0].commandLine);
}

}  // namespace
}  // namespace quarry
