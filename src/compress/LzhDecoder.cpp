#include "compress/LzhDecoder.h"

#include "compress/CompressorMessages.h"
#include "compress/CompressorSink.h"
#include "compress/CompressorSource.h"
#include "compress/ECompressorException.h"
#include "compress/LzhBitReader.h"
#include "compress/LzhFormat.h"
#include "compress/LzhHuffmanTree.h"
#include "compress/LzhPositionCode.h"

#include <algorithm>
#include <array>
#include <memory>

namespace quarry {

namespace {

[[noreturn]] void failDamaged()
{
    throw ECompressorException(compressorText(CompressorMessage::SizeMismatchLzh));
}

// The output side: the history ring plus the caller's buffer that batches writes to the sink.
// invariant: ring_[(kBlankPrefix + produced_ - 1) % kRingSize] is the last byte produced.
class History {
public:
    History(CompressorSink& sink, std::uint8_t* buffer, std::size_t capacity)
        : sink_(sink), buffer_(buffer), capacity_(capacity)
    {
        ring_.fill(0);
        std::fill_n(ring_.begin(), lzh::kBlankPrefix, lzh::kBlank);
    }

    std::uint64_t produced() const { return produced_; }

    void put(std::uint8_t byte)
    {
        ring_[(lzh::kBlankPrefix + produced_) & (lzh::kRingSize - 1)] = byte;
        ++produced_;
        if (used_ == capacity_)
            flush();
        buffer_[used_++] = byte;
    }

    // Copies from `distance` bytes back (1..4096); may overlap what it writes.
    void copy(std::size_t distance, std::size_t length)
    {
        // Blanks before the first byte are part of the history; bytes before them are not.
        if (distance > lzh::kBlankPrefix + produced_)
            failDamaged();
        std::uint64_t from = lzh::kBlankPrefix + produced_ - distance;
        for (std::size_t i = 0; i < length; ++i, ++from)
            put(ring_[from & (lzh::kRingSize - 1)]);
    }

    void flush()
    {
        sink_.write(buffer_, used_);
        used_ = 0;
    }

private:
    CompressorSink& sink_;
    std::uint8_t* buffer_;
    std::size_t capacity_;
    std::size_t used_ = 0;
    std::uint64_t produced_ = 0;
    std::array<std::uint8_t, lzh::kRingSize> ring_{};
};

}  // namespace

std::uint64_t LzhDecoder::decode(CompressorSource& in, std::uint64_t size, CompressorSink& out,
                                 std::uint8_t* inBuffer, std::uint8_t* outBuffer, std::size_t bufferSize)
{
    LzhBitReader bits(in, inBuffer, bufferSize);
    auto tree = std::make_unique<LzhHuffmanTree>();
    auto history = std::make_unique<History>(out, outBuffer, bufferSize);
    const auto& positions = LzhPositionCode::instance();
    while (history->produced() < size) {
        const int symbol = tree->decode(bits);
        if (symbol < 256) {
            if (bits.overrun())
                in.failRead(ReadContext::Lzh);
            history->put(static_cast<std::uint8_t>(symbol));
            continue;
        }
        const std::size_t length = static_cast<std::size_t>(symbol - lzh::kLengthBias);
        const auto code = positions.decode(bits.peekByte());
        bits.skip(code.length);
        const std::size_t position = (std::size_t{code.upper} << 6) | bits.bits(6);
        if (bits.overrun())
            in.failRead(ReadContext::Lzh);
        if (length > size - history->produced())
            failDamaged();
        history->copy(position + 1, length);
    }
    // The data ends with the byte that holds its last bit; more means the size was cut down.
    if (bits.wholeByteLeft())
        failDamaged();
    history->flush();
    return history->produced();
}

}  // namespace quarry
