#include "app/Startup.h"

#include "app/CommandException.h"
#include "platform/FileFacts.h"
#include "platform/PathStyle.h"
#include "platform/ProfileFile.h"
#include "platform/Text.h"

#include <cerrno>
#include <fstream>
#include <sstream>

namespace quarry {

namespace {

// The template as lines with their own line ends, so the copy differs only by the replacements.
std::string replaceMarkerPerLine(const std::string& content, const std::string& directory)
{
    std::string out;
    std::size_t start = 0;
    while (start < content.size()) {
        auto end = content.find('\n', start);
        end = end == std::string::npos ? content.size() : end + 1;
        out += text::replaceAll(std::string_view(content).substr(start, end - start), kEnvironmentMarker, directory);
        start = end;
    }
    return out;
}

bool readWhole(const std::string& path, std::string& content)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    content = bytes.str();
    return !in.bad();
}

bool writeWhole(const std::string& path, const std::string& content)
{
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(content.data(), static_cast<std::streamsize>(content.size()));
            out.close();
            if (out)
                return true;
        }
    }
    // A half-written environment file would be taken for a good one at the next start.
    files::deleteFile(path);
    return false;
}

}  // namespace

Startup::Startup(EnvironmentSettings& settings, SettingsFile& settingsFile, FileLocator& locator, UserInterface& ui,
                 ShellHost& host)
    : settings_(settings), settingsFile_(settingsFile), locator_(locator), ui_(ui), host_(host)
{
}

bool Startup::isProjectFileName(const std::string& name)
{
    return text::ansiUpperCase(PathStyle::native().extension(name)) == ".PPF";
}

void Startup::halt(const char* message)
{
    ui_.showMessage(MessageKind::Error, message, MessageButtons::Ok);
    host_.requestTerminate();
    throw CommandException(kExitingApplication);
}

void Startup::EnsureEnvironmentFile(const std::string& fileName)
{
    const auto style = PathStyle::native();
    const auto fullName = settingsFile_.resolve(fileName);
    if (files::fileExists(fullName))
        return;
    const auto templateName = style.join(settingsFile_.programDir(), kEnvironmentTemplateName);
    if (!files::fileExists(templateName))
        halt(kMissingTemplateMessage);
    ui_.showMessage(MessageKind::Information, kRestoringDefaultsMessage, MessageButtons::Ok);
    std::string content;
    if (!readWhole(templateName, content) ||
        !writeWhole(fullName, replaceMarkerPerLine(content, style.directory(fullName))))
        halt(kDesktopFilesErrorMessage);
}

void Startup::ReadStartupProject(const std::string& settingsFileName)
{
    std::string name;
    bool open = false;
    try {
        ProfileFile file(settingsFile_.resolve(settingsFileName));
        name = text::cut(file.readString("PROJECT", "NAME", kNoProject), 255);
        open = file.readBool("PROJECT", "OPEN", false);
    } catch (const ProfileFileError&) {
        ui_.showMessage(MessageKind::Error, kSettingsReadError, MessageButtons::Ok);
        return;
    }
    // An open flag beside "NO PROJECT" names nothing to look for.
    if (open && name != kNoProject) {
        std::string located = name;
        if (locator_.LocateFile(located)) {
            settingsFile_.ReadSettings(located);
            settings_.project.name = located;
            settings_.project.open = true;
            return;
        }
        // A cancelled search still leaves the environment's own settings to read; only a
        // project the user found is read instead (by the first show).
        if (LocateProjectFile(name) && settings_.project.open)
            return;
    }
    settingsFile_.ReadSettings(settingsFileName);
}

bool Startup::LocateProjectFile(const std::string& name)
{
    const auto style = PathStyle::native();
    FileBrowseRequest request;
    request.title = "Locate project file: " + style.fileName(name);
    request.filter = kProjectFilter;
    request.initialDirectory = settings_.projectPath;
    request.fileName = style.fileName(name);
    request.pathMustExist = true;
    const auto chosen = ui_.browseForOpenFile(request);
    if (!chosen || chosen->files.empty())
        return true;
    const auto picked = text::cut(chosen->files.front(), 255);
    if (!files::fileExists(picked) || style.fileName(picked) != style.fileName(name))
        return false;
    if (settings_.project.open)
        return true;
    settings_.project.open = true;
    settings_.project.name = picked;
    try {
        ProfileFile file(picked);
        file.writeString("PROJECT", "NAME", picked);
        file.writeString("PROJECT", "PROJECTPATH", style.directory(picked));
        file.flush();
    } catch (const ProfileFileError&) {
        ui_.showMessage(MessageKind::Error, kSettingsWriteError, MessageButtons::Ok);
    }
    return true;
}

void Startup::FirstShow(const std::vector<std::string>& arguments)
{
    EnsureEnvironmentFile(kEnvironmentFileName);
    if (!arguments.empty() && isProjectFileName(arguments.front())) {
        const auto& project = arguments.front();
        ReadStartupProject(project);
        settings_.project.open = true;
        settings_.project.name = text::cut(project, 255);
        host_.openProject(project);
        settingsFile_.ReadSettings(project);
        // The project file's own PROJECT/NAME may name another place; the file opened counts.
        settings_.project.name = text::cut(project, 255);
        settings_.project.open = true;
        host_.updateProjectState();
        host_.hideSplash();
        host_.loadParserSettings();
        return;
    }
    ReadStartupProject(kEnvironmentFileName);
    if (settings_.project.open) {
        std::string located = settings_.project.name;
        if (!settings_.project.hasName()) {
            settings_.project.open = false;
        } else if (locator_.LocateFile(located)) {
            settings_.project.name = located;
            host_.openProject(located);
            settingsFile_.ReadSettings(located);
            settings_.project.name = located;
            settings_.project.open = true;
        } else {
            settings_.project.open = false;
        }
    }
    host_.updateProjectState();
    for (const auto& argument : arguments) {
        std::string located = argument;
        if (locator_.LocateFile(located))
            host_.openEditorFile(located);
    }
    host_.hideSplash();
    host_.loadParserSettings();
}

std::vector<std::string> absoluteArguments(const std::vector<std::string>& arguments)
{
    const auto style = PathStyle::native();
    std::vector<std::string> out;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const auto& name = arguments[i];
        const bool project = i == 0 && Startup::isProjectFileName(name);
        if (!name.empty() && !text::containsWildcard(name) &&
            (project || style.hasDirectory(name) || files::fileExists(name)))
            out.push_back(files::absolutePath(name));
        else
            out.push_back(name);
    }
    return out;
}

}  // namespace quarry
