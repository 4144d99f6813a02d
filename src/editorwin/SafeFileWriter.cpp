#include "editorwin/SafeFileWriter.h"

#include "text/TStream.h"
#include "platform/SafeFile.h"

#include <cerrno>
#include <exception>
#include <string_view>

#include <unistd.h>

namespace quarry {

namespace {

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
        error = SafeFile::WriteAll(fd_, std::string_view(static_cast<const char*>(buffer), static_cast<std::size_t>(count)));
        if (error != 0)
            return 0;
        position_ += count;
        return count;
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

}  // namespace

bool SafeFileWriter::IsAccessRefusal(int error)
{
    return SafeFile::IsAccessRefusal(error);
}

int SafeFileWriter::Write(const std::string& fileName, const std::function<void(TStream&)>& write, unsigned ownLinks)
{
    return SafeFile::Write(fileName, [&write](int fd) {
        DescriptorStream stream(fd);
        try {
            write(stream);
        } catch (const std::exception&) {
            return stream.error != 0 ? stream.error : EIO;
        }
        return stream.error;
    }, ownLinks);
}

}  // namespace quarry
