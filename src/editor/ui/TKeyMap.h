#pragma once
#include <Qt>

#include <cstdint>

#include "text/EditorTypes.h"

namespace quarry {

// Qt's keys in the numbering the key tables store: Windows virtual-key codes with the US layout
// for the symbol keys (a shifted symbol is the key it is typed with), keypad keys as the keypad's
// own codes.
class TKeyMap final {
public:
    // 0 when the key has no virtual-key code.
    static std::uint16_t VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers);
    static TShiftState Shift(Qt::KeyboardModifiers modifiers);
};

}  // namespace quarry
