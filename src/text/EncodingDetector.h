#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "text/TextEncoding.h"

namespace quarry {

// Decides a file's encoding from its bytes as they are read, in pieces of any size: UTF-8 when
// the bytes start with the byte-order mark, or when they are all well-formed UTF-8 and hold at
// least one multi-byte sequence; Windows-1252 otherwise. A sequence cut by the end of a piece
// is finished with the next one; cut by the end of the file it makes the file Windows-1252.
// Once the bytes are known not to be UTF-8 the rest is not looked at.
class EncodingDetector final {
public:
    void Feed(std::string_view bytes);
    // After the last piece.
    TextEncoding Result() const;
    bool HasBom() const { return bom_; }
    // True when further bytes cannot change the result.
    bool Settled() const { return invalid_ || bom_; }

    static TextEncoding Detect(std::string_view bytes) {
        EncodingDetector detector;
        detector.Feed(bytes);
        return detector.Result();
    }

private:
    void FeedValidating(std::string_view bytes);

    std::array<char, 4> head_{};      // the first bytes, for the byte-order mark
    std::int32_t headLength_ = 0;
    std::array<char, 4> pending_{};   // a sequence begun at the end of the last piece
    std::int32_t pendingLength_ = 0;
    bool bom_ = false;
    bool invalid_ = false;
    bool multiByte_ = false;
};

}  // namespace quarry
