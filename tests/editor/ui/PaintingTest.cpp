// What the window paints, checked on its rendered pixels.
#include "WidgetFixture.h"

#include <QPainter>

namespace quarry {
namespace {

using test::Bgr;
using test::CountColour;
using test::Dominant;
using test::Ink;

const QColor kWhite(255, 255, 255);

class Painting : public test::WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        PlainColours();
        Settings().gutterColor = 0x00C000;
        Settings().marginColor = 0xC000C0;
        Settings().selTextColor = clWhite;
        Settings().selTextBack = clNavy;
        memo->SetHideSelection(false);
    }
};

TEST_F(Painting, SelectedCharactersUseTheSelectionColours)
{
    Memo().SetText("abcdef\rghijkl");
    Memo().SetSelection(1, 4);
    const QImage image = Grab();
    EXPECT_EQ(Bgr(clNavy), Dominant(image, Cells(1, 0, 3)));
    EXPECT_EQ(kWhite, Dominant(image, Cell(0, 0)));
    EXPECT_EQ(kWhite, Dominant(image, Cells(4, 0, 2)));
    EXPECT_EQ(0, CountColour(image, Cells(0, 1, 6), Bgr(clNavy)));
    // The selected text itself is drawn in the selection's text colour.
    EXPECT_GT(CountColour(image, Cells(1, 0, 3), kWhite), 0);
}

TEST_F(Painting, SelectionOverTheLineBreakMarksOneCellAfterTheText)
{
    Memo().SetText("ab\rcd");
    Memo().SetSelection(1, 4);
    const QImage image = Grab();
    EXPECT_EQ(Bgr(clNavy), Dominant(image, Cell(2, 0)));
    EXPECT_EQ(kWhite, Dominant(image, Cell(3, 0)));
    EXPECT_EQ(Bgr(clNavy), Dominant(image, Cell(0, 1)));
}

TEST_F(Painting, HiddenSelectionIsNotPaintedWithoutFocus)
{
    Memo().SetText("abcdef");
    Memo().SetSelection(0, 4);
    memo->SetHideSelection(true);
    memo->clearFocus();
    EXPECT_EQ(0, CountColour(Grab(), Cells(0, 0, 4), Bgr(clNavy)));
    memo->SetHideSelection(false);
    EXPECT_GT(CountColour(Grab(), Cells(0, 0, 4), Bgr(clNavy)), 0);
}

TEST_F(Painting, LineColourOverrideReplacesTheEffectColoursOutsideTheSelection)
{
    Memo().SetText("one\rtwo two\rthree");
    Memo().SetLineColour1(2, clMaroon);
    Memo().SetLineColour2(2, clWhite);
    QImage image = Grab();
    // The whole row, also right of the text, takes colour 1; its text is drawn in colour 2.
    EXPECT_EQ(Bgr(clMaroon), Dominant(image, Cells(0, 1, 20)));
    EXPECT_GT(CountColour(image, Cells(0, 1, 7), kWhite), 0);
    EXPECT_EQ(0, CountColour(image, Cells(0, 1, 7), QColor(Qt::black)));
    EXPECT_EQ(kWhite, Dominant(image, Cells(0, 0, 20)));
    EXPECT_EQ(kWhite, Dominant(image, Cells(0, 2, 20)));
    // Selected characters keep the selection colours.
    Memo().SetSelection(4, 7);
    image = Grab();
    EXPECT_EQ(Bgr(clNavy), Dominant(image, Cells(0, 1, 3)));
    EXPECT_EQ(Bgr(clMaroon), Dominant(image, Cells(4, 1, 3)));
    // -1 removes the override.
    Memo().SetLineColour1(2, clNone);
    Memo().SetSelection(0, 0);
    EXPECT_EQ(0, CountColour(Grab(), Cells(0, 1, 20), Bgr(clMaroon)));
}

