#pragma once
#include "platform/ChildProcess.h"
#include "tools/ProgramStarter.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quarry {

// Hears what the running tools do: the output panel.
class ToolOutputListener {
public:
    virtual ~ToolOutputListener() = default;
    virtual void ToolStarted(int run, const std::string& commandLine) = 0;
    virtual void ToolFailed(const std::string& commandLine, int error) = 0;
    virtual void ToolOutput(int run, ChildProcess::Stream stream, std::string_view bytes) = 0;
    virtual void ToolEnded(int run, const ChildProcess::Ending& ending) = 0;
};

// The tools started from the environment, as real processes: it starts them (a build script
// through the command interpreter, any other executable found on the PATH), passes their
// output on as it arrives, and stops them on request. A tool nobody waits for is looked after
// by PumpAll, which the window calls while any tool runs.
class ToolProcesses final : public ProgramStarter {
public:
    // What a run keeps of its output for the error list; the panel shows everything.
    static constexpr std::size_t kCapturedLimit = 8u << 20;
    // How long a stopped tool may take to end before it is killed.
    static constexpr std::chrono::milliseconds kStopGrace{2000};

    explicit ToolProcesses(ToolOutputListener* listener = nullptr) : listener_(listener) {}
    ~ToolProcesses() override;
    ToolProcesses(const ToolProcesses&) = delete;  // owns the running tools
    ToolProcesses& operator=(const ToolProcesses&) = delete;

    void SetListener(ToolOutputListener* listener) { listener_ = listener; }

    std::shared_ptr<StartedProgram> Start(const LaunchRequest& request, int& error) override;
    // Passes on what every tool wrote since the last call and notes the ends; never waits.
    void PumpAll();
    // Whether a tool still runs, or something it started still writes to its output.
    bool AnyRunning() const;
    // Asks every running tool to end; PumpAll kills those still running after kStopGrace.
    void StopAll();

private:
    class Run;

    ToolOutputListener* listener_;
    std::vector<std::shared_ptr<Run>> runs_;
    int nextRun_ = 1;
};

}  // namespace quarry
