#include "text/EncodingDetector.h"

#include <algorithm>
#include <cstring>
#include <string>

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

void EncodingDetector::FeedValidating(std::string_view bytes) {
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        // Plain ASCII eight bytes at a time: most source text is little else.
        while (i + 8 <= size) {
            std::uint64_t word;
            std::memcpy(&word, bytes.data() + i, 8);
            if (word & 0x8080808080808080ull) break;
            i += 8;
        }
        if (i >= size) break;
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const Utf8::Decoded d = Utf8::Decode(bytes, i);
        if (d.truncated) {
            pendingLength_ = static_cast<std::int32_t>(size - i);
            std::memcpy(pending_.data(), bytes.data() + i, size - i);
            return;
        }
        if (!d.valid) {
            invalid_ = true;
            return;
        }
        multiByte_ = true;
        i += static_cast<std::size_t>(d.length);
    }
}

TextEncoding EncodingDetector::Result() const {
    if (bom_) return TextEncoding::Utf8;
    return !invalid_ && multiByte_ && pendingLength_ == 0 ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

}  // namespace quarry
