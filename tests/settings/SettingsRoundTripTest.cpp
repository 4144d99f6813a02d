#include "platform/ProfileFile.h"
#include "settings/SettingsFile.h"
#include "support/FakeSettingsHost.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace quarry {
namespace {

using test::FakeSettingsHost;
using test::ScriptedUserInterface;
using test::TempDir;

struct Mutation {
    const char* field;
    std::function<void(EnvironmentSettings&)> apply;
};

// One entry per value of EnvironmentSettings that the file carries, each set to something that
// differs from the initial value. Each is round-tripped on its own, so a key that is written but
// not read (or read into another field) shows up by name.
std::vector<Mutation> allMutations()
{
    std::vector<Mutation> m = {
        {"project.name", [](auto& s) { s.project.name = "/work/demo/demo.ppf"; }},
        {"project.open", [](auto& s) { s.project.open = true; }},
        {"sourcePath", [](auto& s) { s.sourcePath = "/work/src"; }},
        {"projectPath", [](auto& s) { s.projectPath = "/work/projects"; }},
        {"compiler.type", [](auto& s) { s.compiler.type = "GNU powerpc-eabi"; }},
        {"compiler.name", [](auto& s) { s.compiler.name = "/opt/build.bat"; }},
        {"compiler.options", [](auto& s) { s.compiler.options = "-x %FILE%"; }},
        {"compiler.outputS19", [](auto& s) { s.compiler.outputS19 = false; }},
        {"compiler.outputDwarf", [](auto& s) { s.compiler.outputDwarf = true; }},
        {"compiler.output695", [](auto& s) { s.compiler.output695 = true; }},
        {"compiler.outputDebug", [](auto& s) { s.compiler.outputDebug = false; }},
        {"compiler.outputListing", [](auto& s) { s.compiler.outputListing = false; }},
        {"compiler.showAssembler", [](auto& s) { s.compiler.showAssembler = false; }},
        {"compiler.waitFor", [](auto& s) { s.compiler.waitFor = true; }},
        {"compiler.soundBell", [](auto& s) { s.compiler.soundBell = true; }},
        {"compiler.saveFilesBefore", [](auto& s) { s.compiler.saveFilesBefore = true; }},
        {"compiler.showCycles", [](auto& s) { s.compiler.showCycles = false; }},
        {"compiler.expandIncludes", [](auto& s) { s.compiler.expandIncludes = true; }},
        {"compiler.expandMacros", [](auto& s) { s.compiler.expandMacros = true; }},
        {"compiler.otherGetError", [](auto& s) { s.compiler.otherGetError = false; }},
        {"compiler.otherConfirm", [](auto& s) { s.compiler.otherConfirm = false; }},
        {"compiler.otherWait", [](auto& s) { s.compiler.otherWait = false; }},
        {"compiler.otherSaveFiles", [](auto& s) { s.compiler.otherSaveFiles = false; }},
        {"compiler.otherErrorFormat", [](auto& s) { s.compiler.otherErrorFormat = "GCC Compatible"; }},
        {"compiler.otherErrorFileName", [](auto& s) { s.compiler.otherErrorFileName = "%FILE.LOG%"; }},
        {"compiler.otherAddQuotes", [](auto& s) { s.compiler.otherAddQuotes = true; }},
        {"general.fileParameter", [](auto& s) { s.general.fileParameter = FileParameterSource::MainFile; }},
        {"general.exitAutoSaveProject", [](auto& s) { s.general.exitAutoSaveProject = true; }},
        {"general.exitAutoSaveAllFiles", [](auto& s) { s.general.exitAutoSaveAllFiles = true; }},
        {"general.modifiedFileAsk", [](auto& s) { s.general.modifiedFileAsk = false; }},
        {"general.saveProjectSavesFiles", [](auto& s) { s.general.saveProjectSavesFiles = true; }},
        {"general.askExitApplication", [](auto& s) { s.general.askExitApplication = false; }},
        {"general.mainFileEditName", [](auto& s) { s.general.mainFileEditName = "/work/main.asm"; }},
        {"editor.createBackupFile", [](auto& s) { s.editor.createBackupFile = false; }},
        {"editor.groupedUndo", [](auto& s) { s.editor.groupedUndo = false; }},
        {"editor.undoAfterSave", [](auto& s) { s.editor.undoAfterSave = false; }},
        {"editor.defaultSyntax", [](auto& s) { s.editor.defaultSyntax = 3; }},
        {"editor.fileFilters", [](auto& s) { s.editor.fileFilters = {"Assembly|*.asm", "C Source Files|*.c"}; }},
        {"editor.fileFilterIndex", [](auto& s) { s.editor.fileFilterIndex = 2; }},
        {"editorFont.name", [](auto& s) { s.editorFont.name = "Fixedsys"; }},
        {"editorFont.size", [](auto& s) { s.editorFont.size = 14; }},
        {"editorFont.color", [](auto& s) { s.editorFont.color = 8388608; }},
        {"editorFont.bold", [](auto& s) { s.editorFont.bold = true; }},
        {"editorFont.italic", [](auto& s) { s.editorFont.italic = true; }},
        {"editorFont.underline", [](auto& s) { s.editorFont.underline = true; }},
        {"editorFont.strikeOut", [](auto& s) { s.editorFont.strikeOut = true; }},
    };
    for (int i = 0; i < 4; ++i) {
        const auto n = std::to_string(i + 1);
        m.push_back({"tools.type", [i](auto& s) { s.tools[i].type = "Tool " + std::to_string(i); }});
        m.push_back({"tools.name", [i](auto& s) { s.tools[i].name = "/bin/tool" + std::to_string(i); }});
        m.push_back({"tools.options", [i](auto& s) { s.tools[i].options = "-" + std::to_string(i) + " %FILE%"; }});
        m.push_back({"tools.confirm", [i](auto& s) { s.tools[i].confirm = true; }});
        m.push_back({"tools.saveFiles", [i](auto& s) { s.tools[i].saveFiles = true; }});
        m.push_back({"tools.addQuotes", [i](auto& s) { s.tools[i].addQuotes = false; }});
    }
    const std::pair<const char*, GnuTargetOptions EnvironmentSettings::*> targets[] = {
        {"m68kElf", &EnvironmentSettings::m68kElf}, {"ppcEabi", &EnvironmentSettings::ppcEabi}};
    for (const auto& [name, target] : targets) {
        const auto t = target;
        m.push_back({"gnu.batchOpt", [t](auto& s) { (s.*t).batchOpt = 1; }});
        m.push_back({"gnu.compilerOptions", [t](auto& s) { (s.*t).compilerOptions = "-O2 -mcpu=5307"; }});
        m.push_back({"gnu.confirm", [t](auto& s) { (s.*t).confirm = true; }});
        m.push_back({"gnu.saveFiles", [t](auto& s) { (s.*t).saveFiles = true; }});
        m.push_back({"gnu.getError", [t](auto& s) { (s.*t).getError = false; }});
        m.push_back({"gnu.errorFileName", [t](auto& s) { (s.*t).errorFileName = "build.err"; }});
        m.push_back({"gnu.openErr", [t](auto& s) { (s.*t).openErr = false; }});
        m.push_back({"gnu.verbose", [t](auto& s) { (s.*t).verbose = true; }});
        m.push_back({"gnu.noWarn", [t](auto& s) { (s.*t).noWarn = true; }});
        m.push_back({"gnu.warnAll", [t](auto& s) { (s.*t).warnAll = true; }});
        m.push_back({"gnu.debug", [t](auto& s) { (s.*t).debug = true; }});
        m.push_back({"gnu.optimize", [t](auto& s) { (s.*t).optimize = 3; }});
        m.push_back({"gnu.genList", [t](auto& s) { (s.*t).genList = true; }});
        m.push_back({"gnu.genS19", [t](auto& s) { (s.*t).genS19 = false; }});
        m.push_back({"gnu.genObj", [t](auto& s) { (s.*t).genObj = true; }});
        m.push_back({"gnu.genListName", [t](auto& s) { (s.*t).genListName = "out.lst"; }});
        m.push_back({"gnu.genS19Name", [t](auto& s) { (s.*t).genS19Name = "out.s19"; }});
        m.push_back({"gnu.genObjName", [t](auto& s) { (s.*t).genObjName = "out.o"; }});
        m.push_back({"gnu.main", [t](auto& s) { (s.*t).main = "main.c"; }});
        m.push_back({"gnu.outFile", [t](auto& s) { (s.*t).outFile = "out.elf"; }});
        m.push_back({"gnu.startup", [t](auto& s) { (s.*t).startup = "crt0.s"; }});
        m.push_back({"gnu.linker", [t](auto& s) { (s.*t).linker = "board.ld"; }});
        m.push_back({"gnu.path", [t](auto& s) { (s.*t).path = "/opt/gnu/bin;/usr/bin"; }});
        m.push_back({"gnu.include", [t](auto& s) { (s.*t).include = "/opt/gnu/include"; }});
        m.push_back({"gnu.lib", [t](auto& s) { (s.*t).lib = "/opt/gnu/lib"; }});
        m.push_back({"gnu.stack", [t](auto& s) { (s.*t).stack = "0x00100000"; }});
        m.push_back({"gnu.heap", [t](auto& s) { (s.*t).heap = "0x00080000"; }});
        m.push_back({"gnu.origin", [t](auto& s) { (s.*t).origin = "0x00000400"; }});
        m.push_back({"gnu.dataRam", [t](auto& s) { (s.*t).dataRam = "0x20000000"; }});
        m.push_back({"gnu.dataFlash", [t](auto& s) { (s.*t).dataFlash = "0x00040000"; }});
        m.push_back({"gnu.textRam", [t](auto& s) { (s.*t).textRam = "0x20010000"; }});
        m.push_back({"gnu.textFlash", [t](auto& s) { (s.*t).textFlash = "0x00001000"; }});
        m.push_back({"gnu.moveText", [t](auto& s) { (s.*t).moveText = true; }});
        m.push_back({"gnu.moveData", [t](auto& s) { (s.*t).moveData = false; }});
    }
    m.push_back({"ppcEabi.ecrt", [](auto& s) { s.ppcEabi.ecrt = "/opt/ppc/lib/ecrt"; }});
    return m;
}

// What any read leaves in the wait options, whatever was written.
EnvironmentSettings afterRead(EnvironmentSettings s)
{
    for (auto& slot : s.tools) {
        slot.wait = false;
        slot.waitOffered = false;
    }
    return s;
}

class SettingsRoundTrip : public ::testing::Test {
protected:
    EnvironmentSettings writeThenRead(const EnvironmentSettings& written)
    {
        EnvironmentSettings source = written;
        host.editorFont = written.editorFont;  // an editor window is open with this font
        SettingsFile(source, host, ui, dir.path().string()).WriteSettings("round.ini");
        EnvironmentSettings read;  // starts from the initial values
        SettingsFile(read, host, ui, dir.path().string()).ReadSettings("round.ini");
        return read;
    }

