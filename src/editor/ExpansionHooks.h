#pragma once
// Puts a language's code templates and auto-replace list into the key path of the controls that
// use its settings object. Every parser installs them through TExpansionInstaller, which this
// file provides as soon as the program links the control's key path or asks for the hooks.
#include <cstdint>
#include <memory>

#include "text/EditorTypes.h"

namespace quarry {

class LanguageSettings;
class TCM_Settings;
class TCodeMemoKeyHook;
class TCodeTemplates;
class TAutoReplace;
class TCustomCodeMemo;

// Fills the given hook objects (new ones when they are not a TCodeTemplates and a TAutoReplace)
// from the language and installs them in the settings object.
void installExpansionHooks(const LanguageSettings& language, TCM_Settings& settings,
                           const std::shared_ptr<TCodeMemoKeyHook>& templates,
                           const std::shared_ptr<TCodeMemoKeyHook>& autoReplace);

// The key path ahead of the key controller: code templates may take the key, the auto-replace
// list watches it. True when one of them took it.
bool runExpansionHooks(TCustomCodeMemo& memo, TCM_Settings& settings, std::uint16_t& key, TShiftState& shift);

// The installed objects, or null when the settings object has none of that kind.
TCodeTemplates* codeTemplatesOf(TCM_Settings& settings);
TAutoReplace* autoReplaceOf(TCM_Settings& settings);

}  // namespace quarry
