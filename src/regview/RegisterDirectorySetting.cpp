#include "regview/RegisterDirectorySetting.h"

#include "platform/ProfileFile.h"

namespace quarry {

namespace {
constexpr const char* kSection = "REGISTERS";
constexpr const char* kKey = "DIRECTORY";
}  // namespace

std::string RegisterDirectorySetting::Read() const
{
    try {
        return ProfileFile(file_).readString(kSection, kKey, "");
    } catch (const ProfileFileError&) {
        return {};
    }
}

bool RegisterDirectorySetting::Write(const std::string& directory) const
{
    try {
        ProfileFile file(file_);
        file.writeString(kSection, kKey, directory);
        file.flush();
        return true;
    } catch (const ProfileFileError&) {
        return false;
    }
}

}  // namespace quarry
