#pragma once
// The key that types a character, in the key-scan form that trigger keys are kept in: the
// virtual-key code in the low byte, plus 256 when Shift is needed, 512 for Ctrl and 1024 for Alt.
// A fixed US keyboard layout stands in for the system's layout query, so the triggers of a
// stored list mean the same keys on every machine.
#include <cstdint>

#include "text/EditorTypes.h"

namespace quarry {

inline constexpr int kKeyScanShift = 256;
inline constexpr int kKeyScanCtrl = 512;
inline constexpr int kKeyScanAlt = 1024;

// The key-scan value of a character, or -1 when no key of the layout types it.
int VkKeyScan(char c);
// The key-scan value of a pressed key with its modifier state.
int KeyScanOf(std::uint16_t key, TShiftState shift);

}  // namespace quarry