TEST_F(Painting, LineColourHoldsForEverySegmentOfAWrappedLine)
{
    SetOption(smoWordWrap, true);
    Memo().SetWrapAtColumn(10);
    Memo().SetText("aaaa bbbb cccc dddd eeee\rnext");
    Memo().SetLineColour1(1, clMaroon);
    const QImage image = Grab();
    ASSERT_GE(Memo().Store().LineCount(), 4);
    EXPECT_EQ(Bgr(clMaroon), Dominant(image, Cells(0, 0, 12)));
    EXPECT_EQ(Bgr(clMaroon), Dominant(image, Cells(0, 2, 12)));
    EXPECT_EQ(kWhite, Dominant(image, Cells(0, 3, 12)));
}

struct MarginCase {
    int rightMargin;
    int leftColumn;
};

class RightMargin : public Painting, public ::testing::WithParamInterface<MarginCase> {};

TEST_P(RightMargin, LineStandsAtItsColumnCountedFromTheScrolledLeftEdge)
{
    const MarginCase c = GetParam();
    SetOption(smoShowRMargin, true);
    Settings().rightMargin = c.rightMargin;
    Memo().SetText(std::string(200, ' '));
    Memo().SetLeftColumn(c.leftColumn);
    const QImage image = Grab();
    const int x = memo->TextLeft() + (c.rightMargin - c.leftColumn) * Cw();
    const QColor line = Bgr(0xC0C0C0);
    EXPECT_EQ(Lh() * 5, CountColour(image, QRect(x, 0, 1, Lh() * 5), line));
    EXPECT_EQ(0, CountColour(image, QRect(x - 1, 0, 1, Lh() * 5), line));
    EXPECT_EQ(0, CountColour(image, QRect(x + 1, 0, 1, Lh() * 5), line));
}

INSTANTIATE_TEST_SUITE_P(Columns, RightMargin,
                         ::testing::Values(MarginCase{5, 0}, MarginCase{10, 0}, MarginCase{20, 0}, MarginCase{20, 7},
                                           MarginCase{12, 12}));

TEST_F(Painting, RightMarginLineIsOptionalAndHiddenWhenScrolledPast)
{
    Settings().rightMargin = 10;
    Memo().SetText("x");
    SetOption(smoShowRMargin, false);
    const QColor line = Bgr(0xC0C0C0);
    EXPECT_EQ(0, CountColour(Grab(), QRect(X(10), 0, 1, Lh()), line));
    SetOption(smoShowRMargin, true);
    Memo().SetText(std::string(100, 'x'));
    Memo().SetLeftColumn(11);
    const QImage image = Grab();
    EXPECT_EQ(0, CountColour(image, QRect(0, 0, image.width(), image.height()), line));
}

TEST_F(Painting, WrapColumnLineStandsAtWrapAtColumn)
{
    SetOption(smoShowWrapColumn, true);
    SetOption(smoShowRMargin, false);
    Memo().SetWrapAtColumn(15);
    Memo().SetText("short");
    const QImage image = Grab();
    const QColor line = Bgr(0xE0C0C0);
    EXPECT_EQ(Lh() * 3, CountColour(image, QRect(X(15), 0, 1, Lh() * 3), line));
    EXPECT_EQ(0, CountColour(image, QRect(X(15) + 1, 0, 1, Lh() * 3), line));
}

struct GutterCase {
    bool shown;
    int gutter;
    int margin;
};

class GutterWidth : public Painting, public ::testing::WithParamInterface<GutterCase> {};

