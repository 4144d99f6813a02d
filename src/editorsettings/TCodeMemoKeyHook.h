#pragma once
#include <cstdint>

#include "text/EditorTypes.h"

namespace quarry {

class TCustomCodeMemo;

// A filter in the control's key path ahead of the key controller (code templates and
// auto-replace). KeyDown answers true when it took the key; it may also change key and shift.
class TCodeMemoKeyHook {
public:
    virtual ~TCodeMemoKeyHook() = default;
    virtual bool KeyDown(TCustomCodeMemo& memo, std::uint16_t& key, TShiftState& shift) = 0;
};

}  // namespace quarry
