#include "tools/ToolButtonRules.h"

#include "platform/Text.h"
#include "tools/FileParameter.h"

namespace quarry {

std::string toolbuttons::PageTitle(int slot, const ToolSlot& tool)
{
    return "EXE" + std::to_string(slot + 1) + " (" + text::trim(tool.type) + ")";
}

std::string toolbuttons::Hint(int slot, const ToolSlot& tool, const std::string& executable)
{
    const auto number = std::to_string(slot + 1);
    const auto hotKey = "F" + std::to_string(slot + 6);
    if (executable.empty())
        return "External Program " + number +
               "|This button runs an external program. The executable name is either invalid or undefined. Hotkey " +
               hotKey + (slot == 0 ? "" : ".");
    const auto type = text::trim(tool.type);
    return type + " (EXE" + number + ")|Run the " + type + " (External program " + number + " set as  " +
           executable + ") - Hotkey " + hotKey;
}

bool toolbuttons::AssembleEnabled(const EnvironmentSettings& settings, bool editorOpen)
{
    if (settings.general.fileParameter == FileParameterSource::MainFile)
        return true;
    if (editorOpen)
        return true;
    return !fileparameter::holdsMarker(settings.compiler.options) &&
           settings.compiler.kind() != CompilerKind::TalvikAssembler;
}

}  // namespace quarry
