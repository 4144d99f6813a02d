#pragma once
#include <cstddef>

namespace quarry::lzh {

// The shape of the LZH method, shared by its encoder and decoder.
constexpr std::size_t kRingSize = 4096;            // history window
constexpr std::size_t kMaxMatch = 60;              // look-ahead, the longest copy
constexpr std::size_t kThreshold = 2;              // copies are longer than this
constexpr std::size_t kMinMatch = kThreshold + 1;
constexpr std::size_t kBlankPrefix = kRingSize - kMaxMatch;  // blanks before the first byte
constexpr unsigned char kBlank = ' ';
// A copy of length L is symbol L + kLengthBias, so lengths 3..60 are the symbols 256..313.
constexpr int kLengthBias = 256 - static_cast<int>(kMinMatch);

}  // namespace quarry::lzh
