#pragma once
#include "settings/EnvironmentSettings.h"
#include "settings/FileLocator.h"

#include <string>

namespace quarry {

inline constexpr const char* kNoProjectCaption = "Quarry - [No Project]";
inline constexpr const char* kSaveProjectHint = "Save Project";
inline constexpr const char* kSaveProjectWithFilesHint = "Save Project (All Files+Setup)";

// The window caption and project command states that UpdateProjectState applies.
struct ProjectCommandState {
    bool projectCommandsEnabled = false;  // Save, Close/New, Add Files, Remove File and their buttons
    std::string caption;
    std::string saveProjectHint;

    // Computed from the settings; the locator may reset an invalid SourcePath on the way.
    static ProjectCommandState of(EnvironmentSettings& settings, FileLocator& locator);
    bool operator==(const ProjectCommandState&) const = default;
};

}  // namespace quarry
