#pragma once
#include <filesystem>
#include <string>

namespace quarry::test {

// A fresh directory under the build's test-tmp folder, removed again when the object dies.
// Tests that touch real files work inside one so that runs never see each other's leftovers.
class TempDir final {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;             // owns a directory on disk
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    // Writes bytes exactly as given (no line-end translation) and returns the full path.
    std::string write(const std::string& name, const std::string& bytes) const;
    static std::string read(const std::string& fullPath);

private:
    std::filesystem::path path_;
};

}  // namespace quarry::test
