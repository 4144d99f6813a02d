#include "text/EncodingDetector.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "text/Utf8.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QUARRY_UTF8_SIMD 1
#endif

namespace quarry {

namespace {

// Validation as a shift automaton: each state is a bit offset (a multiple of 6) and row[b] holds,
// at every state's offset, the offset of the state byte b leads to, so one step is a load that
// does not wait for the state and a shift. Accept is 0; reject leads only to itself.
enum State : unsigned { kAccept = 0, kReject = 6, kNeed1 = 12, kNeed2 = 18, kAfterE0 = 24, kAfterED = 30,
                        kNeed3 = 36, kAfterF0 = 42, kAfterF4 = 48 };

std::array<std::uint64_t, 256> MakeRows()
{
    std::array<std::uint64_t, 256> rows{};
    const auto next = [](unsigned state, unsigned b) -> unsigned {
        const bool cont = b >= 0x80 && b <= 0xBF;
        switch (state) {
        case kAccept:
            if (b < 0x80) return kAccept;
            if (b >= 0xC2 && b <= 0xDF) return kNeed1;
            if (b == 0xE0) return kAfterE0;
            if (b == 0xED) return kAfterED;
            if (b >= 0xE1 && b <= 0xEF) return kNeed2;
            if (b == 0xF0) return kAfterF0;
            if (b == 0xF4) return kAfterF4;
            if (b >= 0xF1 && b <= 0xF3) return kNeed3;
            return kReject;
        case kNeed1: return cont ? kAccept : kReject;
        case kNeed2: return cont ? kNeed1 : kReject;
        case kNeed3: return cont ? kNeed2 : kReject;
        case kAfterE0: return b >= 0xA0 && b <= 0xBF ? kNeed1 : kReject;
        case kAfterED: return b >= 0x80 && b <= 0x9F ? kNeed1 : kReject;
        case kAfterF0: return b >= 0x90 && b <= 0xBF ? kNeed2 : kReject;
        case kAfterF4: return b >= 0x80 && b <= 0x8F ? kNeed2 : kReject;
        default: return kReject;
        }
    };
    for (unsigned b = 0; b < 256; ++b)
        for (unsigned state : {kAccept, kReject, kNeed1, kNeed2, kAfterE0, kAfterED, kNeed3, kAfterF0, kAfterF4})
            rows[b] |= static_cast<std::uint64_t>(next(state, b)) << state;
    return rows;
}

const std::array<std::uint64_t, 256> kRows = MakeRows();

// Bit i set when byte i of the sixteen at p is not ASCII.
unsigned HighBits16(const unsigned char* p)
{
#if defined(QUARRY_UTF8_SIMD)
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))));
#else
    unsigned bits = 0;
    for (int i = 0; i < 16; ++i)
        bits |= static_cast<unsigned>(p[i] >> 7) << i;
    return bits;
#endif
}

#if defined(QUARRY_UTF8_SIMD)
// Sixteen bytes at a time with byte shuffles (Keiser and Lemire's table method): each byte is
// judged by the high and low nibble of the byte before it and its own high nibble, which flags
// every malformed pair; the third and fourth bytes of long sequences are checked by where the
// lead stood. Text in any language costs about the same as ASCII.
namespace simd {

constexpr std::uint8_t kTooShort = 1 << 0;
constexpr std::uint8_t kTooLong = 1 << 1;
constexpr std::uint8_t kOverlong3 = 1 << 2;
constexpr std::uint8_t kTooLarge = 1 << 3;
constexpr std::uint8_t kSurrogate = 1 << 4;
constexpr std::uint8_t kOverlong2 = 1 << 5;
constexpr std::uint8_t kTooLarge1000 = 1 << 6;
constexpr std::uint8_t kOverlong4 = 1 << 6;
constexpr std::uint8_t kTwoConts = 1 << 7;
constexpr std::uint8_t kCarry = kTooShort | kTooLong | kTwoConts;

__attribute__((target("ssse3"))) inline __m128i Table(const std::uint8_t (&t)[16])
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(t));
}

__attribute__((target("ssse3"))) inline __m128i HighNibble(__m128i v)
{
    return _mm_and_si128(_mm_srli_epi16(v, 4), _mm_set1_epi8(0x0F));
}

