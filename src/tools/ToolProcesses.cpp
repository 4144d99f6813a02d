#include "tools/ToolProcesses.h"

#include "platform/ExecutableSearch.h"
#include "platform/FileFacts.h"
#include "tools/BuildScript.h"

#include <algorithm>
#include <cerrno>
#include <optional>

namespace quarry {

class ToolProcesses::Run final : public StartedProgram {
public:
    using Clock = std::chrono::steady_clock;

    Run(int id, std::unique_ptr<ChildProcess> child, ToolOutputListener* listener)
        : id_(id), child_(std::move(child)), listener_(listener)
    {
    }

    bool WaitSlice() override
    {
        Pump(10);
        if (!child_->Ended())
            return false;
        // What the tool wrote before its end is in the pipes now; a few reads take it all,
        // unless something it started goes on writing.
        for (int round = 0; round < 4 && !endReported_; ++round)
            Pump(0);
        ReportEnd();
        return true;
    }

    const std::string& CapturedOutput() const override { return captured_; }

    void Pump(int timeoutMs)
    {
        std::size_t got = 0;
        child_->Pump(timeoutMs, [&](ChildProcess::Stream stream, std::string_view bytes) {
            got += bytes.size();
            if (captured_.size() < kCapturedLimit)
                captured_.append(bytes.substr(0, kCapturedLimit - captured_.size()));
            if (listener_)
                listener_->ToolOutput(id_, stream, bytes);
        });
        if (child_->Ended() && (got == 0 || !child_->OutputOpen()))
            ReportEnd();
    }

    void Stop()
    {
        if (Finished())
            return;
        child_->Terminate();
        killAt_ = Clock::now() + kStopGrace;
    }

    void KillWhenDue()
    {
        if (killAt_ && Clock::now() >= *killAt_) {
            child_->Kill();
            killAt_.reset();
        }
    }

    bool Finished() const { return endReported_ && !child_->OutputOpen(); }
    void Detach() { listener_ = nullptr; }

private:
    void ReportEnd()
    {
        if (endReported_ || !child_->Ended())
            return;
        endReported_ = true;
        if (listener_)
            listener_->ToolEnded(id_, *child_->Ended());
    }

    int id_;
    std::unique_ptr<ChildProcess> child_;
    ToolOutputListener* listener_;
    std::string captured_;
    bool endReported_ = false;
    std::optional<Clock::time_point> killAt_;
};

ToolProcesses::~ToolProcesses()
{
    // A waiting loop may still hold a run; it must not call a listener that is gone.
    for (auto& run : runs_)
        run->Detach();
}

std::shared_ptr<StartedProgram> ToolProcesses::Start(const LaunchRequest& request, int& error)
{
    std::string program;
    std::vector<std::string> argv;
    if (buildscript::isScriptName(request.executable)) {
        if (files::fileExists(request.executable)) {
            program = buildscript::kInterpreter;
            argv = {program, request.executable};
        }
    } else if (const auto found = findExecutable(request.executable)) {
        program = *found;
        argv = {request.executable};
    }
    std::unique_ptr<ChildProcess> child;
    if (program.empty()) {
        error = files::fileExists(request.executable) ? EACCES : ENOENT;
    } else {
        argv.insert(argv.end(), request.arguments.begin(), request.arguments.end());
        child = ChildProcess::Start(program, argv, error);
    }
    if (!child) {
        if (listener_)
            listener_->ToolFailed(request.commandLine, error);
        return nullptr;
    }
    const int id = nextRun_++;
    auto run = std::make_shared<Run>(id, std::move(child), listener_);
    runs_.push_back(run);
    if (listener_)
        listener_->ToolStarted(id, request.commandLine);
    return run;
}

void ToolProcesses::PumpAll()
{
    // A listener may start another tool; the runs present now are the ones pumped.
    const auto runs = runs_;
    for (const auto& run : runs) {
        run->Pump(0);
        run->KillWhenDue();
    }
    std::erase_if(runs_, [](const std::shared_ptr<Run>& run) { return run->Finished(); });
}

bool ToolProcesses::AnyRunning() const
{
    return std::any_of(runs_.begin(), runs_.end(), [](const std::shared_ptr<Run>& run) { return !run->Finished(); });
}

void ToolProcesses::StopAll()
{
    for (auto& run : runs_)
        run->Stop();
}

}  // namespace quarry
