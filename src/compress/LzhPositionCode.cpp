#include "compress/LzhPositionCode.h"

namespace quarry {

namespace {
// How many upper values get each code length, from 3 bits up to 8.
constexpr std::array<unsigned, 6> kCountPerLength{1, 3, 8, 12, 24, 16};
}  // namespace

const LzhPositionCode& LzhPositionCode::instance()
{
    static const LzhPositionCode code;
    return code;
}

LzhPositionCode::LzhPositionCode()
{
    unsigned upper = 0;
    unsigned next = 0;  // the next free code of the current length
    unsigned length = 3;
    for (unsigned count : kCountPerLength) {
        for (unsigned i = 0; i < count; ++i, ++upper, ++next) {
            codes_[upper] = {static_cast<std::uint8_t>(next), static_cast<std::uint8_t>(length)};
            const unsigned first = next << (8 - length);
            for (unsigned tail = 0; tail < (1u << (8 - length)); ++tail)
                decoded_[first + tail] = {static_cast<std::uint8_t>(upper), static_cast<std::uint8_t>(length)};
        }
        next <<= 1;
        ++length;
    }
}

}  // namespace quarry
