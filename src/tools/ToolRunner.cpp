#include "tools/ToolRunner.h"

#include "platform/FileFacts.h"
#include "platform/SystemMessage.h"
#include "platform/Text.h"
#include "platform/UserInterface.h"
#include "settings/EnvironmentSettings.h"
#include "settings/FileLocator.h"
#include "tools/BuildScript.h"
#include "tools/ErrorFileNames.h"
#include "tools/ErrorScanner.h"
#include "tools/FileParameter.h"
#include "tools/ResolveProjectRelative.h"
#include "tools/StatusColours.h"
#include "tools/ToolShell.h"
#include "tools/ToolTexts.h"

namespace quarry {

namespace {

constexpr std::size_t kTextLimit = 255;

}  // namespace

ToolRunner::ToolRunner(EnvironmentSettings& settings, FileLocator& locator, UserInterface& ui, ToolShell& shell,
                       ProgramStarter& starter, PathStyle style, ScriptPlatform platform)
    : settings_(settings),
      locator_(locator),
      ui_(ui),
      shell_(shell),
      style_(style),
      launcher_(starter, shell, ui),
      navigator_(shell, ui, locator, settings.project, style),
      producer_(settings, locator, ui, shell, style, std::move(platform))
{
}

void ToolRunner::SpeedButtonIdeClick(int tag)
{
    const auto values = RunValuesFor(tag, settings_);
    if (!values)
        return;
    Run run{*values, {}, {}};
    if (run.values.talvik())
        run.errorTemplate = "%FILE%";
    if (run.values.gnu()) {
        // The build script may run anywhere: it gets the main file's full name.
        auto main = run.values.parameters;
        if (!fileparameter::holdsMarker(main, false))
            run.values.parameters = locator_.LocateFile(main)
                                        ? main
                                        : ResolveProjectRelative(run.values.parameters, settings_.projectPath, style_);
    }
    if (run.values.saveBefore)
        shell_.SaveAll();
    else if (settings_.general.modifiedFileAsk)
        shell_.AskSaveAllModified();
    if (!ChooseSourceFile(run) || !ExpandParameters(run))
        return;
    shell_.ClearErrorMarks();
    navigator_.ClearErrorState();
    if (run.values.compiler)
        RunCompiler(run);
    else
        RunExe(run);
}

bool ToolRunner::ChooseSourceFile(Run& run)
{
    const auto& general = settings_.general;
    if (general.fileParameter == FileParameterSource::MainFile) {
        auto name = text::trim(general.mainFileEditName);
        auto inProject = style_.join(settings_.projectPath, name);
        if (locator_.LocateFile(name)) {
            run.source = name;
        } else if (locator_.LocateFile(inProject)) {
            run.source = inProject;
        } else {
            ui_.showMessage(MessageKind::Error, tooltexts::invalidMainFile(general.mainFileEditName),
                            MessageButtons::Ok);
            return false;
        }
        return true;
    }
    if (const auto active = shell_.ActiveEditorFile()) {
        run.source = text::trim(*active);
        return true;
    }
    if (fileparameter::holdsMarker(run.values.parameters))
        return ui_.showMessage(MessageKind::Information, tooltexts::kNoEditFile, MessageButtons::OkCancel) ==
               Answer::Ok;
    return true;
}

bool ToolRunner::ExpandParameters(Run& run)
{
    if (run.values.talvik())
        ExpandAllFileParameters(run.errorTemplate, kTextLimit, run.source, false);
    auto& parameters = run.values.parameters;
    if (fileparameter::holdsMarker(parameters) &&
        ExpandAllFileParameters(parameters, kTextLimit, run.source, run.values.addQuotes) ==
            fileparameter::kIllegal) {
        ui_.showMessage(MessageKind::Information, tooltexts::kIllegalParameter, MessageButtons::Ok);
        return false;
    }
    parameters = text::trim(parameters);
    return true;
}

void ToolRunner::ReportLaunchError(std::int32_t code)
{
    ui_.showMessage(MessageKind::Information, systemMessage(code) + tooltexts::kCheckExePaths, MessageButtons::Ok);
}

void ToolRunner::RunExe(Run& run)
{
    const auto& slot = settings_.tools[static_cast<std::size_t>(run.values.exeIndex)];
    launcher_.LaunchProgram(text::trim(slot.name), run.values.parameters, kTextLimit, run.values.wait,
                            run.values.confirm);
    const auto result = launcher_.LastLaunchResult;
    if (result == ProgramLauncher::kCancelled)
        launcher_.LastLaunchResult = 0;
    else if (result != 0)
        ReportLaunchError(result);
}

std::string ToolRunner::LocateOrProjectName(const std::string& name)
{
    auto located = name;
    if (locator_.LocateFile(located))
        return located;
    auto inProject = style_.join(settings_.projectPath, name);
    return locator_.LocateFile(inProject) ? inProject : name;
}

std::string ToolRunner::PrepareErrorFile(const Run& run)
{
    const auto& c = settings_.compiler;
    if (run.values.talvik()) {
        files::deleteFile(TalvikErrorFile(run.errorTemplate));
    } else if (run.values.other() && c.otherGetError) {
        auto errorFile = c.otherErrorFileName;
        if (ExpandAllFileParameters(errorFile, kTextLimit, run.source, false) == fileparameter::kIllegal)
            return {};  // the capture afterwards says so
        if (files::fileExists(errorFile))
            files::renameFile(errorFile, ErrorFileBackup(errorFile));
        return errorFile;
    } else if (run.values.gnu()) {
        const auto& target = GnuTargetOf(run.values.kind, settings_);
        if (target.getError) {
            const auto errorFile = LocateOrProjectName(target.errorFileName);
            if (target.saveFiles && target.openErr && files::fileExists(errorFile))
                shell_.ForceReloadCheck(errorFile);
        }
    }
    return {};
}

std::optional<std::string> ToolRunner::CompilerExecutable(const Run& run)
{
    using Show = LaunchWindowMode::Show;
    const auto configured = text::cut(text::trim(settings_.compiler.name), kTextLimit);
    const bool script = buildscript::isScriptName(configured);
    if (!script && run.values.gnu()) {
        ui_.showMessage(MessageKind::Error, tooltexts::kScriptNameNeeded, MessageButtons::Ok);
        return std::nullopt;
    }
    if (!script)
        return configured;
    if (!run.values.gnu()) {
        launcher_.WindowMode = {true, Show::Minimized};
        return configured;
    }
    launcher_.WindowMode = {true, Show::Hidden};
    const auto& target = GnuTargetOf(run.values.kind, settings_);
    std::optional<std::string> built;
    if (target.batchOpt == 0) {
        built = producer_.Produce(run.values.kind, configured, run.values.parameters);
    } else {
        auto located = configured;
        auto inProject = style_.join(settings_.projectPath, configured);
        if (locator_.LocateFile(located))
            built = located;
        else if (locator_.LocateFile(inProject))
            built = inProject;
        else
            ui_.showMessage(MessageKind::Error, tooltexts::scriptNotFound(configured), MessageButtons::Ok);
    }
    if (!built)
        launcher_.WindowMode = {true, Show::Normal};
    return built;
}

void ToolRunner::RunCompiler(Run& run)
{
    const auto errorFile = PrepareErrorFile(run);
    const auto backup = errorFile.empty() ? std::string() : ErrorFileBackup(errorFile);
    const auto executable = CompilerExecutable(run);
    if (!executable)
        return;
    if (run.values.gnu()) {
        navigator_.ShowStatus(tooltexts::kExecutingScript, statuscolour::kNavy);
        shell_.SetBusyCursor(true);
        std::string none;
        launcher_.LaunchProgram(*executable, none, ProgramLauncher::kNoLimit, true, run.values.confirm);
        navigator_.ShowStatus({}, statuscolour::kBlack);
        shell_.SetBusyCursor(false);
    } else {
        launcher_.LaunchProgram(*executable, run.values.parameters, kTextLimit, run.values.wait, run.values.confirm);
    }
    launcher_.WindowMode = {};
    // The program is closing: what the tool left is of no use to anyone now.
    if (shell_.Terminating())
        return;
    if (buildscript::isScriptName(*executable))
        shell_.CheckFilesChanged();

    const auto result = launcher_.LastLaunchResult;
    const auto restoreBackup = [&] {
        if (!backup.empty() && files::fileExists(backup))
            files::renameFile(backup, errorFile);
    };
    if (result == ProgramLauncher::kCancelled) {
        restoreBackup();
        launcher_.LastLaunchResult = 0;
        return;
    }
    if (result != 0) {
        ReportLaunchError(result);
        restoreBackup();
        return;
    }
    if (!backup.empty())
        files::deleteFile(backup);
    const auto& program = launcher_.LastProgram();
    CaptureErrors(run, program ? program->CapturedOutput() : std::string());
    if (run.values.talvik() && settings_.compiler.soundBell && navigator_.StatusColour() == statuscolour::kMaroon)
        shell_.Beep();
}

void ToolRunner::CaptureErrors(const Run& run, const std::string& output)
{
    const auto& c = settings_.compiler;
    const auto grammar = GrammarFor(run.values.kind, c.otherErrorFormat);
    std::optional<std::string> fileText;
    if (run.values.talvik()) {
        fileText = navigator_.ProcessErrorFile(TalvikErrorFile(run.errorTemplate), grammar);
    } else {
        const bool gnu = run.values.gnu();
        const auto* target = gnu ? &GnuTargetOf(run.values.kind, settings_) : nullptr;
        if (gnu ? target->getError : c.otherGetError) {
            auto name = LocateOrProjectName(gnu ? target->errorFileName : c.otherErrorFileName);
            if (ExpandAllFileParameters(name, kTextLimit, run.source, false) == fileparameter::kIllegal) {
                ui_.showMessage(MessageKind::Information, tooltexts::kIllegalErrorFileName, MessageButtons::Ok);
                return;
            }
            if (gnu) {
                shell_.SetBusyCursor(true);
                navigator_.ShowStatus(tooltexts::kProcessingOutput, statuscolour::kNavy);
            }
            if (files::fileExists(name))
                fileText = navigator_.ProcessErrorFile(name, grammar);
            if (gnu) {
                shell_.SetBusyCursor(false);
                auto located = name;
                if (target->openErr && locator_.LocateFile(located))
                    shell_.OpenByName(located);
            }
        }
    }
    ListErrors(grammar, fileText.value_or(std::string()), output);
}

void ToolRunner::ListErrors(ErrorGrammar grammar, const std::string& fileText, const std::string& output)
{
    auto fromFile = quarry::ListErrors(fileText, grammar, style_, kListLimit);
    auto fromOutput = quarry::ListErrors(output, grammar, style_, kListLimit);
    errors_.Assign(std::move(fromFile.entries), fromFile.truncated);
    errors_.Merge(fromOutput.entries, fromOutput.truncated);
    // The walk goes on from the error the status line shows.
    if (const auto& shown = navigator_.LastShown()) {
        const auto& entries = errors_.Entries();
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (entries[i].text == shown->text) {
                errors_.Select(i);
                break;
            }
    }
    shell_.ErrorListChanged(errors_);
}

void ToolRunner::GoToListEntry(std::size_t index)
{
    if (index >= errors_.Entries().size())
        return;
    errors_.Select(index);
    shell_.CurrentErrorChanged(index);
    navigator_.GoTo(errors_.Entries()[index]);
}

void ToolRunner::NextError()
{
    if (const auto index = errors_.Next())
        GoToListEntry(*index);
}

void ToolRunner::PreviousError()
{
    if (const auto index = errors_.Previous())
        GoToListEntry(*index);
}

}  // namespace quarry
