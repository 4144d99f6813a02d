// Find, Find next, Replace and Replace All of the editor window on a real editor control: what
// gets selected and replaced, what the user is asked and told, the last search, and Replace All
// as one undo step that always ends.
#include "editor/FixedPitchHost.h"
#include "editor/TCustomCodeMemo.h"
#include "editorwin/EditorSearch.h"
#include "support/ScriptedUserInterface.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

using test::RecordedBox;
using test::ScriptedUserInterface;

constexpr std::uint16_t kCase = 16;
constexpr std::uint16_t kRegex = 32;
constexpr std::uint16_t kWord = 64;
constexpr std::uint16_t kBack = 128;

class EditorSearchTest : public ::testing::Test {
protected:
    EditorSearchTest() : memo(host), search(memo, ui, last) {}

    void Load(const std::string& text, Offset anchor = 0, Offset caret = 0)
    {
        memo.SetText(text);
        memo.SetSelection(anchor, caret);
    }
    // The selection as "start,end".
    std::string Selected()
    {
        return std::to_string(memo.SelStart()) + "," + std::to_string(memo.SelStart() + memo.SelLength());
    }
    RecordedBox notFound(const std::string& text)
    {
        return {MessageKind::Information, "\"" + text + "\" not found", MessageButtons::Ok};
    }
    RecordedBox question(const std::string& text, const std::string& replacement)
    {
        return {MessageKind::Confirmation, "Replace this instance of \"" + text + "\" with \"" + replacement + "\" ?",
                MessageButtons::YesNoCancel};
    }

    test::FixedPitchHost host;
    TCustomCodeMemo memo;
    ScriptedUserInterface ui;
    LastSearch last;
    EditorSearch search;
};

struct FindCase {
    const char* name;
    const char* text;
    Offset anchor, caret;
    const char* pattern;
    std::uint16_t options;
    const char* selected;  // "-" when nothing is found
};

class FindTest : public EditorSearchTest, public ::testing::WithParamInterface<FindCase> {};

TEST_P(FindTest, SelectsTheMatchOrSaysNotFound)
{
    const auto& c = GetParam();
    Load(c.text, c.anchor, c.caret);
    const auto before = Selected();
    const bool found = search.Find(c.pattern, c.options);
    if (std::string(c.selected) == "-") {
        EXPECT_FALSE(found);
        EXPECT_EQ(before, Selected());
        EXPECT_EQ((std::vector<RecordedBox>{notFound(c.pattern)}), ui.boxes());
    } else {
        EXPECT_TRUE(found);
        EXPECT_EQ(c.selected, Selected());
        EXPECT_TRUE(ui.boxes().empty());
    }
}

const FindCase kFindCases[] = {
    {"FromTheCaret", "foo bar foo", 0, 0, "foo", 0, "0,3"},
    {"SelectedOccurrenceIsPassed", "foo bar foo", 0, 3, "foo", 0, "8,11"},
    {"SelectedInOtherCaseIsPassed", "foo bar foo", 0, 3, "FOO", 0, "8,11"},
    {"CaseSensitiveFindsNothing", "foo bar foo", 0, 0, "FOO", kCase, "-"},
    {"MatchBeforeTheCaretIsNotFound", "foo bar", 4, 4, "foo", 0, "-"},
    {"BackwardFromTheSelection", "foo bar foo", 8, 11, "foo", kBack, "0,3"},
    {"BackwardSelectedInOtherCase", "foo bar foo", 11, 8, "FOO", kBack, "0,3"},
    {"RegularExpressionSelectsTheWholeMatch", "x bar12 y", 0, 0, "b[a-z]+[0-9]*", kRegex, "2,7"},
    {"WholeWordsSkipsPartsOfWords", "abc ab", 0, 0, "ab", kWord, "4,6"},
    {"AcrossALineBreak", "ab\rcd", 0, 0, "b\rc", 0, "1,4"},
};

