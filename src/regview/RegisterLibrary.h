#pragma once
#include <optional>
#include <string>
#include <vector>

namespace quarry {

// A register description file as the file list shows it.
struct RegisterFileEntry {
    std::string path;
    std::string title;  // the file's name when its title line is blank
    bool operator==(const RegisterFileEntry&) const = default;
};

// Where the register command finds its description files.
class RegisterLibrary {
public:
    virtual ~RegisterLibrary() = default;
    // The files with their titles, in the order the list shows them.
    virtual std::vector<RegisterFileEntry> List() = 0;
    // A file's bytes; nullopt when it cannot be read.
    virtual std::optional<std::string> Read(const std::string& path) = 0;
};

// The "*.reg" files of one directory (letter case ignored), sorted by name; files that cannot
// be read are left out of the list.
class RegisterDirectory final : public RegisterLibrary {
public:
    explicit RegisterDirectory(std::string directory) : directory_(std::move(directory)) {}
    std::vector<RegisterFileEntry> List() override;
    std::optional<std::string> Read(const std::string& path) override { return ReadFile(path); }
    // Any file's bytes; nullopt when it cannot be read.
    static std::optional<std::string> ReadFile(const std::string& path);

private:
    std::string directory_;
};

}  // namespace quarry
