#pragma once
// Each quarryhl command lives in its own file and registers itself here, so commands can be
// added without touching the dispatcher.
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quarry::hl {

// Raised by a command for wrong arguments; the dispatcher prints it and exits with status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Returns the process exit status: 0 success, 1 failure of the work, 2 bad usage.
using CommandFn = std::function<int(const std::vector<std::string>& args)>;

struct Command {
    std::string name;
    std::string usage;  // one line, shown by "quarryhl help"
    CommandFn run;
};

std::vector<Command>& commands();

struct RegisterCommand {
    RegisterCommand(std::string name, std::string usage, CommandFn run);
};

}  // namespace quarry::hl
