#include "editorwin/SafeFileWriter.h"

#include "editor/TStream.h"
#include "platform/FileFacts.h"
#include "platform/PathStyle.h"

#include <cerrno>
#include <exception>
#include <filesystem>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quarry {

namespace {

namespace fs = std::filesystem;

// A write-only stream over a descriptor that remembers the first error instead of raising it:
// the editor's writer sees a short write and gives up, and the caller reports the cause.
class DescriptorStream final : public TStream {
public:
    explicit DescriptorStream(int fd) : fd_(fd) {}

    std::int64_t Read(void*, std::int64_t) override { return 0; }
    std::int64_t Write(const void* buffer, std::int64_t count) override
    {
        if (error != 0)
            return 0;
        const auto* bytes = static_cast<const char*>(buffer);
        std::int64_t done = 0;
        while (done < count) {
            const auto n = ::write(fd_, bytes + done, static_cast<std::size_t>(count - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                error = n < 0 ? errno : ENOSPC;
                break;
            }
            done += n;
        }
        position_ += done;
        return done;
    }
    std::int64_t Position() const override { return position_; }
    void SetPosition(std::int64_t position) override
    {
        if (::lseek(fd_, position, SEEK_SET) >= 0)
            position_ = position;
    }
    std::int64_t Size() const override { return position_; }
    void SetSize(std::int64_t) override {}

    int error = 0;

private:
    int fd_;
    std::int64_t position_ = 0;
};

int runWriter(int fd, const std::function<void(TStream&)>& write)
{
    DescriptorStream stream(fd);
    try {
        write(stream);
    } catch (const std::exception&) {
        return stream.error != 0 ? stream.error : EIO;
    }
    if (stream.error != 0)
        return stream.error;
    return ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS ? errno : 0;
}

int closeChecked(int fd, int error)
{
    // Some file systems report a failed write only when the file is closed.
    if (::close(fd) != 0 && error == 0)
        return errno;
    return error;
}

int writeInPlace(const std::string& target, const std::function<void(TStream&)>& write)
{
    const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return errno;
    return closeChecked(fd, runWriter(fd, write));
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

bool SafeFileWriter::IsAccessRefusal(int error)
{
    return error == EACCES || error == EBUSY || error == ETXTBSY || error == EPERM || error == EROFS;
}

int SafeFileWriter::Write(const std::string& fileName, const std::function<void(TStream&)>& write)
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
    int error = closeChecked(fd, runWriter(fd, write));
    if (error == 0 && ::rename(tempName.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(tempName.c_str());
    return error;
}

}  // namespace quarry
