#pragma once
#include "compress/CompressorMessages.h"

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>

namespace quarry {

// The input side of one compressor call: a caller's stream or a file the call opened. It turns
// stream failures and early ends into the compressor's messages, which name the file in file mode.
class CompressorSource final {
public:
    CompressorSource(std::istream& in, std::string fileName, bool fileMode)
        : in_(in), fileName_(std::move(fileName)), fileMode_(fileMode) {}
    CompressorSource(const CompressorSource&) = delete;  // refers to a stream it does not own
    CompressorSource& operator=(const CompressorSource&) = delete;

    // Reads up to n bytes and returns how many arrived; fewer than n only at the end of the input.
    std::size_t read(std::uint8_t* dst, std::size_t n, ReadContext context);
    // Reads exactly n bytes; an early end is a read failure of the context.
    void readExact(std::uint8_t* dst, std::size_t n, ReadContext context);
    [[noreturn]] void failRead(ReadContext context) const;

    std::uint64_t bytesRead() const { return bytesRead_; }

private:
    std::istream& in_;
    std::string fileName_;
    bool fileMode_;
    std::uint64_t bytesRead_ = 0;
};

}  // namespace quarry
