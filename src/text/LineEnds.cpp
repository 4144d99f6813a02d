#include "text/LineEnds.h"

#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quarry {

namespace {
// True when one of the eight bytes equals the byte repeated in `pattern`.
inline bool HasByte(std::uint64_t word, std::uint64_t pattern) {
    const std::uint64_t x = word ^ pattern;
    return ((x - 0x0101010101010101ull) & ~x & 0x8080808080808080ull) != 0;
}

// Copies bytes from read to write until the next CR or LF, sixteen at a time where the
// processor allows: loading a large file spends most of its time here.
inline void CopyOrdinary(char* data, std::size_t size, std::size_t& read, std::size_t& write) {
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (read + 16 <= size) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + read));
        const unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))));
        const std::size_t plain = mask == 0 ? 16 : static_cast<std::size_t>(__builtin_ctz(mask));
        if (write != read) std::memmove(data + write, data + read, plain);
        read += plain;
        write += plain;
        if (mask != 0) return;
    }
#endif
    constexpr std::uint64_t kCRs = 0x0D0D0D0D0D0D0D0Dull;
    constexpr std::uint64_t kLFs = 0x0A0A0A0A0A0A0A0Aull;
    while (read + 8 <= size) {
        std::uint64_t word;
        std::memcpy(&word, data + read, 8);
        if (HasByte(word, kCRs) || HasByte(word, kLFs)) return;
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
        if (c != '\r' && c != '\n') {
            data[write++] = c;
            ++read;
            continue;
        }
        if (read + 1 == size && more) break;  // its partner may come with the next input
        const char partner = c == '\r' ? '\n' : '\r';
        data[write++] = '\r';
        read += (read + 1 < size && data[read + 1] == partner) ? 2 : 1;
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
