#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace quarry {

// The %FILE% placeholder of tool parameters and error-file names. It is found without regard
// to letter case as "%FILE" followed by "%" (the file name) or by "." + extension + "%" (the
// file name with that extension; an empty extension cuts the name at its first dot).
namespace fileparameter {

inline constexpr int kNone = 0;       // no placeholder
inline constexpr int kPlain = 1;      // %FILE% replaced
inline constexpr int kExtension = 2;  // %FILE.ext% replaced
inline constexpr int kIllegal = 99;   // "%FILE" followed by anything else; text unchanged

// Whether the text holds "%FILE", with or without regard to letter case.
bool holdsMarker(std::string_view text, bool ignoreCase = true);

}  // namespace fileparameter

// Replaces the first placeholder of `text` by `fileName` (in double quotes when addQuotes is
// set and the name is not blank; a blank name inserts nothing) and cuts the result to maxLen.
int ExpandFileParameter(std::string& text, std::size_t maxLen, const std::string& fileName, bool addQuotes);

// Replaces every placeholder, left to right, one at a time; a name that itself holds "%FILE" is
// inserted once and not expanded again. kIllegal when a placeholder is illegal (the text is
// then of no use), else the result of the last replacement or kNone.
int ExpandAllFileParameters(std::string& text, std::size_t maxLen, const std::string& fileName, bool addQuotes);

}  // namespace quarry
