#include <gtest/gtest.h>

#include "MemoFixture.h"
#include "editor/TCodeMemoStrings.h"
#include "editor/TEditorActions.h"

namespace quarry {
namespace {

using Editing = test::MemoFixture;

TEST_F(Editing, EachTypedCharacterIsOneUndoStep) {
    Type("ab");
    EXPECT_EQ("ab", Shown());
    memo.Undo();
    EXPECT_EQ("a", Shown());
    EXPECT_EQ(1, memo.Caret());
    memo.Undo();
    EXPECT_EQ("", Shown());
    EXPECT_FALSE(memo.CanUndo());
    memo.Redo();
    memo.Redo();
    EXPECT_EQ("ab", Shown());
    EXPECT_EQ(2, memo.Caret());
}

TEST_F(Editing, TypingAfterUndoDropsTheRedoPart) {
    Type("a");
    memo.Undo();
    Type("b");
    EXPECT_FALSE(memo.CanRedo());
    memo.Redo();
    EXPECT_EQ("b", Shown());
}

TEST_F(Editing, ModifiedFollowsTheLogAndClearingItForgetsHistory) {
    EXPECT_FALSE(memo.Modified());
    Type("x");
    EXPECT_TRUE(memo.Modified());
    memo.Undo();
    EXPECT_FALSE(memo.Modified());
    memo.Redo();
    EXPECT_TRUE(memo.Modified());
    memo.SetModified(false);
    EXPECT_FALSE(memo.Modified());
    memo.Undo();
    EXPECT_EQ("x", Shown());
    memo.SetModified(true);
    EXPECT_FALSE(memo.Modified());
}

TEST_F(Editing, SavedStateIdentityTellsWhetherTheTextIsTheSavedOne) {
    Type("ab");
    TUndoStack& undo = *memo.UndoStack();
    undo.MarkSaved();
    const std::int32_t savedCount = undo.Count();
    const std::uint64_t savedTop = undo.TopIdentity();
    EXPECT_TRUE(undo.AtSavedState());
    Type("c");
    EXPECT_FALSE(undo.AtSavedState());
    memo.Undo();
    EXPECT_TRUE(undo.AtSavedState());
    EXPECT_EQ(savedTop, undo.TopIdentity());
    memo.Undo();
    Type("b");  // same count as at the save, but another edit
    EXPECT_EQ(savedCount, undo.Count());
    EXPECT_NE(savedTop, undo.TopIdentity());
    EXPECT_FALSE(undo.AtSavedState());
}

TEST_F(Editing, ReadOnlyRefusesEditsButMoves) {
    Load("abc");
    memo.readOnly = true;
    Type("x");
    Press(VK_DELETE);
    Press(VK_BACK);
    memo.Perform(cm::CM_REPLACESEL, 0, reinterpret_cast<std::intptr_t>("zz"));
    EXPECT_EQ("abc", Shown());
    Press(VK_RIGHT);
    EXPECT_EQ(1, memo.Caret());
    EXPECT_FALSE(memo.Modified());
}

TEST_F(Editing, OverwriteReplacesCharactersButNotTheLineEnd) {
    Load("abc\rdef");
    memo.ExecuteAction(caINSTOGGLE);
    ASSERT_TRUE(memo.Overwrite());
    Type("XY");
    EXPECT_EQ("XYc|def", Shown());
    Type("ZW");  // Z over c, W at the line end is inserted
    EXPECT_EQ("XYZW|def", Shown());
    Type("\r");
    EXPECT_EQ("XYZW||def", Shown());
    memo.Undo();
    EXPECT_EQ("XYZW|def", Shown());
}

TEST_F(Editing, EndStopsAfterTheLastNonBlank) {
    Load("abc   \rxy");
    Press(VK_END);
    EXPECT_EQ(3, memo.Caret());
    Press(VK_HOME);
    EXPECT_EQ(0, memo.Caret());
}

TEST_F(Editing, ShiftArrowExtendsTheSelection) {
    Load("abcdef");
    At(0, 3);
    Press(VK_LEFT, ssShift);
    EXPECT_EQ(3, memo.Anchor());
    EXPECT_EQ(2, memo.Caret());
    Press(VK_LEFT, ssShift);
    EXPECT_EQ("bc", memo.SelText());
    Press(VK_RIGHT);
    EXPECT_FALSE(memo.HasSelection());
}

TEST_F(Editing, TypingBeyondTheLineEndFillsAndIsOneStep) {
    SetOption(smoCaretAfterEOL, true);
    SetOption(smoUseTAB, false);
    Load("ab\rcd");
    Press(VK_END);
    for (int i = 0; i < 4; ++i) Press(VK_RIGHT);
    EXPECT_TRUE(memo.CaretBeyondEol());
    EXPECT_EQ(6, memo.CaretColumn());
    EXPECT_EQ(2, memo.Caret());
    Type("x");
    EXPECT_EQ("ab    x|cd", Shown());
    memo.Undo();
    EXPECT_EQ("ab|cd", Shown());
    memo.Redo();
    EXPECT_EQ("ab    x|cd", Shown());
}

TEST_F(Editing, SmartFillUsesTabsToEachStopThatFits) {
    SetOption(smoCaretAfterEOL, true);
    memo.SetTabDefault(4);
    Load("ab");
    memo.MoveCaretTo(0, 10, false);
    ASSERT_TRUE(memo.CaretBeyondEol());
    Type("x");
    EXPECT_EQ("ab\t\t  x", Shown());
}

TEST_F(Editing, BackspaceBeyondTheLineEndOnlyMovesLeft) {
    SetOption(smoCaretAfterEOL, true);
    Load("ab\rcd");
    memo.MoveCaretTo(0, 4, false);
    Press(VK_BACK);
    EXPECT_EQ("ab|cd", Shown());
    EXPECT_EQ(3, memo.CaretColumn());
    Press(VK_BACK);
    EXPECT_FALSE(memo.CaretBeyondEol());
    Press(VK_BACK);
    EXPECT_EQ("a|cd", Shown());
}

TEST_F(Editing, DeleteBeyondTheLineEndJoinsTheNextLineAtTheCaret) {
    SetOption(smoCaretAfterEOL, true);
    SetOption(smoUseTAB, false);
    Load("ab\rcd");
    memo.MoveCaretTo(0, 5, false);
    Press(VK_DELETE);
    EXPECT_EQ("ab   cd", Shown());
    memo.Undo();
    EXPECT_EQ("ab|cd", Shown());
}

TEST_F(Editing, DeleteAndBackspaceAtTheEdgesDoNothing) {
    Load("ab");
    Press(VK_HOME);
    Press(VK_BACK);
    memo.ExecuteAction(caDOCEND);
    Press(VK_DELETE);
    EXPECT_EQ("ab", Shown());
    EXPECT_FALSE(memo.CanUndo());
}

struct IndentCase {
    const char* name;
    std::string text;
    LineIndex line;
    std::int32_t column;
    std::string expected;
};

TEST_F(Editing, ReturnTakesTheIndentationOfItsLine) {
    const std::vector<IndentCase> cases = {
        {"spaces", "    foo", 0, 7, "    foo|    "},
        {"no indentation", "foo", 0, 3, "foo|"},
        {"cut at the caret", "    foo", 0, 2, "  |    foo"},
        {"tabs count as columns", "\tfoo", 0, 7, "\tfoo|    "},
        {"empty line takes the previous line", "  x\r\r", 1, 0, "  x||  |"},
        {"blank previous lines are passed over", "   x\r  \r\r", 2, 0, "   x|  ||   |"},
        {"a blank line keeps its blanks up to the caret", "x\r   ", 1, 3, "x|   |   "},
    };
    SetOption(smoUseTAB, false);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Load(c.text);
        At(c.line, c.column);
        Type("\r");
        EXPECT_EQ(c.expected, Shown());
        memo.Undo();
        std::string original = c.text;
        for (char& ch : original)
            if (ch == '\r') ch = '|';
        EXPECT_EQ(original, Shown()) << "auto-indent must undo in one step";
    }
}

TEST_F(Editing, AutoIndentFillsWithTabsWhereTheyFit) {
    memo.SetTabDefault(4);
    Load("\t  foo");
    memo.ExecuteAction(caDOCEND);
    Type("\r");
    EXPECT_EQ("\t  foo|\t  ", Shown());
}

TEST_F(Editing, ReturnWithoutAutoIndentIsABreak) {
    SetOption(smoAutoIndent, false);
    Load("    foo");
    memo.ExecuteAction(caDOCEND);
    Type("\r");
    EXPECT_EQ("    foo|", Shown());
}

TEST_F(Editing, WantReturnsDecidesBetweenReturnAndCtrlReturn) {
    memo.wantReturns = false;
    Type("a\rb");
    EXPECT_EQ("ab", Shown());
    memo.KeyPress('\n');
    EXPECT_EQ("ab|", Shown());
    memo.wantReturns = true;
    memo.KeyPress('\n');
    EXPECT_EQ("ab|", Shown());
}

TEST_F(Editing, ControlCharactersAreNotTyped) {
    for (char c : {'\x01', '\x1b', '\x7f', '\0'}) memo.KeyPress(c);
    EXPECT_EQ("", Shown());
    memo.KeyPress('\xe9');
    EXPECT_EQ("\xe9", Shown());
}

TEST_F(Editing, TabFillsToTheNextWordOfTheLineAbove) {
    // smoTabToColumn is on by default; without tabs in the fill the result is plain to read.
    SetOption(smoUseTAB, false);
    Load("int   value;   x\r");
    memo.ExecuteAction(caDOCEND);
    Type("\t");
    EXPECT_EQ("int   value;   x|      ", Shown());
    Type("\t");
    EXPECT_EQ("int   value;   x|               ", Shown());
    Type("\t");  // past every word: the line's end
    EXPECT_EQ("int   value;   x|                ", Shown());
    memo.Undo();
    EXPECT_EQ("int   value;   x|               ", Shown());
}

TEST_F(Editing, TabWithoutTabToColumnGoesToTheNextStop) {
    SetOption(smoTabToColumn, false);
    SetOption(smoUseTAB, false);
    memo.SetTabDefault(4);
    Type("ab\t");
    EXPECT_EQ("ab  ", Shown());
    SetOption(smoUseTAB, true);  // with TABs allowed a TAB character is typed
    Type("\t");
    EXPECT_EQ("ab  \t", Shown());
}

TEST_F(Editing, DeletePreviousWordIsOneStep) {
    Load("alpha beta gamma");
    memo.ExecuteAction(caDOCEND);
    memo.ExecuteAction(caDELPREVWORD);
    EXPECT_EQ("alpha beta ", Shown());
    memo.ExecuteAction(caDELPREVWORD);
    EXPECT_EQ("alpha ", Shown());
    memo.Undo();
    EXPECT_EQ("alpha beta ", Shown());
}

TEST_F(Editing, DeleteNextWordTakesTheFollowingBlanks) {
    Load("alpha beta gamma");
    memo.ExecuteAction(caDELNEXTWORD);
    EXPECT_EQ("beta gamma", Shown());
    memo.Undo();
    EXPECT_EQ("alpha beta gamma", Shown());
    EXPECT_EQ(0, memo.Caret());
    EXPECT_FALSE(memo.HasSelection());
}

TEST_F(Editing, DeletePreviousWordAtTheStartRecordsNothing) {
    Load("alpha");
    memo.ExecuteAction(caDELPREVWORD);
    EXPECT_EQ("alpha", Shown());
    EXPECT_FALSE(memo.CanUndo());
    EXPECT_FALSE(memo.Modified());
}

TEST_F(Editing, DeleteLineTakesTheSegmentWithItsBreak) {
    Load("one\rtwo\rthree");
    At(1, 1);
    memo.ExecuteAction(caDELETELINE);
    EXPECT_EQ("one|three", Shown());
    memo.Undo();
    EXPECT_EQ("one|two|three", Shown());
}

TEST_F(Editing, BlockIndentAndUnindentUndoAsOneStepAndRestoreTheBlock) {
    memo.OwnSettings().indentStep = 2;
    Load("a\rb\rc\rd");
    memo.SetSelection(2, 6);  // lines b and c; the selection ends at the start of d
    memo.ExecuteAction(caBLOCKIND);
    EXPECT_EQ("a|  b|  c|d", Shown());
    EXPECT_EQ("  b\r  c\r", memo.SelText());
    memo.ExecuteAction(caBLOCKUND);
    EXPECT_EQ("a|b|c|d", Shown());
    memo.Undo();
    EXPECT_EQ("a|  b|  c|d", Shown());
    EXPECT_EQ("  b\r  c\r", memo.SelText());
    memo.Undo();
    EXPECT_EQ("a|b|c|d", Shown());
    EXPECT_EQ(2, memo.Anchor());
    EXPECT_EQ(6, memo.Caret());
    memo.Redo();
    EXPECT_EQ("a|  b|  c|d", Shown());
}

TEST_F(Editing, UnindentRemovesATabOrUpToTheStepOfSpaces) {
    memo.OwnSettings().indentStep = 2;
    Load("\tx\r   y\r z\rw");
    memo.SetSelection(0, memo.Store().CharCount());
    memo.ExecuteAction(caBLOCKUND);
    EXPECT_EQ("x| y|z|w", Shown());
    memo.Undo();
    EXPECT_EQ("\tx|   y| z|w", Shown());
}

TEST_F(Editing, CutCopyPasteGoThroughTheHostClipboard) {
    Load("one\rtwo");
    memo.SetSelection(0, 4);
    memo.ExecuteAction(caCOPY);
    EXPECT_EQ("one\r\n", host.clipboard);
    memo.ExecuteAction(caCUT);
    EXPECT_EQ("two", Shown());
    memo.ExecuteAction(caDOCEND);
    memo.ExecuteAction(caPASTE);
    EXPECT_EQ("twoone|", Shown());
    memo.Undo();
    memo.Undo();
    EXPECT_EQ("one|two", Shown());
}

TEST_F(Editing, UpAndDownKeepTheRememberedColumn) {
    Load("abcdef\rab\rabcdef");
    At(0, 5);
    Press(VK_DOWN);
    EXPECT_EQ(9, memo.Caret());  // end of "ab"
    Press(VK_DOWN);
    EXPECT_EQ(15, memo.Caret());  // column 5 again
    SetOption(smoColumnTrack, false);
    At(0, 5);
    Press(VK_DOWN);
    Press(VK_DOWN);
    EXPECT_EQ(12, memo.Caret());  // column 2 was kept from the short line
}

TEST_F(Editing, WordMovesStopAtWordStarts) {
    Load("foo  bar_1(baz)\rqux");
    std::vector<Offset> stops;
    for (int i = 0; i < 6; ++i) {
        memo.ExecuteAction(caWORDRIGHT);
        stops.push_back(memo.Caret());
    }
    EXPECT_EQ((std::vector<Offset>{5, 11, 16, 19, 19, 19}), stops);
    stops.clear();
    for (int i = 0; i < 5; ++i) {
        memo.ExecuteAction(caWORDLEFT);
        stops.push_back(memo.Caret());
    }
    EXPECT_EQ((std::vector<Offset>{16, 11, 5, 0, 0}), stops);
}

TEST_F(Editing, DoubleClickSelectsTheWordUnderIt) {
    Load("int max_value = 10;");
    EXPECT_TRUE(memo.SelectWordAt(6));
    EXPECT_EQ("max_value", memo.SelText());
    EXPECT_FALSE(memo.SelectWordAt(13));  // "="
    memo.fn_CharIsInWord = [](unsigned char c) { return c != ' '; };
    EXPECT_TRUE(memo.SelectWordAt(17));
    EXPECT_EQ("10;", memo.SelText());
}

TEST_F(Editing, PageDownMovesAndScrollsByAWindow) {
    std::string text;
    for (int i = 0; i < 50; ++i) text += "line\r";
    Load(text);
    memo.ExecuteAction(caPAGEDOWN);
    EXPECT_EQ(10, memo.CaretLine());
    EXPECT_EQ(10, memo.FirstVisibleLine());
    memo.ExecuteAction(caPAGEUP);
    EXPECT_EQ(0, memo.CaretLine());
    EXPECT_EQ(0, memo.FirstVisibleLine());
}

TEST_F(Editing, ScrollActionsMoveTheViewAndKeepTheCaretInside) {
    std::string text;
    for (int i = 0; i < 50; ++i) text += "line\r";
    Load(text);
    memo.ExecuteAction(caSCROLLDOWN);
    EXPECT_EQ(1, memo.FirstVisibleLine());
    EXPECT_EQ(1, memo.CaretLine());
    memo.ExecuteAction(caSCROLLUP);
    EXPECT_EQ(0, memo.FirstVisibleLine());
    EXPECT_EQ(1, memo.CaretLine());
    memo.ExecuteAction(caSCROLLUP);  // already at the top
    EXPECT_EQ(0, memo.FirstVisibleLine());
}

TEST_F(Editing, CaretShapeFollowsModeAndCharacter) {
    SetOption(smoShowGutter, false);
    memo.OwnSettings().margin = 2;
    Load("ab");
    At(0, 1);
    EXPECT_EQ(2, memo.CaretShape().width);
    EXPECT_EQ(2 + 8, memo.CaretShape().x);
    memo.SetOverwrite(true);
    EXPECT_EQ(8, memo.CaretShape().width);
    memo.ExecuteAction(caLINEEND);
    EXPECT_EQ(8, memo.CaretShape().width) << "at the line end: one character width";
    SetOption(smoBlockOverwriteCursor, false);
    EXPECT_EQ(2, memo.CaretShape().width);
}

TEST_F(Editing, LinesViewReadsAndWritesLogicalLines) {
    Load("one\rtwo\r");
    TCodeMemoStrings& lines = memo.Lines();
    EXPECT_EQ(2, lines.Count());
    EXPECT_EQ("two", lines.Get(1));
    lines.Add("three");
    EXPECT_EQ("one|two|three", Shown());
    lines.Insert(0, "zero");
    lines.Put(2, "TWO");
    lines.Delete(3);
    EXPECT_EQ("zero|one|TWO", Shown());
    EXPECT_EQ("zero\r\none\r\nTWO\r\n", lines.Text());
    EXPECT_FALSE(memo.Modified());
    EXPECT_THROW(lines.Get(3), std::runtime_error);
}

}  // namespace
}  // namespace quarry
