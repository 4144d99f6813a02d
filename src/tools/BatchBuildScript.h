#pragma once
#include "tools/CompilerParamStorage.h"

#include <string>

namespace quarry {

// The Windows family a batch script is written for: 95/98/ME cannot redirect standard error,
// so its scripts run every tool through the capture utility Siphon; NT/2000/XP redirects.
enum class PlatformFamily { Windows9x, WindowsNt, Unknown };

// A batch script needs the capture utility unless the family is known to redirect.
inline bool UsesCaptureUtility(PlatformFamily family) { return family != PlatformFamily::WindowsNt; }

// The name of the capture utility's parameter file in the temporary directory.
inline constexpr const char* kCaptureParamFileName = "__talvik__tmp.tmp__";

// The text of the batch build script for a GNU target, every line ending in CR LF.
// `paramFile` is the capture utility's parameter file (used only when the family needs it).
std::string BatchBuildScript(const ppceabi_compiler_param_storage_type& params, GnuTarget target,
                             PlatformFamily family, const std::string& scriptPath, const std::string& paramFile);

}  // namespace quarry
