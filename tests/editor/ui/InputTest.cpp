// Keys, typing, the mouse, the wheel and the scroll bars, driven through Qt events.
#include "WidgetFixture.h"

#include <QClipboard>
#include <QScrollBar>
#include <QShortcut>
#include <QWheelEvent>

#include <functional>
#include <variant>
#include <vector>

namespace quarry {
namespace {

struct Stroke {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

struct KeyCase {
    const char* name;
    const char* text;
    Offset caret;
    std::vector<Stroke> strokes;
    Offset anchor;
    Offset caretAfter;
};

class Typing : public test::WidgetTest {};

class Keys : public test::WidgetTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(Keys, MoveAndSelect)
{
    const KeyCase& c = GetParam();
    Memo().SetText(c.text);
    Memo().SetSelection(c.caret, c.caret);
    for (const Stroke& s : c.strokes)
        QTest::keyClick(memo.get(), s.key, s.modifiers);
    EXPECT_EQ(c.anchor, Memo().Anchor());
    EXPECT_EQ(c.caretAfter, Memo().Caret());
}

const Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
const Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;

INSTANTIATE_TEST_SUITE_P(
    Strokes, Keys,
    ::testing::Values(
        KeyCase{"ShiftRightExtendsByOne", "abcdef", 1, {{Qt::Key_Right, kShift}}, 1, 2},
        KeyCase{"ShiftRightThreeTimes", "abcdef", 0, {{Qt::Key_Right, kShift}, {Qt::Key_Right, kShift}, {Qt::Key_Right, kShift}}, 0, 3},
        KeyCase{"ShiftLeftFromTheMiddle", "abcdef", 4, {{Qt::Key_Left, kShift}, {Qt::Key_Left, kShift}}, 4, 2},
        KeyCase{"ShiftDownSelectsToTheSameColumn", "abcd\refgh\rijkl", 2, {{Qt::Key_Down, kShift}}, 2, 7},
        KeyCase{"ShiftUpAfterShiftDownShrinksBack", "abcd\refgh", 1, {{Qt::Key_Down, kShift}, {Qt::Key_Up, kShift}}, 1, 1},
        KeyCase{"ArrowWithoutShiftDropsTheSelection", "abcdef", 1, {{Qt::Key_Right, kShift}, {Qt::Key_Right}}, 3, 3},
        KeyCase{"ShiftEndSelectsToTheLastNonBlank", "abc   \rx", 0, {{Qt::Key_End, kShift}}, 0, 3},
        KeyCase{"ShiftHomeSelectsBack", "abcdef", 4, {{Qt::Key_Home, kShift}}, 4, 0},
        KeyCase{"CtrlShiftRightSelectsAWord", "one two", 0, {{Qt::Key_Right, kShift | kCtrl}}, 0, 4},
        KeyCase{"CtrlEndGoesToTheEnd", "ab\rcd", 0, {{Qt::Key_End, kCtrl}}, 5, 5},
        KeyCase{"CtrlShiftHomeSelectsToTheStart", "ab\rcd", 4, {{Qt::Key_Home, kShift | kCtrl}}, 4, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Typing, TypedCharactersGoInAsWindows1252Bytes)
{
    QTest::keyClicks(memo.get(), "ab c");
    for (const QString& s : {QStringLiteral("\u00E9"), QStringLiteral("\u20AC"), QStringLiteral("\u0100")}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, s);
        QApplication::sendEvent(memo.get(), &press);
    }
    // U+0100 has no byte in the code page and is not typed.
    EXPECT_EQ(std::string("ab c\xE9\x80"), Memo().Text());
}

// A step of typing: text typed key by key, or one key with its modifiers.
using Step = std::variant<const char*, Stroke>;

struct TypingCase {
    const char* name;
    const char* text;
    Offset anchor, caret;
    std::vector<Step> steps;
    const char* result;
    std::vector<std::pair<TCodeMemoOption, bool>> options = {};
    bool readOnly = false;
    bool wantReturns = true;
    Offset caretAfter = -1;  // -1: not checked
};

class TypedKeys : public test::WidgetTest, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(TypedKeys, ChangeTheText)
{
    const TypingCase& c = GetParam();
    Memo().SetText(c.text);
    Memo().SetSelection(c.anchor, c.caret);
    for (const auto& [option, on] : c.options)
        SetOption(option, on);
    Memo().readOnly = c.readOnly;
    Memo().wantReturns = c.wantReturns;
    for (const Step& step : c.steps) {
        if (const auto* text = std::get_if<const char*>(&step))
            QTest::keyClicks(memo.get(), *text);
        else
            QTest::keyClick(memo.get(), std::get<Stroke>(step).key, std::get<Stroke>(step).modifiers);
    }
    EXPECT_EQ(c.result, Memo().Text());
    if (c.caretAfter >= 0) {
        EXPECT_EQ(c.caretAfter, Memo().Caret());
    }
    EXPECT_TRUE(memo->hasFocus());  // TAB included: the focus stays here
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TypedKeys,
    ::testing::Values(
        TypingCase{"CommandKeysTypeNothing", "x", 0, 0,
                   {Stroke{Qt::Key_A, kCtrl}, Stroke{Qt::Key_B, Qt::AltModifier}, Stroke{Qt::Key_Escape}}, "x"},
        TypingCase{"ReturnAndTabAreTyped", "", 0, 0, {"a", Stroke{Qt::Key_Return}, Stroke{Qt::Key_Tab}, "b"}, "a\r\tb",
                   {{smoAutoIndent, false}, {smoUseTAB, true}, {smoTabToColumn, false}}},
        // Without wanted returns only Ctrl+Return types one.
        TypingCase{"CtrlReturnWhenReturnsAreNotWanted", "", 0, 0, {Stroke{Qt::Key_Return}, Stroke{Qt::Key_Return, kCtrl}}, "\r",
                   {}, false, false},
        TypingCase{"InsertTogglesOverwrite", "abc", 0, 0, {Stroke{Qt::Key_Insert}, "XY"}, "XYc"},
        TypingCase{"ReadOnlyTakesMovementButNoTyping", "abc", 0, 0, {"xy", Stroke{Qt::Key_Right, kShift}}, "abc", {}, true,
                   true, 1},
        // Ctrl+K, I indents the block; the I is swallowed, not typed.
        TypingCase{"TwoStrokeBindingTakesItsSecondKey", "one\rtwo", 0, 7, {Stroke{Qt::Key_K, kCtrl}, Stroke{Qt::Key_I}}, " one\r two"},
        // Ctrl+K, then a key that continues nothing is handled as usual.
        TypingCase{"UnfinishedTwoStrokeBindingTypesTheNextKey", "one", 0, 0, {Stroke{Qt::Key_K, kCtrl}, "x"}, "xone"},
        TypingCase{"CtrlZUndoesTheTyping", "one", 0, 0, {"x", Stroke{Qt::Key_Z, kCtrl}}, "one"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Typing, OnKeyPressMayChangeOrSwallowACharacter)
{
    memo->OnKeyPress = [](char& c) {
        if (c == 'q') c = 0;
        if (c == 'a') c = 'A';
    };
    QTest::keyClicks(memo.get(), "aqb");
    EXPECT_EQ("Ab", Memo().Text());
}

TEST_F(Typing, PageDownMovesByTheLinesTheWindowShows)
{
    SetViewport(400, 10 * Lh() + Lh() / 2);
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line\r";
    Memo().SetText(text);
    EXPECT_EQ(10, Memo().VisibleLines());
    QTest::keyClick(memo.get(), Qt::Key_PageDown);
    EXPECT_EQ(10, Memo().CaretLine());
    EXPECT_EQ(10, Memo().FirstVisibleLine());
    EXPECT_EQ(10, memo->verticalScrollBar()->value());
    SetViewport(400, 4 * Lh());
    QTest::keyClick(memo.get(), Qt::Key_PageDown);
    EXPECT_EQ(14, Memo().CaretLine());
}

TEST(Shortcuts, BoundKeysGoToTheControlOthersToTheWindow)
{
    QWidget window;
    auto* memo = new TCodeMemo(&window);
    window.resize(300, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    memo->setFocus();
    memo->Memo().SetText("abc");
    memo->Memo().SetSelection(0, 2);
    int saves = 0;
    int copies = 0;
    QShortcut save(QKeySequence(QStringLiteral("Ctrl+S")), &window);
    QObject::connect(&save, &QShortcut::activated, [&] { ++saves; });
    QShortcut copy(QKeySequence(QStringLiteral("Ctrl+C")), &window);
    QObject::connect(&copy, &QShortcut::activated, [&] { ++copies; });
    QTest::keyClick(memo, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(1, saves);
    // Ctrl+C is the control's copy.
    QApplication::clipboard()->clear();
    QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(0, copies);
    EXPECT_EQ(QStringLiteral("ab"), QApplication::clipboard()->text());
    // After Ctrl+K the next stroke belongs to the sequence.
    QTest::keyClick(memo, Qt::Key_K, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(1, saves);
}

// ---------------------------------------------------------------- mouse

class Mouse : public test::WidgetTest {
protected:
    // The middle of a text cell.
    QPoint At(int column, int row) { return Cell(column, row).center(); }
    // The left edge of a cell (the caret place before it).
    QPoint Before(int column, int row) { return QPoint(X(column), Y(row) + Lh() / 2); }
    void Click(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::mouseClick(memo->viewport(), Qt::LeftButton, m, p); }
};

TEST_F(Mouse, ClickPlacesTheCaretAtTheNearestCharacterBoundary)
{
    Memo().SetText("abcdef\rghijkl");
    Click(Before(3, 1));
    EXPECT_EQ(10, Memo().Caret());
    // Right half of a cell: after the character.
    Click(QPoint(X(2) + Cw() * 3 / 4, Y(0) + 2));
    EXPECT_EQ(3, Memo().Caret());
    // Past the end of a line: its end.
    Click(At(30, 0));
    EXPECT_EQ(6, Memo().Caret());
    // Below the text: the last line.
    Click(At(1, 8));
    EXPECT_EQ(8, Memo().Caret());
}

TEST_F(Mouse, ShiftClickExtendsAndDragSelects)
{
    Memo().SetText("abcdef\rghijkl");
    Click(Before(1, 0));
    Click(Before(4, 1), Qt::ShiftModifier);
    EXPECT_EQ(1, Memo().Anchor());
    EXPECT_EQ(11, Memo().Caret());
    Click(Before(0, 0));
    QTest::mousePress(memo->viewport(), Qt::LeftButton, Qt::NoModifier, Before(2, 1));
    QMouseEvent move(QEvent::MouseMove, QPointF(Before(5, 0)), memo->viewport()->mapToGlobal(QPointF(Before(5, 0))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(memo->viewport(), &move);
    QTest::mouseRelease(memo->viewport(), Qt::LeftButton, Qt::NoModifier, Before(5, 0));
    EXPECT_EQ(9, Memo().Anchor());
    EXPECT_EQ(5, Memo().Caret());
}

TEST_F(Mouse, ClickInATabGoesToItsNearerSide)
{
    Memo().SetText("a\tb");  // the TAB covers columns 1..3
    Click(At(1, 0));
    EXPECT_EQ(1, Memo().Caret());
    Click(At(3, 0));
    EXPECT_EQ(2, Memo().Caret());
}

TEST_F(Mouse, DoubleClickSelectsTheWordUnderTheMouse)
{
    SetOption(smoWordSelect, true);
    Memo().SetText("int counter_2 = 10;");
    QTest::mouseDClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, At(6, 0));
    EXPECT_EQ(4, Memo().SelStart());
    EXPECT_EQ(9, Memo().SelLength());
    // On the right half of a word's last character: still that word.
    QTest::mouseDClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(X(2) + Cw() * 3 / 4, Y(0) + 2));
    EXPECT_EQ(0, Memo().SelStart());
    EXPECT_EQ(3, Memo().SelLength());
    // The control's word test decides.
    Memo().fn_CharIsInWord = [](unsigned char c) { return c != ' ' && c != '_'; };
    QTest::mouseDClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, At(6, 0));
    EXPECT_EQ(4, Memo().SelStart());
    EXPECT_EQ(7, Memo().SelLength());
}

TEST_F(Mouse, DoubleClickWithoutWordSelectSelectsNothing)
{
    SetOption(smoWordSelect, false);
    Memo().SetText("int counter = 10;");
    QTest::mouseDClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, At(6, 0));
    EXPECT_FALSE(Memo().HasSelection());
}

TEST_F(Mouse, ThirdClickSoonAfterADoubleClickIsATripleClick)
{
    SetOption(smoWordSelect, true);
    Memo().SetText("first line\rsecond line\rthird");
    std::vector<Offset> offsets;
    memo->OnTripleClick = [&](QPoint, Offset offset) { offsets.push_back(offset); };
    QTest::mouseDClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, Before(3, 1));
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, Before(3, 1));
    ASSERT_EQ(1u, offsets.size());
    EXPECT_EQ(14, offsets[0]);
    // The whole line with its break is selected.
    EXPECT_EQ(11, Memo().SelStart());
    EXPECT_EQ(12, Memo().SelLength());
    // A click that follows no double click is an ordinary one.
    Click(Before(1, 0));
    EXPECT_EQ(1u, offsets.size());
}

TEST_F(Mouse, GutterClickReportsTheFirstSegmentsDisplayLine)
{
    SetOption(smoShowGutter, true);
    SetOption(smoWordWrap, true);
    Memo().SetWrapAtColumn(10);
    Memo().SetText("one\raaaa bbbb cccc dddd eeee ffff\rtwo");
    ASSERT_EQ(5, Memo().Store().LineCount());
    std::vector<std::int32_t> lines;
    memo->OnGutterClick = [&](std::int32_t line) { lines.push_back(line); };
    for (int row : {0, 1, 2, 3, 4})
        Click(QPoint(5, Y(row) + Lh() / 2));
    EXPECT_EQ((std::vector<std::int32_t>{1, 2, 2, 2, 5}), lines);
    // The caret stays where it was.
    EXPECT_EQ(0, Memo().Caret());
}

TEST_F(Mouse, WheelScrollsByTheSystemsLinesPerNotch)
{
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "line\r";
    Memo().SetText(text);
    const auto wheel = [&](int delta, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QWheelEvent event(QPointF(50, 50), memo->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, m, Qt::NoScrollPhase, false);
        QApplication::sendEvent(memo->viewport(), &event);
    };
    const int step = QApplication::wheelScrollLines();
    wheel(-120);
    EXPECT_EQ(step, Memo().FirstVisibleLine());
    wheel(-240);
    EXPECT_EQ(3 * step, Memo().FirstVisibleLine());
    // Half notches add up.
    wheel(-60);
    EXPECT_EQ(3 * step, Memo().FirstVisibleLine());
    wheel(-60);
    EXPECT_EQ(4 * step, Memo().FirstVisibleLine());
    wheel(480);
    EXPECT_EQ(0, Memo().FirstVisibleLine());
    EXPECT_EQ(0, memo->verticalScrollBar()->value());
}

TEST_F(Mouse, ScrollBarsMoveTheView)
{
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += std::string(300, 'x') + "\r";
    Memo().SetText(text);
    memo->verticalScrollBar()->setValue(42);
    EXPECT_EQ(42, Memo().FirstVisibleLine());
    memo->horizontalScrollBar()->setValue(17);
    EXPECT_EQ(17, Memo().LeftColumn());
    // And the view moves the bars.
    Memo().SetFirstVisibleLine(100);
    QApplication::processEvents();
    EXPECT_EQ(100, memo->verticalScrollBar()->value());
    EXPECT_EQ(Memo().VisibleLines(), memo->verticalScrollBar()->pageStep());
    EXPECT_GE(memo->horizontalScrollBar()->maximum(), 300 - (400 - memo->TextLeft()) / Cw());
}

// A language whose "@words" are hot spots.
const char* const kLinkScript =
    "%%language\r"
    "name = 'Links'\r"
    "options = __DEFAULT_OPTIONS\r"
    "anchor = [0]\r"
    "%%tokens\r"
    "7 '@' '[a-z.]' ? '[^a-z.]' _discard_\r"
    "%%map\r"
    "7 7\r"
    "%%effects\r"
    "0 [] clBlack * clWhite *\r"
    "7 [fsUnderline] clBlue clWhite * 'hotspot'\r";

TEST_F(Mouse, HotSpotsShowTheHandAndReportHoverAndClick)
{
    auto parser = test::CompileScript(kLinkScript);
    memo->SetParser(1, parser.get());
    UseParser(1);
    Memo().SetText("see @docs.here now");
    std::vector<std::pair<std::string, int>> hovers;
    std::vector<std::pair<std::string, int>> clicks;
    memo->OnHyperlinkHover = [&](const std::string& text, int type) { hovers.emplace_back(text, type); };
    memo->OnHyperlinkClick = [&](const std::string& text, int type) { clicks.emplace_back(text, type); };
    Grab();
    QTest::mouseMove(memo->viewport(), At(2, 0));
    QTest::mouseMove(memo->viewport(), At(1, 0));
    EXPECT_EQ(Qt::IBeamCursor, memo->viewport()->cursor().shape());
    QTest::mouseMove(memo->viewport(), At(6, 0));
    EXPECT_EQ(Qt::PointingHandCursor, memo->viewport()->cursor().shape());
    QTest::mouseMove(memo->viewport(), At(8, 0));  // still the same hot spot: no second report
    QTest::mouseMove(memo->viewport(), At(16, 0));
    EXPECT_EQ(Qt::IBeamCursor, memo->viewport()->cursor().shape());
    ASSERT_EQ(1u, hovers.size());
    EXPECT_EQ("@docs.here", hovers[0].first);
    EXPECT_EQ(7, hovers[0].second);
    Click(At(9, 0));
    Click(At(1, 0));
    ASSERT_EQ(1u, clicks.size());
    EXPECT_EQ("@docs.here", clicks[0].first);
    memo->SetHyperCursor(QCursor(Qt::CrossCursor));
    QTest::mouseMove(memo->viewport(), At(1, 0));
    QTest::mouseMove(memo->viewport(), At(6, 0));
    EXPECT_EQ(Qt::CrossCursor, memo->viewport()->cursor().shape());
    memo->SetParser(1, nullptr);
}

}  // namespace
}  // namespace quarry
