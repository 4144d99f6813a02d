#include "platform/SafeFile.h"

#include "platform/FileFacts.h"
#include "platform/PathStyle.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quarry {

namespace {

namespace fs = std::filesystem;

// As the kernels count: a longer chain of links is a loop.
constexpr int kMaxLinkDepth = 40;
// Short, so that a file whose own name takes all 255 bytes still gets its temporary.
constexpr const char* kTemporaryPattern = ".quarry-XXXXXX";

int closeChecked(int fd, int error)
{
    // Some file systems report a failed write only when the file is closed.
    if (::close(fd) != 0 && error == 0)
        return errno;
    return error;
}

int syncFile(int fd)
{
    return ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS ? errno : 0;
}

std::string directoryOf(const std::string& path)
{
    const auto directory = PathStyle::native().directory(path);
    return directory.empty() ? "." : directory;
}

// A rename is durable only once its directory is on disk too.
void syncDirectory(const std::string& directory)
{
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

// A new temporary file in `directory`, its name in `name`; -1 with errno on failure.
int makeTemporary(const std::string& directory, std::string& name)
{
    const std::string pattern = PathStyle::native().join(directory, kTemporaryPattern);
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = ::mkstemp(buffer.data());
    if (fd >= 0)
        name = buffer.data();
    return fd;
}

// Reserves the blocks a file grows into, so that overwriting it cannot run out of room half
// way; on failure the file keeps its old size and contents.
int reserve(int fd, off_t from, off_t to)
{
    if (to <= from)
        return 0;
    const int error = ::posix_fallocate(fd, from, to - from);
    if (error == 0 || error == EINVAL || error == EOPNOTSUPP)
        return 0;
    (void)::ftruncate(fd, from);
    return error;
}

int copyBytes(int from, int to, off_t size)
{
    std::vector<char> block(1 << 16);
    for (off_t at = 0; at < size;) {
        const auto want = static_cast<std::size_t>(std::min<off_t>(static_cast<off_t>(block.size()), size - at));
        const ssize_t n = ::pread(from, block.data(), want, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::pwrite(to, block.data() + done, static_cast<std::size_t>(n - done), at + done);
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0)
                return w < 0 ? errno : ENOSPC;
            done += w;
        }
        at += n;
    }
    return 0;
}

}  // namespace

// ---------------------------------------------------------------- one replacement

SafeFile::Replacement::Replacement(const std::string& fileName, unsigned ownLinks)
    : target_(ResolveLinks(fileName)), ownLinks_(ownLinks)
{
}

SafeFile::Replacement::~Replacement()
{
    if (!committed_)
        Discard();
}

void SafeFile::Replacement::Discard()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (temporary_)
        ::unlink(work_.c_str());
    temporary_ = false;
}

int SafeFile::Replacement::Begin()
{
    struct stat old {};
    exists_ = ::stat(target_.c_str(), &old) == 0;
    if (exists_ && S_ISDIR(old.st_mode))
        return EISDIR;
    way_ = WayFor(target_, ownLinks_);
    if (way_ == Way::Device) {
        fd_ = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        work_ = target_;
        return fd_ < 0 ? errno : 0;
    }
    if (exists_ && files::isReadOnly(target_))
        return EACCES;
    if (way_ != Way::Replace)
        return BeginStaging();
    fd_ = makeTemporary(directoryOf(target_), work_);
    if (fd_ < 0) {
        const int error = errno;
        // The directory takes no new files but the file itself may still be written.
        if (exists_ && (error == EACCES || error == EPERM || error == EROFS) && ::access(target_.c_str(), W_OK) == 0) {
            way_ = Way::InPlaceDirectory;
            return BeginStaging();
        }
        return error;
    }
    temporary_ = true;
    if (exists_) {
        (void)::fchown(fd_, old.st_uid, old.st_gid);
        ::fchmod(fd_, old.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd_, 0666 & ~mask);
    }
    return 0;
}

int SafeFile::Replacement::BeginStaging()
{
    // The new bytes wait in a temporary file, beside the file where its directory allows, so
    // that a writer that fails half way leaves the file untouched.
    std::vector<std::string> places{files::tempDirectory()};
    if (way_ != Way::InPlaceDirectory)
        places.insert(places.begin(), directoryOf(target_));
    for (const auto& place : places) {
        fd_ = makeTemporary(place, work_);
        if (fd_ >= 0) {
            temporary_ = true;
            return 0;
        }
    }
    // Nowhere to wait: written directly.
    fd_ = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    work_ = target_;
    return fd_ < 0 ? errno : 0;
}

int SafeFile::Replacement::Commit()
{
    if (fd_ < 0)
        return EBADF;
    int error = syncFile(fd_);
    if (way_ == Way::Replace) {
        error = closeChecked(fd_, error);
        fd_ = -1;
        if (error == 0 && ::rename(work_.c_str(), target_.c_str()) != 0)
            error = errno;
        if (error != 0) {
            Discard();
            return error;
        }
        temporary_ = false;
        committed_ = true;
        syncDirectory(directoryOf(target_));
        return 0;
    }
    if (error == 0 && temporary_)
        error = CommitInPlace();
    error = closeChecked(fd_, error);
    fd_ = -1;
    Discard();
    committed_ = error == 0;
    return error;
}

int SafeFile::Replacement::CommitInPlace()
{
    struct stat staged {};
    if (::fstat(fd_, &staged) != 0)
        return errno;
    const int out = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
    if (out < 0)
        return errno;
    struct stat old {};
    int error = ::fstat(out, &old) != 0 ? errno : 0;
    if (error == 0)
        error = reserve(out, old.st_size, staged.st_size);
    if (error == 0)
        error = copyBytes(fd_, out, staged.st_size);
    if (error == 0 && ::ftruncate(out, staged.st_size) != 0)
        error = errno;
    if (error == 0)
        error = syncFile(out);
    return closeChecked(out, error);
}

// ---------------------------------------------------------------- whole writes

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

int SafeFile::Write(const std::string& fileName, const std::function<int(int fd)>& write, unsigned ownLinks)
{
    Replacement replacement(fileName, ownLinks);
    if (const int error = replacement.Begin(); error != 0)
        return error;
    if (const int error = write(replacement.Descriptor()); error != 0)
        return error;
    return replacement.Commit();
}

int SafeFile::Copy(const std::string& from, const std::string& to)
{
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    struct stat source {};
    int error = ::fstat(in, &source) != 0 ? errno : 0;
    if (error == 0)
        error = Write(to, [&](int fd) {
            ::fchmod(fd, source.st_mode & 0777);
            return copyBytes(in, fd, source.st_size);
        });
    ::close(in);
    return error;
}

SafeFile::Way SafeFile::WayFor(const std::string& fileName, unsigned ownLinks)
{
    const std::string target = ResolveLinks(fileName);
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return Way::Replace;
    if (!S_ISREG(st.st_mode))
        return Way::Device;
    // Also when the user may not write the directory only by its permission bits: a file kept
    // in a directory marked read-only is not to get new neighbours, whoever saves it.
    if (files::isReadOnly(directoryOf(target)))
        return Way::InPlaceDirectory;
    if (st.st_nlink > ownLinks)
        return Way::InPlaceShared;
    return Way::Replace;
}

std::string SafeFile::ResolveLinks(const std::string& fileName)
{
    std::string path = fileName;
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::error_code ec;
        const fs::path target = fs::read_symlink(fs::path(path), ec);
        if (ec)
            return path;
        path = target.is_absolute() ? target.string() : (fs::path(path).parent_path() / target).string();
    }
    return path;
}

}  // namespace quarry
