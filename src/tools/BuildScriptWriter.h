#pragma once
#include "tools/BatchBuildScript.h"
#include "tools/CompilerParamStorage.h"

#include <functional>
#include <optional>
#include <string>

namespace quarry {

class UserInterface;

// Batch scripts for Windows, their POSIX twins for /bin/sh elsewhere.
enum class ScriptDialect { Batch, Posix };

// Where a build script runs: the dialect, the Windows family a batch script is for, and how
// the temporary directory is found (the capture utility's parameter file lies there).
struct ScriptPlatform {
    ScriptDialect dialect = ScriptDialect::Posix;
    PlatformFamily family = PlatformFamily::WindowsNt;
    // The temporary directory ending in a separator; nullopt when the system cannot tell.
    std::function<std::optional<std::string>()> tempDirectory;

    static ScriptPlatform native();
};

// Writes the build script of a run from the current option record.
class BuildScriptWriter final {
public:
    // The longest temporary directory name the system hands out.
    static constexpr std::size_t kTempPathLimit = 260;

    BuildScriptWriter(UserInterface& ui, ScriptPlatform platform = ScriptPlatform::native())
        : ui_(ui), platform_(std::move(platform))
    {
    }

    // The record the next script is written from; `projectDir` (may be empty) is where a POSIX
    // script takes relative names.
    void SetRecord(ppceabi_compiler_param_storage_type record, std::string projectDir);
    // True when the whole script was written. A temporary directory that cannot hold the
    // capture utility's parameter file is reported here first.
    bool WriteM68kBuildScript(const std::string& path) { return Write(path, GnuTarget::M68kElf); }
    bool WritePpcBuildScript(const std::string& path) { return Write(path, GnuTarget::PowerPcEabi); }

private:
    // The script text for that target; nullopt after a reported failure.
    std::optional<std::string> ScriptText(const std::string& path, GnuTarget target);
    bool Write(const std::string& path, GnuTarget target);
    std::optional<std::string> CaptureParamFile();

    UserInterface& ui_;
    ScriptPlatform platform_;
    ppceabi_compiler_param_storage_type record_;
    std::string projectDir_;
};

}  // namespace quarry
