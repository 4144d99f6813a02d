#include <gtest/gtest.h>

#include "support/ThrownMessage.h"
#include "editor/MemoFixture.h"
#include "text/ECodeMemo.h"
#include "editorsettings/TEditorActions.h"

namespace quarry {
namespace {

class Bookmarks : public test::MemoFixture {
protected:
    Bookmarks() {
        memo.OnBookmarkSet = [this](int index) { log += "set" + std::to_string(index) + " "; };
        memo.OnBookmarkClear = [this](int index) { log += "clear" + std::to_string(index) + " "; };
        Load("zero\rone\rtwo\rthree\rfour\r");
    }
    bool Where(int index, std::int32_t& line, std::int32_t& column) { return memo.GetBookmark(index, line, column); }
    std::string log;
};

TEST_F(Bookmarks, TogglingTwiceOnTheSameLineRemovesIt) {
    At(2, 1);
    memo.ExecuteAction(caSETBOOKMARK0 + 3);
    memo.ExecuteAction(caSETBOOKMARK0 + 3);
    EXPECT_EQ("set3 clear3 ", log);
    std::int32_t line = 0, column = 0;
    EXPECT_FALSE(Where(3, line, column));
}

TEST_F(Bookmarks, ALineCarriesOneBookmarkOnly) {
    memo.SetBookmark(0, 2, 1);
    memo.SetBookmark(1, 2, 3);
    std::int32_t line = 0, column = 0;
    EXPECT_FALSE(Where(0, line, column));
    ASSERT_TRUE(Where(1, line, column));
    EXPECT_EQ(2, line);
    EXPECT_EQ(3, column);
    At(0, 0);
    memo.GotoBookmark(0);
    EXPECT_EQ(0, memo.Caret());
}

TEST_F(Bookmarks, DeletingTheLineDeletesTheBookmark) {
    memo.SetBookmark(5, 3, 1);
    At(2, 0);
    memo.ExecuteAction(caDELETELINE);
    std::int32_t line = 0, column = 0;
    EXPECT_FALSE(Where(5, line, column));
    const Offset caret = memo.Caret();
    memo.GotoBookmark(5);
    EXPECT_EQ(caret, memo.Caret());
}

TEST_F(Bookmarks, BookmarksMoveWithInsertedLines) {
    memo.SetBookmark(2, 3, 2);  // "two", column 2
    At(0, 0);
    memo.ReplaceSelection("new\rlines\r");
    At(3, 0);
    Type("\r");  // a break at the start of the bookmarked line pushes it down too
    std::int32_t line = 0, column = 0;
    ASSERT_TRUE(Where(2, line, column));
    EXPECT_EQ(6, line);
    memo.GotoBookmark(2);
    EXPECT_EQ("wo", memo.Store().GetText(memo.Caret(), memo.Caret() + 2));
}

TEST_F(Bookmarks, ColumnIsClippedToAShortenedLine) {
    memo.SetBookmark(4, 4, 40);
    memo.GotoBookmark(4);
    EXPECT_EQ(std::string("three").size() + 13, static_cast<std::size_t>(memo.Caret()));  // at the line's end
    memo.Store().DeleteRange(13, 16);  // "three" -> "ee"
    memo.GotoBookmark(4);
    EXPECT_EQ(15, memo.Caret());
}

TEST_F(Bookmarks, GotoCentresTheLine) {
    std::string text;
    for (int i = 0; i < 100; ++i) text += "line\r";
    Load(text);
    memo.SetBookmark(7, 60, 1);
    memo.GotoBookmark(7);
    EXPECT_EQ(59, memo.CaretLine());
    EXPECT_EQ(59 - memo.VisibleLines() / 2, memo.FirstVisibleLine());
}

TEST_F(Bookmarks, IndexAboveNineIsARangeError) {
    for (auto call : {+[](TCustomCodeMemo& m) { m.SetBookmark(10); }, +[](TCustomCodeMemo& m) { m.ClearBookmark(10); },
                      +[](TCustomCodeMemo& m) { m.GotoBookmark(10); },
                      +[](TCustomCodeMemo& m) {
                          std::int32_t l, c;
                          m.GetBookmark(10, l, c);
                      }}) {
        EXPECT_EQ("Bookmark index range error", test::thrownMessage<ECodeMemo>([&] { call(memo); }));
    }
}

TEST_F(Bookmarks, ClearFiresOnlyForASetBookmark) {
    memo.ClearBookmark(6);
    EXPECT_EQ("", log);
    memo.SetBookmark(6, 1, 1);
    memo.ClearBookmark(6);
    EXPECT_EQ("set6 clear6 ", log);
}

TEST_F(Bookmarks, LinesBelowOneAreLineOne) {
    memo.SetBookmark(8, -5, -3);
    std::int32_t line = 0, column = 0;
    ASSERT_TRUE(Where(8, line, column));
    EXPECT_EQ(1, line);
    EXPECT_EQ(1, column);
}

TEST_F(Bookmarks, WithWordWrapTheBookmarkGoesOnTheFirstSegment) {
    SetOption(smoWordWrap, true);
    memo.SetWrapAtColumn(4);
    Load("aaa bbb ccc\rx");
    ASSERT_EQ(4, memo.Store().LineCount());
    memo.SetBookmark(9, 2, 6);  // the second segment of line 1
    std::int32_t line = 0, column = 0;
    ASSERT_TRUE(Where(9, line, column));
    EXPECT_EQ(1, line);
    memo.GotoBookmark(9);
    EXPECT_EQ(5, memo.Caret());
}

}  // namespace
}  // namespace quarry
