#pragma once
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

inline std::string saveAsTitle(const std::string& fileNamePart) { return "Save " + fileNamePart + " As"; }

}  // namespace quarry::shelltexts
