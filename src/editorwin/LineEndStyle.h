#pragma once
#include <string>
#include <string_view>

namespace quarry {

// The line ends a file is written with. A file keeps the line ends it was read with, so that
// editing a file does not rewrite every line of it; new files get the platform's own.
enum class LineEndStyle { CrLf, Lf, Cr };

// The style of the first line break among the bytes; `fallback` when there is none.
LineEndStyle detectLineEnds(std::string_view bytes, LineEndStyle fallback);
// The same for the start of a file (the platform's style when it cannot be read).
LineEndStyle detectFileLineEnds(const std::string& fileName);
LineEndStyle platformLineEnds();

}  // namespace quarry