INSTANTIATE_TEST_SUITE_P(Finds, FindTest, ::testing::ValuesIn(kFindCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditorSearchTest, FindRemembersTextAndOptionsWithTheDirectBit)
{
    Load("one two");
    search.Find("two", kCase | kWord);
    EXPECT_EQ("two", last.text);
    EXPECT_EQ(8 | kCase | kWord, last.options);
}

TEST_F(EditorSearchTest, FindNextWalksEveryOccurrenceThenSaysNotFound)
{
    Load("ab ab ab");
    search.Find("ab", 0);
    std::vector<std::string> seen{Selected()};
    while (search.FindNext())
        seen.push_back(Selected());
    EXPECT_EQ((std::vector<std::string>{"0,2", "3,5", "6,8"}), seen);
    EXPECT_EQ((std::vector<RecordedBox>{notFound("ab")}), ui.boxes());
    EXPECT_EQ("6,8", Selected());
}

TEST_F(EditorSearchTest, FindNextBackwardWalksToTheStartWithoutSticking)
{
    Load("ab ab ab", 8, 8);
    search.Find("AB", kBack);
    std::vector<std::string> seen{Selected()};
    for (int guard = 0; guard < 10 && search.FindNext(); ++guard)
        seen.push_back(Selected());
    EXPECT_EQ((std::vector<std::string>{"6,8", "3,5", "0,2"}), seen);
}

TEST_F(EditorSearchTest, FindNextWithoutAnEarlierSearchDoesNothing)
{
    Load("text", 1, 2);
    EXPECT_FALSE(search.FindNext());
    EXPECT_EQ("1,2", Selected());
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(EditorSearchTest, InvalidRegularExpressionIsReported)
{
    Load("a(b");
    EXPECT_FALSE(search.Find("(b", kRegex));
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Error, "Unmatched parenthesis", MessageButtons::Ok}}), ui.boxes());
}

TEST_F(EditorSearchTest, ReplaceAsksFirstWhenPrompting)
{
    Load("a foo");
    ui.answer(Answer::No);
    EXPECT_FALSE(search.Replace("foo", "bar", 0, true));
    EXPECT_EQ("a foo", memo.Text());
    EXPECT_EQ("2,5", Selected());  // the match stays selected
    ui.answer(Answer::Yes);
    memo.SetSelection(0, 0);
    EXPECT_TRUE(search.Replace("foo", "bar", 0, true));
    EXPECT_EQ("a bar", memo.Text());
    EXPECT_EQ((std::vector<RecordedBox>{question("foo", "bar"), question("foo", "bar")}), ui.boxes());
}

struct ReplaceCase {
    const char* name;
    const char* text;
    Offset anchor, caret;
    const char* pattern;
    const char* replacement;
    std::uint16_t options;
    const char* result;  // the text unchanged: "not found" is said
};

class ReplaceTest : public EditorSearchTest, public ::testing::WithParamInterface<ReplaceCase> {};

TEST_P(ReplaceTest, ReplacesOneOccurrenceOrSaysNotFound)
{
    const auto& c = GetParam();
    Load(c.text, c.anchor, c.caret);
    const bool replaced = std::string(c.text) != c.result;
    EXPECT_EQ(replaced, search.Replace(c.pattern, c.replacement, c.options, false));
    EXPECT_EQ(c.result, memo.Text());
    EXPECT_EQ(c.pattern, last.text);
    EXPECT_EQ(replaced ? std::vector<RecordedBox>{} : std::vector<RecordedBox>{notFound(c.pattern)}, ui.boxes());
}

const ReplaceCase kReplaceCases[] = {
    {"TheSelectedOccurrence", "foo foo", 4, 7, "foo", "bar", 0, "foo bar"},
    {"WithoutSelectionTheNextMatch", "foo foo", 1, 1, "foo", "x", 0, "foo x"},
    {"SelectionInOtherCaseIsNotTheOccurrence", "FOO foo", 0, 3, "foo", "x", 0, "FOO x"},
    {"NotFound", "abc", 0, 0, "zz", "y", 0, "abc"},
    {"RegularExpressionExpandsTheTemplate", "key foo=12;", 0, 0, "(\\w+)=(\\d+)", "%3%2%1\\t%%", kRegex, "key 12=foo\t%;"},
};