// Flags the malformed bytes of `input` given the sixteen bytes before it.
__attribute__((target("ssse3"))) inline __m128i BlockErrors(__m128i input, __m128i previous)
{
    static constexpr std::uint8_t kByte1High[16] = {
        kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong,
        kTwoConts, kTwoConts, kTwoConts, kTwoConts,
        kTooShort | kOverlong2,
        kTooShort,
        kTooShort | kOverlong3 | kSurrogate,
        kTooShort | kTooLarge | kTooLarge1000 | kOverlong4};
    static constexpr std::uint8_t kByte1Low[16] = {
        kCarry | kOverlong3 | kOverlong2 | kOverlong4,
        kCarry | kOverlong2,
        kCarry,
        kCarry,
        kCarry | kTooLarge,
        kCarry | kTooLarge | kTooLarge1000,
        kCarry | kTooLarge | kTooLarge1000,
        kCarry | kTooLarge | kTooLarge1000,
        kCarry | kTooLarge | kTooLarge1000,
        kCarry | kTooLarge | kTooLarge1000,
        kCarry | kTooLarge | kTooLarge1000,
        kCarry | kTooLarge | kTooLarge1000,
        kCarry | kTooLarge | kTooLarge1000,
        kCarry | kTooLarge | kTooLarge1000 | kSurrogate,
        kCarry | kTooLarge | kTooLarge1000,
        kCarry | kTooLarge | kTooLarge1000};
    static constexpr std::uint8_t kByte2High[16] = {
        kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort,
        kTooLong | kOverlong2 | kTwoConts | kOverlong3 | kTooLarge1000 | kOverlong4,
        kTooLong | kOverlong2 | kTwoConts | kOverlong3 | kTooLarge,
        kTooLong | kOverlong2 | kTwoConts | kSurrogate | kTooLarge,
        kTooLong | kOverlong2 | kTwoConts | kSurrogate | kTooLarge,
        kTooShort, kTooShort, kTooShort, kTooShort};
    const __m128i prev1 = _mm_alignr_epi8(input, previous, 15);
    const __m128i special = _mm_and_si128(
        _mm_and_si128(_mm_shuffle_epi8(Table(kByte1High), HighNibble(prev1)),
                      _mm_shuffle_epi8(Table(kByte1Low), _mm_and_si128(prev1, _mm_set1_epi8(0x0F)))),
        _mm_shuffle_epi8(Table(kByte2High), HighNibble(input)));
    // Bytes two or three after a three- or four-byte lead must be continuations.
    const __m128i prev2 = _mm_alignr_epi8(input, previous, 14);
    const __m128i prev3 = _mm_alignr_epi8(input, previous, 13);
    const __m128i third = _mm_subs_epu8(prev2, _mm_set1_epi8(static_cast<char>(0xE0 - 0x80)));
    const __m128i fourth = _mm_subs_epu8(prev3, _mm_set1_epi8(static_cast<char>(0xF0 - 0x80)));
    const __m128i must23 = _mm_and_si128(_mm_or_si128(third, fourth), _mm_set1_epi8(static_cast<char>(0x80)));
    return _mm_xor_si128(must23, special);
}

// Non-zero where the block ends inside a sequence (a lead in its last three bytes that needs
// more than are left).
__attribute__((target("ssse3"))) inline __m128i Incomplete(__m128i input)
{
    const __m128i max = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                      static_cast<char>(0xF0 - 1), static_cast<char>(0xE0 - 1), static_cast<char>(0xC0 - 1));
    return _mm_subs_epu8(input, max);
}

}  // namespace simd

bool HasSsse3()
{
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}
#endif

}  // namespace

EncodingDetector::EncodingDetector(Method method)
{
#if defined(QUARRY_UTF8_SIMD)
    blocks_ = method == Method::Fastest && HasSsse3();
#else
    (void)method;
#endif
}

void EncodingDetector::Feed(std::string_view bytes)
{
    if (headLength_ < static_cast<std::int32_t>(Utf8::kBomLength)) {
        const auto take = std::min<std::size_t>(bytes.size(), Utf8::kBomLength - static_cast<std::size_t>(headLength_));
        std::memcpy(head_.data() + headLength_, bytes.data(), take);
        headLength_ += static_cast<std::int32_t>(take);
        if (headLength_ == static_cast<std::int32_t>(Utf8::kBomLength) &&
            std::string_view(head_.data(), Utf8::kBomLength) == std::string_view(Utf8::kBom, Utf8::kBomLength))
            bom_ = true;
    }
    if (Settled())
        return;
#if defined(QUARRY_UTF8_SIMD)
    if (blocks_) {
        FeedBlocks(bytes);
        return;
    }
#endif
    FeedBytes(bytes);
}

