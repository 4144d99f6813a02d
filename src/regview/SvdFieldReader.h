#pragma once
#include "regview/SvdModel.h"
#include "regview/SvdResolution.h"

#include <vector>

namespace quarry {

// The fields of a register (its own and those of the registers it derives from): positions
// from bitOffset and bitWidth, lsb and msb, or bitRange; field arrays; access (the register's
// unless the field says); the enumerated values a user writes, don't-care bits expanded. Fields
// outside the register are left out and overlapping ones named, each with a warning.
std::vector<SvdField> readSvdFields(SvdResolution& resolution, const SvdChain& registerChain,
                                    const SvdResolver::Properties& properties);

}  // namespace quarry
