#include "tools/ErrorGrammar.h"

namespace quarry {

ErrorGrammar GrammarFor(CompilerKind kind, const std::string& otherErrorFormat)
{
    switch (kind) {
    case CompilerKind::TalvikAssembler: return ErrorGrammar::Talvik;
    case CompilerKind::GnuM68kElf:
    case CompilerKind::GnuPowerPcEabi: return ErrorGrammar::Gcc;
    default: break;
    }
    if (otherErrorFormat == kErrorFormats[2])
        return ErrorGrammar::ByteCraft;
    if (otherErrorFormat == kErrorFormats[0])
        return ErrorGrammar::Talvik;
    if (otherErrorFormat == kErrorFormats[3])
        return ErrorGrammar::Gcc;
    return ErrorGrammar::Unknown;
}

bool ScansForward(ErrorGrammar grammar) { return grammar == ErrorGrammar::ByteCraft || grammar == ErrorGrammar::Gcc; }

}  // namespace quarry
