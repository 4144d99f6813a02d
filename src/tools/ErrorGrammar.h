#pragma once
#include "settings/CompilerSettings.h"

#include <string>

namespace quarry {

// The four grammars of compiler error files, and which one a compiler kind reads.
enum class ErrorGrammar { Talvik, Unknown, ByteCraft, Gcc };

// Talvik kinds read the Talvik grammar, GNU kinds the GCC grammar, the other kind the entry of
// its error-format list named by `otherErrorFormat` (the unknown grammar for any other text).
ErrorGrammar GrammarFor(CompilerKind kind, const std::string& otherErrorFormat);

// The Talvik and unknown grammars report the last error of a file, the others the first.
bool ScansForward(ErrorGrammar grammar);

}  // namespace quarry
