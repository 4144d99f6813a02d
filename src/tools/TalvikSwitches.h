#pragma once
#include "settings/CompilerSettings.h"

#include <string>

namespace quarry {

// The parameter text of a Talvik assembler run: "%FILE%" and the switch letters its options ask
// for, each with a leading blank.
std::string TalvikParameters(const CompilerSettings& compiler);

}  // namespace quarry
