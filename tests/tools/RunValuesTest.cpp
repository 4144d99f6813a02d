#include "tools/RunValues.h"
#include "tools/TalvikSwitches.h"
#include "tools/ToolButtonRules.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

TEST(RunValues, TalvikSwitchesFollowTheirOptionsInOrder)
{
    CompilerSettings none;
    none.outputS19 = none.outputDebug = none.outputListing = none.showCycles = false;
    none.showAssembler = true;
    none.waitFor = true;
    EXPECT_EQ("%FILE%", TalvikParameters(none));
    const struct {
        bool CompilerSettings::*option;
        bool value;
        const char* expected;
    } cases[] = {
        {&CompilerSettings::outputS19, true, "%FILE% S"},      {&CompilerSettings::outputDwarf, true, "%FILE% W"},
        {&CompilerSettings::output695, true, "%FILE% P"},      {&CompilerSettings::outputDebug, true, "%FILE% D"},
        {&CompilerSettings::outputListing, true, "%FILE% L"},  {&CompilerSettings::showCycles, true, "%FILE% C"},
        {&CompilerSettings::expandIncludes, true, "%FILE% I"}, {&CompilerSettings::expandMacros, true, "%FILE% M"},
        {&CompilerSettings::showAssembler, false, "%FILE% Q"}, {&CompilerSettings::waitFor, false, "%FILE% ^"},
    };
    for (const auto& c : cases) {
        auto settings = none;
        settings.*c.option = c.value;
        EXPECT_EQ(c.expected, TalvikParameters(settings));
    }
    EXPECT_EQ("%FILE% S D L C ^", TalvikParameters(CompilerSettings{}));
}

TEST(RunValues, EachSlotAndKindTakesItsOwnSettings)
{
    EnvironmentSettings s;
    s.tools[2] = ToolSlot{"Sim", "sim", "-x %FILE%", true, true, false, true, false};
    s.compiler.options = "other %FILE%";
    s.compiler.otherConfirm = false;
    s.compiler.otherWait = false;
    s.compiler.otherAddQuotes = true;
    s.compiler.otherSaveFiles = false;
    s.compiler.saveFilesBefore = true;
    s.m68kElf.main = "m68k.c";
    s.m68kElf.confirm = true;
    s.m68kElf.saveFiles = true;
    s.ppcEabi.main = "ppc.c";
    const struct {
        const char* type;
        int tag;
        const char* parameters;
        bool confirm, wait, quotes, save;
    } cases[] = {
        {kCompilerTypes[0], 13, "-x %FILE%", true, true, false, true},
        {kCompilerTypes[0], 1, "%FILE% S D L C ^", false, true, true, true},
        {kCompilerTypes[1], 1, "%FILE% S D L C ^", false, true, true, true},
        {kCompilerTypes[2], 1, "other %FILE%", false, false, true, false},
        {"no such kind", 1, "other %FILE%", false, false, true, false},
        {kCompilerTypes[3], 1, "m68k.c", true, true, false, true},
        {kCompilerTypes[4], 1, "ppc.c", false, true, false, false},
    };
    for (const auto& c : cases) {
        s.compiler.type = c.type;
        const auto v = RunValuesFor(c.tag, s);
        ASSERT_TRUE(v) << c.type;
        EXPECT_EQ(c.parameters, v->parameters) << c.type;
        EXPECT_EQ((std::array{c.confirm, c.wait, c.quotes, c.save}),
                  (std::array{v->confirm, v->wait, v->addQuotes, v->saveBefore}))
            << c.type << " " << c.tag;
    }
    for (int tag : {0, 2, 5, 99})
        EXPECT_FALSE(RunValuesFor(tag, s)) << tag;
}

TEST(ToolButtons, HintsTellTheExecutableOrThatItIsMissing)
{
    ToolSlot debugger;
    debugger.type = " Debugger ";
    EXPECT_EQ("EXE1 (Debugger)", toolbuttons::PageTitle(0, debugger));
    EXPECT_EQ("Debugger (EXE1)|Run the Debugger (External program 1 set as  /usr/bin/gdb) - Hotkey F6",
              toolbuttons::Hint(0, debugger, "/usr/bin/gdb"));
    EXPECT_EQ("External Program 1|This button runs an external program. The executable name is either invalid or "
              "undefined. Hotkey F6",
              toolbuttons::Hint(0, debugger, ""));
    EXPECT_EQ("External Program 4|This button runs an external program. The executable name is either invalid or "
              "undefined. Hotkey F9.",
              toolbuttons::Hint(3, debugger, ""));
}

TEST(ToolButtons, AssembleIsEnabledForAFileToWorkOn)
{
    const struct {
        FileParameterSource source;
        bool editorOpen;
        const char* type;
        const char* options;
        bool enabled;
    } cases[] = {
        {FileParameterSource::EditedFile, true, kCompilerTypes[0], "%FILE%", true},
        {FileParameterSource::MainFile, false, kCompilerTypes[0], "%FILE%", true},
        {FileParameterSource::EditedFile, false, kCompilerTypes[2], "%file%", false},
        {FileParameterSource::EditedFile, false, kCompilerTypes[2], "make all", true},
        {FileParameterSource::EditedFile, false, kCompilerTypes[1], "make all", false},
    };
    for (const auto& c : cases) {
        EnvironmentSettings s;
        s.general.fileParameter = c.source;
        s.compiler.type = c.type;
        s.compiler.options = c.options;
        EXPECT_EQ(c.enabled, toolbuttons::AssembleEnabled(s, c.editorOpen)) << c.type << " " << c.options;
    }
}

}  // namespace
}  // namespace quarry
