#pragma once
#include <array>
#include <cstdint>

namespace quarry {

// The fixed code for the upper six bits of a match position (0..63): one value of 3 bits, 3 of
// 4, 8 of 5, 12 of 6, 24 of 7 and 16 of 8 bits, assigned in order as a canonical prefix code,
// so small (recent) positions are cheap. The lower six bits follow as they are.
class LzhPositionCode final {
public:
    struct Code {
        std::uint8_t bits;    // the code, right-aligned
        std::uint8_t length;  // 3..8
    };
    struct Decoded {
        std::uint8_t upper;   // the upper six bits
        std::uint8_t length;  // how many of the peeked eight bits the code used
    };

    static const LzhPositionCode& instance();

    Code encode(unsigned upper) const { return codes_[upper]; }
    // Any byte starts with exactly one code, as the code is complete.
    Decoded decode(unsigned nextEightBits) const { return decoded_[nextEightBits]; }
    // Bits of a whole position (code plus six plain bits) of the given value 0..4095.
    unsigned positionLength(unsigned position) const { return codes_[position >> 6].length + 6u; }

private:
    LzhPositionCode();

    std::array<Code, 64> codes_{};
    std::array<Decoded, 256> decoded_{};
};

}  // namespace quarry
