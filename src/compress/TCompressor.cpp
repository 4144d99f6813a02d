#include "compress/TCompressor.h"

#include "compress/CompressorMessages.h"
#include "compress/CompressorSink.h"
#include "compress/CompressorSource.h"
#include "compress/ECompressorException.h"
#include "compress/KhCodec.h"
#include "compress/LzhDecoder.h"
#include "compress/LzhEncoder.h"
#include "platform/SafeFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>

namespace quarry {

namespace {

constexpr std::array<std::uint8_t, 4> kMagicKh{'W', 'R', 'Z', 'L'};
constexpr std::array<std::uint8_t, 4> kMagicLzh{'!', 'H', 'Z', 'L'};
constexpr std::size_t kHeaderSize = 8;
constexpr std::uint64_t kLargestSize = 0xFFFFFFFFu;
constexpr std::size_t kBufferSize = KhCodec::kBufferSize;

[[noreturn]] void fail(CompressorMessage id, const std::string& fileName = {})
{
    throw ECompressorException(compressorText(id) + fileName);
}

// The two I/O blocks of one call, released when the call ends however it ends.
struct IoBuffers {
    std::unique_ptr<std::uint8_t[]> in;
    std::unique_ptr<std::uint8_t[]> out;
};

IoBuffers obtainBuffers(CompressorMessage onFailure)
{
    try {
        // Not zeroed: every byte is written before it is read, and zeroing costs per call.
        return {std::make_unique_for_overwrite<std::uint8_t[]>(kBufferSize),
                std::make_unique_for_overwrite<std::uint8_t[]>(kBufferSize)};
    } catch (const std::bad_alloc&) {
        fail(onFailure);
    }
}

// The size of a seekable stream, which is left at its start; nothing on failure.
bool measure(std::istream& in, std::uint64_t& size)
{
    in.clear();
    const auto end = in.seekg(0, std::ios::end).tellg();
    if (!in || end < 0)
        return false;
    size = static_cast<std::uint64_t>(end);
    return static_cast<bool>(in.seekg(0));
}

// A read-only, seekable view of bytes the caller keeps alive.
class MemoryInput final : public std::streambuf {
public:
    explicit MemoryInput(std::string_view bytes)
    {
        char* first = const_cast<char*>(bytes.data());  // never written: no put area, no putback
        setg(first, first, first + bytes.size());
    }

protected:
    pos_type seekoff(off_type offset, std::ios_base::seekdir dir, std::ios_base::openmode which) override
    {
        if (!(which & std::ios_base::in))
            return pos_type(off_type(-1));
        const off_type size = egptr() - eback();
        const off_type origin = dir == std::ios_base::beg ? 0 : dir == std::ios_base::cur ? gptr() - eback() : size;
        const off_type target = origin + offset;
        if (target < 0 || target > size)
            return pos_type(off_type(-1));
        setg(eback(), eback() + target, egptr());
        return pos_type(target);
    }
    pos_type seekpos(pos_type position, std::ios_base::openmode which) override
    {
        return seekoff(off_type(position), std::ios_base::beg, which);
    }
};

// A seekable output that grows a string; std::ostringstream grows too slowly for large results.
// invariant: cursor_ <= bytes_.size().
class MemoryOutput final : public std::streambuf {
public:
    std::string take() { return std::move(bytes_); }
    void reserve(std::size_t n) { bytes_.reserve(n); }

protected:
    std::streamsize xsputn(const char* data, std::streamsize count) override
    {
        const auto n = static_cast<std::size_t>(count);
        const std::size_t overwrite = std::min(n, bytes_.size() - cursor_);
        bytes_.replace(cursor_, overwrite, data, overwrite);
        bytes_.append(data + overwrite, n - overwrite);
        cursor_ += n;
        return count;
    }
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        const char byte = traits_type::to_char_type(c);
        xsputn(&byte, 1);
        return c;
    }
    pos_type seekoff(off_type offset, std::ios_base::seekdir dir, std::ios_base::openmode which) override
    {
        if (!(which & std::ios_base::out))
            return pos_type(off_type(-1));
        const auto size = static_cast<off_type>(bytes_.size());
        const off_type origin = dir == std::ios_base::beg ? 0 : dir == std::ios_base::cur ? off_type(cursor_) : size;
        const off_type target = origin + offset;
        if (target < 0 || target > size)
            return pos_type(off_type(-1));
        cursor_ = static_cast<std::size_t>(target);
        return pos_type(target);
    }
    pos_type seekpos(pos_type position, std::ios_base::openmode which) override
    {
        return seekoff(off_type(position), std::ios_base::beg, which);
    }

private:
    std::string bytes_;
    std::size_t cursor_ = 0;
};

// A caller's stream may be set to throw on failure; a call reports its own messages instead, so
// stream exceptions are off while it runs and the caller's setting comes back afterwards.
class QuietStream {
public:
    // Nothing to do in file mode, where the streams are the call's own.
    QuietStream(bool streamMode, std::ios* stream) : stream_(streamMode ? stream : nullptr)
    {
        if (stream_ == nullptr)
            return;
        saved_ = stream_->exceptions();
        stream_->exceptions(std::ios::goodbit);
    }
    QuietStream(const QuietStream&) = delete;  // restores exactly once
    QuietStream& operator=(const QuietStream&) = delete;
    ~QuietStream()
    {
        if (stream_ == nullptr)
            return;
        if (stream_->rdstate() & saved_)
            stream_->clear();  // or restoring the mask would throw from here
        stream_->exceptions(saved_);
    }

private:
    std::ios* stream_;
    std::ios::iostate saved_ = std::ios::goodbit;
};

// Puts a stream back where Advise found it, also when Advise fails.
class PositionKeeper {
public:
    PositionKeeper(std::istream& in, std::istream::pos_type position) : in_(in), position_(position) {}
    PositionKeeper(const PositionKeeper&) = delete;  // restores exactly once
    PositionKeeper& operator=(const PositionKeeper&) = delete;
    ~PositionKeeper()
    {
        in_.clear();
        in_.seekg(position_);
    }

private:
    std::istream& in_;
    std::istream::pos_type position_;
};

void putHeader(CompressorSink& sink, const std::array<std::uint8_t, 4>& magic, std::uint64_t size)
{
    std::array<std::uint8_t, kHeaderSize> header{};
    std::memcpy(header.data(), magic.data(), magic.size());
    for (std::size_t i = 0; i < 4; ++i)
        header[4 + i] = static_cast<std::uint8_t>(size >> (8 * i));
    sink.write(header.data(), header.size());
}

bool sameFile(const std::string& a, const std::string& b)
{
    std::error_code ignored;
    return std::filesystem::equivalent(a, b, ignored);
}

// The output of one call in file mode. The bytes go to a temporary file that replaces the
// output only when the call succeeds, so a failed run never leaves a file that looks like a
// finished result, nor costs the file that was there (also through a link).
class OutputFile {
public:
    explicit OutputFile(const std::string& name) : name_(name), replacement_(name) {}
    OutputFile(const OutputFile&) = delete;  // owns the replacement until the call succeeds
    OutputFile& operator=(const OutputFile&) = delete;

