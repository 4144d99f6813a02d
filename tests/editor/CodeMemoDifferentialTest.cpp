#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/MemoFixture.h"
#include "editorsettings/TEditorActions.h"

namespace quarry {
namespace {

// Random editing through the control's own paths, with undo and redo checked against the list of
// texts each step produced. Every edit command must be exactly one undo step.
class ControlDifferential : public test::MemoFixture {
protected:
    void Run(unsigned seed, int steps) {
        std::mt19937 rng(seed);
        memo.SetModified(false);  // the history starts here
        std::vector<std::string> history{memo.Text()};
        std::size_t cursor = 0;  // history[cursor] is the current text
        const std::string alphabet = "ab \t\rxy";
        for (int step = 0; step < steps; ++step) {
            const Offset count = memo.Store().CharCount();
            const int op = static_cast<int>(rng() % 16);
            const std::int32_t before = memo.UndoStack()->Count();
            if (op < 3) {
                memo.Undo();
                if (cursor > 0) --cursor;
            } else if (op < 5) {
                memo.Redo();
                if (cursor + 1 < history.size()) ++cursor;
            } else {
                const Offset a = static_cast<Offset>(rng() % (count + 1));
                const Offset b = rng() % 3 == 0 ? static_cast<Offset>(rng() % (count + 1)) : a;
                memo.SetSelection(a, b);
                switch (op) {
                    case 5:
                        memo.KeyPress(alphabet[rng() % alphabet.size()]);
                        break;
                    case 6:
                        // Anywhere on the screen, beyond line ends too when that is allowed.
                        memo.MoveCaretTo(static_cast<LineIndex>(rng() % (memo.Store().LineCount() + 1)),
                                         static_cast<std::int32_t>(rng() % 16), false);
                        if (rng() % 2)
                            memo.KeyPress(alphabet[rng() % alphabet.size()]);
                        else
                            memo.ExecuteAction(rng() % 2 ? caDELETE : caBACKSPACE);
                        break;
                    case 7:
                        memo.ExecuteAction(caDELETE);
                        break;
                    case 8:
                        memo.ExecuteAction(caBACKSPACE);
                        break;
                    case 9: {
                        std::string paste;
                        const std::size_t n = rng() % 10 == 0 ? 9000 : rng() % 12;
                        for (std::size_t i = 0; i < n; ++i) paste += alphabet[rng() % alphabet.size()];
                        host.SetClipboardText(paste);
                        memo.ExecuteAction(caPASTE);
                        break;
                    }
                    case 10:
                        memo.ExecuteAction(caDELPREVWORD);
                        break;
                    case 11:
                        memo.ExecuteAction(caDELNEXTWORD);
                        break;
                    case 12:
                        memo.ExecuteAction(caBLOCKIND);
                        break;
                    case 13:
                        memo.ExecuteAction(caBLOCKUND);
                        break;
                    case 14:
                        memo.ExecuteAction(caDELETELINE);
                        break;
                    default:
                        memo.ExecuteAction(rng() % 2 ? caCUT : caINSTOGGLE);
                        break;
                }
                const std::int32_t after = memo.UndoStack()->Count();
                if (after != before) {
                    history.resize(cursor + 1);
                    history.push_back(memo.Text());
                    ++cursor;
                } else {
                    ASSERT_EQ(history[cursor], memo.Text()) << "a change without an undo step, step " << step;
                }
            }
            ASSERT_NO_THROW(memo.Store().CheckInvariants()) << "step " << step;
            ASSERT_EQ(history[cursor], memo.Text()) << "seed " << seed << " step " << step << " op " << op;
            ASSERT_EQ(cursor > 0, memo.Modified()) << "step " << step;
        }
        while (memo.CanUndo()) memo.Undo();
        EXPECT_EQ(history.front(), memo.Text());
    }
};

TEST_F(ControlDifferential, UndoAndRedoReplayEveryStep) {
    for (unsigned seed = 1; seed <= 4; ++seed) {
        SCOPED_TRACE(seed);
        Load("first line\r\tsecond line\rthird");
        Run(seed, 600);
        if (HasFatalFailure()) return;
    }
}

TEST_F(ControlDifferential, UndoAndRedoReplayEveryStepWithWordWrap) {
    SetOption(smoWordWrap, true);
    memo.SetWrapAtColumn(5);
    for (unsigned seed = 21; seed <= 23; ++seed) {
        SCOPED_TRACE(seed);
        Load("a longer line of words\rand another one");
        Run(seed, 600);
        if (HasFatalFailure()) return;
    }
}

TEST_F(ControlDifferential, UndoAndRedoReplayEveryStepBeyondLineEnds) {
    SetOption(smoCaretAfterEOL, true);
    for (unsigned seed = 31; seed <= 33; ++seed) {
        SCOPED_TRACE(seed);
        Load("ab\rcd\r");
        std::mt19937 rng(seed);
        // Put the caret beyond line ends now and then through the vertical moves.
        for (int i = 0; i < 50; ++i) {
            memo.MoveCaretTo(static_cast<LineIndex>(rng() % 3), static_cast<std::int32_t>(rng() % 12), false);
            memo.KeyPress('z');
        }
        Run(seed, 300);
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace quarry
