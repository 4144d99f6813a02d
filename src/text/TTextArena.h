#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quarry {

// The heap of line texts and token-value arrays. Eleven million small allocations through malloc
// would cost more in headers and padding than the text itself, so pieces are carved from big
// blocks in 4-byte granules, named by 32-bit handles (a record holds two of them instead of two
// pointers), and freed pieces go to one free list per granule count. Memory returns to the system
// only when the whole arena is cleared (a new text is loaded).
//
// A handle is the block index in its upper 12 bits and the granule inside the block in its lower
// 20, so blocks are at most 4 MiB and the arena at most 16 GiB. Handle 0 is never given out.
class TTextArena final {
public:
    using Handle = std::uint32_t;
    static constexpr std::size_t kGranule = 4;
    static constexpr unsigned kGranuleBits = 20;
    static constexpr std::size_t kMaxBlocks = std::size_t{1} << (32 - kGranuleBits);
    // The first blocks are small so that a small text stays small; later ones are huge-page
    // blocks (see LargeBlocks.h).
    static constexpr std::size_t kSmallBlock = std::size_t{256} << 10;
    static constexpr std::size_t kSmallBlocks = 8;
    static constexpr std::size_t kMaxPiece = 65536 + 2 * kGranule;

    TTextArena() = default;
    ~TTextArena();
    TTextArena(const TTextArena&) = delete;  // owns raw blocks
    TTextArena& operator=(const TTextArena&) = delete;

    static std::size_t Rounded(std::size_t bytes) { return (bytes + kGranule - 1) & ~(kGranule - 1); }

    // A piece of at least `bytes` (1..kMaxPiece) bytes; its content is undefined.
    Handle Allocate(std::size_t bytes);
    // Gives back a piece obtained with the same byte count.
    void Free(Handle piece, std::size_t bytes);
    void Clear();

    char* Pointer(Handle piece) const {
        return blocks_[piece >> kGranuleBits] + (static_cast<std::size_t>(piece & ((1u << kGranuleBits) - 1)) << 2);
    }
    std::size_t ReservedBytes() const { return reserved_; }

private:
    void PushFree(Handle piece, std::size_t granules);
    Handle HandleOf(std::size_t block, std::size_t byteOffset) const {
        return static_cast<Handle>((block << kGranuleBits) | (byteOffset / kGranule));
    }

    std::vector<char*> blocks_;
    std::size_t reserved_ = 0;
    std::size_t used_ = 0;   // bytes given out of the newest block
    std::size_t limit_ = 0;  // size of the newest block
    std::vector<Handle> free_ = std::vector<Handle>(kMaxPiece / kGranule + 1, 0);  // by granule count
};

}  // namespace quarry
