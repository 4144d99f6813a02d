#include "highlight/LzhHuffmanTree.h"

#include "highlight/LzhBitReader.h"
#include "highlight/LzhBitWriter.h"

#include <algorithm>

namespace quarry {

LzhHuffmanTree::LzhHuffmanTree()
{
    for (int s = 0; s < kSymbols; ++s) {
        freq_[s] = 1;
        child_[s] = s + kNodes;
        parent_[s + kNodes] = s;
    }
    for (int first = 0, node = kSymbols; node <= kRoot; first += 2, ++node) {
        freq_[node] = freq_[first] + freq_[first + 1];
        child_[node] = first;
        parent_[first] = parent_[first + 1] = node;
    }
    freq_[kNodes] = kSentinel;
    parent_[kRoot] = 0;
}

void LzhHuffmanTree::encode(int symbol, LzhBitWriter& out)
{
    // Collected leaf first; the bit of a node is whether it is the second child.
    std::uint64_t path = 0;
    unsigned length = 0;
    for (int node = parent_[symbol + kNodes]; node != kRoot; node = parent_[node]) {
        path |= std::uint64_t(node & 1) << length;
        ++length;
    }
    if (length > 32) {
        out.put(static_cast<std::uint32_t>(path >> 32), length - 32);
        out.put(static_cast<std::uint32_t>(path), 32);
    } else {
        out.put(static_cast<std::uint32_t>(path), length);
    }
    update(symbol);
}

int LzhHuffmanTree::decode(LzhBitReader& in)
{
    int node = child_[kRoot];
    while (node < kNodes)
        node = child_[node + static_cast<int>(in.bit())];
    const int symbol = node - kNodes;
    update(symbol);
    return symbol;
}

unsigned LzhHuffmanTree::codeLength(int symbol) const
{
    unsigned length = 0;
    for (int node = parent_[symbol + kNodes]; node != kRoot; node = parent_[node])
        ++length;
    return length;
}

void LzhHuffmanTree::update(int symbol)
{
    if (freq_[kRoot] == kMaxFrequency)
        rebuild();
    int node = parent_[symbol + kNodes];
    do {
        const std::uint32_t count = ++freq_[node];
        if (count > freq_[node + 1]) {
            // Swap with the last node whose count is now below ours.
            int other = node + 1;
            while (count > freq_[other + 1])
                ++other;
            freq_[node] = freq_[other];
            freq_[other] = count;

            const int mine = child_[node];
            parent_[mine] = other;
            if (mine < kNodes)
                parent_[mine + 1] = other;
            const int theirs = child_[other];
            child_[other] = mine;
            parent_[theirs] = node;
            if (theirs < kNodes)
                parent_[theirs + 1] = node;
            child_[node] = theirs;
            node = other;
        }
        node = parent_[node];
    } while (node != 0);
}

void LzhHuffmanTree::rebuild()
{
    // Gather the leaves at the front, in node order (so still sorted), with halved counts.
    int leaves = 0;
    for (int n = 0; n < kNodes; ++n) {
        if (child_[n] >= kNodes) {
            freq_[leaves] = (freq_[n] + 1) / 2;
            child_[leaves] = child_[n];
            ++leaves;
        }
    }
    // Join pairs from the front; each new node goes after every node of no greater count.
    for (int first = 0, node = kSymbols; node < kNodes; first += 2, ++node) {
        const std::uint32_t count = freq_[first] + freq_[first + 1];
        int at = node - 1;
        while (count < freq_[at])
            --at;
        ++at;
        std::copy_backward(freq_.begin() + at, freq_.begin() + node, freq_.begin() + node + 1);
        std::copy_backward(child_.begin() + at, child_.begin() + node, child_.begin() + node + 1);
        freq_[at] = count;
        child_[at] = first;
    }
    for (int n = 0; n < kNodes; ++n) {
        const int c = child_[n];
        parent_[c] = n;
        if (c < kNodes)
            parent_[c + 1] = n;
    }
}

}  // namespace quarry
