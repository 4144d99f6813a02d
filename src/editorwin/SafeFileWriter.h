#pragma once
#include <functional>
#include <string>

namespace quarry {

class TStream;

// Writes an editor's text through SafeFile, so a failure never costs the file that was there.
class SafeFileWriter final {
public:
    // Calls `write` with a stream into the new file. Returns 0 on success, else the errno
    // value of the failure (EIO when `write` threw without a system error). A read-only target
    // is refused with EACCES, as the platforms that lock such files do. ownLinks: the names of
    // the file the caller accounts for (2 when its backup is a hard link to it).
    static int Write(const std::string& fileName, const std::function<void(TStream&)>& write, unsigned ownLinks = 1);

    // The failures that mean the file or its directory refused to be written (a lock, a
    // permission) rather than a fault while writing.
    static bool IsAccessRefusal(int error);
};

}  // namespace quarry
