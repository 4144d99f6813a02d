#include "editor/LineEnds.h"

#include <array>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Copies ordinary bytes (TAB included) from read to write until the next byte that needs
// attention, sixteen at a time where the processor allows: loading a large file spends most of its
// time here, and a typical line holds one control byte in some forty.
inline void CopyOrdinary(char* data, std::size_t size, std::size_t& read, std::size_t& write) {
#if defined(__SSE2__)
    const __m128i limit = _mm_set1_epi8(31);
    const __m128i tab = _mm_set1_epi8('\t');
    while (read + 16 <= size) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + read));
        const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(v, limit), v);
        const unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_andnot_si128(_mm_cmpeq_epi8(v, tab), control)));
        const std::size_t plain = mask == 0 ? 16 : static_cast<std::size_t>(__builtin_ctz(mask));
        if (write != read) std::memmove(data + write, data + read, plain);
        read += plain;
        write += plain;
        if (mask != 0) return;
    }
#endif
    while (read + 8 <= size) {
        std::uint64_t word;
        std::memcpy(&word, data + read, 8);
        if (HasControlByte(word)) return;
        if (write != read) std::memcpy(data + write, &word, 8);
        read += 8;
        write += 8;
    }
}
}  // namespace

std::size_t NormaliseInPlace(char* data, std::size_t size, bool more, std::size_t* length) {
    std::size_t read = 0;
    std::size_t write = 0;
    while (read < size) {
        CopyOrdinary(data, size, read, write);
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

std::string WithPlatformLineEnds(std::string_view stored) {
    std::string out;
    out.reserve(stored.size() + stored.size() / 32);
    for (char c : stored) {
        if (c == '\r')
            out += "\r\n";
        else
            out += c;
    }
    return out;
}

}  // namespace quarry
