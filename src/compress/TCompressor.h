#pragma once
#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace quarry {

enum class CompressionMethod { LZH = 0, KH = 1, Auto = 2 };

// Compresses and decompresses whole streams or files in one of two methods: KH (fast, block by
// block) and LZH (dense, adaptive Huffman). Every stream starts with an 8-byte header: the magic
// "WRZL" (KH) or "!HZL" (LZH) and the original size, 32-bit little-endian.
//
// In stream mode the caller's two streams are read and written from their start; otherwise the
// input file is opened and the output file created by the call. Every failure raises an
// ECompressorException with the compressor's message text; no call reports success after a
// failed read or write, and damaged compressed data never makes a decoder leave its buffers.
class TCompressor final {
public:
    static constexpr int kDefaultAdviseThreshold = 40;
    static constexpr std::uint64_t kAdviseMinimumSize = 98304;

    TCompressor() = default;
    TCompressor(const TCompressor&) = delete;  // holds references to the caller's streams
    TCompressor& operator=(const TCompressor&) = delete;

    const std::string& inputFileName() const { return inputFileName_; }
    void setInputFileName(std::string name) { inputFileName_ = std::move(name); }
    const std::string& outputFileName() const { return outputFileName_; }
    void setOutputFileName(std::string name) { outputFileName_ = std::move(name); }

    bool streamMode() const { return streamMode_; }
    void setStreamMode(bool on) { streamMode_ = on; }
    // The streams of stream mode; the compressor does not own them.
    void setInputStream(std::istream* in) { inputStream_ = in; }
    void setOutputStream(std::ostream* out) { outputStream_ = out; }

    CompressionMethod method() const { return method_; }
    void setMethod(CompressionMethod method) { method_ = method; }
    // Advise picks KH when its samples compress below this percentage of their size.
    int adviseThreshold() const { return adviseThreshold_; }
    void setAdviseThreshold(int percent) { adviseThreshold_ = percent; }

    // Compresses the whole input and returns the bytes written, header included. With the
    // method Auto, Advise chooses for this call and the method stays Auto.
    std::uint64_t Compress();
    // Decompresses with the method the header's magic names; returns the bytes produced.
    std::uint64_t Decompress();
    // 1 when KH is the better choice for the input, else 0. Inputs below 98,304 bytes get 0 (and
    // the method becomes LZH) without sampling; otherwise 32,768 bytes at one and at two thirds
    // of the input are KH-compressed. The input position is left where it was.
    int Advise();

    // In-memory forms for callers that hold the bytes already (the parser repository).
    static std::string CompressBytes(std::string_view input, CompressionMethod method = CompressionMethod::KH);
    static std::string DecompressBytes(std::string_view compressed);

private:
    int adviseSample(std::istream& in, std::uint64_t size);

    std::string inputFileName_;
    std::string outputFileName_;
    bool streamMode_ = false;
    std::istream* inputStream_ = nullptr;
    std::ostream* outputStream_ = nullptr;
    CompressionMethod method_ = CompressionMethod::KH;
    int adviseThreshold_ = kDefaultAdviseThreshold;
};

}  // namespace quarry
