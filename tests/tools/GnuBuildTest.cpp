// F4 on a GNU kind: where the script may go and what stops the run, the script written and
// started, and real builds with Debian's m68k and powerpc cross compilers through the run-tool
// command, down to the caret on a syntax error.
#include "tools/ToolRunner.h"

#include "FakeToolShell.h"
#include "platform/FileFacts.h"
#include "settings/FileLocator.h"
#include "support/RunProgram.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"
#include "tools/PosixBuildScript.h"
#include "tools/ToolProcesses.h"
#include "tools/ToolTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace quarry {
namespace {

namespace fs = std::filesystem;
using test::RecordedBox;
using Strings = std::vector<std::string>;
constexpr int kCompiler = 1;

class GnuBuildTest : public ::testing::Test {
protected:
    GnuBuildTest()
    {
        fs::create_directories(dir.path() / "project");
        settings.sourcePath = settings.projectPath = Project("");
        settings.general.modifiedFileAsk = false;
        settings.compiler.type = kCompilerTypes[3];
        settings.compiler.name = "build.sh";
        auto& target = settings.m68kElf;
        target.main = "main.c";
        target.errorFileName = "gnu.err";
        target.openErr = false;
        main = dir.write("project/main.c", "int main(void) { return 0; }\n");
    }
    std::string Project(const std::string& name) const { return dir.file("project/" + name); }
    void SetReadOnly(const std::string& path) { fs::permissions(path, fs::perms::owner_write, fs::perm_options::remove); }

