#include "text/EncodingDetector.h"

#include <algorithm>
#include <cstring>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "text/Utf8.h"

namespace quarry {

void EncodingDetector::Feed(std::string_view bytes) {
    if (headLength_ < static_cast<std::int32_t>(Utf8::kBomLength)) {
        const auto take = std::min<std::size_t>(bytes.size(), Utf8::kBomLength - static_cast<std::size_t>(headLength_));
        std::memcpy(head_.data() + headLength_, bytes.data(), take);
        headLength_ += static_cast<std::int32_t>(take);
        if (headLength_ == static_cast<std::int32_t>(Utf8::kBomLength) &&
            std::string_view(head_.data(), Utf8::kBomLength) == std::string_view(Utf8::kBom, Utf8::kBomLength))
            bom_ = true;
    }
    if (Settled()) return;
    if (pendingLength_ > 0) {
        // Finish the sequence the last piece began: at most three more bytes decide it.
        std::string joined(pending_.data(), static_cast<std::size_t>(pendingLength_));
        joined.append(bytes.substr(0, 3));
        const Utf8::Decoded d = Utf8::Decode(joined, 0);
        if (d.truncated) {
            // Still cut: the new piece was shorter than the rest of the sequence.
            std::memcpy(pending_.data(), joined.data(), joined.size());
            pendingLength_ = static_cast<std::int32_t>(joined.size());
            return;
        }
        if (!d.valid) {
            invalid_ = true;
            return;
        }
        multiByte_ = true;
        bytes.remove_prefix(static_cast<std::size_t>(d.length - pendingLength_));
        pendingLength_ = 0;
    }
    FeedValidating(bytes);
}

namespace {

bool IsAscii16(const unsigned char* p)
{
#if defined(__SSE2__)
    return _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))) == 0;
#else
    std::uint64_t a, b;
    std::memcpy(&a, p, 8);
    std::memcpy(&b, p + 8, 8);
    return ((a | b) & 0x8080808080808080ull) == 0;
#endif
}

// The length of the well-formed sequence at p (lead byte from 0x80 on): 0 when it is malformed,
// -1 when it is well formed as far as it goes but runs past end.
int SequenceAt(const unsigned char* p, const unsigned char* end)
{
    const unsigned char lead = p[0];
    int need;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    for (int i = 1; i <= need; ++i) {
        if (p + i >= end) return -1;
        if (p[i] < low || p[i] > high) return 0;
        low = 0x80;
        high = 0xBF;
    }
    return need + 1;
}

}  // namespace

void EncodingDetector::FeedValidating(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        // Plain ASCII sixteen bytes at a time: most source text is little else.
        while (end - p >= 16 && IsAscii16(p)) p += 16;
        while (p < end && *p < 0x80) ++p;
        if (p >= end) break;
        const int length = SequenceAt(p, end);
        if (length < 0) {
            pendingLength_ = static_cast<std::int32_t>(end - p);
            std::memcpy(pending_.data(), p, static_cast<std::size_t>(end - p));
            return;
        }
        if (length == 0) {
            invalid_ = true;
            return;
        }
        multiByte_ = true;
        p += length;
    }
}

TextEncoding EncodingDetector::Result() const {
    if (bom_) return TextEncoding::Utf8;
    return !invalid_ && multiByte_ && pendingLength_ == 0 ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

}  // namespace quarry