TEST_P(GutterWidth, GutterThenMarginStripThenText)
{
    const GutterCase c = GetParam();
    SetOption(smoShowGutter, c.shown);
    SetOption(smoLineNumbers, false);
    Settings().gutter = c.gutter;
    Settings().margin = c.margin;
    Memo().SetText("");
    const QImage image = Grab();
    const int gutter = c.shown ? c.gutter : 0;
    const int h = image.height();
    const QColor gutterColour = Bgr(0x00C000);
    const QColor marginColour = Bgr(0xC000C0);
    EXPECT_EQ(gutter * h, CountColour(image, QRect(0, 0, gutter + c.margin + 4, h), gutterColour));
    EXPECT_EQ(c.margin * h, CountColour(image, QRect(gutter, 0, c.margin, h), marginColour));
    EXPECT_EQ(c.margin * h, CountColour(image, QRect(0, 0, gutter + c.margin + 4, h), marginColour));
    EXPECT_EQ(kWhite, QColor(image.pixel(gutter + c.margin, h / 2)));
    EXPECT_EQ(gutter + c.margin, memo->TextLeft());
}

INSTANTIATE_TEST_SUITE_P(Widths, GutterWidth,
                         ::testing::Values(GutterCase{true, 34, 2}, GutterCase{true, 50, 6}, GutterCase{false, 34, 2},
                                           GutterCase{true, 0, 3}, GutterCase{true, 34, 0}));

TEST_F(Painting, TextStartsAfterGutterAndMargin)
{
    Settings().gutter = 40;
    Settings().margin = 5;
    Memo().SetText("W");
    const QImage image = Grab();
    EXPECT_GT(Ink(image, QRect(45, 0, Cw(), Lh()), kWhite), 0);
    EXPECT_EQ(0, Ink(image, QRect(45 + Cw(), 0, Cw() * 4, Lh()), kWhite));
}

struct CaretCase {
    bool overwrite;
    bool blockOption;
    const char* text;
    int caret;
    bool cellWide;  // else 2 pixels
};

class CaretShape : public Painting, public ::testing::WithParamInterface<CaretCase> {};

TEST_P(CaretShape, WidthFollowsModeAndOption)
{
    const CaretCase c = GetParam();
    SetOption(smoBlockOverwriteCursor, c.blockOption);
    Memo().SetText(c.text);
    Memo().SetSelection(c.caret, c.caret);
    Memo().SetOverwrite(c.overwrite);
    ASSERT_TRUE(memo->hasFocus());
    const QImage image = Grab();
    // The caret inverts its cells: on white paper they turn black.
    // Count in the caret's cell and the next, which hold no ink of their own.
    const QRect cells(X(c.caret), 2, 2 * Cw(), Lh() - 4);
    const int black = CountColour(image, cells, QColor(Qt::black));
    const int expectedWidth = c.cellWide ? Cw() : 2;
    EXPECT_EQ(expectedWidth * (Lh() - 4), black);
    EXPECT_EQ(expectedWidth, Memo().CaretShape().width);
    EXPECT_EQ(X(c.caret), Memo().CaretShape().x);
}

INSTANTIATE_TEST_SUITE_P(Modes, CaretShape,
                         ::testing::Values(CaretCase{false, true, "a  b", 1, false}, CaretCase{true, true, "a  b", 1, true},
                                           CaretCase{true, false, "a  b", 1, false},
                                           // At the end of a line: one character width.
                                           CaretCase{true, true, "ab\rc", 2, true}, CaretCase{true, true, "", 0, true}));

TEST_F(Painting, CaretBeyondTheLineEndStandsAtItsVirtualColumn)
{
    SetOption(smoCaretAfterEOL, true);
    Memo().SetText("ab\rcd");
    Memo().MoveCaretTo(0, 6, false);
    EXPECT_TRUE(Memo().CaretBeyondEol());
    const QImage image = Grab();
    EXPECT_EQ(2 * (Lh() - 4), CountColour(image, QRect(X(6), 2, 2, Lh() - 4), QColor(Qt::black)));
}

