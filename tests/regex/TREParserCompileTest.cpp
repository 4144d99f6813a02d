// The compiler: node programs as dumps, every error message with its code and position, and
// random pattern bytes that must either compile or fail with one of the engine's messages.
#include "support/ThrownMessage.h"
#include "regex/TREParser.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using quarry::EREParser;
using quarry::TREError;
using quarry::TREParser;

namespace {

struct DumpCase {
    const char* pattern;
    const char* dump;
};

// Offsets are part of the dump: they show node sizes and every link, forward and BACK.
const DumpCase kDumps[] = {
    {"a", "1:BRANCH->9 4:EXACTLY\"a\"->9 9:END"},
    {"ab", "1:BRANCH->14 4:EXACTLY\"a\"->9 9:EXACTLY\"b\"->14 14:END"},
    {"\"ab\"", "1:BRANCH->10 4:EXACTLY\"ab\"->10 10:END"},
    {"\"a\\\"b\"", "1:BRANCH->11 4:EXACTLY\"a\\x22b\"->11 11:END"},
    {"\\x41\\101\\n\\r\\t\\b\\f\\ \\q",
     "1:BRANCH->49 4:EXACTLY\"A\"->9 9:EXACTLY\"A\"->14 14:EXACTLY\"\\x0D\"->19 "
     "19:EXACTLY\"\\x0A\"->24 24:EXACTLY\"\\x09\"->29 29:EXACTLY\"\\x08\"->34 "
     "34:EXACTLY\"\\x0C\"->39 39:EXACTLY\"\\x20\"->44 44:EXACTLY\"q\"->49 49:END"},
    {"\\400", "1:BRANCH->14 4:EXACTLY\"\\x20\"->9 9:EXACTLY\"0\"->14 14:END"},
    {"^.$", "1:BRANCH->13 4:BOL->7 7:ANY->10 10:EOL->13 13:END"},
    {"[^a-c_]\\d", "1:BRANCH->522 4:ANYBUT[_a-c]->263 263:ANYOF[0-9]->522 522:END"},
    {"[\\w-]", "1:BRANCH->263 4:ANYOF[\\x2D0-9A-Z_a-z]->263 263:END"},
    {"\\s\\S", "1:BRANCH->522 4:ANYOF[\\x08-\\x0A\\x0C\\x0D\\x20]->263 "
               "263:ANYBUT[\\x08-\\x0A\\x0C\\x0D\\x20]->522 522:END"},
    {"\\0", "1:BRANCH->263 4:ANYOF[\\x00]->263 263:END"},
    {"a*", "1:BRANCH->12 4:STAR->12 7:EXACTLY\"a\" 12:END"},
    {"[ab]+", "1:BRANCH->266 4:PLUS->266 7:ANYOF[ab] 266:END"},
    {"a?", "1:BRANCH->18 4:BRANCH->12 7:EXACTLY\"a\"->15 12:BRANCH->15 15:NOTHING->18 18:END"},
    {"(ab)*",
     "1:BRANCH->35 4:BRANCH->29 7:OPEN1->10 10:BRANCH->23 13:EXACTLY\"a\"->18 "
     "18:EXACTLY\"b\"->23 23:CLOSE1->26 26:BACK->4 29:BRANCH->32 32:NOTHING->35 35:END"},
    {"(ab)+",
     "1:BRANCH->35 4:OPEN1->7 7:BRANCH->20 10:EXACTLY\"a\"->15 15:EXACTLY\"b\"->20 "
     "20:CLOSE1->23 23:BRANCH->29 26:BACK->4 29:BRANCH->32 32:NOTHING->35 35:END"},
    {"a|b|",
     "1:BRANCH->9 4:EXACTLY\"a\"->23 9:BRANCH->17 12:EXACTLY\"b\"->23 17:BRANCH->23 "
     "20:NOTHING->23 23:END"},
    {"x{2,3}",
     "1:BRANCH->52 4:CSET#0=2->10 10:CSET#1=1->16 16:CTESTZERO#0->24 20:CDEC#0->41 "
     "24:CBELOW1#1->49 28:BRANCH->35 31:CDEC#1->41 35:BRANCH->49 38:NOTHING->49 "
     "41:EXACTLY\"x\"->46 46:BACK->16 49:NOTHING->52 52:END"},
    {"a{3}",
     "1:BRANCH->29 4:CSET#0=3->10 10:CTESTZERO#0->26 14:CDEC#0->18 18:EXACTLY\"a\"->23 "
     "23:BACK->10 26:NOTHING->29 29:END"},
    {"a{2,}",
     "1:BRANCH->41 4:CSET#0=2->10 10:CTESTZERO#0->18 14:CDEC#0->30 18:BRANCH->24 "
     "21:NOTHING->30 24:BRANCH->38 27:NOTHING->38 30:EXACTLY\"a\"->35 35:BACK->10 "
     "38:NOTHING->41 41:END"},
    {"(ab){,2}",
     "1:BRANCH->52 4:CSET#0=2->10 10:CBELOW1#0->49 14:BRANCH->21 17:CDEC#0->27 "
     "21:BRANCH->49 24:NOTHING->49 27:OPEN1->30 30:BRANCH->43 33:EXACTLY\"a\"->38 "
     "38:EXACTLY\"b\"->43 43:CLOSE1->46 46:BACK->10 49:NOTHING->52 52:END"},
    {"a{1}b{0,1}",
     "1:BRANCH->23 4:EXACTLY\"a\"->9 9:BRANCH->17 12:EXACTLY\"b\"->20 17:BRANCH->20 "
     "20:NOTHING->23 23:END"},
    {"a{0}b", "1:BRANCH->12 4:NOTHING->7 7:EXACTLY\"b\"->12 12:END"},
    {"a||b",
     "1:BRANCH->108 4:OPEN1->7 7:BRANCH->56 10:OPEN2->13 13:BRANCH->53 16:OPEN3->19 "
     "19:BRANCH->27 22:EXACTLY\"a\"->27 27:CLOSE3->30 30:BRANCH->47 33:OPEN4->36 "
     "36:BRANCH->44 39:EXACTLY\"b\"->44 44:CLOSE4->50 47:BRANCH->50 50:NOTHING->53 "
     "53:CLOSE2->105 56:BRANCH->105 59:OPEN5->62 62:BRANCH->102 65:OPEN6->68 68:BRANCH->76 "
     "71:EXACTLY\"b\"->76 76:CLOSE6->79 79:BRANCH->96 82:OPEN7->85 85:BRANCH->93 "
     "88:EXACTLY\"a\"->93 93:CLOSE7->99 96:BRANCH->99 99:NOTHING->102 102:CLOSE5->105 "
     "105:CLOSE1->108 108:END"},
};

TEST(TREParserCompile, ProgramsDumpAsExpected)
{
    for (const auto& c : kDumps) {
        TREParser re;
        ASSERT_TRUE(re.SetExpression(c.pattern)) << c.pattern;
        EXPECT_EQ(c.dump, re.Dump()) << c.pattern;
        EXPECT_EQ(156, re.Program().at(0)) << c.pattern;
    }
}

TEST(TREParserCompile, IgnoringCaseClassesHoldBothCases)
{
    TREParser re;
    re.SetCaseSensitive(false);
    re.SetExpression("[a-c\xE9]");
    EXPECT_EQ("1:BRANCH->263 4:ANYOF[A-Ca-c\\xC9\\xE9]->263 263:END", re.Dump());
}

struct ErrorCase {
    const char* pattern;
    TREError code;
    const char* message;
    int position;
};

const ErrorCase kErrors[] = {
    {"", TREError::InvalidParameter, "Invalid parameter", 0},
    {"(a", TREError::UnmatchedParenthesis, "Unmatched parenthesis", 2},
    {"a)", TREError::UnmatchedParenthesis, "Unmatched parenthesis", 1},
    {")", TREError::UnmatchedParenthesis, "Unmatched parenthesis", 0},
    {"((a)", TREError::UnmatchedParenthesis, "Unmatched parenthesis", 4},
    {"*a", TREError::InvalidRepeat, "Invalid repeat", 0},
    {"a|+", TREError::InvalidRepeat, "Invalid repeat", 2},
    {"(?a)", TREError::InvalidRepeat, "Invalid repeat", 1},
    {"(a*)*", TREError::InvalidRepeat, "Invalid repeat", 4},
    {"(a?|b)+", TREError::InvalidRepeat, "Invalid repeat", 6},
    {"^*", TREError::InvalidRepeat, "Invalid repeat", 1},
    {"\"\"+", TREError::InvalidRepeat, "Invalid repeat", 2},
    {"(a*){2,}", TREError::InvalidRepeat, "Invalid repeat", 4},
    {"a**", TREError::NestedRepeat, "Nested repeat", 2},
    {"a*?", TREError::NestedRepeat, "Nested repeat", 2},
    {"a+*", TREError::NestedRepeat, "Nested repeat", 2},
    {"a{2}+", TREError::NestedRepeat, "Nested repeat", 4},
    {"a?{2}", TREError::NestedRepeat, "Nested repeat", 2},
    {"[z-a]", TREError::InvalidRange, "Invalid range", 1},
    {"[ab-]", TREError::InvalidRange, "Invalid range", 4},
    {"[a-", TREError::InvalidRange, "Invalid range", 3},
    {"[a-\\d]", TREError::InvalidRange, "Invalid range", 1},
    {"a{}", TREError::InvalidRange, "Invalid range", 2},
    {"a{,}", TREError::InvalidRange, "Invalid range", 3},
    {"a{x}", TREError::InvalidRange, "Invalid range", 2},
    {"a{3,2}", TREError::InvalidRange, "Invalid range", 1},
    {"a{65536}", TREError::InvalidRange, "Invalid range", 6},
    {"a{2", TREError::UnmatchedBracket, "Unmatched bracket", 3},
    {"a{2,3", TREError::UnmatchedBracket, "Unmatched bracket", 5},
    {"a{2 }", TREError::UnmatchedBracket, "Unmatched bracket", 3},
    {"[]", TREError::UnmatchedBracket, "Unmatched bracket", 1},
    {"[^]", TREError::UnmatchedBracket, "Unmatched bracket", 2},
    {"[abc", TREError::UnmatchedBracket, "Unmatched bracket", 4},
    {"\\x", TREError::HexDigitExpected, "Hex digit expected", 2},
    {"\\xg", TREError::HexDigitExpected, "Hex digit expected", 2},
    {"[\\x]", TREError::HexDigitExpected, "Hex digit expected", 3},
    {"\"\\x\"", TREError::HexDigitExpected, "Hex digit expected", 3},
    {"a\\", TREError::UnexpectedEnd, "Unexpected end of input", 2},
    {"[a\\", TREError::UnexpectedEnd, "Unexpected end of input", 3},
    {"\"ab\\", TREError::UnexpectedEnd, "Unexpected end of input", 4},
    {"\"abc", TREError::QuoteExpected, "' expected", 4},
    {"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", TREError::TooManySubexpressions,
     "Too many sub-expressions", 27},
    {"(a)(b)(c)x||y", TREError::TooManySubexpressions, "Too many sub-expressions", 10},
    // Errors inside a rewritten pair still point into the expression as typed.
    {"a||[z-a]", TREError::InvalidRange, "Invalid range", 4},
    {"\"ab\"||(c", TREError::UnmatchedParenthesis, "Unmatched parenthesis", 8},
};

TEST(TREParserCompile, EveryFaultRaisesItsMessageCodeAndPosition)
{
    for (const auto& c : kErrors) {
        TREParser re;
        try {
            re.SetExpression(c.pattern);
            ADD_FAILURE() << "compiled: " << c.pattern;
        } catch (const EREParser& e) {
            EXPECT_EQ(std::string(c.message), e.what()) << c.pattern;
            EXPECT_EQ(c.code, e.code()) << c.pattern;
            EXPECT_EQ(c.position, e.position()) << c.pattern;
            EXPECT_EQ(c.code, re.LastError()) << c.pattern;
            EXPECT_EQ(c.position, re.ErrorPosition()) << c.pattern;
            EXPECT_FALSE(re.HasProgram()) << c.pattern;
        }
    }
}

TEST(TREParserCompile, ErrorCodesAreNumberedFromNoErrors)
{
    EXPECT_EQ(4246, static_cast<int>(TREError::None));
    EXPECT_STREQ("No errors detected", quarry::reErrorText(TREError::None));
    EXPECT_STREQ("Internal error", quarry::reErrorText(TREError::Internal));
    TREParser re;
    EXPECT_EQ(TREError::None, re.LastError());
}

TEST(TREParserCompile, FailedCompileLeavesNoProgramAndSearchRefuses)
{
    TREParser re;
    re.SetExpression("abc");
    EXPECT_THROW(re.SetExpression("a{"), EREParser);
    EXPECT_TRUE(re.Program().empty());
    quarry::TFlatText text("abc");
    try {
        re.Search(text, 0, true);
        ADD_FAILURE() << "searched without a program";
    } catch (const EREParser& e) {
        EXPECT_EQ(TREError::InvalidParameter, e.code());
    }
    // The same text again compiles again (and fails again) rather than reusing anything.
    EXPECT_THROW(re.SetExpression("a{"), EREParser);
    EXPECT_TRUE(re.SetExpression("abc"));
    EXPECT_EQ(TREError::None, re.LastError());
}

TEST(TREParserCompile, RecordedPositionsOutsideTheTableRaiseIndexRangeError)
{
    TREParser re;
    EXPECT_EQ(-1, re.RecordedPosition(255));
    for (int index : {-1, 256, 1000}) {
        EXPECT_EQ("Index range error", quarry::test::thrownMessage<EREParser>([&] { re.RecordedPosition(index); }));
    }
}

// Random bytes, weighted toward the characters that carry syntax.
TEST(TREParserCompile, RandomPatternsCompileOrRaiseOneOfTheMessages)
{
    const std::string alphabet = "ab()[]{}|*+?^$.\\\"-,0123dwsxn\r ||";
    const std::set<std::string> messages = {
        "Invalid parameter", "Too many sub-expressions", "Unmatched parenthesis",
        "Invalid repeat", "Nested repeat", "Invalid range", "Unmatched bracket",
        "Hex digit expected", "Unexpected end of input", "' expected", "Expression too complex"};
    std::mt19937 rng(1234);
    int compiled = 0;
    const std::string text = "ab(a)[b]{1}\r0x12 dws\"n\" aabb||";
    for (int round = 0; round < 30000; ++round) {
        std::string pattern;
        const int length = static_cast<int>(rng() % 14);
        for (int i = 0; i < length; ++i)
            pattern += rng() % 8 == 0 ? static_cast<char>(rng() % 256) : alphabet[rng() % alphabet.size()];
        TREParser re;
        re.SetStepBudget(20000);
        try {
            re.SetExpression(pattern);
            ++compiled;
            quarry::TFlatText flat(text);
            for (bool forward : {true, false})
                re.Search(flat, forward ? 0 : static_cast<quarry::TextPos>(text.size()), forward);
        } catch (const EREParser& e) {
            EXPECT_EQ(1u, messages.count(e.what())) << e.what() << " for " << pattern;
            EXPECT_LE(e.position(), static_cast<int>(pattern.size())) << pattern;
        }
    }
    EXPECT_GT(compiled, 3000);  // the generator must reach the matcher too
}

}  // namespace
