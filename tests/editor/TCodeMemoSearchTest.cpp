// Search and replace inside the control: where searches start, what they select, case and
// whole-word rules, regular-expression sub-matches and templates, failure reporting, and
// replace-all as one undo step.
#include "support/ThrownMessage.h"
#include "editor/MemoFixture.h"
#include "editor/TCodeMemoSearch.h"
#include "text/TLineSegmenter.h"
#include "regex/EREParser.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

class Search : public test::MemoFixture {
protected:
    Search() : search(memo)
    {
        search.OnSearchFail = [this](TCustomCodeMemo& sender, const std::string& text) {
            EXPECT_EQ(&memo, &sender);
            failures.push_back(text);
        };
    }

    // The selection as "start,end".
    std::string Selected() { return std::to_string(memo.SelStart()) + "," + std::to_string(memo.SelStart() + memo.SelLength()); }

    static constexpr std::uint16_t D = TCodeMemoSearch::kDirect;
    static constexpr std::uint16_t kCase = TCodeMemoSearch::kMatchCase;
    static constexpr std::uint16_t kRe = TCodeMemoSearch::kRegExpr;
    static constexpr std::uint16_t kWord = TCodeMemoSearch::kWholeWords;
    static constexpr std::uint16_t kBack = TCodeMemoSearch::kBackward;
    static constexpr std::uint16_t kAll = TCodeMemoSearch::kReplaceAll;

    TCodeMemoSearch search;
    std::vector<std::string> failures;
};

struct FindCase {
    const char* text;        // "|" stands for a line end
    int selStart, selEnd;
    std::uint16_t flags;
    const char* pattern;
    const char* selected;    // "-" when nothing is found
};

const FindCase kFinds[] = {
    {"foo bar foo", 0, 0, 0, "foo", "0,3"},
    {"foo bar foo", 0, 3, 0, "foo", "8,11"},              // starts at the selection's end
    {"foo bar", 4, 4, 0, "foo", "-"},                     // the only match lies before the caret
    {"foo bar foo", 11, 11, TCodeMemoSearch::kBackward, "foo", "8,11"},
    {"foo bar foo", 8, 11, TCodeMemoSearch::kBackward, "foo", "0,3"},  // backward from the start
    {"foo", 0, 0, TCodeMemoSearch::kBackward, "foo", "-"},
    {"aaaa", 0, 2, 0, "aa", "2,4"},
    {"aaaa", 1, 2, 0, "aa", "2,4"},                       // the dialogs' skip rule moved the start
    {"xFOO foo", 0, 0, 0, "foo", "1,4"},
    {"xFOO foo", 0, 0, TCodeMemoSearch::kMatchCase, "foo", "5,8"},
    {"x\xC9t\xE9", 0, 0, 0, "\xE9T\xC9", "1,4"},
    {"abc ab", 0, 0, TCodeMemoSearch::kWholeWords, "ab", "4,6"},
    {"abc xab", 0, 0, TCodeMemoSearch::kWholeWords, "ab", "-"},
    {"ab abc", 6, 6, TCodeMemoSearch::kWholeWords | TCodeMemoSearch::kBackward, "ab", "0,2"},
    {"a_b a-b", 0, 0, TCodeMemoSearch::kWholeWords, "b", "6,7"},
    {"one|two", 0, 0, 0, "e\r\nt", "2,5"},                 // a CR LF in the pattern is the line end
    {"one|two", 0, 0, 0, "e\nt", "2,5"},
    {"", 0, 0, 0, "x", "-"},
    {"abc", 0, 0, 0, "", "-"},
    // regular expressions
    {"x = 12; y = 345;", 0, 0, TCodeMemoSearch::kRegExpr, "\\d+", "4,6"},
    {"x = 12; y = 345;", 4, 6, TCodeMemoSearch::kRegExpr, "\\d+", "12,15"},
    // backward tries each earlier start, nearest first: the "2" of "12" comes before the "12"
    {"x = 12; y = 345;", 12, 15, TCodeMemoSearch::kRegExpr | TCodeMemoSearch::kBackward, "\\d+", "5,6"},
    {"Foo foo", 0, 0, TCodeMemoSearch::kRegExpr | TCodeMemoSearch::kMatchCase, "f[a-z]+", "4,7"},
    {"Foo foo", 0, 0, TCodeMemoSearch::kRegExpr, "f[a-z]+", "0,3"},
    {"abc ab", 0, 0, TCodeMemoSearch::kRegExpr | TCodeMemoSearch::kWholeWords, "a\\w", "4,6"},
    {"ab|cd", 0, 0, TCodeMemoSearch::kRegExpr, "^", "3,3"},  // not the empty match at the caret
    {"ab|cd", 0, 0, TCodeMemoSearch::kRegExpr, "b$", "1,2"},
};

