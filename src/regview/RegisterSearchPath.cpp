#include "regview/RegisterSearchPath.h"

#include "platform/FileFacts.h"
#include "platform/PathStyle.h"

namespace quarry {

std::vector<RegisterFileEntry> RegisterSearchPath::List()
{
    const auto style = PathStyle::native();
    std::vector<RegisterFileEntry> entries;
    std::vector<std::string> listed;
    for (const auto& directory : directories_) {
        if (directory.empty())
            continue;
        const auto full = files::absolutePath(directory);
        bool seen = false;
        for (const auto& other : listed)
            seen = seen || style.sameName(other, full);
        if (seen)
            continue;
        listed.push_back(full);
        auto found = RegisterDirectory(directory).List();
        entries.insert(entries.end(), found.begin(), found.end());
    }
    return entries;
}

}  // namespace quarry
