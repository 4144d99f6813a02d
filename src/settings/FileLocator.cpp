#include "settings/FileLocator.h"

#include "platform/FileFacts.h"
#include "platform/PathStyle.h"
#include "platform/Text.h"

namespace quarry {

void FileLocator::validateSourcePath()
{
    // On Windows a missing drive makes the directory missing too, so one test covers both.
    if (!files::directoryExists(settings_.sourcePath))
        settings_.sourcePath = programDir_;
}

bool FileLocator::LocateFile(std::string& name, std::size_t maxLength)
{
    validateSourcePath();
    if (text::containsWildcard(name))
        return false;
    const auto style = PathStyle::native();
    if (!style.hasDirectory(name)) {
        for (const auto& dir : {settings_.sourcePath, programDir_}) {
            const auto candidate = style.join(dir, name);
            if (files::fileExists(candidate)) {
                name = text::cut(candidate, maxLength);
                return true;
            }
        }
    }
    return files::fileExists(name);
}

}  // namespace quarry
