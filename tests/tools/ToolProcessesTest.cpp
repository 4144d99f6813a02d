#include "tools/ProgramLauncher.h"
#include "tools/ToolProcesses.h"

#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace quarry {
namespace {

using test::ScriptedUserInterface;
using test::TempDir;

// Records what the output panel would hear.
struct RecordingListener final : ToolOutputListener {
    void ToolStarted(int, const std::string& commandLine) override { events.push_back("started " + commandLine); }
    void ToolFailed(const std::string& commandLine, int error) override
    {
        events.push_back("failed " + commandLine + " " + std::to_string(error));
    }
    void ToolOutput(int, ChildProcess::Stream stream, std::string_view bytes) override
    {
        streams[stream].append(bytes);
    }
    void ToolEnded(int, const ChildProcess::Ending& ending) override
    {
        events.push_back(std::string(ending.signalled ? "signal " : "exit ") + std::to_string(ending.code));
    }
    std::vector<std::string> events;
    std::map<ChildProcess::Stream, std::string> streams;
};

struct FakeLaunchHost final : LaunchHost {
    std::optional<std::string> ConfirmParameters(const std::string& executable, const std::string& parameters) override
    {
        shown = executable + " | " + parameters;
        resultWhileShown = launcher ? launcher->LastLaunchResult : 0;
        return answer;
    }
    bool Terminating() override { return terminating; }
    bool terminating = false;
    std::optional<std::string> answer;
    std::string shown;
    std::int32_t resultWhileShown = 0;
    const ProgramLauncher* launcher = nullptr;
};

class ToolProcessesTest : public ::testing::Test {
protected:
    // A script under a directory whose name has a blank; build scripts run through the
    // command interpreter and need no execute permission.
    std::string Script(const std::string& name, const std::string& body) { return dir.write("my tools/" + name, body); }
    void Launch(const std::string& executable, std::string parameters, bool wait = true)
    {
        launcher.LaunchProgram(executable, parameters, 255, wait, false);
    }
    void PumpUntilQuiet()
    {
        // The guard only keeps a broken test from hanging the run.
        for (int guard = 0; processes.AnyRunning() && guard < 100000; ++guard) {
            processes.PumpAll();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    TempDir dir;
    RecordingListener listener;
    ToolProcesses processes{&listener};
    FakeLaunchHost host;
    ScriptedUserInterface ui;
    ProgramLauncher launcher{processes, host, ui};
};

TEST_F(ToolProcessesTest, WaitsForRealToolsAndPassesTheirOutputOn)
{
    const struct {
        const char* body;
        const char* parameters;
        const char* out;
        const char* err;
        const char* ending;
    } cases[] = {
        {"exit 3\n", "", "", "", "exit 3"},
        {"echo out; echo err >&2\n", "", "out\n", "err\n", "exit 0"},
        {"printf '%s|' \"$@\"\n", "\"a b\" c\\\"d  e", "a b|c\"d|e|", "", "exit 0"},
        {"printf 'no line end'\n", "", "no line end", "", "exit 0"},
        {"kill -TERM $$\n", "", "", "", "signal 15"},
        {"head -c 20000000 /dev/zero\n", "", nullptr, "", "exit 0"},
    };
    for (const auto& c : cases) {
        listener = {};
        const auto script = Script("tool.sh", c.body);
        Launch(script, c.parameters);
        ASSERT_EQ(0, launcher.LastLaunchResult) << c.body;
        ASSERT_EQ(2u, listener.events.size()) << c.body;
        EXPECT_EQ("started " + script + " " + c.parameters, listener.events[0]);
        EXPECT_EQ(c.ending, listener.events[1]) << c.body;
        if (c.out) {
            EXPECT_EQ(c.out, listener.streams[ChildProcess::Stream::Output]) << c.body;
        }
        EXPECT_EQ(c.err, listener.streams[ChildProcess::Stream::Error]) << c.body;
    }
    // The flood reached the listener whole; the run kept only the first part for the errors.
    EXPECT_EQ(20000000u, listener.streams[ChildProcess::Stream::Output].size());
    EXPECT_EQ(ToolProcesses::kCapturedLimit, launcher.LastProgram()->CapturedOutput().size());
    EXPECT_GT(ui.pendingEventRuns(), 0);
}

TEST_F(ToolProcessesTest, ALaunchThatFailsGivesTheSystemsErrorCode)
{
    const auto plain = dir.write("plain", "#!/bin/sh\n");
    std::filesystem::permissions(plain, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    const struct {
        std::string executable;
        int code;
    } cases[] = {
        {dir.file("missing-tool"), 2},
        {dir.file("missing.sh"), 2},
        {"no-such-program-on-the-path", 2},
        {"", 2},
        {plain, 13},
    };
    for (const auto& c : cases) {
        listener = {};
        Launch(c.executable, "-x");
        EXPECT_EQ(c.code, launcher.LastLaunchResult) << c.executable;
        EXPECT_EQ((std::vector<std::string>{"failed " + c.executable + " -x " + std::to_string(c.code)}),
                  listener.events);
        EXPECT_EQ(nullptr, launcher.LastProgram());
    }
}

TEST_F(ToolProcessesTest, ClosingTheProgramEndsTheWaitAndStopEndsTheTool)
{
    // The tool ignores the polite request, and so does the sleep it started; Stop kills both.
    const auto script = Script("stubborn.sh", "trap '' TERM\necho ready\nsleep 60\n");
    ui.onProcessEvents([&] { host.terminating = !listener.streams[ChildProcess::Stream::Output].empty(); });
    Launch(script, "");
    EXPECT_EQ(0, launcher.LastLaunchResult);
    ASSERT_TRUE(processes.AnyRunning());
    processes.StopAll();
    PumpUntilQuiet();
    EXPECT_FALSE(processes.AnyRunning());
    EXPECT_EQ("signal 9", listener.events.back());
}

TEST_F(ToolProcessesTest, ARunStartedWhileWaitingLeavesTheWaitersResultAlone)
{
    bool nested = false;
    ui.onProcessEvents([&] {
        if (!nested) {
            nested = true;
            Launch(dir.file("missing-tool"), "", false);
        }
    });
    Launch(Script("slow.sh", "sleep 0.2\n"), "");
    EXPECT_TRUE(nested);
    EXPECT_EQ(0, launcher.LastLaunchResult);
}

TEST_F(ToolProcessesTest, TheConfirmDialogEditsTheParametersOrStartsNothing)
{
    host.launcher = &launcher;
    const auto script = Script("args.sh", "printf '%s|' \"$@\"\n");
    std::string parameters = "-a";
    launcher.LaunchProgram(script, parameters, 255, true, true);
    EXPECT_EQ(script + " | -a", host.shown);
    EXPECT_EQ(ProgramLauncher::kConfirmShowing, host.resultWhileShown);
    EXPECT_EQ(ProgramLauncher::kCancelled, launcher.LastLaunchResult);
    EXPECT_TRUE(listener.events.empty());
    host.answer = "-b \"c d\"";
    launcher.LaunchProgram(script, parameters, 255, true, true);
    EXPECT_EQ(0, launcher.LastLaunchResult);
    EXPECT_EQ("-b \"c d\"", parameters);
    EXPECT_EQ("-b|c d|", listener.streams[ChildProcess::Stream::Output]);
}

TEST_F(ToolProcessesTest, AToolNobodyWaitsForIsLookedAfterByThePump)
{
    const auto script = Script("quick.sh", "echo done\n");
    Launch(script, "", false);
    EXPECT_EQ(0, launcher.LastLaunchResult);
    PumpUntilQuiet();
    EXPECT_EQ("done\n", listener.streams[ChildProcess::Stream::Output]);
    EXPECT_EQ("exit 0", listener.events.back());
}

}  // namespace
}  // namespace quarry