TEST_F(Search, FindsFromTheSelectionAndSelectsTheMatch)
{
    for (const auto& c : kFinds) {
        std::string text = c.text;
        for (char& ch : text)
            if (ch == '|')
                ch = '\r';
        Load(text);
        memo.SetSelection(c.selStart, c.selEnd);
        failures.clear();
        const Offset at = search.Search(static_cast<std::uint16_t>(c.flags | D), c.pattern);
        const std::string expected = c.selected;
        if (expected == "-") {
            EXPECT_EQ(-1, at) << c.text << " / " << c.pattern;
            EXPECT_EQ(std::to_string(c.selStart) + "," + std::to_string(c.selEnd), Selected()) << c.text;
            EXPECT_EQ(std::vector<std::string>{c.pattern}, failures) << c.text << " / " << c.pattern;
        } else {
            EXPECT_EQ(expected, Selected()) << c.text << " / " << c.pattern;
            EXPECT_EQ(memo.SelStart(), at) << c.text << " / " << c.pattern;
            EXPECT_TRUE(failures.empty()) << c.text << " / " << c.pattern;
        }
    }
}

TEST_F(Search, WholeWordsAskTheControlsWordTest)
{
    Load("a-b ab");
    memo.fn_CharIsInWord = [](unsigned char c) { return c == '-' || (c >= 'a' && c <= 'z'); };
    EXPECT_EQ(4, search.Search(D | kWord, "ab"));
    memo.SetSelection(0, 0);
    EXPECT_EQ(-1, search.Search(D | kWord, "b"));
}

TEST_F(Search, MatchesAcrossWrappedSegments)
{
    // A logical line of 3,000 characters is always cut into segments: matches may straddle them.
    std::string text(3000, 'x');
    text.replace(2040, 20, "needle-in-a-haystack");
    Load(text);
    ASSERT_GT(memo.Store().LineCount(), 1);
    EXPECT_EQ(2040, search.Search(D, "needle-in-a-haystack"));
    memo.SetSelection(0, 0);
    EXPECT_EQ(2040, search.Search(D | kRe, "n[a-z-]+k"));
    EXPECT_EQ("2040,2060", Selected());
    memo.SetSelection(3000, 3000);
    EXPECT_EQ(2040, search.Search(D | kBack, "NEEDLE-IN-A-HAYSTACK"));
}

TEST_F(Search, RegularExpressionBoundariesCutTheMatchAtItsParentheses)
{
    Load("let foo=12;");
    Offset found = -1;
    ASSERT_TRUE(search.FindText("(\\w+)=(\\d+)", found, kRe));
    EXPECT_EQ(4, found);
    EXPECT_EQ("4,10", Selected());
    ASSERT_EQ(4, search.MatchCount());
    EXPECT_EQ(4, search.Match(0));
    EXPECT_EQ(7, search.Match(1));
    EXPECT_EQ(8, search.Match(2));
    EXPECT_EQ(10, search.Match(3));
    EXPECT_EQ(10, search.Match(99));  // clipped to the count
    EXPECT_EQ(4, search.Match(-5));
    EXPECT_EQ("(\\w+)=(\\d+)", search.LastSearchText());
    EXPECT_EQ("12=foo", search.ExpandTemplate("%3%2%1"));
}

TEST_F(Search, NoMatchYetHasNoBoundaries)
{
    EXPECT_EQ(0, search.MatchCount());
    EXPECT_EQ(-1, search.Match(0));
}

TEST_F(Search, UnassignedFailureEventShowsTheMessage)
{
    Load("abc");
    search.OnSearchFail = nullptr;
    std::string shown;
    search.OnMessage = [&shown](const std::string& m) { shown = m; };
    EXPECT_EQ(-1, search.Search(D, "zz"));
    EXPECT_EQ("Search string \"zz\" not found.", shown);
}

TEST_F(Search, WithoutTheDirectFlagTheFindDialogIsAskedFor)
{
    Load("abc abc");
    std::string asked;
    std::uint16_t askedFlags = 0;
    search.OnFindDialog = [&](const std::string& p, std::uint16_t f) {
        asked = p;
        askedFlags = f;
    };
    EXPECT_EQ(-1, search.Search(kCase, "abc"));
    EXPECT_EQ("abc", asked);
    EXPECT_EQ(kCase, askedFlags);
    EXPECT_EQ("0,0", Selected());
    EXPECT_TRUE(failures.empty());
}

TEST_F(Search, InvalidExpressionRaisesItsMessage)
{
    Load("abc");
    EXPECT_EQ("Unmatched parenthesis", test::thrownMessage<EREParser>([&] { search.Search(D | kRe, "(ab"); }));
}

TEST_F(Search, PrepareReplaceSelectsAndAnswersTheReplacement)
{
    Load("a.b a.b");
    std::string with;
    ASSERT_TRUE(search.PrepareReplace("a.b", "%1\\n", 0, with));
    EXPECT_EQ("%1\\n", with);  // literal: unchanged
    EXPECT_EQ("0,3", Selected());
    memo.ReplaceSelection(with);
    ASSERT_TRUE(search.PrepareReplace("(a)\\.(b)", "x\\ny%3%1", kRe, with));
    EXPECT_EQ("x\ryba", with);
    EXPECT_EQ("5,8", Selected());
    memo.ReplaceSelection(with);
    EXPECT_EQ("%1\\n x|yba", Shown());
    EXPECT_FALSE(search.PrepareReplace("a.b", "z", 0, with));
}

