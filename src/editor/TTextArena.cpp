#include "editor/TTextArena.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace quarry {

TTextArena::~TTextArena() { Clear(); }

void TTextArena::Clear() {
    for (char* block : blocks_) std::free(block);
    blocks_.clear();
    cursor_ = limit_ = nullptr;
    std::fill(free_.begin(), free_.end(), nullptr);
}

void TTextArena::PushFree(char* piece, std::size_t granules) {
    // A free piece keeps the link to the next free piece of its size in its first bytes.
    std::memcpy(piece, &free_[granules], sizeof(char*));
    free_[granules] = piece;
}

char* TTextArena::Allocate(std::size_t bytes) {
    const std::size_t size = Rounded(bytes < 1 ? 1 : bytes);
    const std::size_t granules = size / kGranule;
    if (char* piece = free_[granules]) {
        std::memcpy(&free_[granules], piece, sizeof(char*));
        return piece;
    }
    if (static_cast<std::size_t>(limit_ - cursor_) < size) {
        if (cursor_ && limit_ > cursor_) PushFree(cursor_, static_cast<std::size_t>(limit_ - cursor_) / kGranule);
        auto* block = static_cast<char*>(std::malloc(kBlockSize));
        if (!block) throw std::bad_alloc();
        blocks_.push_back(block);
        cursor_ = block;
        limit_ = block + kBlockSize;
    }
    char* piece = cursor_;
    cursor_ += size;
    return piece;
}

void TTextArena::Free(char* piece, std::size_t bytes) {
    if (!piece) return;
    PushFree(piece, Rounded(bytes < 1 ? 1 : bytes) / kGranule);
}

}  // namespace quarry
