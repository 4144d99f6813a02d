// quarryhl search and replace as scripts use them: offsets and lengths of every match, the text
// after replace-all, and exit statuses for no match, bad expressions, files and usage.
#include "RunQuarryhl.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

using quarry::test::ToolRun;

ToolRun quarryhl(const std::string& args, bool withErrors = false)
{
    return quarry::test::runQuarryhl(args, withErrors ? "2>&1" : "2>/dev/null");
}

class SearchCommand : public ::testing::Test {
protected:
    std::string file(const std::string& bytes) { return "'" + dir.write("in.c", bytes) + "'"; }
    quarry::test::TempDir dir;
};

struct Case {
    const char* options;
    const char* pattern;
    const char* output;
};

// "int foo;" CR LF "foo(bar);" LF "Foobar": every line end counts as one character.
const Case kSearches[] = {
    {"", "foo", "4 3\n9 3\n19 3\n"},
    {"--case", "foo", "4 3\n9 3\n"},
    {"--back", "foo", "19 3\n9 3\n4 3\n"},
    {"--word", "foo", "4 3\n9 3\n"},
    {"--regex", "'\\w+\\('", "9 4\n"},
    {"--regex --case", "'^f\\w+'", "9 3\n"},
    {"--regex", "';\\n'", "7 2\n17 2\n"},
    {"--regex --back", "'o+'", "21 1\n20 2\n11 1\n10 2\n6 1\n5 2\n"},
};

TEST_F(SearchCommand, PrintsEveryMatchAsOffsetAndLength)
{
    const std::string path = file("int foo;\r\nfoo(bar);\nFoobar");
    for (const auto& c : kSearches) {
        const ToolRun run = quarryhl(std::string("search ") + c.options + " " + c.pattern + " " + path);
        EXPECT_EQ(c.output, run.out) << c.options << " " << c.pattern;
        EXPECT_EQ(0, run.status) << c.options << " " << c.pattern;
    }
}

TEST_F(SearchCommand, ReplaceWritesTheTextWithEveryMatchReplaced)
{
    const std::string path = file("a=1;\nb=22;\n");
    ToolRun run = quarryhl("replace --regex '(\\w)=(\\d+)' '%3 is %1\\n%%' " + path);
    EXPECT_EQ("1 is a\n%;\n22 is b\n%;\n", run.out);
    EXPECT_EQ(0, run.status);
    run = quarryhl("replace '=' ' := ' " + path);
    EXPECT_EQ("a := 1;\nb := 22;\n", run.out);
    run = quarryhl("replace --word b c " + path, true);
    EXPECT_EQ("a=1;\nc=22;\n1 replacements\n", run.out);
}

TEST_F(SearchCommand, FailuresEndWithTheirStatusAndMessage)
{
    const std::string path = file("abc\n");
    ToolRun run = quarryhl("search zzz " + path, true);
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("", run.out);
    run = quarryhl("search --regex '(ab' " + path, true);
    EXPECT_EQ(2, run.status);
    EXPECT_EQ("quarryhl search: Unmatched parenthesis (at 3 in the expression)\n", run.out);
    run = quarryhl("replace --regex 'a{3,2}' x " + path, true);
    EXPECT_EQ(2, run.status);
    EXPECT_EQ("quarryhl replace: Invalid range (at 1 in the expression)\n", run.out);
    run = quarryhl("search abc '" + dir.file("missing.c") + "'", true);
    EXPECT_EQ(1, run.status);
    EXPECT_NE(std::string::npos, run.out.find("cannot be opened for reading")) << run.out;
    run = quarryhl("search --fast abc " + path, true);
    EXPECT_EQ(2, run.status);
    EXPECT_EQ("quarryhl search: unknown option --fast\n", run.out);
    run = quarryhl("replace abc " + path, true);
    EXPECT_EQ(2, run.status);
}

}  // namespace
