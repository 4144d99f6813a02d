#pragma once
#include "platform/PathStyle.h"
#include "tools/BuildScriptProducer.h"
#include "tools/ErrorList.h"
#include "tools/ErrorNavigator.h"
#include "tools/ProgramLauncher.h"
#include "tools/RunValues.h"

#include <cstddef>
#include <optional>
#include <string>

namespace quarry {

class FileLocator;
class ToolShell;
class UserInterface;
struct EnvironmentSettings;

// The command behind the five tool buttons (F4, F6 to F9): save as configured, choose the main
// or the edited file, expand %FILE% in the parameters, start the tool (after the confirm dialog
// when asked) and wait for it when asked. For the compiler slot it also writes the build script
// of a GNU kind, moves the old error file aside, reads the new one afterwards, takes the user to
// the first error and lists every error of the file and of the tool's output.
class ToolRunner final {
public:
    // Entries the error list holds at most.
    static constexpr std::size_t kListLimit = 100000;

    ToolRunner(EnvironmentSettings& settings, FileLocator& locator, UserInterface& ui, ToolShell& shell,
               ProgramStarter& starter, PathStyle style = PathStyle::native(),
               ScriptPlatform platform = ScriptPlatform::native());

    // Runs the slot whose identifier is `tag` (1, 3, 4, 13, 14); other identifiers do nothing.
    void SpeedButtonIdeClick(int tag);

    ProgramLauncher& Launcher() { return launcher_; }
    ErrorNavigator& Navigator() { return navigator_; }
    const ErrorList& Errors() const { return errors_; }
    // The error list's entry at that index, or the next or previous one with a line.
    void GoToListEntry(std::size_t index);
    void NextError();
    void PreviousError();

private:
    struct Run {
        RunValues values;
        std::string source;         // the file %FILE% stands for; empty when none
        std::string errorTemplate;  // Talvik kind: the name its error file is made from
    };

    bool ChooseSourceFile(Run& run);
    bool ExpandParameters(Run& run);
    void RunExe(Run& run);
    void RunCompiler(Run& run);
    // Moves the old error file aside; returns the other kind's error file (empty otherwise).
    std::string PrepareErrorFile(const Run& run);
    // The executable of the compiler slot with the window mode set; nullopt when the run stops.
    std::optional<std::string> CompilerExecutable(const Run& run);
    void CaptureErrors(const Run& run, const std::string& output);
    void ListErrors(ErrorGrammar grammar, const std::string& fileText, const std::string& output);
    // A name as typed, found with LocateFile, else in the project directory, else unchanged.
    std::string LocateOrProjectName(const std::string& name);
    void ReportLaunchError(std::int32_t code);

    EnvironmentSettings& settings_;
    FileLocator& locator_;
    UserInterface& ui_;
    ToolShell& shell_;
    PathStyle style_;
    ProgramLauncher launcher_;
    ErrorNavigator navigator_;
    BuildScriptProducer producer_;
    ErrorList errors_;
};

}  // namespace quarry
