#pragma once
#include "regview/SvdModel.h"

#include <string>
#include <vector>

namespace quarry {

struct RegisterFileText {
    std::string text;
    int registers = 0;                 // register lines written
    std::vector<SvdWarning> warnings;  // what the format could not hold
};

// One peripheral as a register description file: the title "<device> <peripheral>:
// <description>"; per register its size code (8 bits B, 16 W, 32 L, any other X), its absolute
// address and its name and description; its fields highest first with their access codes; a
// value line per enumerated value, and a display rule for the value that stands for all others.
// Lines are cut to what the reader keeps. Registers past 32-bit addresses, fields beyond bit 31
// and fields past the 32 a register holds are left out with a warning.
RegisterFileText writeRegisterFile(const std::string& deviceName, const SvdPeripheral& peripheral);

}  // namespace quarry
