#include "platform/Text.h"

#include <gtest/gtest.h>

namespace quarry::text {
namespace {

TEST(Text, UpperCaseFollowsTheAnsiCodePage)
{
    EXPECT_EQ("C:\\PROGRAM FILES\\QUARRY.EXE QUARRY VERSION 2.07B",
              ansiUpperCase("C:\\Program Files\\quarry.exe Quarry Version 2.07b"));
    // à é þ š œ ž ÿ have capitals; ÷ and ß do not.
    EXPECT_EQ("\xC0\xC9\xDE\x8A\x8C\x8E\x9F\xF7\xDF", ansiUpperCase("\xE0\xE9\xFE\x9A\x9C\x9E\xFF\xF7\xDF"));
}

TEST(Text, ComparesIgnoringCase)
{
    EXPECT_TRUE(equalsIgnoreCase("Quarry.INI", "quarry.ini"));
    EXPECT_FALSE(equalsIgnoreCase("Quarry.ini", "Quarry.in"));
    EXPECT_LT(compareIgnoreCase("apple", "Banana"), 0);
    EXPECT_GT(compareIgnoreCase("b", "A"), 0);
    EXPECT_LT(compareIgnoreCase("ab", "ABC"), 0);
}

TEST(Text, TrimsBlanksAndControlCharacters)
{
    EXPECT_EQ("a b", trim(" \t a b \r\n"));
    EXPECT_EQ("a ", trimLeft("\t a "));
    EXPECT_EQ(" a", trimRight(" a\t"));
    EXPECT_EQ("", trim("  "));
}

TEST(Text, ReplaceAllRescansUntilNoMarkerIsLeft)
{
    const struct {
        const char* text;
        const char* from;
        const char* to;
        const char* expected;
    } cases[] = {
        {"DEFAULTD\\a;DEFAULTD\\b", "DEFAULTD", "/opt/q", "/opt/q\\a;/opt/q\\b"},
        {"no marker", "DEFAULTD", "/x", "no marker"},
        // A replacement that joins its neighbours into a new marker is replaced as well.
        {"DEFADEFAULTDULTD", "DEFAULTD", "", ""},
        // A replacement holding the marker itself is inserted once per original occurrence.
        {"DEFAULTD DEFAULTD", "DEFAULTD", "[DEFAULTD]", "[DEFAULTD] [DEFAULTD]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, replaceAll(c.text, c.from, c.to)) << c.text;
}

TEST(Text, CutsAtTheLimit)
{
    EXPECT_EQ(std::string(255, 'x'), cut(std::string(300, 'x'), 255));
    EXPECT_EQ("abc", cut("abc", 255));
}

}  // namespace
}  // namespace quarry::text
