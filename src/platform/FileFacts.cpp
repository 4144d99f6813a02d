#include "platform/FileFacts.h"

#include "platform/PathStyle.h"
#include "platform/Text.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#else
#include <fstream>
#include <sstream>
#endif

namespace quarry::files {

namespace fs = std::filesystem;

bool fileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(fs::path(path), ec);
}

bool directoryExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_directory(fs::path(path), ec);
}

FileKind fileKind(const std::string& path)
{
    std::error_code ec;
    const auto status = fs::status(fs::path(path), ec);
    if (path.empty() || ec || !fs::exists(status))
        return FileKind::Missing;
    if (fs::is_regular_file(status))
        return FileKind::Regular;
    return fs::is_directory(status) ? FileKind::Directory : FileKind::Other;
}

bool isReadOnly(const std::string& path)
{
    std::error_code ec;
    const auto status = fs::status(fs::path(path), ec);
    if (ec || !fs::exists(status))
        return false;
    constexpr auto anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((status.permissions() & anyWrite) == fs::perms::none)
        return true;
#ifndef _WIN32
    return ::access(path.c_str(), W_OK) != 0;
#else
    return false;
#endif
}

std::optional<std::int64_t> modificationTime(const std::string& path)
{
    std::error_code ec;
    const auto time = fs::last_write_time(fs::path(path), ec);
    if (ec)
        return std::nullopt;
    const auto system = std::chrono::file_clock::to_sys(time);
    return std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count();
}

bool renameFile(const std::string& from, const std::string& to)
{
    std::error_code ec;
    // Windows refuses to rename onto an existing file; keep that so callers behave alike.
    if (fs::exists(fs::path(to), ec))
        return false;
    fs::rename(fs::path(from), fs::path(to), ec);
    return !ec;
}

bool deleteFile(const std::string& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(fs::path(path), ec))
        return false;
    return fs::remove(fs::path(path), ec) && !ec;
}

bool matchesWildcard(const std::string& name, const std::string& pattern)
{
    // Iterative match with one backtrack point for the last '*': linear in practice, never
    // exponential on patterns like "*a*a*a*b".
    std::size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || text::ansiUpper(pattern[p]) == text::ansiUpper(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::vector<std::string> findFiles(const std::string& pattern)
{
    const auto style = PathStyle::native();
    auto dir = style.directory(pattern);
    const auto mask = style.fileName(pattern);
    if (dir.empty())
        dir = ".";
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(fs::path(dir), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        auto name = it->path().filename().string();
        if (matchesWildcard(name, mask))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return text::compareIgnoreCase(a, b) < 0;
    });
    return names;
}

std::string tempDirectory()
{
    std::error_code ec;
    auto dir = fs::temp_directory_path(ec).string();
    if (ec || dir.empty())
        dir = ".";
    const auto style = PathStyle::native();
    if (!style.isSeparator(dir.back()))
        dir += style.separator();
    return dir;
}

std::string absolutePath(const std::string& path)
{
    std::error_code ec;
    const auto full = fs::absolute(fs::path(path), ec);
    return ec ? path : full.lexically_normal().string();
}

std::optional<std::string> readRegularFile(const std::string& path, std::size_t maxBytes)
{
#ifndef _WIN32
    // Non-blocking, so that opening a FIFO without a writer returns at once; it is refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    std::optional<std::string> content;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<std::uint64_t>(info.st_size) <= maxBytes) {
        std::string bytes;
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0 || bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
                if (n == 0)
                    content = std::move(bytes);
                break;  // a read error, or the file grew past the limit while being read
            }
            bytes.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    return content;
#else
    std::error_code ec;
    if (!fs::is_regular_file(fs::path(path), ec) || fs::file_size(fs::path(path), ec) > maxBytes || ec)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    if (!in && !in.eof())
        return std::nullopt;
    std::string bytes = all.str();
    if (bytes.size() > maxBytes)
        return std::nullopt;
    return bytes;
#endif
}

}  // namespace quarry::files