TEST_F(Painting, TokenValuesPaintThroughMapAndEffects)
{
    UseParser(test::kCSlot);
    Memo().SetText("int x; /* note */");
    const QImage image = Grab();
    // Reserved words are bold navy, comments italic green in the C script.
    EXPECT_GT(CountColour(image, Cells(0, 0, 3), Bgr(clNavy)), 0);
    EXPECT_EQ(0, CountColour(image, Cells(0, 0, 3), Bgr(0x008000)));
    EXPECT_GT(CountColour(image, Cells(7, 0, 10), Bgr(0x008000)), 0);
    EXPECT_EQ(0, CountColour(image, Cells(4, 0, 1), Bgr(clNavy)));
    // Without syntax highlighting everything takes the default look.
    SetOption(smoSyntaxHighlight, false);
    EXPECT_EQ(0, CountColour(Grab(), Cells(0, 0, 17), Bgr(0x008000)));
}

TEST_F(Painting, EffectColoursMarkedDefaultTakeEffectZeros)
{
    UseParser(test::kCSlot);
    TCM_Effect& e0 = Settings().effects[0];
    e0.background = 0x00FFFF;  // yellow
    e0.defaultBackground = false;
    Memo().SetText("int x;");
    const QImage image = Grab();
    // The keyword's background is marked default in the script: it follows effect 0.
    EXPECT_EQ(QColor(255, 255, 0), Dominant(image, Cells(0, 0, 3)));
    EXPECT_EQ(QColor(255, 255, 0), Dominant(image, Cells(10, 0, 10)));
}

TEST_F(Painting, DefaultColoursAreTheOwnSettingsLookOfPlainText)
{
    Memo().SetText("abc");
    memo->SetDefBackColor(0x00FFFF);
    memo->SetDefTextColor(clMaroon);
    const QImage image = Grab();
    EXPECT_EQ(QColor(255, 255, 0), Dominant(image, Cells(0, 0, 20)));
    EXPECT_GT(CountColour(image, Cells(0, 0, 3), Bgr(clMaroon)), 0);
    EXPECT_EQ(clMaroon, memo->DefTextColor());
    // A parser's settings have their own look.
    UseParser(test::kCSlot);
    EXPECT_EQ(kWhite, Dominant(Grab(), Cells(0, 0, 20)));
}

TEST_F(Painting, SwitchingToAnEmptySlotPaintsWithTheOwnSettings)
{
    UseParser(test::kCSlot);
    Memo().SetText("int x;");
    EXPECT_GT(CountColour(Grab(), Cells(0, 0, 3), Bgr(clNavy)), 0);
    memo->SetParser(6, nullptr);
    UseParser(6);
    EXPECT_EQ(0, CountColour(Grab(), Cells(0, 0, 3), Bgr(clNavy)));
}

TEST_F(Painting, TabsExpandToTheirStopsAndShowOnlyWithShowAllChars)
{
    Memo().SetText("a\tb");
    QImage image = Grab();
    // b stands at column 4 with the default tab width; the TAB's cells are blank.
    EXPECT_EQ(0, Ink(image, Cells(1, 0, 3), kWhite));
    EXPECT_GT(Ink(image, Cell(4, 0), kWhite), 0);
    SetOption(smoShowAllChars, true);
    image = Grab();
    // The mark is drawn in grey, not in the text's black.
    EXPECT_GT(Ink(image, Cell(1, 0), kWhite), 0);
    EXPECT_GE(test::Darkest(image, Cell(1, 0)), 0x70);
    EXPECT_LT(test::Darkest(image, Cell(0, 0)), 0x40);
    EXPECT_EQ(0, Ink(image, Cells(2, 0, 2), kWhite));
    // The line end shows too, after the text.
    Memo().SetText("ab\rc");
    image = Grab();
    EXPECT_GT(Ink(image, Cell(2, 0), kWhite), 0);
    EXPECT_GE(test::Darkest(image, Cell(2, 0)), 0x70);
}

