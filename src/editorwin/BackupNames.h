#pragma once
#include <string>
#include <string_view>

// Names of editor backup files. A backup keeps the file's name and takes an extension made from
// the file's own: its fourth character and its dot dropped, ".~" in front ("prog.asm" is backed
// up as "prog.~as", "notes" as "notes.~").
namespace quarry::backup {

// The backup extension for an extension given with its dot (or empty).
std::string extensionFor(std::string_view extension);
// The backup file name of a file name.
std::string fileNameFor(std::string_view fileName);

}  // namespace quarry::backup
