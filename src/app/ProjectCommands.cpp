#include "app/ProjectCommands.h"

#include "app/ExitConfirmation.h"
#include "app/Startup.h"
#include "platform/FileFacts.h"
#include "platform/PathStyle.h"
#include "platform/ProfileFile.h"
#include "platform/Text.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace quarry {

namespace {

namespace fs = std::filesystem;

std::string joinedFilters(const std::vector<std::string>& filters)
{
    std::string joined;
    for (const auto& filter : filters) {
        if (!joined.empty())
            joined += '|';
        joined += filter;
    }
    return joined;
}

// The file a save really replaces: the target of a symbolic link, so the link stays a link.
std::string saveTarget(const std::string& fullName)
{
    std::error_code error;
    if (fs::is_symlink(fs::path(fullName), error)) {
        const auto target = fs::canonical(fs::path(fullName), error);
        if (!error)
            return target.string();
    }
    return fullName;
}

}  // namespace

std::string createProjectQuestion(const std::string& projectName)
{
    return "The project " + projectName + " does not exist. Do you wish to create it?";
}

std::string projectReadOnlyMessage(const std::string& fileName)
{
    return "Error saving file: " + fileName + " - File is read-only.";
}

ProjectCommands::ProjectCommands(EnvironmentSettings& settings, SettingsFile& settingsFile, FileLocator& locator,
                                 UserInterface& ui, FileBrowser& browser, ProjectHost& host)
    : settings_(settings), settingsFile_(settingsFile), locator_(locator), ui_(ui), browser_(browser), host_(host)
{
}

bool ProjectCommands::ReadProject(const std::string& fileName)
{
    bool ok = true;
    try {
        ProfileFile file(settingsFile_.resolve(fileName));
        ProjectFile::readFiles(file, settings_.project);
        host_.projectFilesChanged();
        const auto windows = ProjectFile::readWindows(file);
        for (auto k = windows.size(); k > 0; --k)
            restoreWindow(windows[k - 1]);
    } catch (const std::exception&) {
        // What was opened stays open; the rest of the project is not read.
        ui_.showMessage(MessageKind::Error, kProjectReadError, MessageButtons::Ok);
        ok = false;
    }
    host_.updateProjectState();
    return ok;
}

void ProjectCommands::restoreWindow(const ProjectWindowRecord& record)
{
    std::string name = record.fileName;
    if (name.empty() || !locator_.LocateFile(name))
        return;
    auto* window = host_.openEditorByName(name);
    if (!window)
        return;
    if (record.encoding != EncodingChoice::Auto)
        window->setEncoding(record.encoding);
    window->setCaret(record.caret.row, record.caret.column);
    for (int d = 0; d < ProjectWindowRecord::kMarkers; ++d) {
        const auto& marker = record.markers[static_cast<std::size_t>(d)];
        // -1 is the unset marker; other rows below 1 are damage and name no place either.
        if (marker.row >= 1)
            window->setMarker(d, marker.row, std::max(marker.column, 1));
    }
    window->setBounds(record.bounds);
    ui_.processPendingEvents();
    window->recordRestoredBounds();
    window->setWindowState(record.state);
}

bool ProjectCommands::WriteProject(const std::string& fileName)
{
    if (settings_.general.saveProjectSavesFiles)
        host_.saveAllFiles();
    if (!settings_.project.open || !settings_.project.hasName())
        return false;
    return writeProjectFile(saveTarget(settingsFile_.resolve(fileName)));
}

// Everything goes into a copy beside the project file, which then replaces it: a full disk or a
// vanished directory leaves the old project file as it was.
bool ProjectCommands::writeProjectFile(const std::string& target)
{
    const auto temporary = target + ".saving";
    std::error_code error;
    fs::remove(temporary, error);
    if (files::fileExists(target) && !fs::copy_file(target, temporary, fs::copy_options::overwrite_existing, error)) {
        ui_.showMessage(MessageKind::Error, kProjectWriteError, MessageButtons::Ok);
        return false;
    }
    std::vector<ProjectWindowRecord> records;
    for (auto* window : host_.editorWindows()) {
        if (records.size() == ProjectFile::kWindowSections)
            break;
        ProjectWindowRecord record;
        record.fileName = window->fileName();
        record.state = window->windowState();
        record.caret = window->caret();
        record.lineCount = window->lineCount();
        record.bounds = record.state == WindowState::Normal ? window->bounds() : window->restoredBounds();
        record.visible = window->isVisible();
        for (int d = 0; d < ProjectWindowRecord::kMarkers; ++d)
            record.markers[static_cast<std::size_t>(d)] = window->marker(d);
        record.encoding = window->encoding();
        records.push_back(std::move(record));
    }
    try {
        ProfileFile file(temporary);
        ProjectFile::write(file, settings_.project, records);
        file.flush();
    } catch (const ProfileFileError&) {
        fs::remove(temporary, error);
        ui_.showMessage(MessageKind::Error, kProjectWriteError, MessageButtons::Ok);
        return false;
    }
    // The settings copy reports its own failure.
    if (!settingsFile_.WriteSettings(temporary)) {
        fs::remove(temporary, error);
        return false;
    }
    fs::rename(temporary, target, error);
    if (error) {
        fs::remove(temporary, error);
        ui_.showMessage(MessageKind::Error, kProjectWriteError, MessageButtons::Ok);
        return false;
    }
    return true;
}

