#pragma once
#include <string>

namespace quarry {

// One of the four external program slots (EXE1 to EXE4, keys F6 to F9).
struct ToolSlot {
    std::string type;     // label shown in captions and hints, such as "Debugger"
    std::string name;     // executable path
    std::string options;  // parameter template, may hold %FILE%
    bool confirm = false;
    // Waiting is offered only until settings are read: reading clears it and withdraws the
    // option (`waitOffered`), so tools started after any read never block the environment.
    bool wait = false;
    bool waitOffered = true;
    bool saveFiles = false;
    bool addQuotes = true;

    bool operator==(const ToolSlot&) const = default;
};

}  // namespace quarry
