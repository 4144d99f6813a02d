#include "platform/SafeFile.h"

#include "platform/FileFacts.h"
#include "platform/PathStyle.h"

#include <cerrno>
#include <filesystem>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quarry {

namespace {

namespace fs = std::filesystem;

int closeChecked(int fd, int error)
{
    // Some file systems report a failed write only when the file is closed.
    if (::close(fd) != 0 && error == 0)
        return errno;
    return error;
}

int writeAndSync(int fd, const std::function<int(int)>& write)
{
    if (const int error = write(fd); error != 0)
        return error;
    return ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS ? errno : 0;
}

int writeInPlace(const std::string& target, const std::function<int(int)>& write)
{
    const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return errno;
    return closeChecked(fd, writeAndSync(fd, write));
}

// The file a name stands for: a link is followed so that the link stays and its file changes.
std::string resolveLinks(const std::string& fileName)
{
    std::error_code ec;
    if (!fs::is_symlink(fs::path(fileName), ec))
        return fileName;
    const auto target = fs::weakly_canonical(fs::path(fileName), ec);
    return ec ? fileName : target.string();
}

}  // namespace

bool SafeFile::IsAccessRefusal(int error)
{
    return error == EACCES || error == EBUSY || error == ETXTBSY || error == EPERM || error == EROFS;
}

int SafeFile::WriteAll(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

int SafeFile::WriteBytes(const std::string& fileName, std::string_view bytes)
{
    return Write(fileName, [bytes](int fd) { return WriteAll(fd, bytes); });
}

int SafeFile::Write(const std::string& fileName, const std::function<int(int fd)>& write)
{
    const std::string target = resolveLinks(fileName);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return EISDIR;
    if (exists && !S_ISREG(old.st_mode))
        return writeInPlace(target, write);  // a device or pipe cannot be replaced
    if (exists && files::isReadOnly(target))
        return EACCES;

    const auto style = PathStyle::native();
    auto directory = style.directory(target);
    if (directory.empty())
        directory = ".";
    std::string pattern = style.join(directory, "." + style.fileName(target) + ".quarry-XXXXXX");
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        const int error = errno;
        // The directory takes no new files but the file itself may still be written.
        if (exists && (error == EACCES || error == EPERM || error == EROFS) && ::access(target.c_str(), W_OK) == 0)
            return writeInPlace(target, write);
        return error;
    }
    const std::string tempName(temp.data());
    if (exists) {
        (void)::fchown(fd, old.st_uid, old.st_gid);
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    int error = closeChecked(fd, writeAndSync(fd, write));
    if (error == 0 && ::rename(tempName.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(tempName.c_str());
    return error;
}

}  // namespace quarry
