#include "editor/TTextArena.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "editor/LargeBlocks.h"

namespace quarry {

TTextArena::~TTextArena() { Clear(); }

void TTextArena::Clear() {
    for (char* block : blocks_) FreeBlock(block);
    blocks_.clear();
    reserved_ = used_ = limit_ = 0;
    std::fill(free_.begin(), free_.end(), 0);
}

void TTextArena::PushFree(Handle piece, std::size_t granules) {
    // A free piece keeps the handle of the next free piece of its size in its first bytes.
    std::memcpy(Pointer(piece), &free_[granules], sizeof(Handle));
    free_[granules] = piece;
}

TTextArena::Handle TTextArena::Allocate(std::size_t bytes) {
    const std::size_t size = Rounded(bytes < 1 ? 1 : bytes);
    const std::size_t granules = size / kGranule;
    if (Handle piece = free_[granules]) {
        std::memcpy(&free_[granules], Pointer(piece), sizeof(Handle));
        return piece;
    }
    if (limit_ - used_ < size) {
        if (limit_ > used_) PushFree(HandleOf(blocks_.size() - 1, used_), (limit_ - used_) / kGranule);
        if (blocks_.size() == kMaxBlocks) throw std::bad_alloc();
        const std::size_t blockSize = blocks_.size() < kSmallBlocks ? kSmallBlock : kHugeBlock;
        blocks_.push_back(static_cast<char*>(AllocateBlock(blockSize)));
        reserved_ += blockSize;
        limit_ = blockSize;
        used_ = blocks_.size() == 1 ? kGranule : 0;  // handle 0 stays unused
    }
    const Handle piece = HandleOf(blocks_.size() - 1, used_);
    used_ += size;
    return piece;
}

void TTextArena::Free(Handle piece, std::size_t bytes) {
    if (piece == 0) return;
    PushFree(piece, Rounded(bytes < 1 ? 1 : bytes) / kGranule);
}

}  // namespace quarry
