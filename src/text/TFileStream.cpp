#include "text/TFileStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "text/EFOpenError.h"
#include "text/EStreamError.h"
#include "text/EditorMessages.h"
#include "text/Format.h"

namespace quarry {

TFileStream::TFileStream(const std::string& fileName, Mode mode) : fileName_(fileName) {
    if (mode == Mode::OpenRead) {
        fd_ = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat facts {};
        if (fd_ >= 0 && (::fstat(fd_, &facts) != 0 || S_ISDIR(facts.st_mode))) {
            ::close(fd_);
            fd_ = -1;
        }
        if (fd_ < 0) throw EFOpenError(Format(msg::CannotOpenForReading, fileName.c_str()));
    } else {
        fd_ = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd_ < 0) throw EFOpenError(Format(msg::CannotCreateFile, fileName.c_str(), std::strerror(errno)));
    }
}

TFileStream::~TFileStream() {
    if (fd_ >= 0) ::close(fd_);
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    auto* bytes = static_cast<char*>(buffer);
    while (done < count) {
        const ssize_t n = ::read(fd_, bytes + done, static_cast<std::size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    const auto* bytes = static_cast<const char*>(buffer);
    while (done < count) {
        const ssize_t n = ::write(fd_, bytes + done, static_cast<std::size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;  // a full disk or an I/O error shows as a short write
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Position() const { return ::lseek(fd_, 0, SEEK_CUR); }

void TFileStream::SetPosition(std::int64_t position) { ::lseek(fd_, position, SEEK_SET); }

std::int64_t TFileStream::Size() const {
    struct stat facts {};
    return ::fstat(fd_, &facts) == 0 ? static_cast<std::int64_t>(facts.st_size) : 0;
}

void TFileStream::SetSize(std::int64_t size) {
    if (::ftruncate(fd_, size) != 0) throw EStreamError(std::string("Stream write error: ") + std::strerror(errno));
    if (Position() > size) SetPosition(size);
}

}  // namespace quarry
