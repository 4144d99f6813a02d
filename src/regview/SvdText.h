#pragma once
#include <string>
#include <string_view>

// The texts of a device description as register files take them.
namespace quarry::svdtext {

// Runs of blanks, tabs and line breaks (any control character) become one blank; none is left
// at either end.
std::string fold(std::string_view text);

// Every "%s" replaced by an array or list index.
std::string withIndex(std::string_view text, std::string_view index);

// A peripheral's name as a file name: letters, digits, "_", "-" and "." kept, anything else
// "_"; never empty, never only dots.
std::string safeFileStem(std::string_view name);

// The first `length` bytes, never ending inside a UTF-8 sequence.
std::string cutUtf8(std::string_view text, std::size_t length);

}  // namespace quarry::svdtext
