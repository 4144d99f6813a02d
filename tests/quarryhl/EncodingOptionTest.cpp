// quarryhl --encoding: the text read as UTF-8 or Windows-1252, decided from its bytes by default.
#include "RunQuarryhl.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

using quarry::test::ToolRun;

TEST(EncodingOption, TokensPagesAndSearchesReadTheChosenEncoding)
{
    quarry::test::TempDir dir;
    // "grüße = 1;" with a byte-order mark in front.
    const std::string path = "'" + dir.write("in.c", "\xEF\xBB\xBFgr\xC3\xBC\xC3\x9F" "e = 1;\n") + "'";
    const struct {
        std::string args;
        std::string wanted;    // in the output
        std::string unwanted;  // not in it
    } cases[] = {
        {"tokens " + path, "0 7 3\n", "0 2 3\n"},  // one name of seven bytes, the mark left out
        {"tokens --encoding utf-8 " + path, "0 7 3\n", "0 2 3\n"},
        {"tokens --encoding windows-1252 " + path, "3 2 3\n", "0 7 3\n"},  // the mark is text
        {"html --date x " + path, "charset=utf-8\">", "&#195;"},
        {"html --date x " + path, "gr\xC3\xBC\xC3\x9F" "e", "\xEF\xBB\xBF"},
        {"html --date x --encoding windows-1252 " + path, "&#195;", "charset=utf-8"},
        {"rtf --encoding auto " + path, "gr\\u252?\\u223?e", "\\'c3"},
        {"rtf --encoding cp1252 " + path, "\\'c3", "\\u252?"},
        {"search --regex 'r.' " + path, "1 3\n", "1 2\n"},
        {"search --regex --encoding windows-1252 'r.' " + path, "4 2\n", "4 3\n"},
        {"search --encoding utf8 'GR\xC3\x9C' " + path, "0 4\n", "-"},
    };
    for (const auto& c : cases) {
        const ToolRun run = quarry::test::runQuarryhl(c.args, "2>&1");
        EXPECT_NE(std::string::npos, run.out.find(c.wanted)) << c.args << "\n" << run.out;
        EXPECT_EQ(std::string::npos, run.out.find(c.unwanted)) << c.args << "\n" << run.out;
        EXPECT_EQ(0, run.status) << c.args;
    }
    const ToolRun bad = quarry::test::runQuarryhl("tokens --encoding latin9 " + path, "2>&1");
    EXPECT_NE(0, bad.status);
    EXPECT_NE(std::string::npos, bad.out.find("unknown encoding latin9"));
}

}  // namespace
