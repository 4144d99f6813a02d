#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "editor/MemoFixture.h"
#include "editor/TCodeMemoStrings.h"
#include "editorsettings/TEditorActions.h"

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

TEST_F(Editing, DeleteAndBackspaceAtTheEdgesDoNothing) {
    Load("ab");
    Press(VK_HOME);
    Press(VK_BACK);
    memo.ExecuteAction(caDOCEND);
    Press(VK_DELETE);
    EXPECT_EQ("ab", Shown());
    EXPECT_FALSE(memo.CanUndo());
}

// Editing sessions as steps; a step with a text checks the text after it (CRs shown as "|").
using Act = std::function<void(TCustomCodeMemo&)>;
struct Step {
    Act act;
    const char* shown = nullptr;
};
Act Load(std::string text) { return [text](TCustomCodeMemo& m) { m.SetText(text); }; }
Act Type(std::string text) { return [text](TCustomCodeMemo& m) { for (char c : text) m.KeyPress(c); }; }
Act Key(std::uint16_t key) { return [key](TCustomCodeMemo& m) { m.KeyDown(key, 0); }; }
Act Do(std::int32_t action) { return [action](TCustomCodeMemo& m) { m.ExecuteAction(action); }; }
Act At(LineIndex line, std::int32_t column) { return [=](TCustomCodeMemo& m) { m.MoveCaretTo(line, column, false); }; }
Act Opt(TCodeMemoOption option, bool on) {
    return [=](TCustomCodeMemo& m) {
        m.SetOptions(on ? (m.Options() | option) : (m.Options() & ~static_cast<TCodeMemoOptions>(option)));
    };
}
Act TabWidth(std::int32_t columns) { return [columns](TCustomCodeMemo& m) { m.SetTabDefault(columns); }; }
Act WantReturns(bool on) { return [on](TCustomCodeMemo& m) { m.wantReturns = on; }; }
const Act Undo = [](TCustomCodeMemo& m) { m.Undo(); };
const Act Redo = [](TCustomCodeMemo& m) { m.Redo(); };

struct Session {
    const char* name;
    std::vector<Step> steps;
};

TEST(EditingSessions, EachStepLeavesTheExpectedText) {
    const Session sessions[] = {
        {"typing after undo drops the redo part", {{Type("a")}, {Undo}, {Type("b")}, {Redo, "b"}}},
        {"overwrite replaces characters but not the line end",
         {{Load("abc\rdef")}, {Do(caINSTOGGLE)}, {Type("XY"), "XYc|def"}, {Type("ZW"), "XYZW|def"},
          {Type("\r"), "XYZW||def"}, {Undo, "XYZW|def"}}},
        {"smart fill uses tabs to each stop that fits",
         {{Opt(smoCaretAfterEOL, true)}, {TabWidth(4)}, {Load("ab")}, {At(0, 10)}, {Type("x"), "ab\t\t  x"}}},
        {"backspace beyond the line end only moves left",
         {{Opt(smoCaretAfterEOL, true)}, {Load("ab\rcd")}, {At(0, 4)}, {Key(VK_BACK), "ab|cd"}, {Key(VK_BACK), "ab|cd"},
          {Key(VK_BACK), "a|cd"}}},
        {"delete beyond the line end joins the next line at the caret",
         {{Opt(smoCaretAfterEOL, true)}, {Opt(smoUseTAB, false)}, {Load("ab\rcd")}, {At(0, 5)},
          {Key(VK_DELETE), "ab   cd"}, {Undo, "ab|cd"}}},
        {"auto-indent fills with tabs where they fit",
         {{TabWidth(4)}, {Load("\t  foo")}, {Do(caDOCEND)}, {Type("\r"), "\t  foo|\t  "}}},
        {"return without auto-indent is a break",
         {{Opt(smoAutoIndent, false)}, {Load("    foo")}, {Do(caDOCEND)}, {Type("\r"), "    foo|"}}},
        {"without want-returns only ctrl+return breaks",
         {{WantReturns(false)}, {Type("a\rb"), "ab"}, {Type("\n"), "ab|"}, {WantReturns(true)}, {Type("\n"), "ab|"}}},
        {"control characters are not typed",
         {{Type(std::string("\x01\x1b\x7f\0", 4)), ""}, {Type("\xe9"), "\xe9"}}},
        // smoTabToColumn is on by default; without tabs in the fill the result is plain to read.
        {"tab fills to the next word of the line above, then to its end",
         {{Opt(smoUseTAB, false)}, {Load("int   value;   x\r")}, {Do(caDOCEND)}, {Type("\t"), "int   value;   x|      "},
          {Type("\t"), "int   value;   x|               "}, {Type("\t"), "int   value;   x|                "},
          {Undo, "int   value;   x|               "}}},
        {"tab without tab-to-column goes to the next stop, or is typed where tabs are allowed",
         {{Opt(smoTabToColumn, false)}, {Opt(smoUseTAB, false)}, {TabWidth(4)}, {Type("ab\t"), "ab  "},
          {Opt(smoUseTAB, true)}, {Type("\t"), "ab  \t"}}},
        {"delete previous word is one step",
         {{Load("alpha beta gamma")}, {Do(caDOCEND)}, {Do(caDELPREVWORD), "alpha beta "}, {Do(caDELPREVWORD), "alpha "},
          {Undo, "alpha beta "}}},
        {"delete line takes the segment with its break",
         {{Load("one\rtwo\rthree")}, {At(1, 1)}, {Do(caDELETELINE), "one|three"}, {Undo, "one|two|three"}}},
        {"unindent removes a tab or up to the step of spaces",
         {{[](TCustomCodeMemo& m) { m.OwnSettings().indentStep = 2; }}, {Load("\tx\r   y\r z\rw")},
          {[](TCustomCodeMemo& m) { m.SetSelection(0, m.Store().CharCount()); }}, {Do(caBLOCKUND), "x| y|z|w"},
          {Undo, "\tx|   y| z|w"}}},
    };
    for (const auto& session : sessions) {
        test::FixedPitchHost host;
        TCustomCodeMemo memo(host);
        for (std::size_t i = 0; i < session.steps.size(); ++i) {
            session.steps[i].act(memo);
            if (!session.steps[i].shown) continue;
            std::string shown = memo.Text();
            std::replace(shown.begin(), shown.end(), '\r', '|');
            EXPECT_EQ(session.steps[i].shown, shown) << session.name << ", step " << i;
        }
    }
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
