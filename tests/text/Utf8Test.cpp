// Reading stored bytes as UTF-8 and deciding a file's encoding from them.
#include "text/EncodingDetector.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace quarry {
namespace {

TEST(Utf8, DecodesWellFormedSequencesAndRefusesEveryMalformedOne)
{
    const struct {
        const char* bytes;
        char32_t code;
        int length;
        bool valid;
        bool truncated;
    } cases[] = {
        {"A", 'A', 1, true, false},
        {"\xC3\xA4", 0xE4, 2, true, false},
        {"\xE2\x82\xAC", 0x20AC, 3, true, false},
        {"\xE4\xB8\xAD", 0x4E2D, 3, true, false},
        {"\xF0\x9F\x98\x80", 0x1F600, 4, true, false},
        {"\xF4\x8F\xBF\xBF", 0x10FFFF, 4, true, false},
        {"\xC0\x80", 0xC0, 1, false, false},          // overlong NUL
        {"\xC1\xBF", 0xC1, 1, false, false},          // overlong
        {"\xE0\x80\x80", 0xE0, 1, false, false},      // overlong three-byte form
        {"\xF0\x80\x80\x80", 0xF0, 1, false, false},  // overlong four-byte form
        {"\xED\xA0\x80", 0xED, 1, false, false},      // surrogate
        {"\xF4\x90\x80\x80", 0xF4, 1, false, false},  // past 10FFFF
        {"\xF5\x80\x80\x80", 0xF5, 1, false, false},
        {"\xFF", 0xFF, 1, false, false},
        {"\x80", 0x80, 1, false, false},              // a continuation byte alone
        {"\xC3" "A", 0xC3, 1, false, false},
        {"\xE2\x82", 0xE2, 1, false, true},           // cut by the end of the text
        {"\xF0\x9F\x98", 0xF0, 1, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.bytes)));
        const Utf8::Decoded d = Utf8::Decode(c.bytes, 0);
        EXPECT_EQ(c.code, d.code);
        EXPECT_EQ(c.length, d.length);
        EXPECT_EQ(c.valid, d.valid);
        EXPECT_EQ(c.truncated, d.truncated);
    }
}

// Stepping back from any character start finds the start stepping forward found, whatever the
// bytes: every byte belongs to exactly one character either way.
TEST(Utf8, StepsBackOverTheCharactersItStepsForwardOver)
{
    std::mt19937 rng(18);
    const std::vector<std::string> pieces = {"a", "\xC3\xA4", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\x80", "\xE2\x82",
                                             "\xF5", "\xED\xA0\x80", "\xC0\xAF", "\xBF\xBF\xBF\xBF"};
    for (int round = 0; round < 500; ++round) {
        std::string text;
        for (int n = 0; n < 12; ++n) text += pieces[rng() % pieces.size()];
        std::vector<std::size_t> starts;
        for (std::size_t i = 0; i < text.size(); i += static_cast<std::size_t>(Utf8::LengthAt(text, i))) starts.push_back(i);
        std::vector<std::size_t> back;
        for (std::size_t i = text.size(); i > 0;) back.insert(back.begin(), i = Utf8::StartBefore(text, i));
        ASSERT_EQ(starts, back) << testing::PrintToString(text);
    }
}

TEST(Utf8, WidthEncodeAndCodes)
{
    const struct {
        char32_t code;
        int width;
    } widths[] = {{'a', 1}, {0xE4, 1}, {0x3B1, 1}, {0x20AC, 1}, {0x4E2D, 2}, {0x3042, 2},
                  {0xAC00, 2}, {0xFF21, 2}, {0x1F600, 2}, {0x20000, 2}, {0x2500, 1}};
    for (const auto& w : widths) EXPECT_EQ(w.width, Utf8::Width(w.code)) << std::hex << static_cast<std::uint32_t>(w.code);
    EXPECT_EQ("\xC3\xA4", Utf8::Encode(0xE4));
    EXPECT_EQ("\xE2\x82\xAC", Utf8::Encode(0x20AC));
    EXPECT_EQ("\xF0\x9F\x98\x80", Utf8::Encode(0x1F600));
    EXPECT_EQ("\xEF\xBF\xBD", Utf8::Encode(0xD800));
    EXPECT_EQ(U"a\u00E4\x00E2\x0082", Utf8::ToCodes("a\xC3\xA4\xE2\x82"));
}

