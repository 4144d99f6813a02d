// Hand-made compressed streams: what the decoders must produce, and what they must refuse.
#include "TCompressorTestData.h"

#include "compress/CompressorSink.h"
#include "compress/LzhBitWriter.h"
#include "compress/LzhHuffmanTree.h"
#include "compress/LzhPositionCode.h"
#include "compress/TCompressor.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using quarry::CompressionMethod;
using quarry::TCompressor;
using quarry::test::bytes;
using quarry::test::cText;
using quarry::test::header;
using quarry::test::khStream;
using quarry::test::messageOf;

namespace {

const char* const kNoHeader = "Compressor decompression : input stream contains no valid header !";
const char* const kKhRead = "Compressor : Error reading from input stream ! (Compressor/KH)";
const char* const kKhSizes = "Compressor (decompression Compressor/KH) : Original and compressed sizes do not match !";
const char* const kLzhRead = "Compressor : Error reading from input stream ! (LZH)";
const char* const kLzhSizes = "Compressor (LZH decompression) : Original and compressed sizes do not match !";

// An LZH stream written symbol by symbol with the method's own tree and position code, so a
// test can state copies that no encoder would choose.
class LzhScript {
public:
    LzhScript& literal(char c)
    {
        tree_.encode(static_cast<unsigned char>(c), bits_);
        return *this;
    }
    LzhScript& copy(unsigned length, unsigned distance)
    {
        tree_.encode(static_cast<int>(length) + 253, bits_);
        const unsigned position = distance - 1;
        const auto code = quarry::LzhPositionCode::instance().encode(position >> 6);
        bits_.put(code.bits, code.length);
        bits_.put(position & 63, 6);
        return *this;
    }
    std::string stream(std::uint32_t size)
    {
        bits_.finish();
        return header("!HZL", size) + out_.str();
    }

private:
    std::ostringstream out_;
    quarry::CompressorSink sink_{out_, "", false};
    std::uint8_t buffer_[64] = {};
    quarry::LzhBitWriter bits_{sink_, buffer_, sizeof buffer_};
    quarry::LzhHuffmanTree tree_;
};

struct DecodeCase {
    const char* name;
    std::string stream;
    std::string expected;  // the output, or the message when `refused`
    bool refused;
};

std::string storedFullBlock(char c)
{
    return bytes({1, 0x80, 0x80}) + std::string(32768, c);
}

std::string eightLongRuns()
{
    std::string items;
    for (int i = 0; i < 8; ++i)
        items += bytes({0, 0x0F, 0xFF, 'q'});
    return items;
}

std::string lzhText() { return TCompressor::CompressBytes(cText(3000), CompressionMethod::LZH); }

std::string withSize(std::string stream, std::uint32_t size)
{
    return header(stream.substr(0, 4).c_str(), size) + stream.substr(8);
}

std::vector<DecodeCase> decodeCases()
{
    const std::string text = cText(3000);
    const std::string lzh = lzhText();
    return {
        // KH, accepted
        {"KhOverlappingCopyRepeatsItsOwnOutput", khStream(19, bytes({0x40, 0x40, 0x00, 'a', 0x00, 0x10 | 15})),
         std::string(19, 'a'), false},
        {"KhCopyOfTwoRepeatsAPair", khStream(7, bytes({0x40, 0x20, 0x00, 'a', 'b', 0x00, 0x20 | 2})), "abababa", false},
        {"KhCopyFromTheFarthestOffset", khStream(4113, bytes({0x40, 0xC0, 0x00, 0, 0x0F, 0xEF, 'a', 0xFF, 0xFF})),
         std::string(4113, 'a'), false},
        {"KhRunCountUsesBothBytes", khStream(272, bytes({0x40, 0x80, 0x00, 0, 0x01, 0x00, 'k'})), std::string(272, 'k'),
         false},
        {"KhStoredBody", khStream(2, bytes({0x80, 'h', 'i'})), "hi", false},
        {"KhOneByteBodyDecodesToNothing", khStream(0, bytes({0x40})), "", false},
        {"KhTwoBlocks", header("WRZL", 32770) + storedFullBlock('s') + bytes({3, 0, 0x80, 't', 'u'}),
         std::string(32768, 's') + "tu", false},
        // KH, refused
        {"EmptyStream", "", kNoHeader, true},
        {"UnknownMagic", header("WRZX", 1) + bytes({2, 0, 0x80, 'a'}), kNoHeader, true},
        {"HeaderCutInTheSize", std::string("WRZL") + bytes({1, 0}), kNoHeader, true},
        {"KhBlockLengthCut", header("WRZL", 1) + bytes({1}), kKhRead, true},
        {"KhNoBlockAtAll", header("WRZL", 0), kKhRead, true},
        {"KhBodyCut", header("WRZL", 2) + bytes({3, 0, 0x80, 'a'}), kKhRead, true},
        {"KhBodyLongerThanAPiece", header("WRZL", 1) + bytes({0x02, 0x80, 0x80}) + std::string(32769, 'x'), kKhSizes,
         true},
        {"KhUnknownBodyTag", khStream(1, bytes({0x41, 'a'})), kKhSizes, true},
        {"KhCopyBeforeTheStart", khStream(3, bytes({0x40, 0x80, 0x00, 0x00, 0x10})), kKhSizes, true},
        {"KhCopyReachingBeforeTheStart", khStream(6, bytes({0x40, 0x20, 0x00, 'a', 'b', 0x00, 0x30})), kKhSizes, true},
        {"KhRunsPastThePiece", khStream(32888, bytes({0x40, 0xFF, 0x00}) + eightLongRuns()), kKhSizes, true},
        {"KhCopyItemCut", khStream(1, bytes({0x40, 0x80, 0x00, 0x00})), kKhSizes, true},
        {"KhRunItemCut", khStream(20, bytes({0x40, 0x80, 0x00, 0x00, 0x00, 0x04})), kKhSizes, true},
        {"KhControlWordCut", khStream(16, bytes({0x40, 0x00, 0x00}) + "ABCDEFGHIJKLMNOP" + bytes({0x00})), kKhSizes,
         true},
        {"KhSizeLiesHigh", khStream(5, bytes({0x80, 'a', 'b', 'c', 'd'})), kKhSizes, true},
        {"KhSizeLiesLow", khStream(3, bytes({0x80, 'a', 'b', 'c', 'd'})), kKhSizes, true},
        {"KhEndBlockMissing", header("WRZL", 32768) + storedFullBlock('s'), kKhRead, true},
        {"KhMoreBlocksThanTheSize", header("WRZL", 32768) + storedFullBlock('s') + storedFullBlock('s') +
                                        bytes({1, 0, 0x80}),
         kKhSizes, true},
        // LZH, accepted
        {"LzhCopiesTheBlanksBeforeTheStart", LzhScript().copy(5, 4036).literal('x').stream(6), "     x", false},
        {"LzhOverlappingCopy", LzhScript().literal('a').literal('b').copy(7, 2).stream(9), "ababababa", false},
        {"LzhLongestCopyFromTheFarthestPlace",
         LzhScript().copy(60, 4036).copy(60, 4096).stream(120), std::string(120, ' '), false},
        {"LzhEmptyData", header("!HZL", 0), "", false},
        // LZH, refused
        {"LzhCopyBeforeTheBlanks", LzhScript().copy(3, 4037).stream(3), kLzhSizes, true},
        {"LzhCopyPastTheSize", LzhScript().literal('a').copy(10, 1).stream(5), kLzhSizes, true},
        {"LzhDataCut", lzh.substr(0, lzh.size() / 2), kLzhRead, true},
        {"LzhDataCutByOneByte", lzh.substr(0, lzh.size() - 1), kLzhRead, true},
        {"LzhSizeLiesHigh", withSize(lzh, 3100), kLzhRead, true},
        {"LzhSizeLiesLow", withSize(lzh, 2000), kLzhSizes, true},
        {"LzhBytesAfterTheEnd", lzh + "x", kLzhSizes, true},
        {"LzhEmptyDataWithBytes", header("!HZL", 0) + "x", kLzhSizes, true},
    };
}

class Decoding : public testing::TestWithParam<DecodeCase> {};

TEST_P(Decoding, ProducesTheBytesOrRefusesWithTheMessage)
{
    const auto& c = GetParam();
    if (c.refused) {
        EXPECT_EQ(c.expected, messageOf([&] { TCompressor::DecompressBytes(c.stream); }));
        return;
    }
    std::string out;
    EXPECT_EQ("(no exception)", messageOf([&] { out = TCompressor::DecompressBytes(c.stream); }));
    EXPECT_EQ(c.expected, out);
}

INSTANTIATE_TEST_SUITE_P(Cases, Decoding, testing::ValuesIn(decodeCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LzhDecoding, TheUnmodifiedTextStreamDecodes)
{
    EXPECT_EQ(cText(3000), TCompressor::DecompressBytes(lzhText()));
}

// The fixed position code must be a complete prefix code with the published length counts, or
// some byte would decode to the wrong place.
TEST(LzhPositionCode, IsACompletePrefixCodeWithTheFixedLengths)
{
    const auto& code = quarry::LzhPositionCode::instance();
    std::vector<int> perLength(9, 0);
    double kraft = 0;
    for (unsigned upper = 0; upper < 64; ++upper) {
        const auto c = code.encode(upper);
        ++perLength[c.length];
        kraft += 1.0 / (1u << c.length);
        for (unsigned tail = 0; tail < (1u << (8 - c.length)); ++tail) {
            const auto d = code.decode((unsigned{c.bits} << (8 - c.length)) | tail);
            EXPECT_EQ(upper, d.upper);
            EXPECT_EQ(c.length, d.length);
        }
    }
    EXPECT_EQ((std::vector<int>{0, 0, 0, 1, 3, 8, 12, 24, 16}), perLength);
    EXPECT_EQ(1.0, kraft);
    // Codes are handed out in order, shortest first: the first of each length, left-aligned.
    for (const auto& [upper, leftAligned] : std::vector<std::pair<unsigned, unsigned>>{
             {0, 0x00}, {1, 0x20}, {3, 0x40}, {4, 0x50}, {11, 0x88}, {12, 0x90}, {24, 0xC0}, {48, 0xF0}, {63, 0xFF}}) {
        const auto c = code.encode(upper);
        EXPECT_EQ(leftAligned, unsigned{c.bits} << (8 - c.length)) << "upper " << upper;
    }
}

}  // namespace
