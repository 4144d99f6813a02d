#pragma once
#include "settings/EnvironmentSettings.h"

#include <optional>
#include <string>

namespace quarry {

// What one run of a tool slot takes from the settings: the parameter template and the confirm,
// wait, quote and save choices. For the compiler slot these depend on its kind.
struct RunValues {
    bool compiler = false;
    int exeIndex = -1;  // 0..3 for EXE1..EXE4
    CompilerKind kind = CompilerKind::None;
    std::string parameters;
    bool confirm = false;
    bool wait = false;
    bool addQuotes = false;
    bool saveBefore = false;

    bool gnu() const { return compiler && (kind == CompilerKind::GnuM68kElf || kind == CompilerKind::GnuPowerPcEabi); }
    bool talvik() const { return compiler && kind == CompilerKind::TalvikAssembler; }
    // A kind whose text is no list entry runs as the other kind does.
    bool other() const { return compiler && !gnu() && !talvik(); }
};

// The values for a tool button's identifier; nullopt for an identifier no slot has.
std::optional<RunValues> RunValuesFor(int tag, const EnvironmentSettings& settings);

// The GNU target options of a GNU kind.
const GnuTargetOptions& GnuTargetOf(CompilerKind kind, const EnvironmentSettings& settings);

}  // namespace quarry
