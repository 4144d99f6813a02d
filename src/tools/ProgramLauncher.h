#pragma once
#include "tools/ProgramStarter.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace quarry {

class UserInterface;

// What a launch asks of the window side besides message boxes.
class LaunchHost {
public:
    virtual ~LaunchHost() = default;
    // Shows the confirm dialog with the executable and the editable parameters; the parameters
    // as the user left them, or nullopt when the user cancelled.
    virtual std::optional<std::string> ConfirmParameters(const std::string& executable,
                                                         const std::string& parameters) = 0;
    // The program is being closed: waiting for a tool ends.
    virtual bool Terminating() = 0;
};

// Starts a tool from an executable and its parameter text, optionally after the user confirmed
// the parameters, and optionally waits for its end while the window keeps processing events.
class ProgramLauncher final {
public:
    static constexpr std::int32_t kConfirmShowing = 39321;
    static constexpr std::int32_t kCancelled = 39312;
    static constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1);

    ProgramLauncher(ProgramStarter& starter, LaunchHost& host, UserInterface& ui)
        : starter_(starter), host_(host), ui_(ui)
    {
    }

    // 0 after a start (and end, when waiting), the system's error code (low 16 bits) when the
    // program could not be started, kCancelled when the user cancelled the confirm dialog.
    std::int32_t LastLaunchResult = 0;
    LaunchWindowMode WindowMode;

    // `parameters` gets the text the user confirmed (cut to maxLen); the command line is the
    // executable, one blank and the parameters, cut to maxLen as well.
    void LaunchProgram(const std::string& executable, std::string& parameters, std::size_t maxLen, bool wait,
                       bool confirm);
    // The program of the last successful start, or null.
    const std::shared_ptr<StartedProgram>& LastProgram() const { return lastProgram_; }

private:
    ProgramStarter& starter_;
    LaunchHost& host_;
    UserInterface& ui_;
    std::shared_ptr<StartedProgram> lastProgram_;
};

}  // namespace quarry
