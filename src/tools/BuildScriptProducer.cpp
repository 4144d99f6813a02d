#include "tools/BuildScriptProducer.h"

#include "platform/FileFacts.h"
#include "platform/UserInterface.h"
#include "settings/EnvironmentSettings.h"
#include "settings/FileLocator.h"
#include "tools/RunValues.h"
#include "tools/StatusColours.h"
#include "tools/ToolShell.h"
#include "tools/ToolTexts.h"

namespace quarry {

std::optional<std::string> BuildScriptProducer::Produce(CompilerKind kind, const std::string& configuredName,
                                                        const std::string& input)
{
    const auto script = Destination(configuredName);
    if (!script || !MayReplace(*script) || !Write(kind, *script, input))
        return std::nullopt;
    return script;
}

std::optional<std::string> BuildScriptProducer::Destination(const std::string& configuredName)
{
    auto script = configuredName;
    auto directory = style_.directory(script);
    if (!files::directoryExists(directory) && !style_.isDriveQualified(configuredName)) {
        script = style_.join(settings_.projectPath, configuredName);
        directory = style_.directory(script);
    }
    if (!files::directoryExists(directory)) {
        ui_.showMessage(MessageKind::Error, tooltexts::scriptDirectoryMissing(directory), MessageButtons::Ok);
        return std::nullopt;
    }
    if (files::isReadOnly(directory)) {
        ui_.showMessage(MessageKind::Error, tooltexts::scriptDirectoryReadOnly(directory), MessageButtons::Ok);
        return std::nullopt;
    }
    return script;
}

bool BuildScriptProducer::MayReplace(const std::string& script)
{
    auto located = script;
    if (!locator_.LocateFile(located))
        return true;
    if (ui_.showMessage(MessageKind::Warning, tooltexts::overwriteScript(script), MessageButtons::OkCancel) !=
        Answer::Ok)
        return false;
    if (files::isReadOnly(located)) {
        ui_.showMessage(MessageKind::Error, tooltexts::scriptReadOnly(script), MessageButtons::Ok);
        return false;
    }
    return true;
}

bool BuildScriptProducer::Write(CompilerKind kind, const std::string& script, const std::string& input)
{
    const bool ppc = kind == CompilerKind::GnuPowerPcEabi;
    shell_.SetBusyCursor(true);
    shell_.ShowStatus(tooltexts::kProcessingOptions, statuscolour::kNavy);
    const auto& projectPath = settings_.projectPath;
    writer_.SetRecord(MakeCompilerParams(GnuTargetOf(kind, settings_), ppc ? GnuTarget::PowerPcEabi : GnuTarget::M68kElf,
                                         input, projectPath, style_),
                      files::directoryExists(projectPath) ? projectPath : std::string());
    shell_.ShowStatus(tooltexts::kProducingScript, statuscolour::kNavy);
    const bool written = ppc ? writer_.WritePpcBuildScript(script) : writer_.WriteM68kBuildScript(script);
    if (!written) {
        shell_.ShowStatus({}, statuscolour::kBlack);
        ui_.showMessage(MessageKind::Error, tooltexts::scriptNotProduced(script), MessageButtons::Ok);
    }
    shell_.SetBusyCursor(false);
    return written;
}

}  // namespace quarry
