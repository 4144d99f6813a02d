#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quarry {

// The heap of line texts and token-value arrays. Eleven million small allocations through
// malloc would cost more in headers and padding than the text itself, so pieces are carved from
// 1 MiB blocks in 8-byte granules, and freed pieces go to one free list per granule count.
// Memory returns to the system only when the whole arena is cleared (a new text is loaded).
class TTextArena final {
public:
    static constexpr std::size_t kGranule = 8;
    static constexpr std::size_t kBlockSize = std::size_t{1} << 20;
    static constexpr std::size_t kMaxPiece = 65536 + kGranule;

    TTextArena() = default;
    ~TTextArena();
    TTextArena(const TTextArena&) = delete;  // owns raw blocks
    TTextArena& operator=(const TTextArena&) = delete;

    static std::size_t Rounded(std::size_t bytes) { return (bytes + kGranule - 1) & ~(kGranule - 1); }

    // A piece of at least `bytes` (1..kMaxPiece) bytes; its content is undefined.
    char* Allocate(std::size_t bytes);
    // Gives back a piece obtained with the same byte count.
    void Free(char* piece, std::size_t bytes);
    void Clear();

    std::size_t ReservedBytes() const { return blocks_.size() * kBlockSize; }

private:
    void PushFree(char* piece, std::size_t granules);

    std::vector<char*> blocks_;
    char* cursor_ = nullptr;  // next free byte of the newest block
    char* limit_ = nullptr;   // end of the newest block
    std::vector<char*> free_ = std::vector<char*>(kMaxPiece / kGranule + 1, nullptr);  // by granule count
};

}  // namespace quarry
