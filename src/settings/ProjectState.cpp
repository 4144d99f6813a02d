#include "settings/ProjectState.h"

#include "platform/PathStyle.h"
#include "platform/Text.h"

#include <algorithm>

namespace quarry {

namespace {

// Case-insensitive order; names that differ only in case (distinct files on POSIX) keep a
// fixed order among themselves.
bool before(std::string_view a, std::string_view b)
{
    const int folded = text::compareIgnoreCase(a, b);
    return folded != 0 ? folded < 0 : a < b;
}

}  // namespace

bool ProjectState::addFile(std::string_view path)
{
    auto entry = text::cut(path, kMaxPathText);
    if (text::trim(entry).empty() || files.size() >= kMaxFiles)
        return false;
    const auto style = PathStyle::native();
    if (std::any_of(files.begin(), files.end(), [&](const std::string& f) { return style.sameName(f, entry); }))
        return false;
    files.insert(std::upper_bound(files.begin(), files.end(), entry,
                                  [](const std::string& a, const std::string& b) { return before(a, b); }),
                 std::move(entry));
    return true;
}

bool ProjectState::removeFile(std::size_t index)
{
    if (index >= files.size())
        return false;
    files.erase(files.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

std::vector<std::string> ProjectState::fileNameParts() const
{
    const auto style = PathStyle::native();
    std::vector<std::string> parts;
    parts.reserve(files.size());
    for (const auto& file : files)
        parts.push_back(style.fileName(file));
    return parts;
}

bool ProjectState::FindProjectFile(std::string& name, std::size_t maxLength) const
{
    const auto style = PathStyle::native();
    if (style.hasDirectory(name))
        return false;
    auto found = std::find_if(files.begin(), files.end(), [&](const std::string& f) { return style.fileName(f) == name; });
    if (found == files.end())
        found = std::find_if(files.begin(), files.end(),
                             [&](const std::string& f) { return text::equalsIgnoreCase(style.fileName(f), name); });
    if (found == files.end())
        return false;
    name = text::cut(*found, maxLength);
    return true;
}

}  // namespace quarry
