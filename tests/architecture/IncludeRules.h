#pragma once
// The layering rules, checked over the include lines of a source tree: a file under src/<layer>
// includes only its own layer and the layers listed before it; the plain part of a layer (its
// top folder) includes neither Qt nor any ui/ folder. The programs under tools/ sit above every
// layer and are plain.
#include <filesystem>
#include <string>
#include <vector>

namespace quarry::test {

// One message per broken rule, "path:line: what", paths relative to root.
std::vector<std::string> includeViolations(const std::filesystem::path& root, const std::vector<std::string>& layers);

}  // namespace quarry::test
