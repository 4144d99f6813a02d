#include "TCompressorTestData.h"

#include "compress/ECompressorException.h"
#include "compress/TCompressor.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using quarry::CompressionMethod;
using quarry::TCompressor;
using quarry::test::cText;
using quarry::test::randomBytes;
using quarry::test::bytes;
using quarry::test::header;
using quarry::test::khStream;
using quarry::test::printable;

namespace {

// ---- round trips -------------------------------------------------------------------------

struct RoundTripCase {
    const char* name;
    std::string input;
};

std::string blankLed()
{
    return std::string(300, ' ') + cText(2000) + std::string(4100, ' ') + "end";
}

std::vector<RoundTripCase> roundTripCases()
{
    std::string allValues;
    for (int i = 0; i < 256 * 3; ++i)
        allValues += static_cast<char>(i & 0xFF);
    return {
        {"Empty", ""},
        {"OneByte", "x"},
        {"ExactlyOnePiece", cText(32768)},
        {"OnePieceAndOneByte", cText(32769)},
        {"TwoPieces", randomBytes(65536, 3)},
        {"Run15", std::string(15, 'a')},
        {"Run16", std::string(16, 'a')},
        {"Run100", std::string(100, 'a')},
        {"Run5000", std::string(5000, '\0')},
        {"RunAcrossPieces", cText(32760) + std::string(40, 'z') + cText(100)},
        {"RunsLongerThanAnItem", std::string(4095, 'q') + std::string(4096, 'q') + std::string(4112, 'r')},
        {"Incompressible", randomBytes(100000, 11)},
        {"LargeText", cText(300000)},
        {"AllByteValues", allValues},
        {"BlanksBeforeAndAfter", blankLed()},
        {"FarRepeat", cText(5000, 1) + randomBytes(4000, 2) + cText(5000, 1)},
    };
}

class CompressorRoundTrip : public testing::TestWithParam<std::tuple<CompressionMethod, RoundTripCase>> {};

TEST_P(CompressorRoundTrip, RestoresTheInputAndRecordsItsSize)
{
    const auto& [method, c] = GetParam();
    const std::string packed = TCompressor::CompressBytes(c.input, method);
    ASSERT_GE(packed.size(), 8u);
    EXPECT_EQ(method == CompressionMethod::KH ? "WRZL" : "!HZL", packed.substr(0, 4));
    EXPECT_EQ(header("....", static_cast<std::uint32_t>(c.input.size())).substr(4), packed.substr(4, 4));
    EXPECT_EQ(c.input, TCompressor::DecompressBytes(packed));
}

INSTANTIATE_TEST_SUITE_P(Inputs, CompressorRoundTrip,
                         testing::Combine(testing::Values(CompressionMethod::KH, CompressionMethod::LZH),
                                          testing::ValuesIn(roundTripCases())),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param) == CompressionMethod::KH ? "KH_" : "LZH_") +
                                    std::get<1>(info.param).name;
                         });

TEST(CompressorDensity, TextShrinksAndRandomBytesGrowOnlyByFraming)
{
    const std::string text = cText(200000);
    const std::string noise = randomBytes(200000, 5);
    const auto kh = TCompressor::CompressBytes(text, CompressionMethod::KH).size();
    const auto lzh = TCompressor::CompressBytes(text, CompressionMethod::LZH).size();
    EXPECT_LT(kh, text.size() / 2);
    EXPECT_LT(lzh, kh);
    // KH stores what does not compress: 8 header bytes, 3 per block.
    EXPECT_EQ(noise.size() + 8 + 3 * 7, TCompressor::CompressBytes(noise, CompressionMethod::KH).size());
    EXPECT_LT(TCompressor::CompressBytes(noise, CompressionMethod::LZH).size(), noise.size() * 102 / 100);
}

// ---- the KH block layout, by hand --------------------------------------------------------

struct LayoutCase {
    const char* name;
    std::string input;
    std::string expected;
};

std::vector<LayoutCase> layoutCases()
{
    const std::string sixteen = "ABCDEFGHIJKLMNOP";
    const std::string fifteen = "ABCDEFGHIJKLMNO";
    return {
        {"EmptyIsOneStoredEmptyBlock", "", header("WRZL", 0) + bytes({1, 0, 0x80})},
        {"OneByteIsStored", "A", header("WRZL", 1) + bytes({2, 0, 0x80, 'A'})},
        {"Run100IsOneRunItem", std::string(100, 'x'), khStream(100, bytes({0x40, 0x80, 0x00, 0, 0, 100 - 16, 'x'}))},
        {"Run16IsOneRunItem", std::string(16, 'x'), khStream(16, bytes({0x40, 0x80, 0x00, 0, 0, 0, 'x'}))},
        {"Run15IsALiteralAndACopy", std::string(15, 'x'),
         khStream(15, bytes({0x40, 0x40, 0x00, 'x', 0x00, 0x10 | (14 - 3)}))},
        {"Run4095FillsTheCountField", std::string(4095, 'y'),
         khStream(4095, bytes({0x40, 0x80, 0x00, 0, 0x0F, 0xEF, 'y'}))},
        {"CopyOffsetSplitsOverTwoBytes", "hello world, hello world",
         khStream(24, bytes({0x40, 0x00, 0x04}) + "hello world, " + bytes({0x00, 0xD0 | (11 - 3)}))},
        {"SeventeenthItemOpensASecondGroup", sixteen + std::string(20, 'z'),
         khStream(36, bytes({0x40, 0x00, 0x00}) + sixteen + bytes({0x80, 0x00, 0, 0, 4, 'z'}))},
        {"SixteenItemsNeedOneControlWord", fifteen + std::string(20, 'z'),
         khStream(35, bytes({0x40, 0x00, 0x01}) + fifteen + bytes({0, 0, 4, 'z'}))},
        // 8 runs of 4,095, then 8 bytes: a literal and a copy of 7 from one back; then a
        // block that decodes to nothing ends the sequence.
        {"FullPieceIsFollowedByAnEmptyBlock", std::string(32768, 'r'),
         header("WRZL", 32768) + bytes({38, 0, 0x40, 0xFF, 0x40}) + [] {
             std::string runs;
             for (int i = 0; i < 8; ++i)
                 runs += bytes({0, 0x0F, 0xEF, 'r'});
             return runs;
         }() + bytes({'r', 0x00, 0x10 | (7 - 3)}) + bytes({1, 0, 0x80})},
    };
}

class KhLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(KhLayout, MatchesTheHandMadeBlocks)
{
    const auto& c = GetParam();
    const std::string packed = TCompressor::CompressBytes(c.input, CompressionMethod::KH);
    EXPECT_EQ(printable(c.expected), printable(packed));
    EXPECT_EQ(c.input, TCompressor::DecompressBytes(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, KhLayout, testing::ValuesIn(layoutCases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
