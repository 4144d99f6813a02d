#include "app/Startup.h"
#include "platform/ProfileFile.h"
#include "support/FakeSettingsHost.h"
#include "support/RecordingShellHost.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quarry {
namespace {

// The shipped template must name every key the program writes, so a first start begins from
// the template's values and not from whatever the program happens to hold.
TEST(QuarryDef, HoldsEverySectionAndKeyTheSettingsWriterWrites)
{
    test::TempDir dir;
    EnvironmentSettings settings;
    test::FakeSettingsHost host;
    host.editorFont = FontRecord{};
    test::ScriptedUserInterface ui;
    SettingsFile(settings, host, ui, dir.path().string()).WriteSettings("all.ini");
    const ProfileFile written(dir.file("all.ini"));
    const ProfileFile shipped(std::string(QUARRY_DATA_DIR) + "/QUARRY.DEF");
    for (const auto& section : written.sectionNames()) {
        EXPECT_TRUE(shipped.sectionExists(section)) << section;
        for (const auto& key : written.keyNames(section))
            EXPECT_TRUE(shipped.keyExists(section, key)) << section << "/" << key;
    }
}

TEST(QuarryDef, FirstStartPointsTheDirectoriesAtTheInstallation)
{
    test::TempDir dir;
    std::filesystem::copy_file(std::string(QUARRY_DATA_DIR) + "/QUARRY.DEF", dir.file("QUARRY.DEF"));
    EnvironmentSettings settings;
    test::FakeSettingsHost host;
    test::ScriptedUserInterface ui;
    test::RecordingShellHost shell;
    SettingsFile settingsFile(settings, host, ui, dir.path().string());
    FileLocator locator(settings, dir.path().string());
    Startup(settings, settingsFile, locator, ui, shell).FirstShow({});
    const auto created = test::TempDir::read(dir.file("Quarry.ini"));
    EXPECT_EQ(std::string::npos, created.find("DEFAULTD"));
    EXPECT_EQ(dir.path().string(), settings.sourcePath);
    EXPECT_EQ(dir.path().string(), settings.projectPath);
    EXPECT_EQ(dir.path().string() + "/demo/main.c", settings.m68kElf.main);
    EXPECT_EQ(dir.path().string() + "/demo/cc-errors.sh", settings.compiler.name);
    EXPECT_EQ(kNoProject, settings.project.name);
    EXPECT_FALSE(settings.project.open);
    EXPECT_EQ(8u, settings.editor.fileFilters.size());
    EXPECT_EQ(1u, ui.boxes().size());
}

TEST(CommandLine, NamesAreMadeAbsoluteWhereAShellMeantTheCurrentDirectory)
{
    test::TempDir dir;
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    dir.write("here.asm", "");
    const auto args = absoluteArguments({"demo.PPF", "here.asm", "elsewhere.asm", "sub/x.asm", "*.asm", "/abs/y.c"});
    std::filesystem::current_path(cwd);
    const auto d = dir.path().string();
    EXPECT_EQ((std::vector<std::string>{d + "/demo.PPF", d + "/here.asm", "elsewhere.asm", d + "/sub/x.asm",
                                        "*.asm", "/abs/y.c"}),
              args);
}

}  // namespace
}  // namespace quarry