    TempDir dir;
    FakeSettingsHost host;
    ScriptedUserInterface ui;
};

TEST_F(SettingsRoundTrip, EveryValueSurvivesWritingAndReadingAlone)
{
    const EnvironmentSettings initial;
    for (const auto& mutation : allMutations()) {
        SCOPED_TRACE(mutation.field);
        EnvironmentSettings changed;
        changed.sourcePath = changed.projectPath = dir.path().string();
        mutation.apply(changed);
        ASSERT_NE(changed, (EnvironmentSettings{})) << "the mutation must change something";
        EXPECT_EQ(afterRead(changed), writeThenRead(changed));
    }
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(SettingsRoundTrip, AllValuesTogetherSurvive)
{
    EnvironmentSettings changed;
    for (const auto& mutation : allMutations())
        mutation.apply(changed);
    EXPECT_EQ(afterRead(changed), writeThenRead(changed));
}

TEST_F(SettingsRoundTrip, MainWindowLayoutComesBackOnTheSameScreen)
{
    host.bounds = {33, 44, 640, 480};
    host.treeWidth = 222;
    EnvironmentSettings settings;
    SettingsFile file(settings, host, ui, dir.path().string());
    file.WriteSettings("round.ini");
    host.bounds = {0, 0, 10, 10};
    file.ReadSettings("round.ini");
    ASSERT_EQ(1u, host.appliedLayouts.size());
    EXPECT_EQ((MainWindowLayout{{33, 44, 640, 480}, 222, WindowState::Normal}), host.appliedLayouts[0]);
}

}  // namespace
}  // namespace quarry