TEST_F(Painting, ControlBytesShowAsDotsOrWithAllCharsAsTheirCodes)
{
    Memo().SetText("a\x0c\x1b");
    QImage image = Grab();
    EXPECT_EQ(image.copy(Cell(1, 0)), image.copy(Cell(2, 0)));
    EXPECT_GT(Ink(image, Cell(1, 0), kWhite), 0);
    // A form feed and an escape can be told apart.
    SetOption(smoShowAllChars, true);
    image = Grab();
    EXPECT_GT(Ink(image, Cell(1, 0), kWhite), 0);
    EXPECT_NE(image.copy(Cell(1, 0)), image.copy(Cell(2, 0)));
    EXPECT_EQ(std::string("a\x0c\x1b"), Memo().Text());
}

TEST_F(Painting, BytesFrom128ShowAsWindows1252Characters)
{
    // Read as Latin-1 these would be invisible control characters.
    Memo().SetText("\x80 \x8C \x9F \xE9");
    const QImage image = Grab();
    for (int column : {0, 2, 4, 6})
        EXPECT_GT(Ink(image, Cell(column, 0), kWhite), 0) << column;
}

TEST_F(Painting, OnDrawLineSeesTheComposedLineAndMayPaintItItself)
{
    Memo().SetText("first\ra\tb\rthird");
    std::vector<std::string> texts;
    std::vector<std::int32_t> lines;
    std::vector<std::int32_t> starts;
    memo->OnDrawLine = [&](TLineDrawData& data) {
        EXPECT_EQ(1, data.kind);
        EXPECT_FALSE(data.handled);
        texts.emplace_back(data.text, static_cast<size_t>(data.length));
        lines.push_back(data.displayLine);
        starts.push_back(data.lineStart);
        if (data.displayLine == 1) {
            data.dc->fillRect(QRect(data.left, data.top, data.right - data.left, data.bottom - data.top), Qt::red);
            data.handled = true;
        }
        return 0;
    };
    const QImage image = Grab();
    ASSERT_EQ(3u, texts.size());
    EXPECT_EQ("first", texts[0]);
    EXPECT_EQ("a   b", texts[1]);
    EXPECT_EQ((std::vector<std::int32_t>{0, 1, 2}), lines);
    EXPECT_EQ((std::vector<std::int32_t>{0, 6, 10}), starts);
    // A handled line keeps what the handler painted.
    EXPECT_EQ(QColor(Qt::red), Dominant(image, Cells(0, 1, 10)));
    EXPECT_EQ(kWhite, Dominant(image, Cells(0, 0, 10)));
}

TEST_F(Painting, GutterShowsBookmarkGlyphsLineMarksAndNumbers)
{
    SetOption(smoShowGutter, true);
    SetOption(smoLineNumbers, false);
    Settings().gutter = 40;
    Memo().SetText("zero\rone\rtwo\rthree");
    Memo().SetBookmark(3, 2, 1);
    Memo().SetLineMark(11, 4);
    std::vector<std::pair<int, QRect>> marks;
    memo->OnDrawMark = [&](QPainter& painter, const QRect& rect, int mark) {
        marks.emplace_back(mark, rect);
        painter.fillRect(rect, Qt::red);
    };
    QImage image = Grab();
    const QColor glyph(64, 128, 224);
    EXPECT_GT(CountColour(image, QRect(0, Y(1), 40, Lh()), glyph), 0);
    EXPECT_EQ(0, CountColour(image, QRect(0, Y(0), 40, Lh()), glyph));
    EXPECT_EQ(0, CountColour(image, QRect(0, Y(2), 40, Lh()), glyph));
    ASSERT_EQ(1u, marks.size());
    EXPECT_EQ(11, marks[0].first);
    EXPECT_TRUE(QRect(0, Y(3), 40, Lh()).contains(marks[0].second.center()));
    EXPECT_GT(CountColour(image, QRect(0, Y(3), 40, Lh()), QColor(Qt::red)), 0);

    // Line numbers in the gutter font: ink on every row that has a line.
    const QColor gutterColour = Bgr(0x00C000);
    memo->OnDrawMark = nullptr;
    Memo().ClearBookmark(3);
    EXPECT_EQ(0, Ink(Grab(), QRect(0, 0, 40, Lh() * 4), gutterColour));
    SetOption(smoLineNumbers, true);
    image = Grab();
    for (int row = 0; row < 4; ++row)
        EXPECT_GT(Ink(image, QRect(0, Y(row), 40, Lh()), gutterColour), 0) << row;
    EXPECT_EQ(0, Ink(image, QRect(0, Y(4), 40, Lh()), gutterColour));
}

