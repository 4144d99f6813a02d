// Stream mode: the caller's streams, their failures, and Advise's choice and sampling.
#include "TCompressorTestData.h"

#include "compress/TCompressor.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

using quarry::CompressionMethod;
using quarry::TCompressor;
using quarry::test::cText;
using quarry::test::messageOf;
using quarry::test::randomBytes;

namespace {

// An input whose faults a test chooses: a size that differs from the bytes, a read error after
// some bytes (the stream goes bad, as on a failing disk), or no seeking at all.
class ScriptedInput final : public std::streambuf {
public:
    explicit ScriptedInput(std::string data) : data_(std::move(data)) { reset(0); }
    // Makes changed faults take effect.
    void rewind() { reset(0); }

    std::optional<std::uint64_t> reportedSize;  // what seeking to the end says
    std::size_t failAfter = SIZE_MAX;            // reading byte number failAfter is an error
    bool seekable = true;
    bool endSeekable = true;

protected:
    int_type underflow() override
    {
        if (gptr() < egptr())
            return traits_type::to_int_type(*gptr());
        if (static_cast<std::size_t>(gptr() - eback()) >= failAfter)
            throw std::runtime_error("device error");
        return traits_type::eof();
    }
    pos_type seekoff(off_type offset, std::ios_base::seekdir dir, std::ios_base::openmode) override
    {
        if (!seekable || (dir == std::ios_base::end && !endSeekable))
            return pos_type(off_type(-1));
        const auto size = static_cast<off_type>(reportedSize.value_or(data_.size()));
        const off_type here = beyond_ >= 0 ? beyond_ : gptr() - eback();
        const off_type origin = dir == std::ios_base::beg ? 0 : dir == std::ios_base::cur ? here : size;
        if (origin + offset < 0)
            return pos_type(off_type(-1));
        reset(static_cast<std::size_t>(origin + offset));
        return pos_type(origin + offset);
    }
    pos_type seekpos(pos_type position, std::ios_base::openmode which) override
    {
        return seekoff(off_type(position), std::ios_base::beg, which);
    }

private:
    // Positions past the readable bytes are remembered, as a file's would be.
    void reset(std::size_t at)
    {
        const std::size_t end = std::min(data_.size(), failAfter);
        beyond_ = at > end ? static_cast<off_type>(at) : -1;
        at = std::min(at, end);
        setg(data_.data(), data_.data() + at, data_.data() + end);
    }
    off_type beyond_ = -1;
    std::string data_;
};

// An output that takes only `room` bytes (a full disk) or cannot be positioned.
class ScriptedOutput final : public std::streambuf {
public:
    std::string written;
    std::size_t room = SIZE_MAX;
    bool seekable = true;

protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override
    {
        const auto take = std::min<std::size_t>(static_cast<std::size_t>(n), room - written.size());
        written.append(s, take);
        return static_cast<std::streamsize>(take);
    }
    int_type overflow(int_type c) override
    {
        const char byte = traits_type::to_char_type(c);
        return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
    }
    pos_type seekoff(off_type offset, std::ios_base::seekdir, std::ios_base::openmode) override
    {
        return seekable && offset == 0 ? pos_type(0) : pos_type(off_type(-1));
    }
    pos_type seekpos(pos_type position, std::ios_base::openmode which) override
    {
        return seekoff(off_type(position), std::ios_base::beg, which);
    }
};

enum class Action { Compress, Decompress, Advise };

struct StreamFault {
    const char* name;
    Action action;
    CompressionMethod method;
    std::function<void(ScriptedInput&, ScriptedOutput&)> arrange;
    const char* message;
    bool noInput = false;
    bool noOutput = false;
};

std::string khOf(const std::string& s) { return TCompressor::CompressBytes(s, CompressionMethod::KH); }
std::string lzhOf(const std::string& s) { return TCompressor::CompressBytes(s, CompressionMethod::LZH); }

// Sets a compressor to stream mode on the given streams.
TCompressor& streaming(TCompressor& compressor, std::istream* in, std::ostream* out, CompressionMethod method)
{
    compressor.setStreamMode(true);
    compressor.setInputStream(in);
    compressor.setOutputStream(out);
    compressor.setMethod(method);
    return compressor;
}

std::string inputFor(const StreamFault& f)
{
    if (f.action != Action::Decompress)
        return cText(200000);
    return f.method == CompressionMethod::KH ? khOf(cText(100000)) : lzhOf(cText(100000));
}

const auto kNothing = [](ScriptedInput&, ScriptedOutput&) {};
auto readFails(std::size_t at) { return [at](ScriptedInput& in, ScriptedOutput&) { in.failAfter = at; }; }
auto sizeSays(std::uint64_t size) { return [size](ScriptedInput& in, ScriptedOutput&) { in.reportedSize = size; }; }
auto outputRoom(std::size_t room) { return [room](ScriptedInput&, ScriptedOutput& out) { out.room = room; }; }

std::vector<StreamFault> streamFaults()
{
    using M = CompressionMethod;
    const char* noInput = "Compressor (de)compression : Failed to initialize input stream !";
    const char* noOutput = "Compressor (de)compression : Failed to initialize output stream !";
    const char* readError = "Compressor : Error reading from input stream !";
    const char* writeError = "Compressor : Error writing to output stream !";
    return {
        {"CompressWithoutInput", Action::Compress, M::KH, kNothing, noInput, true},
        {"CompressWithoutOutput", Action::Compress, M::KH, kNothing, noOutput, false, true},
        {"DecompressWithoutInput", Action::Decompress, M::KH, kNothing, noInput, true},
        {"DecompressWithoutOutput", Action::Decompress, M::KH, kNothing, noOutput, false, true},
        {"AdviseWithoutInput", Action::Advise, M::Auto, kNothing, "Compressor edvise : can not initialize the input stream!",
         true},
        {"InputThatCannotRewind", Action::Compress, M::KH, [](ScriptedInput& in, ScriptedOutput&) { in.seekable = false; },
         noInput},
        {"OutputThatCannotRewind", Action::Compress, M::LZH,
         [](ScriptedInput&, ScriptedOutput& out) { out.seekable = false; }, noOutput},
        {"CompressInputOfUnknownSize", Action::Compress, M::KH,
         [](ScriptedInput& in, ScriptedOutput&) { in.endSeekable = false; },
         "Compressor compression : Failed to obtain the size of the input stream !"},
        {"AdviseInputOfUnknownSize", Action::Advise, M::Auto,
         [](ScriptedInput& in, ScriptedOutput&) { in.endSeekable = false; },
         "Compressor advise : can not get size of inputstream !"},
        {"KhCompressReadError", Action::Compress, M::KH, readFails(70000), readError},
        {"LzhCompressReadError", Action::Compress, M::LZH, readFails(70000), readError},
        {"InputShorterThanItsSize", Action::Compress, M::LZH, sizeSays(200001), readError},
        {"KhDecompressReadError", Action::Decompress, M::KH, readFails(1000),
         "Compressor : Error reading from input stream ! (Compressor/KH)"},
        {"LzhDecompressReadError", Action::Decompress, M::LZH, readFails(1000),
         "Compressor : Error reading from input stream ! (LZH)"},
        {"AdviseSampleReadError", Action::Advise, M::Auto, readFails(100000), "Compressor advise : input stream read error !"},
        {"KhCompressOutputFull", Action::Compress, M::KH, outputRoom(5000), writeError},
        {"LzhCompressOutputFull", Action::Compress, M::LZH, outputRoom(5000), writeError},
        {"HeaderDoesNotFit", Action::Compress, M::KH, outputRoom(6), writeError},
        {"KhDecompressOutputFull", Action::Decompress, M::KH, outputRoom(50000), writeError},
        {"LzhDecompressOutputFull", Action::Decompress, M::LZH, outputRoom(50000), writeError},
        {"InputOfFourGigabytes", Action::Compress, M::KH, sizeSays(std::uint64_t{1} << 32),
         "Compressor compression : input is 4 GB or larger and can not be stored !"},
    };
}

class StreamFaults : public testing::TestWithParam<StreamFault> {};

TEST_P(StreamFaults, RaiseTheirMessage)
{
    const auto& f = GetParam();
    ScriptedInput input(inputFor(f));
    ScriptedOutput output;
    f.arrange(input, output);
    input.rewind();
    std::istream in(&input);
    std::ostream out(&output);
    TCompressor compressor;
    streaming(compressor, f.noInput ? nullptr : &in, f.noOutput ? nullptr : &out, f.method);
    EXPECT_EQ(f.message, messageOf([&] {
                  if (f.action == Action::Compress)
                      compressor.Compress();
                  else if (f.action == Action::Decompress)
                      compressor.Decompress();
                  else
                      compressor.Advise();
              }));
}

INSTANTIATE_TEST_SUITE_P(Cases, StreamFaults, testing::ValuesIn(streamFaults()),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- stream mode proper ------------------------------------------------------------------

TEST(StreamMode, ReadsAndWritesFromTheStartAndReportsTheCounts)
{
    const std::string text = cText(50000);
    std::stringstream in(text);
    in.seekg(1234);  // a caller's position must not cut the input
    std::stringstream packed;
    packed << "leftover from an earlier use";
    TCompressor compressor;
    streaming(compressor, &in, &packed, CompressionMethod::LZH);
    const auto written = compressor.Compress();
    EXPECT_EQ(TCompressor::CompressBytes(text, CompressionMethod::LZH), packed.str().substr(0, written));

    std::stringstream restored;
    compressor.setInputStream(&packed);
    compressor.setOutputStream(&restored);
    EXPECT_EQ(text.size(), compressor.Decompress());
    EXPECT_EQ(text, restored.str());
}

TEST(StreamMode, DecompressFollowsTheMagicNotTheMethodSetting)
{
    const std::string text = cText(4000);
    std::stringstream in(khOf(text));
    std::stringstream out;
    TCompressor compressor;
    streaming(compressor, &in, &out, CompressionMethod::LZH).Decompress();
    EXPECT_EQ(text, out.str());
}

// ---- Advise --------------------------------------------------------------------------------

constexpr std::size_t kPiece = 32768;

// Zeros where Advise samples (the pieces at one and two thirds), noise everywhere else, or the
// other way round; only the samples may decide.
std::string sampledInput(std::size_t size, bool zerosInSamples)
{
    const std::string noise = randomBytes(size, 99);
    std::string out = zerosInSamples ? noise : std::string(size, '\0');
    for (const std::size_t at : {size / 3 / kPiece * kPiece, size * 2 / 3 / kPiece * kPiece})
        for (std::size_t i = at; i < at + kPiece; ++i)
            out[i] = zerosInSamples ? '\0' : noise[i];
    return out;
}

// 40 zeros and 24 noise bytes in every 64: KH compresses it to about 49 %.
std::string halfCompressible(std::size_t size)
{
    std::string data = randomBytes(size, 5);
    for (std::size_t i = 0; i < size; i += 64)
        std::fill_n(data.begin() + static_cast<std::ptrdiff_t>(i), std::min<std::size_t>(40, size - i), '\0');
    return data;
}

struct AdviseCase {
    const char* name;
    std::string input;
    int threshold;
    int expected;
};

std::vector<AdviseCase> adviseCases()
{
    return {
        {"ShortTextGoesToLzh", std::string(98303, '\0'), 40, 0},
        {"SmallestSampledInput", std::string(98304, '\0'), 40, 1},
        {"NoiseGoesToLzh", randomBytes(300000, 1), 40, 0},
        {"OnlyTheSamplesCountWhenTheyCompress", sampledInput(6 * kPiece, true), 40, 1},
        {"OnlyTheSamplesCountWhenTheyDoNot", sampledInput(6 * kPiece, false), 40, 0},
        // Unrounded places would take in 20,000 noise bytes, about 31 % after KH.
        {"SamplePlacesAreRoundedDown", sampledInput(6 * kPiece + 20000, true), 10, 1},
        {"HalfCompressibleBelowTheThreshold", halfCompressible(400000), 40, 0},
        {"HalfCompressibleAboveTheThreshold", halfCompressible(400000), 60, 1},
    };
}

class Advising : public testing::TestWithParam<AdviseCase> {};

TEST_P(Advising, ChoosesFromTheSamplesAndKeepsThePosition)
{
    const auto& c = GetParam();
    std::stringstream in(c.input);
    in.seekg(777);
    TCompressor compressor;
    streaming(compressor, &in, nullptr, CompressionMethod::Auto);
    compressor.setAdviseThreshold(c.threshold);
    EXPECT_EQ(c.expected, compressor.Advise());
    EXPECT_EQ(777, static_cast<long>(in.tellg()));
    // Only a short input sets the method; a sampled one leaves the choice to the caller.
    EXPECT_EQ(c.input.size() < 98304 ? CompressionMethod::LZH : CompressionMethod::Auto, compressor.method());
}

INSTANTIATE_TEST_SUITE_P(Cases, Advising, testing::ValuesIn(adviseCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AutoMethod, CompressesWithTheAdvisedMethodAndStaysAuto)
{
    for (const auto& [input, magic] : std::vector<std::pair<std::string, std::string>>{
             {cText(5000), "!HZL"}, {std::string(200000, 'z'), "WRZL"}, {randomBytes(200000, 4), "!HZL"}}) {
        std::stringstream in(input);
        std::stringstream out;
        TCompressor compressor;
        streaming(compressor, &in, &out, CompressionMethod::Auto);
        compressor.Compress();
        EXPECT_EQ(magic, out.str().substr(0, 4));
        EXPECT_EQ(CompressionMethod::Auto, compressor.method());
        EXPECT_EQ(input, TCompressor::DecompressBytes(out.str()));
    }
}

// Streams set to throw must still see the compressor's own messages, and get their setting back.
TEST(StreamMode, StreamsThatThrowGetTheCompressorsMessagesAndTheirSettingBack)
{
    const auto throwing = std::ios::badbit | std::ios::failbit | std::ios::eofbit;
    const std::string text = cText(40000);
    std::stringstream in(text);
    std::stringstream packed;
    in.exceptions(throwing);
    packed.exceptions(throwing);
    TCompressor compressor;
    streaming(compressor, &in, &packed, CompressionMethod::LZH);
    EXPECT_EQ("(no exception)", messageOf([&] { compressor.Compress(); }));
    EXPECT_EQ(throwing, in.exceptions());

    std::stringstream cut(packed.str().substr(0, 100));
    std::stringstream out;
    cut.exceptions(throwing);
    compressor.setInputStream(&cut);
    compressor.setOutputStream(&out);
    EXPECT_EQ("Compressor : Error reading from input stream ! (LZH)", messageOf([&] { compressor.Decompress(); }));
    EXPECT_EQ(throwing, cut.exceptions());

    ScriptedInput failing(text);
    failing.failAfter = 1000;
    failing.rewind();
    std::istream broken(&failing);
    broken.exceptions(std::ios::badbit);
    compressor.setInputStream(&broken);
    compressor.setOutputStream(&out);
    EXPECT_EQ("Compressor : Error reading from input stream !", messageOf([&] { compressor.Compress(); }));
}

}  // namespace
