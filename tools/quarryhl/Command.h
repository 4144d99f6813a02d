#pragma once
// Each quarryhl command lives in its own file and registers itself here, so commands can be
// added without touching the dispatcher.
#include <functional>
#include <string>
#include <vector>

namespace quarry::hl {

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
