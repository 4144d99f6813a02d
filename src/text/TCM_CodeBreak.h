#pragma once
#include "text/TPositionMarkList.h"

namespace quarry {

// Code-break marks of the text; they move with every insertion and deletion.
class TCM_CodeBreak final : public TPositionMarkList {};

}  // namespace quarry
