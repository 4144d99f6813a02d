#pragma once
#include "platform/PathStyle.h"
#include "settings/CompilerSettings.h"
#include "tools/BuildScriptWriter.h"

#include <optional>
#include <string>

namespace quarry {

class FileLocator;
class ToolShell;
class UserInterface;
struct EnvironmentSettings;

// The compiler run's step for a GNU kind that creates its script: checks where the script
// goes (asking before it replaces one), builds the option record and writes the script.
class BuildScriptProducer final {
public:
    BuildScriptProducer(EnvironmentSettings& settings, FileLocator& locator, UserInterface& ui, ToolShell& shell,
                        PathStyle style, ScriptPlatform platform = ScriptPlatform::native())
        : settings_(settings), locator_(locator), ui_(ui), shell_(shell), style_(style), writer_(ui, std::move(platform))
    {
    }

    // The script written for `configuredName`, from the target of `kind` with `input` as the
    // main input file; nullopt when the run stops (the user was told why, or cancelled).
    std::optional<std::string> Produce(CompilerKind kind, const std::string& configuredName, const std::string& input);

private:
    // The script's full name when its directory can take it.
    std::optional<std::string> Destination(const std::string& configuredName);
    bool MayReplace(const std::string& script);
    bool Write(CompilerKind kind, const std::string& script, const std::string& input);

    EnvironmentSettings& settings_;
    FileLocator& locator_;
    UserInterface& ui_;
    ToolShell& shell_;
    PathStyle style_;
    BuildScriptWriter writer_;
};

}  // namespace quarry