TEST(EncodingDetector, DecidesFromTheBytes)
{
    const struct {
        std::string bytes;
        TextEncoding encoding;
        bool bom;
    } cases[] = {
        {"", TextEncoding::Windows1252, false},
        {"plain ASCII\r\n", TextEncoding::Windows1252, false},
        {"Gr\xC3\xBC\xC3\x9F" "e", TextEncoding::Utf8, false},
        {"Gr\xFC\xDF" "e", TextEncoding::Windows1252, false},
        {"\xEF\xBB\xBF", TextEncoding::Utf8, true},
        {"\xEF\xBB\xBFplain", TextEncoding::Utf8, true},
        {"\xEF\xBB\xBF\xE4 damaged", TextEncoding::Utf8, true},
        {"\xEF\xBB", TextEncoding::Windows1252, false},
        {"ends cut \xE2\x82", TextEncoding::Windows1252, false},
        {"\xC3\xA4 then overlong \xC0\x80", TextEncoding::Windows1252, false},
        {"\xC3\xA4 then surrogate \xED\xB0\x80", TextEncoding::Windows1252, false},
        {"\xC3\xA4 then \xF8", TextEncoding::Windows1252, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        EncodingDetector detector;
        detector.Feed(c.bytes);
        EXPECT_EQ(c.encoding, detector.Result());
        EXPECT_EQ(c.bom, detector.HasBom());
    }
}

// The detector's verdict equals the one a plain decode of the whole text gives, read in pieces of
// any size: sequences cut by a piece's end are finished by the next piece, and one cut by the end
// of the text makes it Windows-1252.
TEST(EncodingDetector, AgreesWithDecodingWhateverThePieces)
{
    std::mt19937 rng(8192);
    const std::vector<std::string> pieces = {"ab", "0123456789abcdef", "\xC3\xA4", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                                             "\xED\x9F\xBF", "\xF4\x8F\xBF\xBF", "\xE0\xA0\x80", "\r\n"};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int count = static_cast<int>(rng() % 40);
        for (int n = 0; n < count; ++n) text += pieces[rng() % pieces.size()];
        // Now and then a damaged byte, or a text cut short.
        if (round % 3 == 1 && !text.empty()) text[rng() % text.size()] = static_cast<char>(0x80 + rng() % 128);
        if (round % 5 == 2 && !text.empty()) text.pop_back();
        bool valid = true;
        bool multiByte = false;
        for (std::size_t i = 0; i < text.size();) {
            const Utf8::Decoded d = Utf8::Decode(text, i);
            valid = valid && d.valid;
            multiByte = multiByte || d.length > 1;
            i += static_cast<std::size_t>(d.length);
        }
        const bool bom = text.rfind("\xEF\xBB\xBF", 0) == 0;
        const TextEncoding expected = bom || (valid && multiByte) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
        for (auto method : {EncodingDetector::Method::Fastest, EncodingDetector::Method::ByteByByte}) {
            EncodingDetector split(method);
            for (std::size_t at = 0; at < text.size();) {
                const std::size_t n = std::min<std::size_t>(1 + rng() % 40, text.size() - at);
                split.Feed(std::string_view(text).substr(at, n));
                at += n;
            }
            ASSERT_EQ(expected, split.Result()) << testing::PrintToString(text) << " method " << static_cast<int>(method);
            ASSERT_EQ(bom, split.HasBom());
        }
        ASSERT_EQ(expected, EncodingDetector::Detect(text)) << testing::PrintToString(text);
    }
}

}  // namespace
}  // namespace quarry
