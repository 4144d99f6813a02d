#include "settings/CompilerSettings.h"

namespace quarry {

CompilerKind compilerKindOf(const std::string& type)
{
    if (type == kCompilerTypes[0] || type == kCompilerTypes[1])
        return CompilerKind::TalvikAssembler;
    if (type == kCompilerTypes[2])
        return CompilerKind::OtherCompiler;
    if (type == kCompilerTypes[3])
        return CompilerKind::GnuM68kElf;
    if (type == kCompilerTypes[4])
        return CompilerKind::GnuPowerPcEabi;
    return CompilerKind::None;
}

}  // namespace quarry