INSTANTIATE_TEST_SUITE_P(Replaces, ReplaceTest, ::testing::ValuesIn(kReplaceCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct ReplaceAllCase {
    const char* name;
    const char* text;
    Offset caret;
    const char* pattern;
    const char* replacement;
    std::uint16_t options;
    const char* result;
    int count;
};

class ReplaceAllTest : public EditorSearchTest, public ::testing::WithParamInterface<ReplaceAllCase> {};

TEST_P(ReplaceAllTest, ReplacesEveryMatchFromTheCaretAndEnds)
{
    const auto& c = GetParam();
    Load(c.text, c.caret, c.caret);
    EXPECT_EQ(c.count, search.ReplaceAll(c.pattern, c.replacement, c.options, false));
    EXPECT_EQ(c.result, memo.Text());
}

const ReplaceAllCase kReplaceAllCases[] = {
    {"Every", "a b a b a", 0, "a", "x", 0, "x b x b x", 3},
    {"FromTheCaretOn", "a b a b a", 1, "a", "x", 0, "a b x b x", 2},
    {"ReplacementHoldsTheSearchText", "ab ab", 0, "ab", "abab", 0, "abab abab", 2},
    {"ReplacementIsTheSearchTextInOtherCase", "ab ab", 0, "ab", "AB", 0, "AB AB", 2},
    {"Backward", "a b a b a", 9, "a", "aa", kBack, "aa b aa b aa", 3},
    {"BackwardStopsAtTheCaret", "a b a b a", 4, "a", "x", kBack, "x b a b a", 1},
    // An empty match where the search starts is never taken (it would be found for ever).
    {"EmptyMatchesEnd", "ab", 0, "x*", "-", kRegex, "a-b-", 2},
    {"EmptyMatchesWithEmptyReplacementEnd", "ab", 0, "x*", "", kRegex, "ab", 2},
    {"CaseSensitive", "A a A", 0, "a", "x", kCase, "A x A", 1},
    {"WholeWords", "ab abc ab", 0, "ab", "x", kWord, "x abc x", 2},
    {"LineBreaksInTheReplacement", "a;b", 0, ";", "\\n", kRegex, "a\rb", 1},
};

INSTANTIATE_TEST_SUITE_P(Runs, ReplaceAllTest, ::testing::ValuesIn(kReplaceAllCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditorSearchTest, ReplaceAllIsUndoneInOneStep)
{
    Load("alpha beta alpha beta alpha");
    memo.SetSelection(5, 5);
    memo.ReplaceSelection("!");  // an edit before the run stays when the run is undone
    memo.SetSelection(0, 0);
    ASSERT_EQ(3, search.ReplaceAll("alpha", "gamma", 0, false));
    ASSERT_EQ("gamma! beta gamma beta gamma", memo.Text());
    memo.Undo();
    EXPECT_EQ("alpha! beta alpha beta alpha", memo.Text());
    memo.Redo();
    EXPECT_EQ("gamma! beta gamma beta gamma", memo.Text());
}

TEST_F(EditorSearchTest, ReplaceAllAnsweringNoEverywhereChangesNothingAndEnds)
{
    Load("cat cat cat");
    for (int i = 0; i < 3; ++i)
        ui.answer(Answer::No);
    EXPECT_EQ(0, search.ReplaceAll("cat", "dog", 0, true));
    EXPECT_EQ("cat cat cat", memo.Text());
    EXPECT_EQ(std::vector<RecordedBox>(3, question("cat", "dog")), ui.boxes());
    EXPECT_FALSE(memo.CanUndo());
}

TEST_F(EditorSearchTest, ReplaceAllCancelStopsTheRun)
{
    Load("cat cat cat");
    ui.answer(Answer::No);
    ui.answer(Answer::Yes);
    ui.answer(Answer::Cancel);
    EXPECT_EQ(1, search.ReplaceAll("cat", "dog", 0, true));
    EXPECT_EQ("cat dog cat", memo.Text());
}

TEST_F(EditorSearchTest, ReplaceAllWithoutAnyMatchSaysNotFound)
{
    Load("abc");
    EXPECT_EQ(0, search.ReplaceAll("q", "r", 0, false));
    EXPECT_EQ((std::vector<RecordedBox>{notFound("q")}), ui.boxes());
    EXPECT_FALSE(memo.PaintLocked());
}

TEST_F(EditorSearchTest, ReplaceAllReleasesPaintingAfterAnInvalidExpression)
{
    Load("abc");
    EXPECT_EQ(0, search.ReplaceAll("[a", "r", kRegex, false));
    EXPECT_EQ(MessageKind::Error, ui.boxes().at(0).kind);
    EXPECT_FALSE(memo.PaintLocked());
    EXPECT_EQ("abc", memo.Text());
}

TEST_F(EditorSearchTest, InitialTextIsTheSelectionElseTheLastSearch)
{
    last.text = "older";
    Load("some text", 0, 0);
    EXPECT_EQ("older", initialSearchText(memo, last));
    memo.SetSelection(5, 9);
    EXPECT_EQ("text", initialSearchText(memo, last));
    Load(std::string(300, 'q'), 0, 300);
    EXPECT_EQ(std::string(255, 'q'), initialSearchText(memo, last));
}

}  // namespace
}  // namespace quarry
