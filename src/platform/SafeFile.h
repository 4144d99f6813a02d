#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace quarry {

// Replaces a file so that a failure never costs the file that was there: the bytes go to a
// temporary file in the same directory, which is flushed to disk and then renamed over the old
// file, and the directory is flushed after the rename. The new file keeps the old one's owner
// and permissions. A symbolic link stays a link and its target changes (a dangling link gets its
// target created).
//
// Two kinds of file are overwritten in place instead, after the new bytes were written to a
// temporary file first (so that a failing writer never touches them): a file with other names
// (hard links), so that every name keeps showing the same text, and a file whose directory takes
// no new files. Devices and pipes are written directly.
class SafeFile final {
public:
    enum class Way {
        Replace,           // a new file renamed over the old one (also for a file not there yet)
        InPlaceShared,     // the file has names the caller does not account for
        InPlaceDirectory,  // the directory is read-only: no file can be made beside it
        Device,            // not a regular file
    };

    // One replacement in progress: Begin, write the new bytes to Descriptor() or to the file
    // named WorkPath(), then Commit. Dropped without a successful Commit, it leaves the file as
    // it was and no temporary file behind.
    class Replacement final {
    public:
        // ownLinks: the names of the file the caller accounts for (1, or 2 when it made a hard
        // link of its own, as a backup); more make the file shared.
        explicit Replacement(const std::string& fileName, unsigned ownLinks = 1);
        ~Replacement();
        Replacement(const Replacement&) = delete;  // owns a descriptor and a temporary file
        Replacement& operator=(const Replacement&) = delete;

        // 0, or the errno value of the refusal. A read-only file is refused with EACCES, as the
        // platforms that lock such files do.
        int Begin();
        int Descriptor() const { return fd_; }
        const std::string& WorkPath() const { return work_; }
        Way ChosenWay() const { return way_; }
        int Commit();

    private:
        int BeginStaging();
        int CommitInPlace();
        void Discard();

        std::string target_;
        unsigned ownLinks_;
        Way way_ = Way::Replace;
        bool exists_ = false;
        int fd_ = -1;
        std::string work_;
        bool temporary_ = false;  // work_ is a file of ours, removed unless committed by rename
        bool committed_ = false;
    };

    // `write` fills the open descriptor and returns 0 or the errno value of its failure.
    // Returns 0 on success, else the errno value of the failure.
    static int Write(const std::string& fileName, const std::function<int(int fd)>& write, unsigned ownLinks = 1);
    static int WriteBytes(const std::string& fileName, std::string_view bytes);
    // Writes a copy of a file's bytes under another name (replacing it as Write does).
    static int Copy(const std::string& from, const std::string& to);

    // How Write would reach the file, without touching anything.
    static Way WayFor(const std::string& fileName, unsigned ownLinks = 1);
    // The file a name stands for: symbolic links followed, also to a target that does not exist.
    static std::string ResolveLinks(const std::string& fileName);

    // Writes all bytes to a descriptor, retrying short writes; 0 or the errno value.
    static int WriteAll(int fd, std::string_view bytes);

    // The failures that mean the file or its directory refused to be written (a lock, a
    // permission) rather than a fault while writing.
    static bool IsAccessRefusal(int error);
};

}  // namespace quarry
