#pragma once
#include "platform/PathStyle.h"

#include <string>

namespace quarry {

// A name that does not say where it lies (no drive on Windows, not absolute on POSIX) taken in
// the project directory, when that directory exists; otherwise the name unchanged.
std::string ResolveProjectRelative(const std::string& name, const std::string& projectPath,
                                   PathStyle style = PathStyle::native());

}  // namespace quarry
