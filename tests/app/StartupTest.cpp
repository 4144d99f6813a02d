#include "app/CommandException.h"
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

using test::RecordedBox;
using test::TempDir;
namespace fs = std::filesystem;

using Calls = std::vector<std::string>;

class StartupTest : public ::testing::Test {
protected:
    std::string home() const { return dir.path().string(); }
    std::string ini() const { return dir.file("Quarry.ini"); }

    TempDir dir;
    EnvironmentSettings settings;
    test::FakeSettingsHost settingsHost;
    test::ScriptedUserInterface ui;
    test::RecordingShellHost host;
    SettingsFile settingsFile{settings, settingsHost, ui, dir.path().string()};
    FileLocator locator{settings, dir.path().string()};
    Startup startup{settings, settingsFile, locator, ui, host};
};

const RecordedBox kRestoring{MessageKind::Information, "Can't find Editor INI file. Restoring default settings.",
                             MessageButtons::Ok};

TEST_F(StartupTest, ExistingEnvironmentFileIsLeftAlone)
{
    dir.write("Quarry.ini", "[PROJECT]\nNAME=DEFAULTD\n");
    dir.write("QUARRY.DEF", "[PROJECT]\nNAME=other\n");
    startup.EnsureEnvironmentFile("Quarry.ini");
    EXPECT_EQ("[PROJECT]\nNAME=DEFAULTD\n", TempDir::read(ini()));
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(StartupTest, TemplateBecomesTheEnvironmentFileWithEveryMarkerReplaced)
{
    dir.write("QUARRY.DEF", "[PROJECT]\r\nSOURCEPATH=DEFAULTD\r\nPROJECTPATH=DEFAULTD/demo;DEFAULTD/lib\r\n"
                            "[X]\r\nDEFADEFAULTDULTD=1\r\nlast line without end DEFAULTD");
    startup.EnsureEnvironmentFile("Quarry.ini");
    EXPECT_EQ((std::vector<RecordedBox>{kRestoring}), ui.boxes());
    const auto h = home();
    EXPECT_EQ("[PROJECT]\r\nSOURCEPATH=" + h + "\r\nPROJECTPATH=" + h + "/demo;" + h + "/lib\r\n[X]\r\n" +
                  "DEFA" + h + "ULTD=1\r\nlast line without end " + h,
              TempDir::read(ini()));
}

TEST_F(StartupTest, MissingTemplateHaltsWithItsMessage)
{
    try {
        startup.EnsureEnvironmentFile("Quarry.ini");
        FAIL() << "expected the program to halt";
    } catch (const CommandException& e) {
        EXPECT_STREQ("Exiting Application...", e.what());
    }
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Error, "Can't find default desktop files. Halting.",
                                         MessageButtons::Ok}}),
              ui.boxes());
    EXPECT_EQ((Calls{"requestTerminate"}), host.calls);
    EXPECT_FALSE(fs::exists(ini()));
}

TEST_F(StartupTest, UnwritableEnvironmentFileHaltsWithTheDesktopFilesMessage)
{
    dir.write("QUARRY.DEF", "[PROJECT]\n");
    // A link into a directory that does not exist: the file is missing and cannot be created.
    fs::create_symlink(dir.path() / "gone" / "Quarry.ini", ini());
    EXPECT_THROW(startup.EnsureEnvironmentFile("Quarry.ini"), CommandException);
    EXPECT_EQ((std::vector<RecordedBox>{kRestoring, {MessageKind::Error, "Error in desktop files. Halting.",
                                                     MessageButtons::Ok}}),
              ui.boxes());
    EXPECT_EQ((Calls{"requestTerminate"}), host.calls);
}

TEST_F(StartupTest, TheSettingsComeFromTheOpenProjectFoundElseFromTheEnvironmentFile)
{
    const auto project = dir.write("work/demo.ppf", "[PROJECT]\nNAME=/elsewhere/demo.ppf\n[COMPILER]\nNAME=from-ppf\n");
    const auto bare = dir.write("demo.ppf", "[COMPILER]\nNAME=from-bare-ppf\n");
    const struct {
        std::string project;  // NAME in Quarry.ini
        bool open;
        std::string compiler;
        std::string projectName;  // afterwards
    } cases[] = {
        {"/nowhere/demo.ppf", false, "from-ini", "/nowhere/demo.ppf"},
        {project, true, "from-ppf", project},
        // A bare name is looked for in the program directory, not in the source path.
        {"demo.ppf", true, "from-bare-ppf", bare},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.project);
        settings = EnvironmentSettings{};
        dir.write("Quarry.ini", "[PROJECT]\nNAME=" + c.project + "\nOPEN=" + (c.open ? "1" : "0") +
                                    "\nSOURCEPATH=/no/such/dir\n[COMPILER]\nNAME=from-ini\n");
        startup.ReadStartupProject("Quarry.ini");
        EXPECT_EQ(c.compiler, settings.compiler.name);
        EXPECT_EQ(c.open, settings.project.open);
        EXPECT_EQ(c.projectName, settings.project.name);
        EXPECT_TRUE(ui.boxes().empty());
    }
}

