#pragma once
#include "text/TPositionMarkList.h"

namespace quarry {

// Breakpoint marks of the text; they move with every insertion and deletion.
class TCM_Breakpoints final : public TPositionMarkList {};

}  // namespace quarry
