#pragma once
#include "platform/UserInterface.h"
#include "settings/EnvironmentSettings.h"
#include "settings/SettingsHost.h"

#include <string>

namespace quarry {

class ProfileFile;

inline constexpr const char* kSettingsReadError = "Error reading from IDE initialization file.";
inline constexpr const char* kSettingsWriteError = "Error writing to IDE initialization file.";

// Reads and writes EnvironmentSettings in the profile format: the environment file, every
// project file, the dialog snapshot "Quarry.tmp". Names without a directory part are taken in
// the program directory. Failures are shown as error boxes and leave the program running with
// the values it holds.
class SettingsFile final {
public:
    SettingsFile(EnvironmentSettings& settings, SettingsHost& host, UserInterface& ui, std::string programDir);
    SettingsFile(const SettingsFile&) = delete;  // holds references to the live settings
    SettingsFile& operator=(const SettingsFile&) = delete;

    // Reads every section into the settings, each key defaulting to the value held. Returns
    // false (after the error box) when the file could not be read or repaired.
    bool ReadSettings(const std::string& fileName);
    // Writes all settings and flushes the file. Returns false (after the error box) on failure.
    bool WriteSettings(const std::string& fileName);

    std::string resolve(const std::string& fileName) const;
    std::string environmentFile() const;
    const std::string& programDir() const { return programDir_; }

private:
    void readProject(ProfileFile& file, const std::string& fullName);
    void readTools(const ProfileFile& file);
    void readGeneral(const ProfileFile& file);
    void readCompiler(const ProfileFile& file);
    void readEditorOptions(const ProfileFile& file);
    void readMainWindow(const ProfileFile& file);
    void readEditorFont(const ProfileFile& file);

    void writeProject(ProfileFile& file) const;
    void writeTools(ProfileFile& file) const;
    void writeCompiler(ProfileFile& file) const;
    void writeGeneral(ProfileFile& file) const;
    void writeMainWindow(ProfileFile& file) const;
    void writeEditorOptions(ProfileFile& file) const;
    void writeEditorFont(ProfileFile& file) const;

    EnvironmentSettings& settings_;
    SettingsHost& host_;
    UserInterface& ui_;
    std::string programDir_;
};

}  // namespace quarry
