#pragma once
#include "app/FileBrowser.h"
#include "app/ProjectHost.h"
#include "platform/UserInterface.h"
#include "settings/EnvironmentSettings.h"
#include "settings/FileLocator.h"
#include "settings/SettingsFile.h"

#include <cstddef>
#include <string>

namespace quarry {

// The project commands of the Environment menu, the tool bar and the project tree, and the
// project reader and writer used by start-up and exit. Plain logic: windows are reached through
// ProjectHost, the user through UserInterface. The project itself is settings.project.
class ProjectCommands final {
public:
    ProjectCommands(EnvironmentSettings& settings, SettingsFile& settingsFile, FileLocator& locator, UserInterface& ui,
                    FileBrowser& browser, ProjectHost& host);
    ProjectCommands(const ProjectCommands&) = delete;  // holds references to the live settings
    ProjectCommands& operator=(const ProjectCommands&) = delete;

    // Reads the project directory and file list, then opens the listed windows from FILEZ
    // down to FILEA, so that FILEA ends in front. The settings in the file are not read here.
    bool ReadProject(const std::string& fileName);
    // Writes the project sections and then the settings copy. The file is replaced only once
    // everything is written, so a failed save leaves the old project file whole.
    bool WriteProject(const std::string& fileName);

    void OpenProject();
    // Saves in place, or asks for a name when the project has no full name or is read-only.
    bool SaveProject();
    bool SaveProjectAs();
    // The tool button: Save Project for a named open project, else Save Project As.
    bool SaveProjectButton();
    // Asks to save, closes every editor window and forgets the project; false when the user
    // cancelled or a window stayed open.
    bool CloseNewProject();
    void AddFilesToProject();
    void RemoveFileFromProject();

    // Clicks on the project tree: the root node and file node `index` (list order).
    void RootNodeClicked();
    void FileNodeClicked(std::size_t index);

    // The file list lookup used by error navigation.
    bool FindProjectFile(std::string& name, std::size_t maxLength = ProjectState::kMaxPathText) const
    {
        return settings_.project.FindProjectFile(name, maxLength);
    }

private:
    void restoreWindow(const ProjectWindowRecord& record);
    bool writeProjectFile(const std::string& target);
    FileBrowser::Options projectBrowseOptions(const char* title) const;

    EnvironmentSettings& settings_;
    SettingsFile& settingsFile_;
    FileLocator& locator_;
    UserInterface& ui_;
    FileBrowser& browser_;
    ProjectHost& host_;
};

// "The project /p/x.ppf does not exist. Do you wish to create it?"
std::string createProjectQuestion(const std::string& projectName);
// "Error saving file: /p/x.ppf - File is read-only."
std::string projectReadOnlyMessage(const std::string& fileName);

}  // namespace quarry
