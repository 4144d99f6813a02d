#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace quarry {

class CompressorSource;
class CompressorSink;

// The fast KH method: every 32,768-byte piece of the input becomes one block of its own (no
// history crosses a block), framed by a 16-bit little-endian body length.
//
// Body: 0x80 then the piece stored as it is, or 0x40 then groups of a big-endian control word
// and up to 16 items, read from the top bit down: clear = one literal byte; set = a copy
// (b0 b1: offset b0*16 + b1>>4 back, length (b1 & 15) + 3) or, when that offset is 0, a run
// (0 h l c: byte c, (h*256 + l) + 16 times).
//
// The encoder is deliberately simple, one hash probe per item, so that it runs at memory-like
// speed; the decoder checks every item against the body and the piece bounds because stored
// streams come from files that anyone can edit.
class KhCodec final {
public:
    static constexpr std::size_t kPieceSize = 32768;
    // An I/O buffer: a piece plus room for the item that pushes a body past its piece.
    static constexpr std::size_t kBufferSize = 32784;
    static constexpr std::uint8_t kCompressedTag = 0x40;
    static constexpr std::uint8_t kStoredTag = 0x80;

    KhCodec();  // raises the hash-table message when its table cannot be had
    KhCodec(const KhCodec&) = delete;  // owns a large table; one per call is enough
    KhCodec& operator=(const KhCodec&) = delete;

    // Compresses one piece of n <= kPieceSize bytes into body (kBufferSize bytes) and returns
    // the body length; a piece that would grow is stored.
    std::size_t compressPiece(const std::uint8_t* piece, std::size_t n, std::uint8_t* body);

    // Decodes a body of length bodyLength into out (kBufferSize bytes) and returns the piece
    // size, at most kPieceSize. A damaged body raises the KH size message.
    static std::size_t decompressBlock(const std::uint8_t* body, std::size_t bodyLength, std::uint8_t* out);

    // Whole-stream forms: size bytes of input become the block sequence, and back. Both use the
    // caller's two I/O buffers of kBufferSize bytes.
    void compress(CompressorSource& in, std::uint64_t size, CompressorSink& out, std::uint8_t* inBuffer,
                  std::uint8_t* outBuffer);
    static std::uint64_t decompress(CompressorSource& in, std::uint64_t size, CompressorSink& out,
                                    std::uint8_t* inBuffer, std::uint8_t* outBuffer);

private:
    static constexpr std::uint16_t kUnset = 0xFFFF;
    // Last position (within the current piece) seen for each hash of three bytes.
    std::unique_ptr<std::array<std::uint16_t, 4096>> positions_;
};

}  // namespace quarry
