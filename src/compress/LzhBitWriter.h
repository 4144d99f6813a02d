#pragma once
#include "compress/CompressorSink.h"

#include <cstddef>
#include <cstdint>

namespace quarry {

// Writes codes most significant bit first into the caller's I/O buffer and hands full buffers
// to the sink. The last byte is padded with zero bits.
class LzhBitWriter final {
public:
    LzhBitWriter(CompressorSink& sink, std::uint8_t* buffer, std::size_t capacity)
        : sink_(sink), buffer_(buffer), capacity_(capacity) {}
    LzhBitWriter(const LzhBitWriter&) = delete;  // shares the caller's buffer
    LzhBitWriter& operator=(const LzhBitWriter&) = delete;

    // Appends the low `count` bits of `bits` (count <= 32), the highest of them first.
    void put(std::uint32_t bits, unsigned count)
    {
        pending_ = (pending_ << count) | (bits & ((std::uint64_t{1} << count) - 1));
        pendingCount_ += count;
        while (pendingCount_ >= 8) {
            pendingCount_ -= 8;
            putByte(static_cast<std::uint8_t>(pending_ >> pendingCount_));
        }
    }

    void finish()
    {
        if (pendingCount_ > 0)
            putByte(static_cast<std::uint8_t>(pending_ << (8 - pendingCount_)));
        pendingCount_ = 0;
        sink_.write(buffer_, used_);
        used_ = 0;
    }

private:
    void putByte(std::uint8_t byte)
    {
        if (used_ == capacity_) {
            sink_.write(buffer_, used_);
            used_ = 0;
        }
        buffer_[used_++] = byte;
    }

    CompressorSink& sink_;
    std::uint8_t* buffer_;
    std::size_t capacity_;
    std::size_t used_ = 0;
    // invariant: pendingCount_ < 8 between calls; only its low pendingCount_ bits matter.
    std::uint64_t pending_ = 0;
    unsigned pendingCount_ = 0;
};

}  // namespace quarry
