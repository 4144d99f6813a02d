// The GNU build scripts: the option record's rules, golden batch scripts (both forms) and their
// POSIX twins, and the twin run by /bin/sh with stand-in tools that show what arrives.
#include "tools/BatchBuildScript.h"
#include "tools/CompilerParamStorage.h"
#include "tools/PosixBuildScript.h"

#include "platform/Text.h"
#include "support/Golden.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace quarry {
namespace {

using Strings = std::vector<std::string>;
const std::string kScripts = std::string(QUARRY_SOURCE_DIR) + "/tests/tools/data/scripts/";

// A target as a user sets one up: relative names, every switch, the whole memory map.
GnuTargetOptions FullTarget()
{
    GnuTargetOptions o;
    o.compilerOptions = "  -m5200 -nostdlib  ";
    o.verbose = o.warnAll = o.debug = o.genList = true;
    o.optimize = 3;
    o.genListName = "main.lst";
    o.genS19Name = "main.s19";
    o.genObjName = "main.o";
    o.outFile = "main.elf";
    o.startup = "startup.s";
    o.linker = "board.ld";
    o.errorFileName = "gnu.err";
    o.path = "bin;tools/bin";
    o.include = "inc;;lost";  // the empty item ends the list
    o.lib = "lib";
    o.ecrt = "ecrt";
    o.stack = " 0x20002000 ";
    o.heap = "0x20001000";
    o.origin = "0xFFE00000";
    o.moveData = o.moveText = true;
    o.dataRam = "0x20000000";
    o.dataFlash = "0xFFE40000";
    o.textRam = "0x20000800";
    o.textFlash = "0xFFE00000";
    return o;
}

class BuildScriptTest : public ::testing::Test {
protected:
    ppceabi_compiler_param_storage_type Params(const GnuTargetOptions& o, GnuTarget target, PathStyle style) const
    {
        return MakeCompilerParams(o, target, style.join(project(), "main.c"), project(), style);
    }
    std::string project() const { return dir.path().string(); }
    // The temporary project directory stands as @PROJECT@ in the golden files.
    std::string Portable(const std::string& script) const { return text::replaceAll(script, project(), "@PROJECT@"); }