    std::ofstream& create(const std::string& inputName)
    {
        // Opening the input as the output would truncate it before it is read.
        if (sameFile(inputName, name_) || std::filesystem::is_directory(name_) || replacement_.Begin() != 0)
            fail(CompressorMessage::OpenOutputFile, name_);
        stream_.open(replacement_.WorkPath(), std::ios::binary | std::ios::trunc);
        if (!stream_)
            fail(CompressorMessage::OpenOutputFile, name_);
        return stream_;
    }

    void commit(CompressorSink& sink)
    {
        stream_.close();
        if (!stream_ || replacement_.Commit() != 0)
            sink.failWrite();
    }

private:
    std::string name_;
    SafeFile::Replacement replacement_;
    std::ofstream stream_;
};

// The input of Compress and Decompress, positioned at its start.
std::istream& openInput(bool streamMode, std::istream* stream, std::ifstream& file, const std::string& name)
{
    if (streamMode) {
        if (stream == nullptr)
            fail(CompressorMessage::InputStreamInit);
        stream->clear();
        if (!stream->seekg(0))
            fail(CompressorMessage::InputStreamInit);
        return *stream;
    }
    if (std::filesystem::is_directory(name))
        fail(CompressorMessage::OpenInputFile, name);
    file.open(name, std::ios::binary);
    if (!file)
        fail(CompressorMessage::OpenInputFile, name);
    return file;
}

std::ostream& openOutput(bool streamMode, std::ostream* stream, OutputFile& file, const std::string& inputName)
{
    if (!streamMode)
        return file.create(inputName);
    if (stream == nullptr)
        fail(CompressorMessage::OutputStreamInit);
    stream->clear();
    if (!stream->seekp(0))
        fail(CompressorMessage::OutputStreamInit);
    return *stream;
}

}  // namespace