struct ReplaceAllCase {
    const char* text;
    int caret;
    std::uint16_t flags;
    const char* pattern;
    const char* replacement;
    const char* result;
    int count;
};

const ReplaceAllCase kReplaceAll[] = {
    {"a b a", 0, 0, "a", "xyz", "xyz b xyz", 2},
    {"a a", 0, 0, "a", "aa", "aa aa", 2},                  // the replacement holds the pattern
    {"a b a b", 3, 0, "a", "X", "a b X b", 1},             // from the caret on
    {"a b a b", 3, TCodeMemoSearch::kBackward, "a", "X", "X b a b", 1},
    {"ab abc ab", 0, TCodeMemoSearch::kWholeWords, "ab", "-", "- abc -", 2},
    {"Ab aB", 0, 0, "ab", "c", "c c", 2},
    {"Ab aB", 0, TCodeMemoSearch::kMatchCase, "ab", "c", "Ab aB", 0},
    {"a|b", 0, TCodeMemoSearch::kRegExpr, "$", ";", "a;|b;", 2},
    {"a|b|", 0, TCodeMemoSearch::kRegExpr, "^", "// ", "// a|// b|// ", 3},
    {"k=1 j=22", 0, TCodeMemoSearch::kRegExpr, "(\\w)=(\\d+)", "%3:%1", "1:k 22:j", 2},
    {"abc", 0, TCodeMemoSearch::kRegExpr, "x*", "-", "-a-b-c-", 4},
    {"a,b", 0, TCodeMemoSearch::kRegExpr, ",", "\\n", "a|b", 1},
    {"a b", 0, TCodeMemoSearch::kRegExpr, " ", "\\r", "a|b", 1},  // LF enters as a line end
};

TEST_F(Search, ReplaceAllIsOneUndoStep)
{
    for (const auto& c : kReplaceAll) {
        std::string text = c.text;
        for (char& ch : text)
            if (ch == '|')
                ch = '\r';
        Load(text);
        memo.SetSelection(c.caret, c.caret);
        std::string with = "unchanged";
        const bool any = search.PrepareReplace(c.pattern, c.replacement, static_cast<std::uint16_t>(c.flags | kAll), with);
        EXPECT_EQ(c.result, Shown()) << c.text << " / " << c.pattern;
        EXPECT_EQ(c.count > 0, any) << c.text << " / " << c.pattern;
        EXPECT_EQ("unchanged", with);
        memo.Undo();
        EXPECT_EQ(std::string(c.text), Shown()) << c.text << " / " << c.pattern;
        EXPECT_FALSE(memo.CanUndo()) << c.text;
        memo.Redo();
        EXPECT_EQ(c.result, Shown()) << c.text;
        memo.Undo();
        memo.SetSelection(c.caret, c.caret);
        EXPECT_EQ(c.count, search.ReplaceAll(c.pattern, c.replacement, c.flags)) << c.text << " / " << c.pattern;
    }
}

// Each replacement grows one segment of the long line by a character: the line must not end up
// cut into a record per replacement, which every later edit would walk.
TEST_F(Search, ReplaceAllInsideOneLongLineKeepsItsSegmentsFull)
{
    std::string text;
    std::string expected;
    for (int i = 0; i < 20000; ++i) {
        text += "ab ";
        expected += "xyz ";
    }
    Load(text);
    memo.SetSelection(0, 0);
    EXPECT_EQ(20000, search.ReplaceAll("ab", "xyz", kCase));
    EXPECT_EQ(expected, memo.Text());
    const auto fullSegments = static_cast<std::int32_t>(expected.size()) / TLineSegmenter::kMaxSegment;
    EXPECT_LE(memo.Store().LineCount(), 2 * fullSegments + 1);
    memo.Undo();
    EXPECT_EQ(text, memo.Text());
}

TEST_F(Search, ReplaceAllOnReadOnlyTextChangesNothing)
{
    Load("a a");
    memo.readOnly = true;
    EXPECT_EQ(0, search.ReplaceAll("a", "b", 0));
    EXPECT_EQ("a a", Shown());
}

TEST_F(Search, ReplaceAllEndsOnEveryExpressionThatCanMatchEmpty)
{
    Load("ab\rcd\r");
    memo.SetSelection(0, 0);
    EXPECT_EQ(3, search.ReplaceAll("$", "!", kRe));
    EXPECT_EQ("ab!|cd!|!", Shown());
    memo.SetSelection(0, 0);
    // As sed does it: no empty match right after a replaced one.
    EXPECT_EQ(6, search.ReplaceAll("\\w*", "<>", kRe));
    EXPECT_EQ("<>!<>|<>!<>|<>!<>", Shown());
}

}  // namespace
}  // namespace quarry
