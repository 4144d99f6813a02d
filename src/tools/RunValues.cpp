#include "tools/RunValues.h"

#include "tools/TalvikSwitches.h"
#include "tools/ToolSlotIds.h"

namespace quarry {

const GnuTargetOptions& GnuTargetOf(CompilerKind kind, const EnvironmentSettings& settings)
{
    return kind == CompilerKind::GnuPowerPcEabi ? settings.ppcEabi : settings.m68kElf;
}

std::optional<RunValues> RunValuesFor(int tag, const EnvironmentSettings& settings)
{
    RunValues v;
    if (const auto exe = toolslots::exeIndexOf(tag)) {
        const auto& slot = settings.tools[static_cast<std::size_t>(*exe)];
        v.exeIndex = *exe;
        v.parameters = slot.options;
        v.confirm = slot.confirm;
        v.wait = slot.wait;
        v.addQuotes = slot.addQuotes;
        v.saveBefore = slot.saveFiles;
        return v;
    }
    if (tag != toolslots::kCompilerTag)
        return std::nullopt;
    const auto& c = settings.compiler;
    v.compiler = true;
    v.kind = c.kind();
    if (v.talvik()) {
        v.parameters = TalvikParameters(c);
        v.wait = v.addQuotes = true;
        v.saveBefore = c.saveFilesBefore;
    } else if (v.gnu()) {
        const auto& target = GnuTargetOf(v.kind, settings);
        v.parameters = target.main;
        v.confirm = target.confirm;
        v.wait = true;
        v.saveBefore = target.saveFiles;
    } else {
        v.parameters = c.options;
        v.confirm = c.otherConfirm;
        v.wait = c.otherWait;
        v.addQuotes = c.otherAddQuotes;
        v.saveBefore = c.otherSaveFiles;
    }
    return v;
}

}  // namespace quarry
