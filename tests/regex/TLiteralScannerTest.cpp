// The skip-table scan against a plain string search, over texts cut into runs at random places
// so that occurrences straddle run ends, in both directions and both case rules.
#include "regex/TLiteralScanner.h"
#include "regex/TSearchChars.h"
#include "support/SplitText.h"

#include <gtest/gtest.h>

#include <random>

using quarry::TextPos;
using quarry::TLiteralScanner;
using quarry::test::SplitText;

namespace {

std::string upper(std::string s)
{
    for (auto& c : s)
        c = static_cast<char>(quarry::TSearchChars::upper(static_cast<std::uint8_t>(c)));
    return s;
}

TextPos naiveForward(const std::string& text, const std::string& pattern, TextPos from, bool cs)
{
    const std::string t = cs ? text : upper(text);
    const std::string p = cs ? pattern : upper(pattern);
    const auto at = t.find(p, static_cast<std::size_t>(from));
    return at == std::string::npos ? -1 : static_cast<TextPos>(at);
}

TextPos naiveBackward(const std::string& text, const std::string& pattern, TextPos before, bool cs)
{
    const std::string t = cs ? text : upper(text);
    const std::string p = cs ? pattern : upper(pattern);
    if (before <= 0)
        return -1;
    const auto at = t.rfind(p, static_cast<std::size_t>(before - 1));
    return at == std::string::npos ? -1 : static_cast<TextPos>(at);
}

TEST(TLiteralScanner, AgreesWithPlainSearchAcrossRunEnds)
{
    std::mt19937 rng(5);
    const std::string alphabet = "abAB\r\xE9\xC9 ";
    auto randomString = [&](int maxLength) {
        std::string s;
        const int length = static_cast<int>(rng() % static_cast<unsigned>(maxLength + 1));
        for (int i = 0; i < length; ++i)
            s += alphabet[rng() % alphabet.size()];
        return s;
    };
    int hits = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::string text = randomString(60);
        std::string pattern = randomString(5);
        if (pattern.empty())
            pattern = "a";
        const bool cs = round % 2 == 0;
        SplitText split(text, static_cast<unsigned>(round), 1 + round % 5);
        TLiteralScanner scanner;
        scanner.setPattern(pattern, cs);
        for (TextPos from = 0; from <= static_cast<TextPos>(text.size()) + 1; ++from) {
            const TextPos expected = naiveForward(text, pattern, from, cs);
            hits += expected >= 0;
            ASSERT_EQ(expected, scanner.findForward(split, from))
                << ::testing::PrintToString(pattern) << " in " << ::testing::PrintToString(text)
                << " from " << from << " case " << cs;
            ASSERT_EQ(naiveBackward(text, pattern, from, cs), scanner.findBackward(split, from))
                << ::testing::PrintToString(pattern) << " in " << ::testing::PrintToString(text)
                << " before " << from << " case " << cs;
        }
    }
    EXPECT_GT(hits, 10000);
}

TEST(TLiteralScanner, EmptyPatternFindsNothing)
{
    quarry::TFlatText text("abc");
    TLiteralScanner scanner;
    scanner.setPattern("", true);
    EXPECT_EQ(-1, scanner.findForward(text, 0));
    EXPECT_EQ(-1, scanner.findBackward(text, 3));
}

TEST(TLiteralScanner, PatternChangesRebuildTheTables)
{
    quarry::TFlatText text("xxABCxxabc");
    TLiteralScanner scanner;
    scanner.setPattern("abc", true);
    EXPECT_EQ(7, scanner.findForward(text, 0));
    scanner.setPattern("abc", false);
    EXPECT_EQ(2, scanner.findForward(text, 0));
    scanner.setPattern("xa", false);
    EXPECT_EQ(1, scanner.findForward(text, 0));
    EXPECT_EQ("xa", scanner.pattern());
}

}  // namespace