    test::TempDir dir;
    std::string main;
    EnvironmentSettings settings;
    FileLocator locator{settings, dir.file("project")};
    test::ScriptedUserInterface ui;
    test::FakeToolShell shell;
    test::FakeStarter starter;
};

TEST_F(GnuBuildTest, TheScriptIsWrittenFromTheTargetAndStarted)
{
    ToolRunner runner{settings, locator, ui, shell, starter, PathStyle::posix()};
    runner.SpeedButtonIdeClick(kCompiler);
    const auto script = Project("build.sh");
    ASSERT_EQ(1u, starter.requests.size());
    EXPECT_EQ(script, starter.requests[0].executable);
    const auto params = MakeCompilerParams(settings.m68kElf, GnuTarget::M68kElf, main, Project(""), PathStyle::posix());
    EXPECT_EQ(PosixBuildScript(params, GnuTarget::M68kElf, script, Project("")), test::TempDir::read(script));
    EXPECT_EQ((Strings{"clear marks", "busy", "status navy: Processing Compiler Options...",
                       "status navy: Producing Batch File Build Script...", "idle",
                       "status navy: Executing Batch File Build Script..."}),
              Strings(shell.log.begin(), shell.log.begin() + 6));
    // The next run asks before it replaces the script.
    ui.answer(Answer::Ok);
    runner.SpeedButtonIdeClick(kCompiler);
    EXPECT_EQ((std::vector<RecordedBox>{
                  {MessageKind::Warning, tooltexts::overwriteScript(script), MessageButtons::OkCancel}}),
              ui.boxes());
    EXPECT_EQ(2u, starter.requests.size());
}

TEST_F(GnuBuildTest, ADestinationThatCannotTakeTheScriptStopsTheRun)
{
    fs::create_directories(dir.path() / "project/ro");
    dir.write("project/kept.sh", "kept");
    dir.write("project/locked.sh", "locked");
    SetReadOnly(Project("locked.sh"));
    SetReadOnly(Project("ro"));
    fs::create_symlink("/dev/full", Project("full.sh"));
    const struct {
        std::string name;
        std::optional<Answer> answer;
        std::vector<RecordedBox> boxes;
    } cases[] = {
        {"none/build.sh",
         {},
         {{MessageKind::Error, tooltexts::scriptDirectoryMissing(Project("none")), MessageButtons::Ok}}},
        {Project("ro/build.sh"),
         {},
         {{MessageKind::Error, tooltexts::scriptDirectoryReadOnly(Project("ro")), MessageButtons::Ok}}},
        {"kept.sh",
         Answer::Cancel,
         {{MessageKind::Warning, tooltexts::overwriteScript(Project("kept.sh")), MessageButtons::OkCancel}}},
        {"locked.sh",
         Answer::Ok,
         {{MessageKind::Warning, tooltexts::overwriteScript(Project("locked.sh")), MessageButtons::OkCancel},
          {MessageKind::Error, tooltexts::scriptReadOnly(Project("locked.sh")), MessageButtons::Ok}}},
        // A disk that fills up while the script is written.
        {"full.sh",
         {},
         {{MessageKind::Error, tooltexts::scriptNotProduced(Project("full.sh")), MessageButtons::Ok}}},
    };
    ToolRunner runner{settings, locator, ui, shell, starter, PathStyle::posix()};
    for (const auto& c : cases) {
        ui.clearRecords();
        settings.compiler.name = c.name;
        if (c.answer)
            ui.answer(*c.answer);
        runner.SpeedButtonIdeClick(kCompiler);
        EXPECT_EQ(c.boxes, ui.boxes()) << c.name;
        EXPECT_TRUE(starter.requests.empty()) << c.name;
        EXPECT_EQ((LaunchWindowMode{true, LaunchWindowMode::Show::Normal}), runner.Launcher().WindowMode);
    }
    EXPECT_EQ("kept", test::TempDir::read(Project("kept.sh")));
    EXPECT_EQ("locked", test::TempDir::read(Project("locked.sh")));
    EXPECT_FALSE(fs::exists(Project("ro/build.sh")));
}

TEST_F(GnuBuildTest, TheCaptureFormNeedsAUsableTemporaryDirectory)
{
    fs::create_directories(dir.path() / "tmp/ro");
    SetReadOnly(dir.file("tmp/ro"));
    const auto paramFile = dir.write("tmp/__talvik__tmp.tmp__", "");
    SetReadOnly(paramFile);
    const struct {
        std::optional<std::string> temp;
        std::string message;
    } cases[] = {
        {std::nullopt, tooltexts::tempFileNotCreated("")},
        {"  ", tooltexts::tempFileNotCreated("  ")},
        {dir.file("tmp/ro/"), tooltexts::tempFileNotCreated(dir.file("tmp/ro/"))},
        {dir.file("tmp/") + std::string(260, 'x') + "/", tooltexts::tempFileNotCreated(dir.file("tmp/") + std::string(260, 'x') + "/")},
        {dir.file("tmp/"), tooltexts::tempFileReadOnly(paramFile)},
    };
    for (const auto& c : cases) {
        ui.clearRecords();
        BuildScriptWriter writer(ui, {ScriptDialect::Batch, PlatformFamily::Windows9x, [&] { return c.temp; }});
        EXPECT_FALSE(writer.WriteM68kBuildScript(Project("build.bat")));
        EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Error, c.message, MessageButtons::Ok}}), ui.boxes());
        EXPECT_FALSE(fs::exists(Project("build.bat")));
    }
    // The direct form needs no temporary file.
    BuildScriptWriter nt(ui, {ScriptDialect::Batch, PlatformFamily::WindowsNt, [] { return std::nullopt; }});
    EXPECT_TRUE(nt.WriteM68kBuildScript(Project("build.bat")));
}

// ---------------------------------------------------------------- real cross compilers

const char* const kLinkerScript = R"(ENTRY(_start)
PROVIDE(__origin = 0x00000000);
PROVIDE(__stack = 0x20002000);
MEMORY { flash (rx) : ORIGIN = 0xFFE00000, LENGTH = 512K
         sram (rwx) : ORIGIN = 0x20000000, LENGTH = 8K }
SECTIONS {
  .text __origin : { KEEP(*(.vectors)) *(.text*) *(.rodata*) } > flash
  .note : { *(.note*) } > flash
  .data : { *(.data*) } > sram AT > flash
  .bss : { *(.bss*) *(COMMON) } > sram
}
)";

struct RealTarget {
    const char* type;
    GnuTargetOptions EnvironmentSettings::*options;
    const char* compiler;  // Debian's cross compiler
    const char* startup;
};

