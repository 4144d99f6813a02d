#pragma once
#include <array>
#include <cstdint>

namespace quarry {

class LzhBitReader;
class LzhBitWriter;

// The adaptive Huffman code of the LZH method over 314 symbols: the 256 byte values and the
// match lengths 3..60 as 256..313. Encoder and decoder start from the same tree and update it
// identically after every symbol, so the code follows the data without being transmitted.
//
// The 627 nodes sit in one array ordered by frequency (the sibling property): after a count
// grows, the node is swapped with the last node of the frequency it has overtaken, which keeps
// the tree a Huffman tree. When the root's count reaches 32,768 every leaf count is halved
// (rounded up) and the tree is rebuilt, which keeps codes adaptive and at most 22 bits long.
class LzhHuffmanTree final {
public:
    static constexpr int kSymbols = 314;
    static constexpr int kNodes = 2 * kSymbols - 1;
    static constexpr int kRoot = kNodes - 1;

    LzhHuffmanTree();

    void encode(int symbol, LzhBitWriter& out);
    // Walks the tree along the input's bits; always ends on a leaf, whatever the bits are.
    int decode(LzhBitReader& in);
    // The current code length of a symbol, for the encoder's cost estimates.
    unsigned codeLength(int symbol) const;

private:
    static constexpr std::uint32_t kMaxFrequency = 0x8000;
    static constexpr std::uint32_t kSentinel = 0xFFFF;

    void update(int symbol);
    void rebuild();

    // freq_[n]: count of node n, non-decreasing in n; freq_[kNodes] is a sentinel above any count.
    std::array<std::uint32_t, kNodes + 1> freq_{};
    // child_[n] >= kNodes: node n is the leaf of symbol child_[n] - kNodes; otherwise its
    // children are child_[n] (bit 0) and child_[n] + 1 (bit 1), so child_[n] is always even.
    std::array<int, kNodes> child_{};
    // parent_[n] for nodes 0..kNodes-1; parent_[kNodes + s] is the leaf node of symbol s.
    std::array<int, kNodes + kSymbols> parent_{};
};

}  // namespace quarry
