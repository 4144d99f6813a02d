#include "tools/ErrorList.h"
#include "tools/ErrorScanner.h"
#include "tools/StatusColours.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace quarry {
namespace {

std::string scan(const std::string& text, bool forward, ErrorGrammar grammar)
{
    const auto entry = ScanErrorLines(text, forward, grammar, PathStyle::posix());
    return (entry.hasPlace() ? entry.file + ":" + std::to_string(entry.line) + " " : std::string()) + entry.text;
}

TEST(ErrorScan, FindsTheFirstRelevantLineInScanOrder)
{
    const std::string twoErrors = "a.c:1: error: one\r\nb.c:2: error: two\r\n";
    const struct {
        std::string text;
        bool forward;
        ErrorGrammar grammar;
        std::string expected;
    } cases[] = {
        {twoErrors, true, ErrorGrammar::Gcc, "a.c:1 a.c:1: error: one"},
        {twoErrors, false, ErrorGrammar::Gcc, "b.c:2 b.c:2: error: two"},
        {"A.ASM(1): first\rB.ASM(2): last\r", false, ErrorGrammar::Talvik, "B.ASM:2 B.ASM(2): last"},
        {"A.ASM(1): first\nB.ASM(2): last", true, ErrorGrammar::Talvik, "A.ASM:1 A.ASM(1): first"},
        // A warning is passed over; the scan goes on to the next line.
        {"a.c:1: warning: w\na.c:5: error: e\n", true, ErrorGrammar::Gcc, "a.c:5 a.c:5: error: e"},
        // "uccess," ends the scan where it is met; the word without the comma does not.
        {"Success, 0 errors\na.c:1: error: e\n", true, ErrorGrammar::Gcc, "Success, 0 errors"},
        {"a.c:1: error: e\nSuccess, 0 errors\n", false, ErrorGrammar::Unknown, "Success, 0 errors"},
        {"Success 0 errors\na.c:1: error: e\n", true, ErrorGrammar::Gcc, "a.c:1 a.c:1: error: e"},
        {"nothing\n\n", true, ErrorGrammar::Gcc, "No error found - Check compiler error output"},
        {"nothing\n", true, ErrorGrammar::ByteCraft, "Success"},
        {"", false, ErrorGrammar::Talvik, "Success"},
        // Lines count with at most 255 characters, trailing blanks and controls removed.
        {std::string(252, 'x') + "(12): cut off here", false, ErrorGrammar::Talvik, "Success"},
        {"M.ASM(3): padded \t \x01\r\n", false, ErrorGrammar::Talvik, "M.ASM:3 M.ASM(3): padded"},
        {std::string(100000, 'z') + ":7: error: far out\na.c:1: error: e", true, ErrorGrammar::Gcc, "a.c:1 a.c:1: error: e"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, scan(c.text, c.forward, c.grammar)) << c.text;
}

TEST(ErrorScan, ListsEveryRecognisedLineWithWarningsApart)
{
    const std::string output = "e.c: In function 'main':\n"
                               "e.c:1:28: error: expected ';'\n"
                               "    1 | int x = 1 return\n"
                               "e.c:1:22: warning: unused variable 'x'\n"
                               "Success, nothing to list\n"
                               "collect2: error: ld returned 1 exit status\n";
    const auto listing = ListErrors(output, ErrorGrammar::Gcc, PathStyle::posix(), 10);
    ASSERT_EQ(3u, listing.entries.size());
    EXPECT_FALSE(listing.truncated);
    ErrorList list;
    list.Assign(listing.entries);
    EXPECT_EQ(2u, list.Count(ErrorEntry::Severity::Error));
    EXPECT_EQ(1u, list.Count(ErrorEntry::Severity::Warning));
    EXPECT_EQ("warning: unused variable 'x'", listing.entries[1].detail);

    const auto cut = ListErrors(output, ErrorGrammar::Gcc, PathStyle::posix(), 2);
    EXPECT_EQ(2u, cut.entries.size());
    EXPECT_TRUE(cut.truncated);
}

TEST(ErrorScan, ListWalksTheLinesRoundAndSkipsEntriesWithoutOne)
{
    ErrorList list;
    list.Assign(ListErrors("a.c:1: error: x\nld: cannot find -lm\nb.c:2: warning: y\nc.c:3: error: z\n",
                           ErrorGrammar::Gcc, PathStyle::posix(), 10)
                    .entries);
    ASSERT_EQ(4u, list.Entries().size());
    std::string walk;
    for (int step = 0; step < 4; ++step)
        walk += std::to_string(*list.Next());
    walk += "/";
    for (int step = 0; step < 2; ++step)
        walk += std::to_string(*list.Previous());
    EXPECT_EQ("0230/32", walk);
    list.Merge(ListErrors("c.c:3: error: z\nd.c:4: error: new\n", ErrorGrammar::Gcc, PathStyle::posix(), 10).entries);
    EXPECT_EQ(5u, list.Entries().size());
    ErrorList empty;
    EXPECT_FALSE(empty.Next());
}

// Whatever bytes an error file holds, scanning and listing end, and every entry stays within
// the line limit.
TEST(ErrorScan, SurvivesArbitraryBytes)
{
    std::mt19937 random(12);
    const std::string alphabet = std::string("():. \t\r\n\0\xff", 11) + "0123456789abcERROR   warning/\\uccess,SIM";
    for (int round = 0; round < 300; ++round) {
        std::string text(random() % 2000, ' ');
        for (auto& c : text)
            c = alphabet[random() % alphabet.size()];
        for (auto grammar : {ErrorGrammar::Talvik, ErrorGrammar::Unknown, ErrorGrammar::ByteCraft, ErrorGrammar::Gcc}) {
            const auto entry = ScanErrorLines(text, round % 2 == 0, grammar, PathStyle::windows());
            EXPECT_LE(entry.text.size(), 255u);
            for (const auto& listed : ListErrors(text, grammar, PathStyle::posix(), 1000).entries)
                ASSERT_LE(listed.text.size(), 255u);
        }
    }
}

}  // namespace
}  // namespace quarry
