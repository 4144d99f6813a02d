#pragma once
// The quarryreg commands, each in its own file, and what they share.
#include "regview/RegisterDescription.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace quarry::reg {

// Wrong arguments: the program prints the message and the usage and exits with status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Input that cannot be used or a change the register refuses: exit status 1.
class Refused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

int listCommand(const std::vector<std::string>& args);
int showCommand(const std::vector<std::string>& args);
int composeCommand(const std::vector<std::string>& args);
int importSvdCommand(const std::vector<std::string>& args);

// A description file read from disk; Refused when it cannot be read.
RegisterDescription loadDescription(const std::string& path);
// Warnings as "FILE:LINE: warning: TEXT" on standard error; `registerIndex` -2 prints all.
void printWarnings(const std::string& path, const RegisterDescription& description, int registerIndex = -2);

}  // namespace quarry::reg
