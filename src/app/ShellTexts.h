#pragma once
#include "platform/FileFacts.h"

#include <string>

// Messages and titles of the main window's file commands, in one place.
namespace quarry::shelltexts {

inline constexpr const char* kOpenFileTitle = "Open File";
inline constexpr const char* kNoEntries = "<No entries>";
inline constexpr const char* kEditorFileListTitle = " Editor File List ";

inline std::string readOnlyFile(const std::string& name)
{
    return "Error saving file: " + name + " - File is read-only.";
}

inline std::string createQuestion(const std::string& name)
{
    return "The file " + name + " does not exist. Do you wish to create it?";
}

// Directories, devices, pipes and sockets are not opened as text.
inline std::string notAFile(const std::string& name, files::FileKind kind)
{
    return "Error opening file: " + name +
           (kind == files::FileKind::Directory ? " - It is a directory." : " - It is a device, pipe or socket, not a file.");
}

inline std::string forgetMissingQuestion(const std::string& name)
{
    return "The file " + name + " no longer exists. Remove it from the Re-open list?";
}

inline std::string saveAsTitle(const std::string& fileNamePart) { return "Save " + fileNamePart + " As"; }

}  // namespace quarry::shelltexts
