#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace quarry {

// A number as a device description writes it: decimal, hexadecimal after "0x", binary after
// "#", an optional "+" before and a scale letter after (k, M, G, T: powers of 1024). Blanks
// around it are allowed; anything else, or a value past 64 bits, gives nullopt.
std::optional<std::uint64_t> parseSvdNumber(std::string_view text);

// An enumerated value: a number as above or binary after "#" or "0b" whose "x" digits match
// either bit.
struct SvdValuePattern {
    std::uint64_t value = 0;     // the bits that count; "x" digits are 0 here
    std::uint64_t dontCare = 0;  // the bits any value may have
};
std::optional<SvdValuePattern> parseSvdValuePattern(std::string_view text);

}  // namespace quarry
