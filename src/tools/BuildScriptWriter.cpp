#include "tools/BuildScriptWriter.h"

#include "platform/FileFacts.h"
#include "platform/SafeFile.h"
#include "platform/Text.h"
#include "platform/UserInterface.h"
#include "tools/PosixBuildScript.h"
#include "tools/ToolTexts.h"

namespace quarry {

ScriptPlatform ScriptPlatform::native()
{
#ifdef _WIN32
    return {ScriptDialect::Batch, PlatformFamily::WindowsNt, [] { return std::optional(files::tempDirectory()); }};
#else
    return {ScriptDialect::Posix, PlatformFamily::WindowsNt, [] { return std::optional(files::tempDirectory()); }};
#endif
}

void BuildScriptWriter::SetRecord(ppceabi_compiler_param_storage_type record, std::string projectDir)
{
    record_ = std::move(record);
    projectDir_ = std::move(projectDir);
}

std::optional<std::string> BuildScriptWriter::CaptureParamFile()
{
    const auto dir = platform_.tempDirectory ? platform_.tempDirectory() : std::nullopt;
    const auto shown = dir.value_or(std::string());
    // A directory that cannot take the file would only fail later, inside the build.
    if (!dir || text::trim(*dir).empty() || dir->size() > kTempPathLimit || !files::directoryExists(*dir) ||
        files::isReadOnly(*dir)) {
        ui_.showMessage(MessageKind::Error, tooltexts::tempFileNotCreated(shown), MessageButtons::Ok);
        return std::nullopt;
    }
    const auto paramFile = *dir + kCaptureParamFileName;
    if (files::fileExists(paramFile) && files::isReadOnly(paramFile)) {
        ui_.showMessage(MessageKind::Error, tooltexts::tempFileReadOnly(paramFile), MessageButtons::Ok);
        return std::nullopt;
    }
    return paramFile;
}

std::optional<std::string> BuildScriptWriter::ScriptText(const std::string& path, GnuTarget target)
{
    if (platform_.dialect == ScriptDialect::Posix)
        return PosixBuildScript(record_, target, path, projectDir_);
    std::string paramFile;
    if (UsesCaptureUtility(platform_.family)) {
        const auto prepared = CaptureParamFile();
        if (!prepared)
            return std::nullopt;
        paramFile = *prepared;
    }
    return BatchBuildScript(record_, target, platform_.family, path, paramFile);
}

bool BuildScriptWriter::Write(const std::string& path, GnuTarget target)
{
    const auto text = ScriptText(path, target);
    // Written through a temporary file: a failure leaves the script that was there whole.
    return text && SafeFile::WriteBytes(path, *text) == 0;
}

}  // namespace quarry
