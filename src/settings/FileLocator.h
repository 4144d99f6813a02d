#pragma once
#include "settings/EnvironmentSettings.h"

#include <cstddef>
#include <string>

namespace quarry {

// The rule that turns a bare file name into the file meant: first the source path, then the
// program directory. Shared by start-up, projects, tools and error navigation.
class FileLocator final {
public:
    FileLocator(EnvironmentSettings& settings, std::string programDir)
        : settings_(settings), programDir_(std::move(programDir))
    {
    }

    // Whether the file exists. A name without a directory part is tried in SourcePath, then in
    // the program directory, and on success replaced by the full name found (cut to
    // maxLength); a name containing '*' or '?' never exists. A SourcePath that names no
    // existing directory is first reset to the program directory.
    bool LocateFile(std::string& name, std::size_t maxLength = 255);

    const std::string& programDir() const { return programDir_; }

private:
    void validateSourcePath();

    EnvironmentSettings& settings_;
    std::string programDir_;
};

}  // namespace quarry
