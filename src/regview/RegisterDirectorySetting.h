#pragma once
#include <string>

namespace quarry {

// The directory of register files beside the program's own, kept in the environment file
// ("[REGISTERS]", "DIRECTORY="); the register command searches it after the program directory.
class RegisterDirectorySetting final {
public:
    explicit RegisterDirectorySetting(std::string environmentFile) : file_(std::move(environmentFile)) {}

    // Empty when none is set or the file cannot be read.
    std::string Read() const;
    // False when the file cannot be written.
    bool Write(const std::string& directory) const;

private:
    std::string file_;
};

}  // namespace quarry
