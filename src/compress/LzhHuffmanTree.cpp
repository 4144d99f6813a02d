#include "compress/LzhHuffmanTree.h"

#include "compress/LzhBitReader.h"
#include "compress/LzhBitWriter.h"

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
    const int* child = child_.data();
    int node = child[kRoot];
    while (node < kNodes)
        node = child[node + static_cast<int>(in.bit())];
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
    // Raw views: this loop runs for every symbol, also in unoptimised builds.
    std::uint32_t* freq = freq_.data();
    int* child = child_.data();
    int* parent = parent_.data();
    int node = parent[symbol + kNodes];
    do {
        const std::uint32_t count = ++freq[node];
        if (count > freq[node + 1]) {
            // Swap with the last node whose count is now below ours.
            int other = node + 1;
            while (count > freq[other + 1])
                ++other;
            freq[node] = freq[other];
            freq[other] = count;

            const int mine = child[node];
            parent[mine] = other;
            if (mine < kNodes)
                parent[mine + 1] = other;
            const int theirs = child[other];
            child[other] = mine;
            parent[theirs] = node;
            if (theirs < kNodes)
                parent[theirs + 1] = node;
            child[node] = theirs;
            node = other;
        }
        node = parent[node];
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
