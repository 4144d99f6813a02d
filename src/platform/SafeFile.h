#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace quarry {

// Replaces a file so that a failure never costs the file that was there: the bytes go to a
// temporary file in the same directory, which is flushed to disk and then renamed over the old
// file. The new file keeps the old one's owner and permissions; a symbolic link stays a link and
// its target changes. Where no temporary file can be made beside it (a directory that takes no
// new files, a device), the file is written in place.
class SafeFile final {
public:
    // `write` fills the open descriptor and returns 0 or the errno value of its failure.
    // Returns 0 on success, else the errno value of the failure. A read-only target is refused
    // with EACCES, as the platforms that lock such files do.
    static int Write(const std::string& fileName, const std::function<int(int fd)>& write);
    static int WriteBytes(const std::string& fileName, std::string_view bytes);

    // Writes all bytes to a descriptor, retrying short writes; 0 or the errno value.
    static int WriteAll(int fd, std::string_view bytes);

    // The failures that mean the file or its directory refused to be written (a lock, a
    // permission) rather than a fault while writing.
    static bool IsAccessRefusal(int error);
};

}  // namespace quarry
