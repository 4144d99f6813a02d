#pragma once
#include <string>
#include <vector>

namespace quarry {

inline constexpr const char* kDefaultHelpFile = "quarry2.hlp";
inline constexpr const char* kHelpFileChooserTitle = " Select Help File to Load ";
inline constexpr const char* kCantFindHelpFile = "Can't find help file.";
inline constexpr const char* kErrorOpeningHelpFile = "Error opening help file.";

// The help files offered by Help > Contents: the "*.hlp" files of the program directory,
// sorted, as full names.
std::vector<std::string> helpFilesIn(const std::string& programDir);

}  // namespace quarry