TEST_F(StartupTest, MovedProjectIsLocatedByTheUser)
{
    const auto picked = dir.write("new/demo.ppf", "[PROJECT]\nNAME=/old/demo.ppf\nPROJECTPATH=/old\n");
    dir.write("Quarry.ini", "[PROJECT]\nNAME=/old/demo.ppf\nOPEN=1\nPROJECTPATH=" + home() +
                                "\n[COMPILER]\nNAME=from-ini\n");
    ui.chooseFile(picked);
    startup.ReadStartupProject("Quarry.ini");
    ASSERT_EQ(1u, ui.fileDialogs().size());
    const auto& request = ui.fileDialogs()[0];
    EXPECT_EQ("Locate project file: demo.ppf", request.title);
    EXPECT_EQ("Project File (*.PPF) | *.ppf", request.filter);
    EXPECT_EQ("C:\\Talvik\\ASMB05.EXE", settings.compiler.name) << "nothing is read here once located";
    EXPECT_TRUE(settings.project.open);
    EXPECT_EQ(picked, settings.project.name);
    ProfileFile repaired(picked);
    EXPECT_EQ(picked, repaired.readString("PROJECT", "NAME", ""));
    EXPECT_EQ(dir.file("new"), repaired.readString("PROJECT", "PROJECTPATH", ""));
}

TEST_F(StartupTest, UnusablePickOrCancelFallsBackToTheEnvironmentFile)
{
    dir.write("other.ppf", "[COMPILER]\nNAME=from-other\n");
    const struct {
        const char* what;
        std::function<void(test::ScriptedUserInterface&)> answer;
    } cases[] = {
        {"cancelled", [](auto& u) { u.cancelFileDialog(); }},
        {"another name", [this](auto& u) { u.chooseFile(dir.file("other.ppf")); }},
        {"missing file", [this](auto& u) { u.chooseFile(dir.file("demo.ppf")); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        settings = EnvironmentSettings{};
        dir.write("Quarry.ini", "[PROJECT]\nNAME=/old/demo.ppf\nOPEN=1\n[COMPILER]\nNAME=from-ini\n");
        c.answer(ui);
        startup.ReadStartupProject("Quarry.ini");
        EXPECT_EQ("from-ini", settings.compiler.name);
    }
}

TEST_F(StartupTest, UnreadableSettingsFileShowsTheReadErrorAndGoesOn)
{
    fs::create_directory(ini());
    startup.ReadStartupProject("Quarry.ini");
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Error, "Error reading from IDE initialization file.",
                                         MessageButtons::Ok}}),
              ui.boxes());
}

TEST_F(StartupTest, FirstShowOpensTheProjectOfTheArgumentsElseTheLastOne)
{
    const auto argument = dir.write("Demo.PpF", "[PROJECT]\nNAME=/x/y.ppf\nOPEN=0\n[COMPILER]\nNAME=from-argument\n");
    const auto last = dir.write("p/demo.ppf", "[PROJECT]\nNAME=demo.ppf\nOPEN=1\n[COMPILER]\nNAME=from-last\n");
    const auto source = dir.write("main.asm", "");
    const struct {
        const char* what;
        std::string project;  // NAME in Quarry.ini, OPEN=1
        std::vector<std::string> arguments;
        std::string opened;  // empty: no project
        std::string compiler;
    } cases[] = {
        // A project argument, whatever the case of its extension, wins; the other arguments are ignored.
        {"argument", last, {argument, source}, argument, "from-argument"},
        {"last project", last, {}, last, "from-last"},
        {"open flag without a project", kNoProject, {}, "", "from-ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        settings = EnvironmentSettings{};
        host.calls.clear();
        dir.write("Quarry.ini", "[PROJECT]\nNAME=" + c.project + "\nOPEN=1\n[COMPILER]\nNAME=from-ini\n");
        startup.FirstShow(c.arguments);
        Calls expected{"updateProjectState", "hideSplash", "loadParserSettings"};
        if (!c.opened.empty())
            expected.insert(expected.begin(), "openProject " + c.opened);
        EXPECT_EQ(expected, host.calls);
        EXPECT_EQ(!c.opened.empty(), settings.project.open);
        EXPECT_EQ(c.opened.empty() ? std::string(kNoProject) : c.opened, settings.project.name);
        EXPECT_EQ(c.compiler, settings.compiler.name);
    }
}

TEST_F(StartupTest, FileArgumentsThatAreFoundOpenInOrder)
{
    dir.write("Quarry.ini", "[PROJECT]\nOPEN=0\nSOURCEPATH=" + dir.file("src") + "\n");
    const auto a = dir.write("src/a.asm", "");
    const auto b = dir.write("b.c", "");
    dir.write("src/x.ppf.asm", "");
    startup.FirstShow({"a.asm", "missing.asm", b, "*.asm", "b.c"});
    EXPECT_EQ((Calls{"updateProjectState", "openEditorFile " + a, "openEditorFile " + b, "openEditorFile " + b,
                     "hideSplash", "loadParserSettings"}),
              host.calls);
}

TEST_F(StartupTest, FirstStartWithOnlyTheTemplateRestoresDefaults)
{
    dir.write("QUARRY.DEF", "[PROJECT]\nNAME=NO PROJECT\nOPEN=0\nSOURCEPATH=DEFAULTD\n[COMPILER]\nNAME=DEFAULTD/asm\n");
    startup.FirstShow({});
    EXPECT_EQ((std::vector<RecordedBox>{kRestoring}), ui.boxes());
    EXPECT_EQ(home() + "/asm", settings.compiler.name);
    EXPECT_EQ(home(), settings.sourcePath);
}

TEST(StartupNames, ProjectFilesAreRecognisedByExtensionInAnyCase)
{
    for (const char* name : {"/a/demo.PPF", "demo.ppf", "x.Ppf"})
        EXPECT_TRUE(Startup::isProjectFileName(name)) << name;
    for (const char* name : {"demo.ppf.asm", "ppf", "/a.ppf/demo"})
        EXPECT_FALSE(Startup::isProjectFileName(name)) << name;
}

}  // namespace
}  // namespace quarry
