#include "editor/LineEnds.h"

#include <array>
#include <cstdint>
#include <cstring>

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

// True when one of the eight bytes is below 32 (bytes from 128 on never count).
inline bool HasControlByte(std::uint64_t word) {
    return ((word - 0x2020202020202020ull) & ~word & 0x8080808080808080ull) != 0;
}
}  // namespace

std::size_t NormaliseInPlace(char* data, std::size_t size, bool more, std::size_t* length) {
    std::size_t read = 0;
    std::size_t write = 0;
    while (read < size) {
        // Eight ordinary bytes at a time: most text has no control byte for long stretches.
        while (read + 8 <= size) {
            std::uint64_t word;
            std::memcpy(&word, data + read, 8);
            if (HasControlByte(word)) break;
            if (write != read) std::memcpy(data + write, &word, 8);
            read += 8;
            write += 8;
        }
        if (read >= size) break;
        const char c = data[read];
        const std::uint8_t kind = kClasses[static_cast<unsigned char>(c)];
        if (kind == 0) {
            data[write++] = c;
            ++read;
        } else if (kind == 2) {
            data[write++] = '.';
            ++read;
        } else {
            if (read + 1 == size && more) break;  // its partner may come with the next input
            const char partner = c == '\r' ? '\n' : '\r';
            data[write++] = '\r';
            read += (read + 1 < size && data[read + 1] == partner) ? 2 : 1;
        }
    }
    *length = write;
    return read;
}

std::size_t NormaliseLineEnds(std::string_view in, std::string& out, bool more) {
    const std::size_t base = out.size();
    out.append(in);
    std::size_t length = 0;
    const std::size_t consumed = NormaliseInPlace(out.data() + base, in.size(), more, &length);
    out.resize(base + length);
    return consumed;
}

}  // namespace quarry
