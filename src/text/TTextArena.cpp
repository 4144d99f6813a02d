#include "text/TTextArena.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "text/LargeBlocks.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
// Free pieces are poisoned so that the address sanitizer catches a record that still reads text
// it gave back; the free-list link inside is reached only with the poison lifted.
#define QUARRY_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define QUARRY_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define QUARRY_POISON(p, n) ((void)(p), (void)(n))
#define QUARRY_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace quarry {

TTextArena::~TTextArena() { Clear(); }

void TTextArena::Clear() {
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        QUARRY_UNPOISON(blocks_[i], i < kSmallBlocks ? kSmallBlock : kHugeBlock);
        FreeBlock(blocks_[i]);
    }
    blocks_.clear();
    reserved_ = used_ = limit_ = 0;
    std::fill(free_.begin(), free_.end(), 0);
}

void TTextArena::PushFree(Handle piece, std::size_t granules) {
    // A free piece keeps the handle of the next free piece of its size in its first bytes.
    char* p = Pointer(piece);
    QUARRY_UNPOISON(p, sizeof(Handle));
    std::memcpy(p, &free_[granules], sizeof(Handle));
    QUARRY_POISON(p, granules * kGranule);
    free_[granules] = piece;
}

TTextArena::Handle TTextArena::Allocate(std::size_t bytes) {
    const std::size_t size = Rounded(bytes < 1 ? 1 : bytes);
    const std::size_t granules = size / kGranule;
    if (Handle piece = free_[granules]) {
        QUARRY_UNPOISON(Pointer(piece), size);
        std::memcpy(&free_[granules], Pointer(piece), sizeof(Handle));
        return piece;
    }
    if (limit_ - used_ < size) {
        if (limit_ > used_) PushFree(HandleOf(blocks_.size() - 1, used_), (limit_ - used_) / kGranule);
        if (blocks_.size() == kMaxBlocks) throw std::bad_alloc();
        const std::size_t blockSize = blocks_.size() < kSmallBlocks ? kSmallBlock : kHugeBlock;
        blocks_.push_back(static_cast<char*>(AllocateBlock(blockSize)));
        QUARRY_POISON(blocks_.back(), blockSize);
        reserved_ += blockSize;
        limit_ = blockSize;
        used_ = blocks_.size() == 1 ? kGranule : 0;  // handle 0 stays unused
    }
    const Handle piece = HandleOf(blocks_.size() - 1, used_);
    QUARRY_UNPOISON(Pointer(piece), size);
    used_ += size;
    return piece;
}

void TTextArena::Free(Handle piece, std::size_t bytes) {
    if (piece == 0) return;
    PushFree(piece, Rounded(bytes < 1 ? 1 : bytes) / kGranule);
}

}  // namespace quarry
