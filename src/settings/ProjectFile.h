#pragma once
#include "settings/ProjectState.h"
#include "settings/SettingsHost.h"
#include "text/TextEncoding.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quarry {

class ProfileFile;

inline constexpr const char* kProjectReadError = "Error reading from IDE project file.";
inline constexpr const char* kProjectWriteError = "Error writing to IDE project file.";

// A caret or marker place in text rows and columns, both 1-based; -1 means none.
struct TextPosition {
    int row = -1;
    int column = -1;
    bool isSet() const { return row != -1; }
    bool operator==(const TextPosition&) const = default;
};

// One editor window as a FILEx section holds it.
struct ProjectWindowRecord {
    static constexpr int kMarkers = 10;

    std::string fileName;
    WindowState state = WindowState::Normal;
    TextPosition caret{1, 1};
    // Rows in the window's text; the caret is written only when its row lies in 1..lineCount.
    int lineCount = 0;
    WindowBounds bounds;  // the normal-state bounds: live, or RestoredBounds when not normal
    bool visible = true;
    std::array<TextPosition, kMarkers> markers;  // unset ones are not written
    // An encoding the user chose for the file; Auto (decided from the bytes) is not written.
    EncodingChoice encoding = EncodingChoice::Auto;

    bool operator==(const ProjectWindowRecord&) const = default;
};

// The project sections of a project file: PROJECT/DEFAULTSOURCEPATH, PROJECTFILES with the
// file list and FILEA..FILEZ with the open editor windows, front window first. The settings
// sections in the same file belong to SettingsFile. Reading takes what a damaged file still
// holds: missing keys give their defaults, values out of range are replaced by them.
class ProjectFile final {
public:
    static constexpr int kWindowSections = 26;

    // "FILEA" for k = 1 up to "FILEZ" for k = 26.
    static std::string windowSection(int k);
    // Where a window whose section names no place opens: 10k + 20, 10k + 10, 200 by 100.
    static WindowBounds defaultBounds(int k);

    // Writes DEFAULTSOURCEPATH, the file list and one section per window for the first 26
    // windows; every FILEx section is erased first, so fewer windows leave no old sections.
    static void write(ProfileFile& file, const ProjectState& project, std::span<const ProjectWindowRecord> windows);

    // The project directory (the held one when the key is missing) and the file list.
    static void readFiles(const ProfileFile& file, ProjectState& project);
    // The 26 window sections, FILEA first; a missing section reads as a record with an empty
    // name (nothing to open).
    static std::vector<ProjectWindowRecord> readWindows(const ProfileFile& file);
};

}  // namespace quarry
