#include "app/ExitConfirmation.h"
#include "app/InstanceMessages.h"
#include "app/ProjectCommandState.h"
#include "support/RecordingShellHost.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <set>

namespace quarry {
namespace {

using test::RecordedBox;
using Calls = std::vector<std::string>;

const RecordedBox kExitQuestionBox{MessageKind::Confirmation, "Exit Application?", MessageButtons::YesNo};
const RecordedBox kSaveDemoBox{MessageKind::Confirmation, "Do you wish to save project demo.ppf?",
                               MessageButtons::YesNoCancel};

TEST(ConfirmExit, AsksTheConfiguredQuestionsAndSaves)
{
    struct Case {
        const char* what;
        bool ask, autoProject, autoFiles, projectSavesFiles, projectOpen;
        std::vector<Answer> answers;
        std::vector<RecordedBox> boxes;
        bool proceeds;
        Calls calls;
    };
    const Case cases[] = {
        {"asks and stops on No", true, false, false, false, false, {Answer::No}, {kExitQuestionBox}, false, {}},
        {"asks, no project", true, false, false, false, false, {Answer::Yes}, {kExitQuestionBox}, true, {}},
        {"nothing to ask", false, false, false, false, false, {}, {}, true, {}},
        {"project question Yes saves", true, false, false, false, true, {Answer::Yes, Answer::Yes},
         {kExitQuestionBox, kSaveDemoBox}, true, {"saveProject"}},
        {"project question No goes on", false, false, false, false, true, {Answer::No}, {kSaveDemoBox}, true, {}},
        {"project question Cancel stops", false, false, false, false, true, {Answer::Cancel}, {kSaveDemoBox}, false,
         {}},
        {"auto-save project", false, true, false, false, true, {}, {}, true, {"saveProject"}},
        {"auto-save project with its files", false, true, false, true, true, {}, {}, true,
         {"saveProject", "saveAllFiles"}},
        {"auto-save files without project", false, false, true, false, false, {}, {}, true, {"saveAllFiles"}},
        {"project saves files but not automatic", false, false, false, true, false, {}, {}, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EnvironmentSettings settings;
        settings.general.askExitApplication = c.ask;
        settings.general.exitAutoSaveProject = c.autoProject;
        settings.general.exitAutoSaveAllFiles = c.autoFiles;
        settings.general.saveProjectSavesFiles = c.projectSavesFiles;
        settings.project.open = c.projectOpen;
        settings.project.name = c.projectOpen ? "/work/demo.ppf" : kNoProject;
        test::ScriptedUserInterface ui;
        for (auto a : c.answers)
            ui.answer(a);
        test::RecordingShellHost host;
        EXPECT_EQ(c.proceeds, ConfirmExit(settings, ui, host));
        EXPECT_EQ(c.boxes, ui.boxes());
        EXPECT_EQ(c.calls, host.calls);
    }
}

TEST(ConfirmExit, OpenFlagWithoutANamedProjectAsksNothingAboutIt)
{
    EnvironmentSettings settings;
    settings.general.askExitApplication = false;
    settings.project.open = true;
    test::ScriptedUserInterface ui;
    test::RecordingShellHost host;
    EXPECT_TRUE(ConfirmExit(settings, ui, host));
    EXPECT_TRUE(ui.boxes().empty());
}

TEST(ProjectCommandState, CaptionNamesTheProjectOnlyWhenItIsOpenAndFound)
{
    test::TempDir dir;
    const auto project = dir.write("demo.ppf", "");
    const struct {
        const char* what;
        std::string name;
        bool open;
        bool savesFiles;
        ProjectCommandState expected;
    } cases[] = {
        {"no project", kNoProject, false, false, {false, "Quarry - [No Project]", "Save Project"}},
        {"open and found", project, true, false, {true, "Quarry - [demo.ppf]", "Save Project"}},
        {"found by bare name", "demo.ppf", true, true, {true, "Quarry - [demo.ppf]", "Save Project (All Files+Setup)"}},
        {"open but gone", dir.file("gone.ppf"), true, false, {true, "Quarry - [No Project]", "Save Project"}},
        {"named but closed", project, false, false, {false, "Quarry - [No Project]", "Save Project"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EnvironmentSettings settings;
        settings.project.name = c.name;
        settings.project.open = c.open;
        settings.general.saveProjectSavesFiles = c.savesFiles;
        FileLocator locator(settings, dir.path().string());
        EXPECT_EQ(c.expected, ProjectCommandState::of(settings, locator));
    }
}

TEST(InstanceMessages, InstanceMessageIsTheUpperCasedProgramPathTitleAndVersion)
{
    EXPECT_EQ("/OPT/QUARRY/BIN/QUARRY QUARRY VERSION 2.07B", instanceMessageFor("/opt/quarry/bin/quarry"));
    const auto longPath = "/" + std::string(300, 'q');
    EXPECT_EQ(255u, instanceMessageFor(longPath).size());
    const auto messages = InstanceMessages::forProgram("C:\\Quarry\\quarry.exe");
    EXPECT_EQ((std::array<std::string, 4>{"C:\\QUARRY\\QUARRY.EXE QUARRY VERSION 2.07B",
                                          "TALVIK SYSTEMS - MAXIMIZE IDE!",
                                          "TALVIK SYSTEMS - CLOSE DOWN APPLICATIONS!",
                                          "TALVIK SYSTEMS - A LA MAXIMIZE!"}),
              messages.inRegistrationOrder());
}

// Channel names must be stable (other programs derive them too), distinct per message, short
// enough for a socket name and free of path characters.
TEST(InstanceMessages, ChannelNamesAreStableDistinctAndSafe)
{
    const std::string messages[] = {kMaximizeMessage, kCloseDownMessage, kSpareMaximizeMessage,
                                    instanceMessageFor("/a/quarry"), instanceMessageFor("/b/quarry"),
                                    instanceMessageFor(std::string(255, '/'))};
    std::set<std::string> names;
    for (const auto& m : messages) {
        const auto name = channelNameFor(m);
        EXPECT_EQ(name, channelNameFor(m));
        EXPECT_LE(name.size(), 40u) << name;
        EXPECT_EQ(std::string::npos, name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-")) << name;
        names.insert(name);
    }
    EXPECT_EQ(std::size(messages), names.size());
    EXPECT_EQ("quarry-talviksystem-", channelNameFor(kMaximizeMessage).substr(0, 20));
}

}  // namespace
}  // namespace quarry
