#include "tools/SettingsSnapshot.h"

#include "platform/FileFacts.h"
#include "platform/SafeFile.h"
#include "settings/SettingsFile.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace quarry {

namespace {

std::optional<std::string> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

bool SettingsSnapshot::Run(const std::function<bool()>& showModal)
{
    const auto path = file_.resolve(kSettingsSnapshotName);
    const auto outer = depth_ > 0 ? readBytes(path) : std::nullopt;
    const auto before = settings_;
    const bool written = file_.WriteSettings(kSettingsSnapshotName);
    ++depth_;
    const bool accepted = showModal();
    --depth_;
    if (!accepted) {
        if (written)
            file_.ReadSettings(kSettingsSnapshotName);
        else
            settings_ = before;
    }
    if (outer)
        SafeFile::WriteBytes(path, *outer);
    else
        files::deleteFile(path);
    return accepted;
}

}  // namespace quarry
