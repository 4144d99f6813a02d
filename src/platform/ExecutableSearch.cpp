#include "platform/ExecutableSearch.h"

#include "platform/FileFacts.h"
#include "platform/PathStyle.h"

#include <cstdlib>
#include <string_view>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace quarry {

namespace {

bool isExecutableFile(const std::string& path)
{
#ifndef _WIN32
    return files::fileExists(path) && ::access(path.c_str(), X_OK) == 0;
#else
    return files::fileExists(path);
#endif
}

}  // namespace

std::optional<std::string> findExecutable(const std::string& name)
{
    if (name.empty())
        return std::nullopt;
    const auto style = PathStyle::native();
    if (style.hasDirectory(name))
        return isExecutableFile(name) ? std::optional<std::string>(name) : std::nullopt;
    const char* path = std::getenv("PATH");
    std::string_view dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
#ifdef _WIN32
    constexpr char kListSeparator = ';';
#else
    constexpr char kListSeparator = ':';
#endif
    for (;;) {
        const auto end = dirs.find(kListSeparator);
        const auto dir = dirs.substr(0, end);
        const auto candidate = style.join(dir.empty() ? std::string_view(".") : dir, name);
        if (isExecutableFile(candidate))
            return candidate;
        if (end == std::string_view::npos)
            return std::nullopt;
        dirs.remove_prefix(end + 1);
    }
}

}  // namespace quarry
