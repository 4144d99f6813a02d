#pragma once
#include "settings/EnvironmentSettings.h"

#include <string>

namespace quarry {

// Captions, hints and the enabled state of the tool buttons, as the settings decide them.
namespace toolbuttons {

// "EXE1 (Debugger)": the settings page of slot 0..3.
std::string PageTitle(int slot, const ToolSlot& tool);
// The hint of the EXE button of slot 0..3 ("short|long"): the type and the executable's full
// path when `executable` names an existing file (empty otherwise), else a note that the
// executable is invalid or undefined.
std::string Hint(int slot, const ToolSlot& tool, const std::string& executable);
// The assemble button works on the edited file with an editor open, on the main file, or on
// its own when the options hold no %FILE% and the kind is no Talvik assembler.
bool AssembleEnabled(const EnvironmentSettings& settings, bool editorOpen);

}  // namespace toolbuttons

}  // namespace quarry
