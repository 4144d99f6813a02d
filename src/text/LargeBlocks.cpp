#include "text/LargeBlocks.h"

#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace quarry {

void* AllocateBlock(std::size_t bytes) {
    void* block = nullptr;
    if (bytes % kHugePage == 0) {
        block = std::aligned_alloc(kHugePage, bytes);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        if (block) ::madvise(block, bytes, MADV_HUGEPAGE);
#endif
    } else {
        block = std::malloc(bytes);
    }
    if (!block) throw std::bad_alloc();
    return block;
}

void FreeBlock(void* block) { std::free(block); }

}  // namespace quarry
