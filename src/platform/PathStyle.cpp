#include "platform/PathStyle.h"

#include "platform/Text.h"

namespace quarry {

PathStyle PathStyle::native()
{
#ifdef _WIN32
    return windows();
#else
    return posix();
#endif
}

bool PathStyle::isSeparator(char c) const
{
    return c == '/' || (kind_ == Kind::Windows && c == '\\');
}

std::size_t PathStyle::fileNameStart(std::string_view path) const
{
    for (std::size_t i = path.size(); i > 0; --i) {
        const char c = path[i - 1];
        if (isSeparator(c) || (kind_ == Kind::Windows && c == ':'))
            return i;
    }
    return 0;
}

std::string PathStyle::fileName(std::string_view path) const
{
    return std::string(path.substr(fileNameStart(path)));
}

std::string PathStyle::directory(std::string_view path) const
{
    auto end = fileNameStart(path);
    if (end == 0)
        return {};
    // Drop the separator before the name unless it is the root ("/x", "C:\x", "\x").
    if (isSeparator(path[end - 1])) {
        const bool root = end == 1 || (kind_ == Kind::Windows && path[end - 2] == ':');
        if (!root)
            --end;
    }
    return std::string(path.substr(0, end));
}

std::string PathStyle::extension(std::string_view path) const
{
    const auto name = path.substr(fileNameStart(path));
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

std::string PathStyle::changeExtension(std::string_view path, std::string_view ext) const
{
    const auto start = fileNameStart(path);
    const auto dot = path.substr(start).rfind('.');
    const auto stem = dot == std::string_view::npos ? path : path.substr(0, start + dot);
    return std::string(stem).append(ext);
}

bool PathStyle::isDriveQualified(std::string_view path) const
{
    if (kind_ == Kind::Windows)
        return directory(path).find(':') != std::string::npos;
    return !path.empty() && path.front() == '/';
}

std::string PathStyle::join(std::string_view dir, std::string_view name) const
{
    std::string out(dir);
    if (!out.empty() && !isSeparator(out.back()))
        out += separator();
    return out.append(name);
}

bool PathStyle::sameName(std::string_view a, std::string_view b) const
{
    return kind_ == Kind::Windows ? text::equalsIgnoreCase(a, b) : a == b;
}

}  // namespace quarry