#if defined(QUARRY_UTF8_SIMD)
__attribute__((target("ssse3"))) void EncodingDetector::FeedBlocks(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    __m128i previous = _mm_loadu_si128(reinterpret_cast<const __m128i*>(previous_.data()));
    __m128i errors = _mm_setzero_si128();
    bool incomplete = incomplete_;
    const auto block = [&](const unsigned char* at) __attribute__((always_inline)) {
        const __m128i input = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        if (_mm_movemask_epi8(input) == 0) {
            // ASCII: only a sequence left open before it is wrong.
            if (incomplete)
                errors = _mm_set1_epi8(1);
        } else {
            multiByte_ = true;
            errors = _mm_or_si128(errors, simd::BlockErrors(input, previous));
            incomplete = _mm_movemask_epi8(_mm_cmpeq_epi8(simd::Incomplete(input), _mm_setzero_si128())) != 0xFFFF;
        }
        previous = input;
    };
    if (carryLength_ > 0) {
        const auto take = std::min<std::size_t>(16 - static_cast<std::size_t>(carryLength_), bytes.size());
        std::memcpy(carry_.data() + carryLength_, p, take);
        carryLength_ += static_cast<std::int32_t>(take);
        p += take;
        if (carryLength_ == 16) {
            block(carry_.data());
            carryLength_ = 0;
        }
    }
    while (end - p >= 64) {
        // Four blocks of ASCII at once: after the first byte beyond ASCII of a text, most of
        // it is still plain.
        const auto at = [p](int k) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k)); };
        const __m128i last = at(3);
        if (!incomplete && _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(at(0), at(1)), _mm_or_si128(at(2), last))) == 0) {
            previous = last;
            p += 64;
            continue;
        }
        for (int k = 0; k < 4; ++k, p += 16)
            block(p);
    }
    for (; end - p >= 16; p += 16)
        block(p);
    if (p < end) {
        std::memcpy(carry_.data() + carryLength_, p, static_cast<std::size_t>(end - p));
        carryLength_ += static_cast<std::int32_t>(end - p);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(previous_.data()), previous);
    incomplete_ = incomplete;
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(errors, _mm_setzero_si128())) != 0xFFFF)
        invalid_ = true;
}

// The bytes not yet judged, padded with ASCII: a sequence cut by the end of the text fails.
__attribute__((target("ssse3"))) bool EncodingDetector::TailValid() const
{
    if (carryLength_ == 0)
        return !incomplete_;
    std::array<unsigned char, 16> padded{};
    std::memcpy(padded.data(), carry_.data(), static_cast<std::size_t>(carryLength_));
    const __m128i input = _mm_loadu_si128(reinterpret_cast<const __m128i*>(padded.data()));
    const __m128i previous = _mm_loadu_si128(reinterpret_cast<const __m128i*>(previous_.data()));
    const __m128i errors = simd::BlockErrors(input, previous);
    return _mm_movemask_epi8(_mm_cmpeq_epi8(errors, _mm_setzero_si128())) == 0xFFFF;
}
#endif

void EncodingDetector::FeedBytes(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    std::uint64_t state = state_;
    while (p < end) {
        if (state == kAccept) {
            // Plain ASCII sixteen bytes at a time (most source text is little else), then
            // straight to the first byte that is not.
            while (end - p >= 16) {
                const unsigned high = HighBits16(p);
                if (high != 0) {
                    p += __builtin_ctz(high);
                    break;
                }
                p += 16;
            }
            while (p < end && *p < 0x80)
                ++p;
            if (p >= end)
                break;
            multiByte_ = true;
        }
        // Sixteen steps of the automaton, then look again whether ASCII follows.
        const unsigned char* stop = p + std::min<std::ptrdiff_t>(16, end - p);
        for (; p < stop; ++p)
            state = (kRows[*p] >> state) & 63;
        if (state == kReject) {
            invalid_ = true;
            break;
        }
    }
    state_ = static_cast<std::uint8_t>(state);
}

TextEncoding EncodingDetector::Result() const
{
    if (bom_)
        return TextEncoding::Utf8;
    if (invalid_)
        return TextEncoding::Windows1252;
    bool complete = state_ == kAccept;  // a sequence still open at the end was cut off
    bool multiByte = multiByte_;
#if defined(QUARRY_UTF8_SIMD)
    if (blocks_) {
        complete = TailValid();
        for (std::int32_t i = 0; i < carryLength_; ++i)
            multiByte = multiByte || carry_[static_cast<std::size_t>(i)] >= 0x80;
    }
#endif
    return complete && multiByte ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

}  // namespace quarry
