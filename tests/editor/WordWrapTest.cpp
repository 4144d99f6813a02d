#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/MemoFixture.h"
#include "editorsettings/TEditorActions.h"

namespace quarry {
namespace {

class WordWrap : public test::MemoFixture {
protected:
    std::vector<std::string> Segments() {
        std::vector<std::string> out;
        TTextStore& store = memo.Store();
        for (RecordId r = store.First(); r != kNoRecord; r = store.Next(r)) {
            std::string text(store.LineText(r));
            for (char& c : text)
                if (c == '\r') c = '|';
            out.push_back(text);
        }
        return out;
    }
};

TEST_F(WordWrap, BreaksAfterTheLastBlankThatFits) {
    SetOption(smoWordWrap, true);
    memo.SetWrapAtColumn(10);
    Load("the quick brown fox jumps\rxyz");
    EXPECT_EQ((std::vector<std::string>{"the quick ", "brown fox ", "jumps|", "xyz"}), Segments());
    memo.Store().CheckInvariants();
}

TEST_F(WordWrap, WordLongerThanTheWidthIsCutHard) {
    SetOption(smoWordWrap, true);
    memo.SetWrapAtColumn(4);
    Load("abcdefghij");
    EXPECT_EQ((std::vector<std::string>{"abcd", "efgh", "ij"}), Segments());
}

TEST_F(WordWrap, WidthComesFromTheWindowWithoutAWrapColumn) {
    SetOption(smoWordWrap, true);
    SetOption(smoShowGutter, false);
    host.width = 8 * 6 + 2 * 2;  // six characters between the two margins
    memo.Resized();
    Load("aaaaaaaaaaaa");
    EXPECT_EQ((std::vector<std::string>{"aaaaaa", "aaaaaa"}), Segments());
}

TEST_F(WordWrap, WindowNarrowerThanGutterAndMarginsWrapsAtEightPixels) {
    SetOption(smoWordWrap, true);
    host.width = 20;  // less than the 34-pixel gutter
    memo.Resized();
    Load("abc");
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), Segments());
}

TEST_F(WordWrap, OverrideCharactersKeepALineWhole) {
    SetOption(smoWordWrap, true);
    SetOption(smoWrapOverride, true);
    memo.SetWrapAtColumn(4);
    Load(">quoted line\rplain line");
    EXPECT_EQ((std::vector<std::string>{">quoted line|", "plai", "n ", "line"}), Segments());
}

TEST_F(WordWrap, LongLinesAreCutWithoutWordWrapToo) {
    Load(std::string(3000, 'x') + "\r" + std::string(2047, 'y'));
    const auto segments = Segments();
    ASSERT_EQ(3u, segments.size());
    EXPECT_EQ(2047u, segments[0].size());
    EXPECT_EQ(954u, segments[1].size());
    EXPECT_EQ(2047u, segments[2].size());
    // The override does not protect a line of 2,048 characters or more.
    SetOption(smoWordWrap, true);
    SetOption(smoWrapOverride, true);
    memo.SetWrapAtColumn(4000);
    Load(">" + std::string(2999, 'x'));
    EXPECT_EQ(2u, Segments().size());
}

TEST_F(WordWrap, ChangingTheWrapColumnRewrapsAndKeepsTheText) {
    SetOption(smoWordWrap, true);
    memo.SetWrapAtColumn(5);
    Load("aaaa bbbb cccc");
    EXPECT_EQ(3u, Segments().size());
    memo.SetWrapAtColumn(10);
    EXPECT_EQ((std::vector<std::string>{"aaaa bbbb ", "cccc"}), Segments());
    SetOption(smoWordWrap, false);
    EXPECT_EQ((std::vector<std::string>{"aaaa bbbb cccc"}), Segments());
    EXPECT_EQ("aaaa bbbb cccc", Shown());
}

