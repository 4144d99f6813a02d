#pragma once
#include <cstddef>
#include <cstdint>

namespace quarry {

class CompressorSource;
class CompressorSink;

// Decodes LZH method data until `size` bytes have been produced. The history is a 4,096-byte
// ring whose first 4,036 bytes start as blanks, so a stream may copy blanks it never wrote. A
// copy from further back than that, a copy past the expected size, data that ends early, or
// whole bytes left over once the size is reached (a size that lies low) raise an
// ECompressorException; nothing is read or written outside the ring or the buffers.
class LzhDecoder final {
public:
    // inBuffer and outBuffer are the caller's I/O buffers of `bufferSize` bytes each.
    static std::uint64_t decode(CompressorSource& in, std::uint64_t size, CompressorSink& out,
                                std::uint8_t* inBuffer, std::uint8_t* outBuffer, std::size_t bufferSize);
};

}  // namespace quarry