// The gutter font's style (from a script or a stored style string) and the text font's own style
// reach what is painted: bold and struck-out glyphs leave more ink than plain ones.
TEST_F(Painting, FontStylesOfTheGutterAndTheTextArePainted)
{
    SetOption(smoShowGutter, true);
    SetOption(smoLineNumbers, true);
    Settings().gutter = 40;
    Memo().SetText("mmmm\rwwww");
    const QRect gutter(0, 0, 40, Lh() * 2);
    const QRect text(memo->TextLeft(), 0, Cw() * 4, Lh() * 2);
    const QImage plain = Grab();
    for (std::uint8_t style : {std::uint8_t(fsBold), std::uint8_t(fsStrikeOut)}) {
        Settings().gutterFont.style = style;
        TCM_Font font = Memo().Font();
        font.style = style;
        Memo().SetFont(font);
        const QImage styled = Grab();
        EXPECT_GT(Ink(styled, gutter, Bgr(0x00C000)), Ink(plain, gutter, Bgr(0x00C000))) << int(style);
        EXPECT_GT(Ink(styled, text, kWhite), Ink(plain, text, kWhite)) << int(style);
    }
}

TEST_F(Painting, WrappedSegmentsShowTheWrapGlyphAndNoNumber)
{
    SetOption(smoShowGutter, true);
    SetOption(smoLineNumbers, true);
    SetOption(smoShowWrapGlyph, true);
    SetOption(smoWordWrap, true);
    Memo().SetWrapAtColumn(10);
    Settings().gutter = 40;
    Memo().SetText("aaaa bbbb cccc\rnext");
    ASSERT_EQ(3, Memo().Store().LineCount());
    const QImage image = Grab();
    const QColor wrapGlyph(0, 128, 0);
    EXPECT_EQ(0, CountColour(image, QRect(0, Y(0), 40, Lh()), wrapGlyph));
    EXPECT_GT(CountColour(image, QRect(0, Y(1), 40, Lh()), wrapGlyph), 0);
    EXPECT_EQ(0, CountColour(image, QRect(0, Y(2), 40, Lh()), wrapGlyph));
    // Numbers count logical lines: the third row is line 2, the continuation has none.
    const QColor gutterColour = Bgr(0x00C000);
    const QRect numberArea(20, 0, 19, Lh());
    EXPECT_EQ(0, Ink(image, numberArea.translated(0, Y(1)), gutterColour) -
                     CountColour(image, numberArea.translated(0, Y(1)), wrapGlyph));
    EXPECT_GT(Ink(image, numberArea.translated(0, Y(2)), gutterColour), 0);
}

TEST_F(Painting, FocusLineFramesTheCaretLine)
{
    Memo().SetText("one\rtwo\rthree");
    Memo().SetSelection(5, 5);
    memo->SetShowFocusLine(false);
    const QRect rowRight(X(10), Y(1), 100, Lh());
    EXPECT_EQ(0, Ink(Grab(), rowRight, kWhite));
    memo->SetShowFocusLine(true);
    const QImage image = Grab();
    EXPECT_GT(Ink(image, rowRight, kWhite), 0);
    EXPECT_EQ(0, Ink(image, QRect(X(10), Y(0), 100, Lh()), kWhite));
}

}  // namespace
}  // namespace quarry
