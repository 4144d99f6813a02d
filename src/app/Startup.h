#pragma once
#include "app/ShellHost.h"
#include "platform/UserInterface.h"
#include "settings/EnvironmentSettings.h"
#include "settings/FileLocator.h"
#include "settings/SettingsFile.h"

#include <string>
#include <vector>

namespace quarry {

inline constexpr const char* kMissingTemplateMessage = "Can't find default desktop files. Halting.";
inline constexpr const char* kRestoringDefaultsMessage = "Can't find Editor INI file. Restoring default settings.";
inline constexpr const char* kDesktopFilesErrorMessage = "Error in desktop files. Halting.";
inline constexpr const char* kEnvironmentMarker = "DEFAULTD";
inline constexpr const char* kProjectFilter = "Project File (*.PPF) | *.ppf";

// The start-up work of the main window's first show: make sure the environment file exists,
// decide which project and which settings file to read, open the files named on the command
// line. Plain logic: windows are reached through ShellHost, the user through UserInterface.
class Startup final {
public:
    Startup(EnvironmentSettings& settings, SettingsFile& settingsFile, FileLocator& locator, UserInterface& ui,
            ShellHost& host);
    Startup(const Startup&) = delete;  // holds references to the live settings
    Startup& operator=(const Startup&) = delete;

    // All steps in order. `arguments` are the command-line elements after the program name.
    // Throws CommandException when the program has to end (termination already requested).
    void FirstShow(const std::vector<std::string>& arguments);

    // Creates the environment file from the template "QUARRY.DEF" when it is missing, with every
    // "DEFAULTD" replaced by the environment file's directory. Throws CommandException (after
    // the error box and the termination request) when that cannot be done.
    void EnsureEnvironmentFile(const std::string& fileName);
    // Reads the settings of the last project (when it was open and is found) or of the given
    // settings file.
    void ReadStartupProject(const std::string& settingsFileName);
    // Lets the user find a project that moved; true when handled (picked or cancelled).
    bool LocateProjectFile(const std::string& name);

    static bool isProjectFileName(const std::string& name);

private:
    [[noreturn]] void halt(const char* message);

    EnvironmentSettings& settings_;
    SettingsFile& settingsFile_;
    FileLocator& locator_;
    UserInterface& ui_;
    ShellHost& host_;
};

// Command-line names as the program takes them: a shell passes names relative to its current
// directory, which is not the program's, so names that have a directory part, name a file in the
// current directory or name a project are made absolute. Other bare names stay bare for the
// source-path search.
std::vector<std::string> absoluteArguments(const std::vector<std::string>& arguments);

}  // namespace quarry
