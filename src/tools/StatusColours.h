#pragma once

// Colours of the status line after tool runs, blue-green-red as the settings store colours.
namespace quarry::statuscolour {

inline constexpr int kNavy = 0x800000;  // information and success
inline constexpr int kMaroon = 0x80;    // errors
inline constexpr int kBlack = 0;        // neutral notes

}  // namespace quarry::statuscolour
