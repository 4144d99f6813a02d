#pragma once
#include "regview/RegisterLibrary.h"

#include <string>
#include <vector>

namespace quarry {

// The register files of several directories, each directory's files sorted by name, the
// directories in the order given; a directory named twice (or empty) is listed once (or not).
class RegisterSearchPath final : public RegisterLibrary {
public:
    void SetDirectories(std::vector<std::string> directories) { directories_ = std::move(directories); }
    const std::vector<std::string>& Directories() const { return directories_; }

    std::vector<RegisterFileEntry> List() override;
    std::optional<std::string> Read(const std::string& path) override { return RegisterDirectory::ReadFile(path); }

private:
    std::vector<std::string> directories_;
};

}  // namespace quarry