FileBrowser::Options ProjectCommands::projectBrowseOptions(const char* title) const
{
    FileBrowser::Options options;
    options.title = title;
    options.maxLength = ProjectState::kMaxPathText;
    options.filter = kProjectFilter;
    options.initialDirectory = settings_.projectPath;
    options.pathMustExist = true;
    return options;
}

void ProjectCommands::OpenProject()
{
    std::string name;
    browser_.RequestBrowse();
    if (!browser_.BrowseForFile(name, projectBrowseOptions("Specify project file to open")))
        return;
    auto& project = settings_.project;
    if (files::fileExists(name)) {
        if (project.open && !CloseNewProject())
            return;
        project.open = true;
        project.name = name;
        ReadProject(name);
        settingsFile_.ReadSettings(name);
        // The file opened counts, whatever its own PROJECT keys say.
        project.name = name;
        project.open = true;
        host_.updateProjectState();
        return;
    }
    if (ui_.showMessage(MessageKind::Information, createProjectQuestion(name), MessageButtons::YesNo) != Answer::Yes)
        return;
    if (project.open && !CloseNewProject())
        return;
    project.open = true;
    project.name = name;
    SaveProject();
    host_.updateProjectState();
}

bool ProjectCommands::SaveProject()
{
    const auto name = settings_.project.name;
    if (files::fileExists(name) && files::isReadOnly(name)) {
        ui_.showMessage(MessageKind::Information, projectReadOnlyMessage(name), MessageButtons::Ok);
        return SaveProjectAs();
    }
    if (settings_.project.hasName() && PathStyle::native().isDriveQualified(name))
        return WriteProject(name);
    return SaveProjectAs();
}

bool ProjectCommands::SaveProjectAs()
{
    auto options = projectBrowseOptions("Specify project file to save");
    options.overwritePrompt = true;
    std::string name = settings_.project.hasName() ? PathStyle::native().fileName(settings_.project.name) : "";
    browser_.RequestBrowse();
    if (!browser_.BrowseForSaveFile(name, options))
        return false;
    settings_.project.open = true;
    settings_.project.name = name;
    const bool saved = SaveProject();
    host_.updateProjectState();
    return saved;
}

bool ProjectCommands::SaveProjectButton()
{
    return settings_.project.open && settings_.project.hasName() ? SaveProject() : SaveProjectAs();
}

bool ProjectCommands::CloseNewProject()
{
    auto& project = settings_.project;
    if (project.open && project.hasName()) {
        const auto answer =
            ui_.showMessage(MessageKind::Confirmation, saveProjectQuestion(project.name), MessageButtons::YesNoCancel);
        if (answer == Answer::Yes)
            SaveProject();
        else if (answer != Answer::No)
            return false;
    }
    // One try per window: a window that refuses (its user kept unsaved changes) stops the
    // close, and the project stays open around it.
    for (auto remaining = host_.editorWindows().size(); remaining > 0; --remaining) {
        const auto windows = host_.editorWindows();
        if (windows.empty())
            break;
        if (!host_.closeEditorWindow(*windows.front()))
            return false;
        ui_.processPendingEvents();
    }
    if (!host_.editorWindows().empty())
        return false;
    project.open = false;
    project.name = kNoProject;
    project.files.clear();
    host_.projectFilesChanged();
    host_.updateProjectState();
    return true;
}

void ProjectCommands::AddFilesToProject()
{
    const auto style = PathStyle::native();
    FileBrowser::Options options;
    options.title = "Add Files to Project";
    options.filter = joinedFilters(settings_.editor.fileFilters);
    options.filterIndex = settings_.editor.fileFilterIndex;
    const auto active = host_.activeEditorFile();
    options.initialDirectory = style.hasDirectory(active) ? style.directory(active) : settings_.sourcePath;
    options.multiSelect = true;
    options.fileMustExist = true;
    options.pathMustExist = true;
    std::string name;
    browser_.RequestBrowse();
    if (!browser_.BrowseForFile(name, options))
        return;
    for (const auto& file : browser_.Chosen())
        settings_.project.addFile(file);
    host_.projectFilesChanged();
}

void ProjectCommands::RemoveFileFromProject()
{
    if (const auto index = host_.chooseFileToRemove(settings_.project.files))
        settings_.project.removeFile(*index);
    host_.projectFilesChanged();
}

void ProjectCommands::RootNodeClicked()
{
    if (!settings_.project.open || !settings_.project.hasName())
        OpenProject();
}

void ProjectCommands::FileNodeClicked(std::size_t index)
{
    if (index < settings_.project.files.size())
        host_.openEditorByName(settings_.project.files[index]);
}

}  // namespace quarry
