// The host's grouped undo walk on logs the control writes as a user types: runs of typing and
// of deleting go back in one step, anything else one control step at a time; the log is left
// as the walk found it.
#include "editor/MemoFixture.h"
#include "editorwin/GroupedUndoWalk.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace quarry {
namespace {

class GroupedUndoWalkTest : public test::MemoFixture {
public:
    // The table's edit steps reach these through the fixture.
    using MemoFixture::At;
    using MemoFixture::Load;
    using MemoFixture::memo;
    using MemoFixture::Press;
    using MemoFixture::Type;

protected:
    // Undoes (or redoes) grouped steps until nothing is left, recording the text after each.
    std::vector<std::string> WalkAll(bool undo)
    {
        std::vector<std::string> texts;
        while (undo ? memo.CanUndo() : memo.CanRedo()) {
            auto& log = *memo.UndoStack();
            const int steps = undo ? GroupedUndoWalk::UndoSteps(log) : GroupedUndoWalk::RedoSteps(log);
            EXPECT_GE(steps, 1);
            for (int i = 0; i < steps; ++i) {
                if (undo)
                    memo.Undo();
                else
                    memo.Redo();
            }
            texts.push_back(Shown());
        }
        return texts;
    }
};

TEST_F(GroupedUndoWalkTest, GroupedStepsOfTypingDeletingAndOtherEdits)
{
    using Texts = std::vector<std::string>;
    const struct {
        const char* what;
        std::function<void(GroupedUndoWalkTest&)> edits;
        Texts afterEachUndo;  // from the newest step back to the loaded text
    } cases[] = {
        {"one run of typing", [](auto& t) { t.Type("hello"); }, {""}},
        {"typing, a caret move, typing",
         [](auto& t) {
             t.Type("ab");
             t.At(0, 0);
             t.Type("cd");
         },
         {"ab", ""}},
        {"typing across a line break", [](auto& t) { t.Type("ab\rcd"); }, {""}},
        {"typing then deleting backwards",
         [](auto& t) {
             t.Type("abcd");
             t.Press(VK_BACK);
             t.Press(VK_BACK);
         },
         {"abcd", ""}},
        {"deleting forwards in a row",
         [](auto& t) {
             t.Load("wxyz");
             t.At(0, 0);
             t.Press(VK_DELETE);
             t.Press(VK_DELETE);
             t.Press(VK_DELETE);
         },
         {"wxyz"}},
        {"two deletes at different places",
         [](auto& t) {
             t.Load("abcdef");
             t.At(0, 5);
             t.Press(VK_BACK);
             t.At(0, 1);
             t.Press(VK_BACK);
         },
         {"abcdf", "abcdef"}},
        {"an indent between two runs",
         [](auto& t) {
             t.Type("ab");
             t.memo.SetSelection(0, 2);
             t.memo.IndentSelection();
             t.memo.SetSelection(3, 3);
             t.Type("cd");
         },
         {" ab", "ab", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        memo.SetText("");
        c.edits(*this);
        const auto edited = Shown();
        EXPECT_EQ(c.afterEachUndo, WalkAll(true));
        // Redo walks the same steps upward and ends at the edited text.
        const auto redone = WalkAll(false);
        ASSERT_FALSE(redone.empty());
        EXPECT_EQ(edited, redone.back());
        EXPECT_EQ(c.afterEachUndo.size(), redone.size());
    }
}

TEST_F(GroupedUndoWalkTest, TheWalkLeavesTheLogAsItFoundIt)
{
    Type("abc");
    const auto count = memo.UndoStack()->Count();
    const auto top = memo.UndoStack()->TopIdentity();
    EXPECT_EQ(3, GroupedUndoWalk::UndoSteps(*memo.UndoStack()));
    EXPECT_EQ(count, memo.UndoStack()->Count());
    EXPECT_EQ(top, memo.UndoStack()->TopIdentity());
    EXPECT_EQ(0, GroupedUndoWalk::RedoSteps(*memo.UndoStack()));
    memo.Undo();
    EXPECT_EQ(1, GroupedUndoWalk::RedoSteps(*memo.UndoStack()));
    EXPECT_EQ(2, GroupedUndoWalk::UndoSteps(*memo.UndoStack()));
}

TEST_F(GroupedUndoWalkTest, AnEmptyLogHasNoSteps)
{
    EXPECT_EQ(0, GroupedUndoWalk::UndoSteps(*memo.UndoStack()));
    EXPECT_EQ(0, GroupedUndoWalk::RedoSteps(*memo.UndoStack()));
}

}  // namespace
}  // namespace quarry
