#pragma once
#include <string>

namespace quarry {

// The Talvik assembler's error file: the source file with its extension forced to "ERR".
std::string TalvikErrorFile(const std::string& sourceFile);
// Where an old error file of the other kind waits while the compiler runs: its extension
// forced to "TVTMPBAK".
std::string ErrorFileBackup(const std::string& errorFile);

}  // namespace quarry
