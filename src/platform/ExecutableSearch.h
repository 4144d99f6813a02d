#pragma once
#include <optional>
#include <string>

namespace quarry {

// The program file a name starts: a name with a directory part as it is, a bare name searched
// in the directories of PATH (an empty entry meaning the current directory). Nullopt when no
// executable regular file of that name exists.
std::optional<std::string> findExecutable(const std::string& name);

}  // namespace quarry
