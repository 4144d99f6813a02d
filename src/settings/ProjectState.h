#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quarry {

inline constexpr const char* kNoProject = "NO PROJECT";

// The open project as the main window holds it. The project file fills `files`; the settings
// file carries name and open flag.
struct ProjectState {
    static constexpr std::size_t kMaxFiles = 255;
    static constexpr std::size_t kMaxPathText = 255;

    std::string name = kNoProject;  // full path of the project file, or "NO PROJECT"; at most 255 characters
    bool open = false;
    std::string directory;           // the project's default source directory
    // Full paths. Invariant (kept by addFile): sorted without regard to letter case, no name
    // twice (as the platform compares names), at most kMaxFiles entries.
    std::vector<std::string> files;

    bool hasName() const { return name != kNoProject; }

    // Puts a path in its sorted place (cut to kMaxPathText). False when it is blank, already
    // listed, or the list is full.
    bool addFile(std::string_view path);
    // Removes the entry at that index; false when there is none.
    bool removeFile(std::size_t index);
    // The file-name parts of the entries, in list order (the project tree's children).
    std::vector<std::string> fileNameParts() const;

    // Looks a bare file name up in the list: the first entry whose file-name part equals it
    // exactly, else the first equal without regard to letter case. On a match `name` becomes
    // that entry's full path (cut to maxLength). A name with a directory part is not looked up.
    bool FindProjectFile(std::string& name, std::size_t maxLength = kMaxPathText) const;

    bool operator==(const ProjectState&) const = default;
};

}  // namespace quarry