const RealTarget kRealTargets[] = {
    {"GNU m68k-elf", &EnvironmentSettings::m68kElf, "m68k-linux-gnu-gcc",
     "\t.section .vectors,\"a\"\n\t.long __stack\n\t.long _start\n\t.text\n\t.globl _start\n_start:\n"
     "\tmove.l #__stack,%sp\n\tjsr main\n1:\tbra.s 1b\n"},
    {"GNU powerpc-eabi", &EnvironmentSettings::ppcEabi, "powerpc-linux-gnu-gcc",
     "\t.text\n\t.globl _start\n_start:\n\tlis 1,__stack@ha\n\taddi 1,1,__stack@l\n\tbl main\n1:\tb 1b\n"},
};

// The S-record lines that carry data (S3, four address bytes) and start at this address.
bool HoldsRecordAt(const std::string& srecords, const std::string& address)
{
    std::istringstream lines(srecords);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("S3", 0) == 0 && line.substr(4, 8) == address)
            return true;
    return false;
}

TEST_F(GnuBuildTest, RealCrossCompilersBuildTheTargetAndTheCaretLandsOnTheError)
{
    for (const auto& real : kRealTargets) {
        SCOPED_TRACE(real.type);
        settings.compiler.type = real.type;
        settings.compiler.name = "build.sh";
        auto& target = settings.*real.options;
        target.main = "main.c";
        target.compilerOptions = "-m5200 -nostdlib -ffreestanding -Wl,-z,noexecstack";
        if (real.options == &EnvironmentSettings::ppcEabi) {
            target.compilerOptions = "-nostdlib -ffreestanding -Wl,-z,noexecstack";
            target.ecrt = "ecrt";
            // What an EABI toolchain ships around the program: here two empty sections.
            for (const char* part : {"ecrti", "ecrtn"}) {
                const auto source = dir.write("project/ecrt/" + std::string(part) + ".s", "\t.section .init,\"ax\"\n");
                ASSERT_EQ(0, test::runProgram(real.compiler, "-c -o '" + Project("ecrt/") + part + ".o' '" + source + "'",
                                              "2>&1").status);
            }
        }
        target.startup = "startup.s";
        target.linker = "board.ld";
        target.outFile = "main.elf";
        target.genObjName = "main.o";
        target.genS19Name = "main.s19";
        target.errorFileName = "gnu.err";
        target.openErr = false;
        target.origin = "0xFFE00000";
        target.stack = "0x20002000";
        dir.write("project/startup.s", real.startup);
        dir.write("project/board.ld", kLinkerScript);
        dir.write("project/main.c", "volatile unsigned short port;\nint main(void)\n{\n    port = 1;\n    return 0;\n}\n");
        for (const char* old : {"main.elf", "main.s19", "main.o", "build.sh"})
            fs::remove(Project(old));

        ToolProcesses processes;
        ToolRunner runner{settings, locator, ui, shell, processes, PathStyle::posix()};
        shell.log.clear();
        runner.SpeedButtonIdeClick(kCompiler);
        EXPECT_EQ("", test::TempDir::read(Project("gnu.err")));
        EXPECT_TRUE(files::fileExists(Project("main.elf")));
        EXPECT_TRUE(HoldsRecordAt(test::TempDir::read(Project("main.s19")), "FFE00000"));
        EXPECT_NE(shell.log.end(), std::find(shell.log.begin(), shell.log.end(),
                                             "status navy: No error found - Check compiler error output"));

        dir.write("project/main.c", "volatile unsigned short port;\nint main(void)\n{\n    port = ;\n    return 0;\n}\n");
        shell.log.clear();
        ui.answer(Answer::Ok);  // replace the script
        runner.SpeedButtonIdeClick(kCompiler);
        const auto errors = test::TempDir::read(Project("gnu.err"));
        const auto start = errors.find(Project("main.c") + ":4:");
        ASSERT_NE(std::string::npos, start) << errors;
        const auto gccLine = errors.substr(start, errors.find('\n', start) - start);
        EXPECT_NE(std::string::npos, gccLine.find("error:")) << gccLine;
        const Strings expected = {"open " + Project("main.c"), "error line 4", "status maroon: " + gccLine};
        EXPECT_NE(shell.log.end(), std::search(shell.log.begin(), shell.log.end(), expected.begin(), expected.end()))
            << ::testing::PrintToString(shell.log);
    }
}

}  // namespace
}  // namespace quarry
