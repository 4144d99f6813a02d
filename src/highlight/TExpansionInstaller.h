#pragma once
// How a parser puts its language's code templates and auto-replace list into the key path of the
// controls that use its settings object. Those hooks edit through the control, so the editor
// provides the installer; until one is set, a parser's settings carry no hooks.
#include <memory>

namespace quarry {

class LanguageSettings;
class TCM_Settings;
class TCodeMemoKeyHook;

class TExpansionInstaller {
public:
    virtual ~TExpansionInstaller() = default;
    // Fills hook objects from the language and installs them in the settings object. The hooks
    // installed before are handed back so that the same objects, with their flags and events,
    // go on serving.
    virtual void Install(const LanguageSettings& language, TCM_Settings& settings,
                         const std::shared_ptr<TCodeMemoKeyHook>& templates,
                         const std::shared_ptr<TCodeMemoKeyHook>& autoReplace) = 0;

    // The installer every parser calls when it publishes its settings.
    static TExpansionInstaller* Current();
    static void SetCurrent(TExpansionInstaller* installer);
};

}  // namespace quarry
