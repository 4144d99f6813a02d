#pragma once
#include "compress/CompressorSource.h"

#include <cstddef>
#include <cstdint>

namespace quarry {

// Reads bits most significant first from a source through the caller's I/O buffer. Past the end
// of the input it supplies zero bits, as the last byte of a stream is padded; `overrun` tells
// whether any of those invented bits was consumed, which means the stream was cut short.
class LzhBitReader final {
public:
    LzhBitReader(CompressorSource& source, std::uint8_t* buffer, std::size_t capacity)
        : source_(source), buffer_(buffer), capacity_(capacity) {}
    LzhBitReader(const LzhBitReader&) = delete;  // shares the caller's buffer
    LzhBitReader& operator=(const LzhBitReader&) = delete;

    unsigned bit()
    {
        if (count_ == 0)
            refill();
        const auto b = static_cast<unsigned>(window_ >> 63);
        window_ <<= 1;
        --count_;
        return b;
    }

    // The next `n` bits (n <= 32) as a number, first bit highest.
    std::uint32_t bits(unsigned n)
    {
        if (count_ < n)
            refill();
        const auto value = static_cast<std::uint32_t>(window_ >> (64 - n));
        window_ <<= n;
        count_ -= n;
        return value;
    }

    // The next 8 bits without consuming them.
    unsigned peekByte()
    {
        if (count_ < 8)
            refill();
        return static_cast<unsigned>(window_ >> 56);
    }

    void skip(unsigned n)
    {
        if (count_ < n)
            refill();
        window_ <<= n;
        count_ -= n;
    }

    bool overrun() const { return count_ < inventedBits_; }

    // Whether the input holds a whole byte beyond the one that the last bit read came from.
    bool wholeByteLeft();

private:
    void refill();

    CompressorSource& source_;
    std::uint8_t* buffer_;
    std::size_t capacity_;
    std::size_t next_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    // invariant: the top count_ bits of window_ are the unread bits; the last inventedBits_ of
    // them are zero padding added after the input ended.
    std::uint64_t window_ = 0;
    unsigned count_ = 0;
    unsigned inventedBits_ = 0;
};

}  // namespace quarry
