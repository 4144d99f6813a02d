#pragma once
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>

namespace quarry {

// The output side of one compressor call. Every short or failed write raises the write message
// at once, so a full disk is never reported as a finished compression.
class CompressorSink final {
public:
    CompressorSink(std::ostream& out, std::string fileName, bool fileMode)
        : out_(out), fileName_(std::move(fileName)), fileMode_(fileMode) {}
    CompressorSink(const CompressorSink&) = delete;  // refers to a stream it does not own
    CompressorSink& operator=(const CompressorSink&) = delete;

    void write(const std::uint8_t* src, std::size_t n);
    // Pushes buffered bytes to the device; a failure there is a write failure too.
    void flush();
    [[noreturn]] void failWrite() const;

    std::uint64_t bytesWritten() const { return bytesWritten_; }

private:
    std::ostream& out_;
    std::string fileName_;
    bool fileMode_;
    std::uint64_t bytesWritten_ = 0;
};

}  // namespace quarry
