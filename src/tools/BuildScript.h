#pragma once
#include <string>

namespace quarry {

// Build scripts are batch files on Windows and shell scripts elsewhere; the command
// interpreter runs them, so they need no execute permission.
namespace buildscript {

#ifdef _WIN32
inline constexpr const char* kExtension = ".bat";
#else
inline constexpr const char* kExtension = ".sh";
inline constexpr const char* kInterpreter = "/bin/sh";
#endif

// Whether the name's extension is exactly the script extension (letter case as written).
bool isScriptName(const std::string& name);

}  // namespace buildscript

}  // namespace quarry
