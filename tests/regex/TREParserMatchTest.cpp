// The matcher: what each construct matches, group positions, search direction, the step budget
// and long inputs. Every case runs over one flat buffer, over a text cut into one-character runs,
// and with the search filters switched off; all three must agree.
#include "support/ThrownMessage.h"
#include "regex/TREParser.h"
#include "regex/TREMatcher.h"
#include "support/SplitText.h"
#include "text/TEdStream.h"
#include "text/TTextStore.h"

#include <gtest/gtest.h>

using quarry::EREParser;
using quarry::TextPos;
using quarry::TFlatText;
using quarry::TREError;
using quarry::TREParser;
using quarry::test::SplitText;

namespace {

// "start,end" then "(start,end)" per group, "-" for none: "0,3(0,1)(1,3)".
std::string describe(TREParser& re, bool found)
{
    if (!found)
        return "-";
    auto pos = [](TextPos p) { return p < 0 ? std::string("-") : std::to_string(p); };
    std::string s = pos(re.MatchStart()) + "," + pos(re.MatchEnd());
    for (int g = 1; g <= re.GroupCount(); ++g)
        s += "(" + pos(re.RecordedPosition(2 * g)) + "," + pos(re.RecordedPosition(2 * g + 1)) + ")";
    return s;
}

// Searches in the three ways and fails the test when they disagree.
std::string search(const std::string& pattern, const std::string& text, TextPos from = 0,
                   bool forward = true, bool caseSensitive = true)
{
    std::string results[3];
    for (int way = 0; way < 3; ++way) {
        TREParser re;
        re.SetCaseSensitive(caseSensitive);
        re.SetExpression(pattern);
        re.SetAccelerators(way != 2);
        TFlatText flat(text);
        SplitText split(text, 7, 1);
        quarry::TTextRuns& runs = way == 1 ? static_cast<quarry::TTextRuns&>(split) : flat;
        results[way] = describe(re, re.Search(runs, from, forward));
    }
    EXPECT_EQ(results[0], results[1]) << pattern << " over one-character runs";
    EXPECT_EQ(results[0], results[2]) << pattern << " without filters";
    return results[0];
}

struct MatchCase {
    const char* pattern;
    std::string text;
    const char* expected;
};

const MatchCase kMatches[] = {
    // characters, classes, escapes
    {"abc", "xxabcx", "2,5"},
    {"a.c", "a\rc abc", "4,7"},
    {"[b-d]+", "axbcdz", "2,5"},
    {"[^a]", "aa\r", "2,3"},
    {"\\d+", "ab123c", "2,5"},
    {"\\D", "12a", "2,3"},
    {"\\w+", "  foo_1 ", "2,7"},
    {"\\W", "ab c", "2,3"},
    {"\\s+", "a \t\r\n\f\bb", "1,7"},
    {"\\S+", " \tab\r", "2,4"},
    {"[\\d_]+", "x1_2y", "1,4"},
    {"a\\nb", "a\rb", "0,3"},
    {"\\r", "a\nb", "1,2"},
    {"\\t\\x41\\101\\ \\.\\\\", "\tAA .\\", "0,6"},
    {"\\.", "a.b", "1,2"},
    {"\"a.b\"", "axb a.b", "4,7"},
    {"\"a\\nb\"", "a\rb", "0,3"},
    {"\"\"", "xy", "0,0"},
    {"\\0", std::string("a\0b", 3), "1,2"},
    {"\"b\\0\"", std::string("a\0b\0", 4), "2,4"},
    {"[^a]b", std::string("\0b", 2), "0,2"},
    {"[\\x01-\\x1f]", std::string("\0\x1b", 2), "1,2"},
    {".", std::string("\0", 1), "0,1"},
    {"a.", "a", "-"},
    // groups and alternatives
    {"(a)(b)", "ab", "0,2(0,1)(1,2)"},
    {"(a|ab)(c|bcd)(d*)", "abcd", "0,4(0,1)(1,4)(4,4)"},
    {"foo|foobar", "foobar", "0,3"},
    {"x(y|z)", "xz", "0,2(1,2)"},
    {"(a)|b", "b", "0,1(-,-)"},
    {"()", "a", "0,0(0,0)"},
    // repeats
    {"a*ab", "aaab", "0,4"},
    {"x*", "yx", "0,0"},
    {"[a-z]+ing", "singing", "0,7"},
    {"(ab)*c", "ababc", "0,5(2,4)"},
    {"(ab)+c", "abc", "0,3(0,2)"},
    {"(ab)+c", "c", "-"},
    {"a?b", "b", "0,1"},
    {"ab?", "a", "0,1"},
    {"x{2,3}", "x", "-"},
    {"x{2,3}", "xx", "0,2"},
    {"x{2,3}", "xxxx", "0,3"},
    {"x{2}", "xxx", "0,2"},
    {"x{2,}", "xxxxx", "0,5"},
    {"x{,2}", "xxx", "0,2"},
    {"x{0}y", "xy", "1,2"},
    {"x{1}", "x", "0,1"},
    {"(ab){2}", "ababab", "0,4(2,4)"},
    {"(a|bc){2,3}d", "abcbcd", "0,6(3,5)"},
    {"(a{2}b){2}", "aabaab", "0,6(3,6)"},
    {"a{1,3}a{2}", "aaaa", "0,4"},
    {"(x{1,2}y){2}", "xyxxy", "0,5(2,5)"},
    {"(a?){3}b", "aab", "0,3(2,2)"},
    {"(ab){2,}", "abababx", "0,6(4,6)"},
    {"(\\w+\\s?){2}!", "one two three!", "4,14(8,13)"},
    // a leading repeat must not skip starts it has not covered
    {"[a-z]{3}x", "abcdx", "1,5"},
    {"[a-z]{2,3}x", "abcdex", "2,6"},
    {"[a-z]+x", "abcx", "0,4"},
    {"a*b", "aaac aab", "5,8"},
    {"[A-Z]+_END", "FOO\rBAR_END", "4,11"},
    {"[A-Z]+_END", "FOO_E\rND", "-"},
    {"\\w+@", "ab cd@", "3,6"},
    // unordered pair: A then optional B, or B then optional A
    {"a||b", "ab", "0,2(0,2)(0,2)(0,1)(1,2)(-,-)(-,-)(-,-)"},
    {"a||b", "ba", "0,2(0,2)(-,-)(-,-)(-,-)(0,2)(0,1)(1,2)"},
    {"a||b", "a", "0,1(0,1)(0,1)(0,1)(-,-)(-,-)(-,-)(-,-)"},
    {"a||b", "b", "0,1(0,1)(-,-)(-,-)(-,-)(0,1)(0,1)(-,-)"},
    {"\"foo\"||\"bar\"", "xbarfoo", "1,7(1,7)(-,-)(-,-)(-,-)(1,7)(1,4)(4,7)"},
    {"(a||b)c", "bac", "0,3(0,2)(0,2)(-,-)(-,-)(-,-)(0,2)(0,1)(1,2)"},
    // a side that begins with a group but is not one keeps its parts together
    {"(x)y||z", "zx", "0,1(0,1)(-,-)(-,-)(-,-)(-,-)(0,1)(0,1)(-,-)(-,-)"},
    // lines
    {"^a", "ba\ra", "3,4"},
    {"^a", "a", "0,1"},
    {"a$", "a\rb", "0,1"},
    {"b$", "a\rb", "2,3"},
    {"^$", "a\r\rb", "2,2"},
    {"^\\s*#define", "x\r  #define X", "2,11"},
    {"^b|c", "abc", "2,3"},
    {"a\\n^b", "a\rb", "0,3"},
    {"$\\n", "ab\rc", "2,3"},
};

TEST(TREParserMatch, EachConstructMatchesWhatItShould)
{
    for (const auto& c : kMatches)
        EXPECT_EQ(c.expected, search(c.pattern, c.text)) << c.pattern;
}

struct DirectionCase {
    const char* pattern;
    const char* text;
    TextPos from;
    bool forward;
    const char* expected;
    bool caseSensitive = true;
};

const DirectionCase kDirections[] = {
    {"ab", "ab ab ab", 8, false, "6,8"},
    {"ab", "ab ab ab", 6, false, "3,5"},
    {"ab", "ab ab ab", 1, false, "0,2"},
    {"ab", "ab ab ab", 0, false, "-"},
    {"ab", "ab ab ab", 4, true, "6,8"},
    {"ab", "ab ab ab", 7, true, "-"},
    {"ab", "ab", 9, true, "-"},
    {"ab", "ab", 9, false, "0,2"},
    {"a*", "baa", 3, false, "2,3"},
    {"^x", "x\rx\rx", 5, false, "4,5"},
    {"^x", "x\rx\rx", 4, false, "2,3"},
    {"^x", "x\rx\rx", 1, true, "2,3"},
    {"x$", "x\rx\rx", 1, true, "2,3"},
    {"[0-9]+", "12 345", 6, false, "5,6"},
    {"[A-Z]+_END", "A_END\rB_END", 11, false, "6,11"},
    // ignoring case folds the letters of the code page
    {"abc", "xABC", 0, true, "1,4", false},
    {"abc", "xABC", 0, true, "-", true},
    {"[a-c]+", "AbC", 0, true, "0,3", false},
    {"\"foo\"", "FoO", 0, true, "0,3", false},
    {"\xE9", "e\xC9", 0, true, "1,2", false},
    {"[^a]b", "xB", 0, true, "0,2", false},
    {"[^a]b", "AB", 0, true, "-", false},
    {"[A-Z]+_end", "a\rFOO_END", 0, true, "2,9", false},
};

TEST(TREParserMatch, SearchesForwardFromAndBackwardBeforeTheStartPosition)
{
    for (const auto& c : kDirections)
        EXPECT_EQ(c.expected, search(c.pattern, c.text, c.from, c.forward, c.caseSensitive))
            << c.pattern << " from " << c.from << (c.forward ? " forward" : " backward")
            << (c.caseSensitive ? "" : " ignoring case");
}

TEST(TREParserMatch, ChangingCaseRuleRecompilesTheSameText)
{
    TREParser re;
    TFlatText text("ABC");
    re.SetExpression("abc");
    EXPECT_FALSE(re.Search(text, 0, true));
    re.SetCaseSensitive(false);
    EXPECT_FALSE(re.HasProgram());
    re.SetExpression("abc");
    EXPECT_TRUE(re.Search(text, 0, true));
}

std::string repeated(const std::string& piece, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

std::string lines(int count, const std::string& line) { return repeated(line + "\r", count); }

// One budget for a whole search: work that grows faster than the text ends it with "Expression
// too complex", even when every start position alone stays small; linear work on a long text
// runs to its end.
TEST(TREParserMatch, OneBudgetPerSearchEndsOnlyWorkThatOutgrowsTheText)
{
    struct Case {
        const char* pattern;
        std::string text;
        const char* expected;  // "start,end", "-" for no match, or the message
    } cases[] = {
        {"(a|aa)+b", std::string(60, 'a'), "Expression too complex"},
        {"(a|aa)+b", "aaab", "0,4"},
        {".*.*.*X", lines(3, std::string(400, 'y')), "Expression too complex"},
        {"x{2,3}y", std::string(200000, 'x'), "-"},
        {"[A-Z]+_SUSPEND", std::string(200000, 'Q') + "_SUSPEND", "0,200008"},
        {"^\\s*#define", lines(20000, "   int x;") + "#define", "200000,200007"},
        // A literal every match holds, far along one line: its line start is found once.
        {"[a-z]+XYZ", repeated("ab ", 60000) + "abXYZ", "180000,180005"},
    };
    for (const Case& c : cases) {
        TREParser re;
        re.SetExpression(c.pattern);
        TFlatText flat(c.text);
        std::string got;
        try {
            const bool found = re.Search(flat, 0, true);
            got = found ? std::to_string(re.MatchStart()) + "," + std::to_string(re.MatchEnd()) : "-";
        } catch (const EREParser& e) {
            got = e.what();
            EXPECT_EQ(TREError::TooComplex, re.LastError());
        }
        EXPECT_EQ(c.expected, got) << c.pattern;
    }
}

TEST(TREParserMatch, LongInputsAndManyAlternativesDoNotExhaustTheStack)
{
    // A recursive matcher would nest once per character here.
    const std::string text = std::string(100000, 'a') + "c";
    TFlatText flat(text);
    TREParser loop;
    loop.SetExpression("(a|b)*c");
    ASSERT_TRUE(loop.Search(flat, 0, true));
    EXPECT_EQ(static_cast<TextPos>(text.size()), loop.MatchEnd());

    std::string many;
    for (int i = 0; i < 2000; ++i)
        many += "x" + std::to_string(i) + "|";
    many += "a+c";
    TREParser alternatives;
    alternatives.SetExpression(many);
    ASSERT_TRUE(alternatives.Search(flat, 0, true));
    EXPECT_EQ(0, alternatives.MatchStart());

    TREParser nested;
    nested.SetExpression("(((((((((a)))))))))+c");
    ASSERT_TRUE(nested.Search(flat, 0, true));
    EXPECT_EQ(static_cast<TextPos>(text.size()), nested.MatchEnd());
}

TEST(TREParserMatch, DamagedProgramsRaiseInternalError)
{
    quarry::TREProgram bad;
    bad.code = {0, 0, 0, 0};  // no magic value
    EXPECT_EQ("Internal error", quarry::test::thrownMessage<EREParser>([&] { quarry::TREMatcher m(bad); }));
    quarry::TREProgram broken;
    broken.code = {156, quarry::reop::EXACTLY, 0, 0, 'a', 0};  // the literal leads nowhere
    EXPECT_THROW(quarry::TREMatcher m(broken), EREParser);
}

TEST(TREParserMatch, FiltersFoundForTypicalExpressions)
{
    struct Case {
        const char* pattern;
        const char* filters;
    };
    const Case cases[] = {
        {"[A-Z]+_SUSPEND", "first=26 required=_SUSPEND line-local leading-repeat"},
        {"\"foo\"||\"bar\"", "first=2 prefix=bar prefix=foo line-local"},
        {"^\\s*#define", "first=7 anchored"},
        {"x{2,3}y", "first=1 line-local leading-repeat"},
        {"a|b*", "line-local"},
    };
    for (const auto& c : cases) {
        TREParser re;
        re.SetExpression(c.pattern);
        EXPECT_EQ(c.filters, re.DescribeFilters()) << c.pattern;
    }
}

// The counter test nodes by hand: CSET #0 to a value, then a test whose two ways lead to "y" or
// to "n", so the text that matches tells which way was taken.
std::string counterWay(std::uint8_t test, int value)
{
    using namespace quarry::reop;
    // 1 CSET(6) ->7; 7 test(4) next->19, after it 11 EXACTLY"n"(5) ->16; 16 END; 19 EXACTLY"y" ->24; 24 END
    quarry::TREProgram p;
    p.code = {kMagic,
              CSET, 0, 6, 0, static_cast<std::uint8_t>(value), 0,
              test, 0, 12, 0,
              EXACTLY, 0, 5, 'n', 0,
              END, 0, 0,
              EXACTLY, 0, 5, 'y', 0,
              END, 0, 0};
    quarry::TREMatcher m(p);
    quarry::TFlatText text("ny");
    if (!m.search(text, 0, true))
        return "-";
    return m.slots()[0] == 0 ? "after" : "next";
}

TEST(TREParserMatch, CounterTestsTakeTheirDocumentedWays)
{
    using namespace quarry::reop;
    EXPECT_EQ("next", counterWay(CTESTZERO, 0));
    EXPECT_EQ("after", counterWay(CTESTZERO, 2));
    EXPECT_EQ("next", counterWay(CBELOW1, 0));
    EXPECT_EQ("after", counterWay(CBELOW1, 1));
    EXPECT_EQ("next", counterWay(CABOVE0, 1));
    EXPECT_EQ("after", counterWay(CABOVE0, 0));
}

TEST(TREParserMatch, SearchesTheEditorTextThroughItsCursor)
{
    quarry::TTextStore store;
    store.InsertText(0, std::string("int a;\r\nfoo(bar);\nint b;"));
    quarry::TEdStream stream(store, 0, -1);
    TREParser re;
    re.SetExpression("int \\w");
    ASSERT_TRUE(re.Search(stream, true));
    EXPECT_EQ(0, re.MatchStart());
    EXPECT_EQ(5, stream.Position());  // after the match
    ASSERT_TRUE(re.Search(stream, true));
    EXPECT_EQ(17, re.MatchStart());
    EXPECT_EQ(22, stream.Position());
    EXPECT_FALSE(re.Search(stream, true));
    EXPECT_EQ(22, stream.Position());  // unmoved when nothing is found
    ASSERT_TRUE(re.Search(stream, false));
    EXPECT_EQ(17, re.MatchStart());

    // The cursor's end offset bounds the text searched.
    quarry::TEdStream front(store, 0, 10);
    re.SetExpression("bar");
    EXPECT_FALSE(re.Search(front, true));
    front.Seek(0);
    re.SetExpression("fo");
    EXPECT_TRUE(re.Search(front, true));
}

}  // namespace