TEST_F(WordWrap, TypingInAWrappedLineRewrapsIt) {
    SetOption(smoWordWrap, true);
    memo.SetWrapAtColumn(6);
    Load("aa bb cc");
    EXPECT_EQ((std::vector<std::string>{"aa bb ", "cc"}), Segments());
    At(0, 0);
    Type("xxx ");
    EXPECT_EQ((std::vector<std::string>{"xxx ", "aa bb ", "cc"}), Segments());
    memo.Store().CheckInvariants();
}

TEST_F(WordWrap, TrackOnAWrappedLineRidesOnItsFirstSegmentAndSurvivesARewrap) {
    SetOption(smoWordWrap, true);
    memo.SetWrapAtColumn(4);
    Load("one\raaa bbb ccc\rtwo");
    std::vector<std::int32_t> freed;
    memo.Store().OnTrackFree = [&](std::int32_t id) { freed.push_back(id); };
    const std::int32_t id = memo.AddTrack(4, 42);  // "ccc", third segment of line 2
    ASSERT_GT(id, 0);
    EXPECT_EQ(2, memo.Store().TrackLine(id));
    memo.SetWrapAtColumn(8);
    EXPECT_EQ(2, memo.Store().TrackLine(id));
    SetOption(smoWordWrap, false);
    EXPECT_EQ(2, memo.Store().TrackLine(id));
    EXPECT_TRUE(freed.empty());
    memo.SetSelection(4, 16);  // the whole wrapped line with its break
    memo.ReplaceSelection({});
    EXPECT_EQ(std::vector<std::int32_t>{id}, freed);
}

TEST_F(WordWrap, LogicalAndDisplayLinesConvert) {
    SetOption(smoWordWrap, true);
    memo.SetWrapAtColumn(4);
    Load("ab\rcccc dd\ree");
    struct Case {
        std::int32_t logicalLine, logicalColumn, displayLine, displayColumn;
    };
    const std::vector<Case> cases = {{1, 1, 1, 1}, {2, 1, 2, 1}, {2, 4, 2, 4}, {2, 5, 3, 1},
                                     {2, 7, 3, 3}, {3, 2, 4, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.logicalLine) + ":" + std::to_string(c.logicalColumn));
        std::int32_t line = c.logicalLine, column = c.logicalColumn;
        memo.LogicalToDisplay(line, column);
        EXPECT_EQ(c.displayLine, line);
        EXPECT_EQ(c.displayColumn, column);
        memo.DisplayToLogical(line, column);
        EXPECT_EQ(c.logicalLine, line);
        EXPECT_EQ(c.logicalColumn, column);
    }
}

TEST_F(WordWrap, LineDecorationGoesOnTheLogicalLine) {
    SetOption(smoWordWrap, true);
    memo.SetWrapAtColumn(4);
    Load("aaa bbb\rx");
    memo.SetLineMark(11, 2);  // second segment of line 1
    EXPECT_TRUE(memo.HasLineMark(11, 1));
    EXPECT_TRUE(memo.HasLineMark(11, 2));
    EXPECT_FALSE(memo.HasLineMark(11, 3));
    memo.SetLineColour1(1, clMaroon);
    memo.SetLineColour2(1, clWhite);
    const RecordId first = memo.Store().First();
    EXPECT_EQ(clMaroon, memo.Store().LineColour1(first));
    EXPECT_EQ(clWhite, memo.Store().LineColour2(first));
    memo.SetLineColour1(1, clNone);
    memo.SetLineColour2(1, clNone);
    memo.ClearLineMark(11, 1);
    EXPECT_FALSE(memo.HasLineMark(11, 1));
    EXPECT_EQ(clNone, memo.Store().LineColour1(first));
    memo.SetLineMark(0, 1);  // mark 0 does nothing
    memo.SetLineMark(17, 1);
    EXPECT_EQ(0, memo.Store().Record(first).lineMarks);
    memo.Store().CheckInvariants();
}

}  // namespace
}  // namespace quarry
