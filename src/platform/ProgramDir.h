#pragma once
#include <string>

namespace quarry {

// The full path of the running program file.
std::string programPath();

// The program's directory without a trailing separator: the directory of the program file, or
// the directory named by the environment variable QUARRY_HOME when it is set and not empty.
// Settings, templates and data files are looked up there, so QUARRY_HOME lets tests and
// read-only installations run the program on a writable copy of its files.
std::string programDirectory();

}  // namespace quarry
