#pragma once
#include <stdexcept>

namespace quarry {

// Abandons the current command; thrown when start-up has to end the program.
class CommandException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kExitingApplication = "Exiting Application...";

}  // namespace quarry