    test::TempDir dir;
};

TEST_F(BuildScriptTest, OptionTextCollectsTheSwitchesInOrder)
{
    const struct {
        std::function<void(GnuTargetOptions&)> set;
        GnuTarget target;
        std::string options;
    } cases[] = {
        {[](GnuTargetOptions&) {}, GnuTarget::M68kElf, "-O0"},
        {[](GnuTargetOptions& o) { o.compilerOptions = " -g "; o.optimize = 1; o.noWarn = true; },
         GnuTarget::M68kElf, "-g -w -Os"},
        {[](GnuTargetOptions& o) { o.optimize = 4; o.verbose = o.warnAll = o.debug = true; }, GnuTarget::M68kElf,
         "-v -Wall -gdwarf-2 -O03"},
        {[](GnuTargetOptions& o) { o.optimize = 2; o.genList = true; o.genListName = "/l/x.lst"; },
         GnuTarget::M68kElf, "-O1 -Wa,-al=/l/x.lst"},
        {[](GnuTargetOptions& o) { o.optimize = 3; o.ecrt = "/gnu/ecrt"; }, GnuTarget::PowerPcEabi,
         "-O2 -B/gnu/ecrt/"},
    };
    for (const auto& c : cases) {
        GnuTargetOptions o;
        c.set(o);
        EXPECT_EQ(c.options, Params(o, c.target, PathStyle::posix()).CompilerOptions);
    }
}

TEST_F(BuildScriptTest, ListsEndAtTheFirstEmptyItemAndBlankNamesStayBlank)
{
    const struct {
        const char* list;
        Strings items;
    } cases[] = {{"a;;b", {"a"}}, {" a ; b ;", {"a", "b"}}, {";a", {}}, {"", {}}, {"a; ;b", {"a"}}};
    for (const auto& c : cases)
        EXPECT_EQ(c.items, SplitListSetting(c.list)) << c.list;
    // No start-up file is no start-up file, not the project directory.
    GnuTargetOptions o;
    o.startup = " ";
    const auto params = Params(o, GnuTarget::M68kElf, PathStyle::posix());
    EXPECT_EQ("", params.StartupFile);
    EXPECT_EQ("", params.OutputFile);
}

TEST_F(BuildScriptTest, BatchScriptsMatchTheirGoldenFiles)
{
    const auto win = PathStyle::windows();
    const std::string script = "C:\\work\\build.bat";
    const std::string paramFile = "C:\\TEMP\\__talvik__tmp.tmp__";
    const struct {
        const char* golden;
        GnuTarget target;
        PlatformFamily family;
        std::function<void(GnuTargetOptions&)> change;
    } cases[] = {
        {"m68k-nt.bat", GnuTarget::M68kElf, PlatformFamily::WindowsNt, {}},
        {"m68k-9x.bat", GnuTarget::M68kElf, PlatformFamily::Windows9x,
         [](GnuTargetOptions& o) { o.compilerOptions = "-DX=1"; }},
        {"m68k-unknown-objonly.bat", GnuTarget::M68kElf, PlatformFamily::Unknown,
         [](GnuTargetOptions& o) { o.genObj = true; }},
        {"m68k-nt-nos19.bat", GnuTarget::M68kElf, PlatformFamily::WindowsNt,
         [](GnuTargetOptions& o) { o.genS19 = false; }},
        {"m68k-nt-noerror.bat", GnuTarget::M68kElf, PlatformFamily::WindowsNt,
         [](GnuTargetOptions& o) { o.getError = false; }},
        {"ppc-nt-nomap.bat", GnuTarget::PowerPcEabi, PlatformFamily::WindowsNt,
         [](GnuTargetOptions& o) {
             o.stack = o.heap = o.origin = o.dataFlash = o.textFlash = " ";
             o.moveData = o.moveText = false;
         }},
        {"ppc-9x.bat", GnuTarget::PowerPcEabi, PlatformFamily::Windows9x, {}},
    };
    for (const auto& c : cases) {
        auto o = FullTarget();
        if (c.change)
            c.change(o);
        test::expectGolden(kScripts + c.golden,
                           Portable(BatchBuildScript(Params(o, c.target, win), c.target, c.family, script, paramFile)));
    }
}

TEST_F(BuildScriptTest, PosixTwinsMatchTheirGoldenFiles)
{
    const struct {
        const char* golden;
        GnuTarget target;
        std::function<void(GnuTargetOptions&)> change;
    } cases[] = {
        {"m68k.sh", GnuTarget::M68kElf, {}},
        {"ppc.sh", GnuTarget::PowerPcEabi, {}},
        {"m68k-noerror-objonly.sh", GnuTarget::M68kElf,
         [](GnuTargetOptions& o) {
             o.getError = false;
             o.genObj = true;
         }},
    };
    for (const auto& c : cases) {
        auto o = FullTarget();
        if (c.change)
            c.change(o);
        const auto params = Params(o, c.target, PathStyle::posix());
        test::expectGolden(kScripts + c.golden,
                           Portable(PosixBuildScript(params, c.target, project() + "/build.sh", project())));
    }
}

// The twin run by the shell: stand-ins for the tools write the words they receive, one a line,
// so option text with quotes, blanks and the shell's own characters is seen as the tools see it.
TEST_F(BuildScriptTest, PosixTwinPassesEachWordIntactAndFindsTheTools)
{
    const std::string record = project() + "/calls.txt";
    const auto standIn = "printf '%s\\n' \"$(basename \"$0\")\" \"$@\" >> '" + record + "'\necho \"$0 says\" >&2\n";
    const struct {
        const char* tools;  // the stand-in tools on the search path
        Strings calls;
    } cases[] = {
        {"m68k-elf", {"m68k-elf-gcc", "m68k-elf-gcc", "m68k-elf-objcopy"}},
        {"m68k-linux-gnu", {"m68k-linux-gnu-gcc", "m68k-linux-gnu-gcc", "m68k-linux-gnu-objcopy"}},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(dir.path() / "bin");
        for (const char* tool : {"-gcc", "-objcopy"}) {
            const auto name = dir.write("bin/" + std::string(c.tools) + tool, "#!/bin/sh\n" + standIn);
            std::filesystem::permissions(name, std::filesystem::perms::owner_all);
        }
        std::filesystem::remove(record);
        GnuTargetOptions o;
        o.compilerOptions = R"(-DNAME="a b" -DP=50% -DQ='x;y' $HOME)";
        o.path = "bin";
        o.genS19Name = "out/main.s19";
        o.errorFileName = "my errors.log";
        o.outFile = "main.elf";
        o.genObjName = "main.o";
        o.linker = "my board.ld";
        const auto params = Params(o, GnuTarget::M68kElf, PathStyle::posix());
        const auto script = dir.write("build.sh", PosixBuildScript(params, GnuTarget::M68kElf, "build.sh", project()));
        ASSERT_EQ(0, test::runProgram("/bin/sh", "'" + script + "'", "2>&1").status);

        const auto calls = test::TempDir::read(record);
        std::string compile;
        for (const auto& word : {c.calls[0], std::string("-DNAME=a b"), std::string("-DP=50%"),
                                 std::string("-DQ='x;y'"), std::string("$HOME"), std::string("-O0"),
                                 std::string("-c"), std::string("-m5200"), std::string("-o"), project() + "/main.o",
                                 project() + "/main.c"})
            compile += word + "\n";
        EXPECT_EQ(0u, calls.find(compile)) << calls;
        EXPECT_NE(std::string::npos, calls.find(c.calls[1] + "\n-DNAME=a b\n")) << calls;
        EXPECT_NE(std::string::npos, calls.find("-T\n" + project() + "/my board.ld\n")) << calls;
        EXPECT_NE(std::string::npos, calls.find(c.calls[2] + "\n-O\nsrec\n" + project() + "/main.elf\nout/main.s19\n"))
            << calls;
        // Each tool's standard error went to the log, the first one's anew.
        const auto log = test::TempDir::read(project() + "/my errors.log");
        EXPECT_EQ(3, std::count(log.begin(), log.end(), '\n')) << log;
    }
}

}  // namespace
}  // namespace quarry
