#pragma once
#include <functional>
#include <string>

namespace quarry {

class TStream;

// Writes a file so that a failure never costs the file that was there: the bytes go to a
// temporary file in the same directory, which is flushed to disk and then renamed over the old
// file. The new file keeps the old one's permissions. Where no temporary file can be made
// beside it (a directory that takes no new files, a device), the file is written in place.
class SafeFileWriter final {
public:
    // Calls `write` with a stream into the new file. Returns 0 on success, else the errno
    // value of the failure (EIO when `write` threw without a system error). A read-only target
    // is refused with EACCES, as the platforms that lock such files do.
    static int Write(const std::string& fileName, const std::function<void(TStream&)>& write);

    // The failures that mean the file or its directory refused to be written (a lock, a
    // permission) rather than a fault while writing.
    static bool IsAccessRefusal(int error);
};

}  // namespace quarry
