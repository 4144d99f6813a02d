#pragma once
#include <string>
#include <vector>

namespace quarry {

inline constexpr const char* kNoProject = "NO PROJECT";

// The open project as the main window holds it. The project file format that fills `files`
// belongs to the project reader; the settings file carries name and open flag.
struct ProjectState {
    std::string name = kNoProject;  // full path of the project file, or "NO PROJECT"; at most 255 characters
    bool open = false;
    std::string directory;           // the project's default source directory
    std::vector<std::string> files;  // full paths, sorted without regard to case, no duplicates

    bool hasName() const { return name != kNoProject; }
    bool operator==(const ProjectState&) const = default;
};

}  // namespace quarry
