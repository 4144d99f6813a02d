#include "platform/ProgramDir.h"

#include "platform/PathStyle.h"

#include <cstdlib>
#include <filesystem>
#ifdef _WIN32
#include <windows.h>
#endif

namespace quarry {

namespace {
std::string withoutTrailingSeparator(std::string dir)
{
    const auto style = PathStyle::native();
    while (dir.size() > 1 && style.isSeparator(dir.back()))
        dir.pop_back();
    return dir;
}
}  // namespace

std::string programPath()
{
#ifdef _WIN32
    char buffer[MAX_PATH + 1] = {};
    const auto length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return std::string(buffer, length);
#else
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
#endif
}

std::string programDirectory()
{
    if (const char* home = std::getenv("QUARRY_HOME"); home && *home)
        return withoutTrailingSeparator(std::filesystem::absolute(home).lexically_normal().string());
    const auto path = programPath();
    if (path.empty())
        return withoutTrailingSeparator(std::filesystem::current_path().string());
    return PathStyle::native().directory(path);
}

}  // namespace quarry
