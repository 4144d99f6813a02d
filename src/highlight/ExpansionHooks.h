#pragma once
// Puts a language's code templates and auto-replace list into the key path of the controls that
// use its settings object.
#include <memory>

namespace quarry {

class LanguageSettings;
class TCM_Settings;
class TCodeMemoKeyHook;
class TCodeTemplates;
class TAutoReplace;

// Fills the given hook objects (new ones when they are not a TCodeTemplates and a TAutoReplace)
// from the language and installs them in the settings object.
void installExpansionHooks(const LanguageSettings& language, TCM_Settings& settings,
                           const std::shared_ptr<TCodeMemoKeyHook>& templates,
                           const std::shared_ptr<TCodeMemoKeyHook>& autoReplace);

// The installed objects, or null when the settings object has none of that kind.
TCodeTemplates* codeTemplatesOf(TCM_Settings& settings);
TAutoReplace* autoReplaceOf(TCM_Settings& settings);

}  // namespace quarry
