#include "app/FileBrowser.h"

#include "platform/FileFacts.h"
#include "platform/PathStyle.h"
#include "platform/Text.h"
#include "settings/FileLocator.h"

#include <algorithm>

namespace quarry {

namespace {

// The pattern of filter pair `index` (1-based), or empty.
std::string filterPattern(const std::string& filter, int index)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const auto bar = filter.find('|', start);
        parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    const auto at = static_cast<std::size_t>(std::max(index, 1)) * 2 - 1;
    return at < parts.size() ? parts[at] : std::string();
}

}  // namespace

std::string FileBrowser::FilterExtension(const std::string& filter, int index)
{
    const auto pattern = filterPattern(filter, index);
    const auto dot = pattern.find('.');
    if (dot == std::string::npos)
        return {};
    const auto end = pattern.find_first_of(" *?;|", dot + 1);
    return pattern.substr(dot, end == std::string::npos ? std::string::npos : end - dot);
}

std::string FileBrowser::Normalise(const std::string& name, const std::string& filter, int index)
{
    const auto style = PathStyle::native();
    std::string out = name;
    // Only the file-name part: ".." in a directory part is a real directory step.
    const auto nameStart = out.size() - style.fileName(out).size();
    const auto doubleDot = out.find("..", nameStart);
    if (doubleDot != std::string::npos)
        out.erase(doubleDot + 1);
    const std::string placeholder = std::string(".") + kPlaceholderExtension;
    if (out.ends_with(placeholder)) {
        out.erase(out.size() - placeholder.size());
        auto extension = FilterExtension(filter, index);
        // "*.*" names no extension; a bare dot would only leave the name ending in one.
        if (extension != ".")
            out += extension;
    }
    return out;
}

std::string FileBrowser::CleanMissingName(const std::string& name)
{
    if (files::fileExists(name))
        return name;
    const auto style = PathStyle::native();
    const auto fileName = style.fileName(name);
    if (std::count(fileName.begin(), fileName.end(), '.') < 2)
        return name;
    return name.substr(0, name.rfind('.'));
}

std::vector<std::string> FileBrowser::Clean(const std::vector<std::string>& names) const
{
    std::vector<std::string> out;
    for (const auto& name : names)
        out.push_back(CleanMissingName(name));
    return out;
}

bool FileBrowser::BrowseForFile(std::string& name, const Options& options) { return Browse(name, options, false); }

bool FileBrowser::BrowseForSaveFile(std::string& name, const Options& options)
{
    return Browse(name, options, true);
}

bool FileBrowser::Browse(std::string& name, const Options& options, bool save)
{
    const auto style = PathStyle::native();
    chosen_.clear();
    name = text::trim(name);
    if (!name.empty() && !text::containsWildcard(name) && !browseRequested_) {
        auto extension = FilterExtension(options.filter, options.filterIndex);
        if (!extension.empty() && extension != ".")
            name = style.changeExtension(name, extension);
        name = text::trim(name);
        if (!locator_.LocateFile(name, options.maxLength)) {
            result_ = ResultCode::NotFound;
            return false;
        }
        chosen_ = Clean({name});
        name = chosen_.front();
        result_ = ResultCode::Chosen;
        return true;
    }
    browseRequested_ = false;

    FileBrowseRequest request;
    request.title = options.title;
    request.filter = options.filter;
    request.filterIndex = options.filterIndex;
    request.initialDirectory = options.initialDirectory;
    if (style.hasDirectory(name) && !text::containsWildcard(style.directory(name))) {
        request.initialDirectory = style.directory(name);
        request.fileName = style.fileName(name);
    } else {
        request.fileName = name;
    }
    request.defaultExtension = kPlaceholderExtension;
    request.multiSelect = options.multiSelect;
    request.pathMustExist = options.pathMustExist;
    request.overwritePrompt = options.overwritePrompt;
    for (;;) {
        const auto answer = save ? ui_.browseForSaveFile(request) : ui_.browseForOpenFile(request);
        if (!answer || answer->files.empty()) {
            result_ = ResultCode::Cancelled;
            return false;
        }
        std::vector<std::string> names;
        for (const auto& file : answer->files)
            names.push_back(text::cut(Normalise(file, options.filter, answer->filterIndex), options.maxLength));
        if (options.pathMustExist) {
            // A bare name lies in the current directory, which exists.
            const auto missing = std::find_if(names.begin(), names.end(), [&](const std::string& n) {
                const auto directory = style.directory(n);
                return !directory.empty() && !files::directoryExists(directory);
            });
            if (missing != names.end()) {
                ui_.showMessage(MessageKind::Error, "Error - Path " + style.directory(*missing) + " does not exist.",
                                MessageButtons::Ok);
                request.filterIndex = answer->filterIndex;
                continue;
            }
        }
        if (options.fileMustExist) {
            const auto missing = std::find_if(names.begin(), names.end(),
                                              [](const std::string& n) { return !files::fileExists(n); });
            if (missing != names.end()) {
                ui_.showMessage(MessageKind::Error, "Error - File " + *missing + " does not exist.",
                                MessageButtons::Ok);
                // The dialog comes again where the user left it.
                request.filterIndex = answer->filterIndex;
                continue;
            }
        }
        chosenFilterIndex_ = answer->filterIndex;
        if (options.keepDirectory)
            chosenDirectory_ = style.directory(names.front());
        chosen_ = Clean(names);
        name = chosen_.front();
        result_ = ResultCode::Chosen;
        return true;
    }
}

}  // namespace quarry
