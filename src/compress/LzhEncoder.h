#pragma once
#include "compress/LzhFormat.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace quarry {

class CompressorSource;
class CompressorSink;
class LzhBitWriter;
class LzhHuffmanTree;

// Encodes `size` bytes of input as LZH method data: copies of 3..60 bytes from the last 4,096
// (the blanks that the ring starts with included) and literals, all through the adaptive
// Huffman code, positions through the fixed position code.
//
// Matches come from hash chains over a sliding window. The parse is greedy with one step of
// look-ahead (a longer copy at the next byte wins), and a short copy is only taken when the
// current code lengths make it cheaper than its bytes as literals: a 3-byte copy far back costs
// more bits than three frequent letters.
class LzhEncoder final {
public:
    LzhEncoder(CompressorSource& in, std::uint64_t size);
    LzhEncoder(const LzhEncoder&) = delete;  // holds large tables and a source reference
    LzhEncoder& operator=(const LzhEncoder&) = delete;
    ~LzhEncoder();

    void encode(CompressorSink& out, std::uint8_t* outBuffer, std::size_t bufferSize);

private:
    struct Match {
        std::size_t length = 0;
        std::uint64_t distance = 0;  // 1..4096
    };

    void fill();
    void insert(std::uint64_t position);
    Match longestMatch(std::uint64_t position) const;
    bool worthCopying(const Match& match, std::uint64_t position) const;
    const std::uint8_t* at(std::uint64_t position) const { return window_.data() + (position - base_); }
    static unsigned hashAt(const std::uint8_t* p);

    CompressorSource& in_;
    // Positions count from the start of the blank prefix; the input starts at kBlankPrefix.
    std::uint64_t dataEnd_;
    // invariant: window_[i] holds position base_ + i for base_ <= position < loaded_.
    std::vector<std::uint8_t> window_;
    std::uint64_t base_ = 0;
    std::uint64_t loaded_ = 0;
    // Hash chains: head_ per hash, previous_ per position (modulo its size); kNone ends a chain.
    std::vector<std::int64_t> head_;
    std::vector<std::int64_t> previous_;
    std::unique_ptr<LzhHuffmanTree> tree_;
};

}  // namespace quarry
