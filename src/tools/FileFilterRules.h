#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace quarry {

// The shared list of file types of the open and save dialogs, as the settings dialog edits it:
// entries "description|pattern".
namespace filefilters {

inline constexpr const char* kTooLong = "Filter length is too long, remove current filters before adding.";
// The joined filter text the file dialogs take may not grow past this.
inline constexpr std::size_t kJoinedLimit = 250;

enum class AddResult { Added, Incomplete, TooLong };

// Appends description + "|" + pattern (both trimmed, both needed) unless the joined text would
// pass the limit.
AddResult Add(std::vector<std::string>& filters, const std::string& pattern, const std::string& description);

// Removes the entry at `index`; returns the entry to select afterwards (-1 when none is left).
int Remove(std::vector<std::string>& filters, int index);

// The description of every entry (the text before its first '|').
std::vector<std::string> Descriptions(const std::vector<std::string>& filters);

}  // namespace filefilters

}  // namespace quarry
