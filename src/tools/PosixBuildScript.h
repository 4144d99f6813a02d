#pragma once
#include "tools/CompilerParamStorage.h"

#include <string>

namespace quarry {

// The POSIX twin of the batch build script (direct form), run with /bin/sh: the same variables
// and steps, each tool's standard error redirected into the error log. Variables hold shell
// words, quoted where needed, and the tool lines are evaluated, so names with blanks and option
// text with quotes reach the tools as the batch script's tools would receive them. `projectDir`
// (when not empty) is where relative names are taken.
std::string PosixBuildScript(const ppceabi_compiler_param_storage_type& params, GnuTarget target,
                             const std::string& scriptPath, const std::string& projectDir);

// One shell word: the text as it is when it holds only characters the shell leaves alone, else
// in single quotes.
std::string ShellWord(const std::string& text);

}  // namespace quarry
