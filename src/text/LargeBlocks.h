#pragma once
#include <cstddef>

namespace quarry {

// Memory for the text store's big blocks. Blocks whose size is a multiple of kHugePage are
// aligned to it and, where the system offers it, backed by huge pages: loading a large file then
// costs one page fault per 2 MiB instead of one per 4 KiB, which dominates the load time
// otherwise.
inline constexpr std::size_t kHugePage = std::size_t{2} << 20;
inline constexpr std::size_t kHugeBlock = 2 * kHugePage;

void* AllocateBlock(std::size_t bytes);
void FreeBlock(void* block);

}  // namespace quarry
