#pragma once
#include <array>
#include <optional>

namespace quarry {

// The command identifiers of the five tool buttons (their tags): the compiler slot (F4) and the
// slots EXE1 to EXE4 (F6 to F9).
namespace toolslots {

inline constexpr int kCompilerTag = 1;
inline constexpr std::array<int, 4> kExeTags = {3, 4, 13, 14};

// The EXE slot (0 to 3) an identifier names; nullopt for the compiler and unknown identifiers.
std::optional<int> exeIndexOf(int tag);

}  // namespace toolslots

}  // namespace quarry