std::uint64_t TCompressor::Compress()
{
    CompressionMethod method = method_;
    if (method == CompressionMethod::Auto) {
        method = Advise() == 1 ? CompressionMethod::KH : CompressionMethod::LZH;
        method_ = CompressionMethod::Auto;
    }
    const IoBuffers buffers = obtainBuffers(CompressorMessage::NoMemoryForBuffers);
    const QuietStream quietIn(streamMode_, inputStream_);
    const QuietStream quietOut(streamMode_, outputStream_);

    std::ifstream inFile;
    std::istream& in = openInput(streamMode_, inputStream_, inFile, inputFileName_);
    std::uint64_t size = 0;
    if (!measure(in, size)) {
        if (streamMode_)
            fail(CompressorMessage::StreamSizeUnknown);
        fail(CompressorMessage::FileSizeUnknown, inputFileName_);
    }
    if (size > kLargestSize)
        fail(CompressorMessage::InputTooLarge);

    OutputFile outFile(outputFileName_);
    std::ostream& out = openOutput(streamMode_, outputStream_, outFile, inputFileName_);
    CompressorSource source(in, inputFileName_, !streamMode_);
    CompressorSink sink(out, outputFileName_, !streamMode_);
    if (method == CompressionMethod::KH) {
        putHeader(sink, kMagicKh, size);
        KhCodec codec;
        codec.compress(source, size, sink, buffers.in.get(), buffers.out.get());
    } else {
        putHeader(sink, kMagicLzh, size);
        LzhEncoder encoder(source, size);
        encoder.encode(sink, buffers.out.get(), kBufferSize);
    }
    sink.flush();
    if (!streamMode_)
        outFile.commit(sink);
    return sink.bytesWritten();
}

std::uint64_t TCompressor::Decompress()
{
    const IoBuffers buffers = obtainBuffers(CompressorMessage::NoMemoryForBuffers);
    const QuietStream quietIn(streamMode_, inputStream_);
    const QuietStream quietOut(streamMode_, outputStream_);

    std::ifstream inFile;
    std::istream& in = openInput(streamMode_, inputStream_, inFile, inputFileName_);
    CompressorSource source(in, inputFileName_, !streamMode_);

    // The header is checked before the output exists, so a wrong file destroys nothing.
    std::array<std::uint8_t, kHeaderSize> header{};
    const std::size_t got = source.read(header.data(), header.size(), ReadContext::Plain);
    const bool isKh = std::memcmp(header.data(), kMagicKh.data(), 4) == 0;
    const bool isLzh = std::memcmp(header.data(), kMagicLzh.data(), 4) == 0;
    if (got < kHeaderSize || !(isKh || isLzh)) {
        if (streamMode_)
            fail(CompressorMessage::NoHeaderStream);
        throw ECompressorException(inputFileName_ + compressorText(CompressorMessage::NoHeaderFile));
    }
    std::uint64_t size = 0;
    for (std::size_t i = 0; i < 4; ++i)
        size |= std::uint64_t{header[4 + i]} << (8 * i);

    OutputFile outFile(outputFileName_);
    std::ostream& out = openOutput(streamMode_, outputStream_, outFile, inputFileName_);
    CompressorSink sink(out, outputFileName_, !streamMode_);
    const std::uint64_t produced =
        isKh ? KhCodec::decompress(source, size, sink, buffers.in.get(), buffers.out.get())
             : LzhDecoder::decode(source, size, sink, buffers.in.get(), buffers.out.get(), kBufferSize);
    sink.flush();
    if (!streamMode_)
        outFile.commit(sink);
    return produced;
}

