#pragma once
#include <memory>
#include <string>
#include <vector>

namespace quarry {

// How a started program's window should appear. Kept as the launches' shared state; programs
// on this platform choose their own windows.
struct LaunchWindowMode {
    enum class Show { Normal, Hidden, Minimized };
    bool given = false;  // false: the started program decides
    Show show = Show::Normal;
    bool operator==(const LaunchWindowMode&) const = default;
};

// One launch: the executable as configured, the arguments split from the parameters, and the
// command line as the user sees it.
struct LaunchRequest {
    std::string executable;
    std::vector<std::string> arguments;  // without the executable
    std::string commandLine;
    LaunchWindowMode windowMode;
    bool operator==(const LaunchRequest&) const = default;
};

// A program that was started, as its launcher waits for it.
class StartedProgram {
public:
    virtual ~StartedProgram() = default;
    // Waits a short slice for the program's end; true once it has ended. Output that arrived
    // meanwhile has been passed on.
    virtual bool WaitSlice() = 0;
    // What the program wrote to its standard output and error (the first part of a flood).
    virtual const std::string& CapturedOutput() const = 0;
};

// Starts programs. Null, with `error` set to the system's error code, when it could not.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    virtual std::shared_ptr<StartedProgram> Start(const LaunchRequest& request, int& error) = 0;
};

}  // namespace quarry
