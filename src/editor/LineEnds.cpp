#include "editor/LineEnds.h"

#include <array>
#include <cstdint>

namespace quarry {

namespace {
// 0: copy, 1: line-end byte, 2: replace by "."
constexpr std::array<std::uint8_t, 256> MakeClasses() {
    std::array<std::uint8_t, 256> classes{};
    for (int c = 0; c < 32; ++c) classes[static_cast<std::size_t>(c)] = 2;
    classes['\t'] = 0;
    classes['\r'] = 1;
    classes['\n'] = 1;
    return classes;
}
constexpr std::array<std::uint8_t, 256> kClasses = MakeClasses();
}  // namespace

std::size_t NormaliseLineEnds(std::string_view in, std::string& out, bool more) {
    out.reserve(out.size() + in.size());
    std::size_t i = 0;
    const std::size_t n = in.size();
    while (i < n) {
        // Copy the run of ordinary bytes in one go.
        std::size_t run = i;
        while (run < n && kClasses[static_cast<unsigned char>(in[run])] == 0) ++run;
        out.append(in.data() + i, run - i);
        i = run;
        if (i >= n) break;
        const char c = in[i];
        if (kClasses[static_cast<unsigned char>(c)] == 2) {
            out += '.';
            ++i;
            continue;
        }
        if (i + 1 == n && more) break;  // its partner may come with the next input
        out += '\r';
        const char partner = c == '\r' ? '\n' : '\r';
        i += (i + 1 < n && in[i + 1] == partner) ? 2 : 1;
    }
    return i;
}

}  // namespace quarry