int TCompressor::Advise()
{
    const QuietStream quietIn(streamMode_, inputStream_);
    std::ifstream inFile;
    std::istream* in = inputStream_;
    if (streamMode_) {
        if (in == nullptr)
            fail(CompressorMessage::AdviseInputStreamInit);
        in->clear();
    } else {
        if (std::filesystem::is_directory(inputFileName_))
            fail(CompressorMessage::AdviseOpenInputFile, inputFileName_);
        inFile.open(inputFileName_, std::ios::binary);
        if (!inFile)
            fail(CompressorMessage::AdviseOpenInputFile, inputFileName_);
        in = &inFile;
    }
    const auto start = in->tellg();
    if (start < 0)
        fail(CompressorMessage::AdviseInputStreamInit);
    PositionKeeper keeper(*in, start);

    std::uint64_t size = 0;
    if (!measure(*in, size)) {
        if (streamMode_)
            fail(CompressorMessage::AdviseStreamSizeUnknown);
        fail(CompressorMessage::AdviseFileSizeUnknown, inputFileName_);
    }
    if (size < kAdviseMinimumSize) {
        method_ = CompressionMethod::LZH;
        return 0;
    }
    return adviseSample(*in, size);
}

int TCompressor::adviseSample(std::istream& in, std::uint64_t size)
{
    const IoBuffers buffers = obtainBuffers(CompressorMessage::AdviseNoBuffers);
    KhCodec codec;
    const std::uint64_t piece = KhCodec::kPieceSize;
    std::uint64_t compressed = 0;
    for (const std::uint64_t at : {size / 3 / piece * piece, size * 2 / 3 / piece * piece}) {
        in.clear();
        in.seekg(static_cast<std::streamoff>(at));
        in.read(reinterpret_cast<char*>(buffers.in.get()), static_cast<std::streamsize>(piece));
        if (!in || in.gcount() != static_cast<std::streamsize>(piece)) {
            if (streamMode_)
                fail(CompressorMessage::AdviseReadStream);
            fail(CompressorMessage::AdviseReadFile, inputFileName_);
        }
        compressed += codec.compressPiece(buffers.in.get(), KhCodec::kPieceSize, buffers.out.get());
    }
    const auto sampled = static_cast<std::int64_t>(2 * piece);
    return static_cast<std::int64_t>(compressed) * 100 < static_cast<std::int64_t>(adviseThreshold_) * sampled ? 1 : 0;
}

std::string TCompressor::CompressBytes(std::string_view input, CompressionMethod method)
{
    MemoryInput bytes(input);
    std::istream in(&bytes);
    MemoryOutput result;
    std::ostream out(&result);
    TCompressor compressor;
    compressor.setStreamMode(true);
    compressor.setInputStream(&in);
    compressor.setOutputStream(&out);
    compressor.setMethod(method);
    compressor.Compress();
    return result.take();
}

std::string TCompressor::DecompressBytes(std::string_view compressed)
{
    MemoryInput bytes(compressed);
    std::istream in(&bytes);
    MemoryOutput result;
    // Growing a large result step by step costs more than decoding it. The header's size is
    // trusted only as far as a plausible ratio, so a lying header cannot claim much memory.
    if (compressed.size() >= kHeaderSize) {
        std::uint64_t declared = 0;
        for (std::size_t i = 0; i < 4; ++i)
            declared |= std::uint64_t{static_cast<std::uint8_t>(compressed[4 + i])} << (8 * i);
        result.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(declared, 16 * std::uint64_t{compressed.size()})));
    }
    std::ostream out(&result);
    TCompressor compressor;
    compressor.setStreamMode(true);
    compressor.setInputStream(&in);
    compressor.setOutputStream(&out);
    compressor.Decompress();
    return result.take();
}

}  // namespace quarry
