#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Facts about files on disk and the few operations the shell performs on them. Failures are
// answers (false, nullopt), never exceptions: the callers decide what a user is told.
namespace quarry::files {

// A regular file (not a directory) of exactly that name exists.
bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);
// What a name stands for, links followed: Other is a device, pipe or socket, which an editor
// must not read (it may never end) nor replace.
enum class FileKind { Missing, Regular, Directory, Other };
FileKind fileKind(const std::string& path);
// The file exists and cannot be written: no write permission bit is set, or this user may not
// write it.
bool isReadOnly(const std::string& path);
// Modification time in seconds since the epoch.
std::optional<std::int64_t> modificationTime(const std::string& path);
bool renameFile(const std::string& from, const std::string& to);
bool deleteFile(const std::string& path);

// File names (without directory) of the regular files in the pattern's directory whose names
// match its last part, where '*' stands for any run of characters and '?' for one; letter case
// is ignored as on Windows. Sorted without regard to case.
std::vector<std::string> findFiles(const std::string& pattern);
bool matchesWildcard(const std::string& name, const std::string& pattern);

// The system's temporary directory with a trailing separator.
std::string tempDirectory();
// The absolute form of a name relative to the current directory.
std::string absolutePath(const std::string& path);

// The whole content of a regular file of at most maxBytes bytes, links followed; nothing for a
// directory, a device, a FIFO, a file that cannot be read or one that is larger. Never waits for
// a FIFO's writer or a terminal.
std::optional<std::string> readRegularFile(const std::string& path, std::size_t maxBytes);

}  // namespace quarry::files
