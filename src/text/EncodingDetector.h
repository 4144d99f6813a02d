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
    // Sixteen bytes at a time where the processor allows, or always byte by byte (the fallback,
    // chosen here so that tests reach it on any machine).
    enum class Method { Fastest, ByteByByte };
    explicit EncodingDetector(Method method = Method::Fastest);

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
    // Sixteen bytes at a time where the processor has byte shuffles, else byte by byte.
    void FeedBlocks(std::string_view bytes);
    void FeedBytes(std::string_view bytes);
    bool TailValid() const;

    bool blocks_ = false;
    std::array<char, 4> head_{};      // the first bytes, for the byte-order mark
    std::int32_t headLength_ = 0;
    std::uint8_t state_ = 0;          // of the byte automaton; a sequence may span pieces
    // Of the block method: the last block judged, whether it ended inside a sequence, and the
    // bytes of a block not complete yet.
    std::array<unsigned char, 16> previous_{};
    bool incomplete_ = false;
    std::array<unsigned char, 16> carry_{};
    std::int32_t carryLength_ = 0;
    bool bom_ = false;
    bool invalid_ = false;
    bool multiByte_ = false;
};

}  // namespace quarry
