#include "settings/ProjectFile.h"

#include "platform/ProfileFile.h"
#include "platform/Text.h"

#include <algorithm>
#include <charconv>

namespace quarry {

namespace {

constexpr const char* kProjectSection = "PROJECT";
constexpr const char* kFilesSection = "PROJECTFILES";

std::string markerKey(int d, const char* part) { return "MARKER" + std::to_string(d) + part; }

// The number n of a key "FILEn" written the way the writer writes it (decimal, no leading
// zero), or 0.
int fileKeyNumber(std::string_view key)
{
    constexpr std::string_view prefix = "FILE";
    if (key.size() <= prefix.size() || !text::equalsIgnoreCase(key.substr(0, prefix.size()), prefix))
        return 0;
    const char* first = key.data() + prefix.size();
    const char* last = key.data() + key.size();
    if (*first == '0')
        return 0;
    int n = 0;
    const auto [end, error] = std::from_chars(first, last, n);
    return error == std::errc() && end == last ? n : 0;
}

void writeWindow(ProfileFile& file, const std::string& section, const ProjectWindowRecord& window)
{
    file.writeString(section, "FILENAME", window.fileName);
    file.writeInteger(section, "STATE", static_cast<int>(window.state));
    if (window.caret.row >= 1 && window.caret.row <= window.lineCount) {
        file.writeInteger(section, "EDITORROW", window.caret.row);
        file.writeInteger(section, "EDITORCOLUMN", window.caret.column);
    }
    file.writeInteger(section, "LEFT", window.bounds.left);
    file.writeInteger(section, "WIDTH", window.bounds.width);
    file.writeInteger(section, "TOP", window.bounds.top);
    file.writeInteger(section, "HEIGHT", window.bounds.height);
    file.writeBool(section, "VISIBLE", window.visible);
    for (int d = 0; d < ProjectWindowRecord::kMarkers; ++d) {
        const auto& marker = window.markers[static_cast<std::size_t>(d)];
        if (!marker.isSet())
            continue;
        file.writeInteger(section, markerKey(d, "ROW"), marker.row);
        file.writeInteger(section, markerKey(d, "COLUMN"), marker.column);
    }
    if (window.encoding != EncodingChoice::Auto)
        file.writeString(section, "ENCODING",
                         std::string(encodingName(window.encoding == EncodingChoice::Utf8 ? TextEncoding::Utf8
                                                                                          : TextEncoding::Windows1252)));
}

ProjectWindowRecord readWindow(const ProfileFile& file, int k)
{
    const auto section = ProjectFile::windowSection(k);
    const auto defaults = ProjectFile::defaultBounds(k);
    ProjectWindowRecord window;
    window.fileName = text::cut(text::trim(file.readString(section, "FILENAME", "")), ProjectState::kMaxPathText);
    window.bounds.left = file.readInteger(section, "LEFT", defaults.left);
    window.bounds.width = file.readInteger(section, "WIDTH", defaults.width);
    window.bounds.top = file.readInteger(section, "TOP", defaults.top);
    window.bounds.height = file.readInteger(section, "HEIGHT", defaults.height);
    // A window without area could not be seen or grabbed again.
    if (window.bounds.width <= 0)
        window.bounds.width = defaults.width;
    if (window.bounds.height <= 0)
        window.bounds.height = defaults.height;
    const int state = file.readInteger(section, "STATE", 0);
    window.state = state == 1 || state == 2 ? static_cast<WindowState>(state) : WindowState::Normal;
    window.visible = file.readBool(section, "VISIBLE", true);
    window.caret = {file.readInteger(section, "EDITORROW", 1), file.readInteger(section, "EDITORCOLUMN", 1)};
    for (int d = 0; d < ProjectWindowRecord::kMarkers; ++d)
        window.markers[static_cast<std::size_t>(d)] = {file.readInteger(section, markerKey(d, "ROW"), -1),
                                                       file.readInteger(section, markerKey(d, "COLUMN"), -1)};
    window.encoding = parseEncodingChoice(text::trim(file.readString(section, "ENCODING", ""))).value_or(EncodingChoice::Auto);
    return window;
}

}  // namespace

std::string ProjectFile::windowSection(int k) { return std::string("FILE") + static_cast<char>('A' + k - 1); }

WindowBounds ProjectFile::defaultBounds(int k) { return {10 * k + 20, 10 * k + 10, 200, 100}; }

void ProjectFile::write(ProfileFile& file, const ProjectState& project, std::span<const ProjectWindowRecord> windows)
{
    file.writeString(kProjectSection, "DEFAULTSOURCEPATH", project.directory);
    file.eraseSection(kFilesSection);
    file.writeInteger(kFilesSection, "NUMFILES", static_cast<int>(project.files.size()));
    for (std::size_t i = 0; i < project.files.size(); ++i)
        file.writeString(kFilesSection, "FILE" + std::to_string(i + 1), project.files[i]);
    for (int k = 1; k <= kWindowSections; ++k) {
        const auto section = windowSection(k);
        file.eraseSection(section);
        if (static_cast<std::size_t>(k) <= windows.size())
            writeWindow(file, section, windows[static_cast<std::size_t>(k - 1)]);
    }
}

void ProjectFile::readFiles(const ProfileFile& file, ProjectState& project)
{
    project.directory =
        text::cut(file.readString(kProjectSection, "DEFAULTSOURCEPATH", project.directory), ProjectState::kMaxPathText);
    const int count = file.readInteger(kFilesSection, "NUMFILES", 0);
    project.files.clear();
    // The keys FILE1..FILEn that are present, in number order, read in one pass over the
    // section: a damaged NUMFILES of two thousand million costs nothing, and many keys cost no
    // search each. Of a key written twice the first counts, as for every other key.
    std::vector<std::pair<int, std::string_view>> numbered;
    for (const auto& [key, value] : file.entries(kFilesSection)) {
        const int n = fileKeyNumber(key);
        if (n >= 1 && n <= count)
            numbered.emplace_back(n, value);
    }
    std::stable_sort(numbered.begin(), numbered.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    numbered.erase(std::unique(numbered.begin(), numbered.end(),
                               [](const auto& a, const auto& b) { return a.first == b.first; }),
                   numbered.end());
    for (const auto& [n, value] : numbered) {
        if (project.files.size() >= ProjectState::kMaxFiles)
            break;  // the list is full: nothing further would be kept
        const auto entry = text::trim(value);
        if (!entry.empty())
            project.addFile(entry);
    }
}

std::vector<ProjectWindowRecord> ProjectFile::readWindows(const ProfileFile& file)
{
    std::vector<ProjectWindowRecord> windows;
    windows.reserve(kWindowSections);
    for (int k = 1; k <= kWindowSections; ++k)
        windows.push_back(readWindow(file, k));
    return windows;
}

}  // namespace quarry
