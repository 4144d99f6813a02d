#include "tools/ProgramLauncher.h"

#include "platform/CommandLine.h"
#include "platform/Text.h"
#include "platform/UserInterface.h"

namespace quarry {

void ProgramLauncher::LaunchProgram(const std::string& executable, std::string& parameters, std::size_t maxLen,
                                    bool wait, bool confirm)
{
    lastProgram_.reset();
    if (confirm) {
        LastLaunchResult = kConfirmShowing;
        const auto confirmed = host_.ConfirmParameters(executable, parameters);
        if (!confirmed) {
            LastLaunchResult = kCancelled;
            return;
        }
        parameters = text::cut(*confirmed, maxLen);
    }
    LaunchRequest request;
    request.executable = executable;
    request.commandLine = text::cut(executable + " " + parameters, maxLen);
    if (request.commandLine.size() > executable.size())
        request.arguments = splitCommandLine(std::string_view(request.commandLine).substr(executable.size() + 1));
    request.windowMode = WindowMode;

    int error = 0;
    auto program = starter_.Start(request, error);
    const std::int32_t result = program ? 0 : (error & 0xFFFF);
    LastLaunchResult = result;
    if (program && wait) {
        for (;;) {
            ui_.processPendingEvents();
            if (host_.Terminating() || program->WaitSlice())
                break;
        }
    }
    // Another run may have started and ended while this one waited; the result is this one's.
    LastLaunchResult = result;
    lastProgram_ = std::move(program);
    if (result != 0)
        ui_.processPendingEvents();
}

}  // namespace quarry
