// Input a window must survive: very long lines, control characters, huge fonts, tiny windows.
// Each case also checks that the window still does its job afterwards.
#include "WidgetFixture.h"

#include "support/TempDir.h"

#include <filesystem>
#include <QPrinter>
#include <QScrollBar>

namespace quarry {
namespace {

using test::Ink;

class BadInput : public test::WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        PlainColours();
    }
    // Row of the caret in the window, -1 when it is not shown.
    int CaretRow()
    {
        const int row = Memo().CaretLine() - Memo().FirstVisibleLine();
        return row >= 0 && row < Memo().VisibleLines() ? row : -1;
    }
};

TEST_F(BadInput, ALineOfAHundredThousandCharacters)
{
    UseParser(test::kCSlot);
    std::string line;
    while (line.size() < 100000)
        line += "value = value + 1; ";
    line.resize(100000);
    Memo().SetText("first\r" + line + "\rlast");
    Grab();
    QTest::keyClick(memo.get(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(memo.get(), "!");
    const QImage image = Grab();
    ASSERT_GE(CaretRow(), 0);
    EXPECT_GT(Ink(image, QRect(memo->TextLeft(), CaretRow() * Lh(), 200, Lh()), QColor(Qt::white)), 0);
    EXPECT_EQ(std::string("last!"), Memo().Text().substr(Memo().Text().size() - 5));
    // Scrolled far right inside the long line.
    Memo().SetSelection(3000, 3000);
    Memo().ScrollCaretIntoView();
    Grab();
    // Word wrap cuts it at the window.
    SetOption(smoWordWrap, true);
    const QImage wrapped = Grab();
    EXPECT_GT(Memo().Store().LineCount(), 100000 / ((400 - memo->TextLeft()) / Cw()));
    EXPECT_EQ(static_cast<Offset>(5 + 1 + 100000 + 1 + 5), Memo().Store().CharCount());
    EXPECT_GT(Ink(wrapped, QRect(memo->TextLeft(), 0, 200, Lh()), QColor(Qt::white)), 0);
}

TEST_F(BadInput, EveryByteValue)
{
    std::string all;
    for (int round = 0; round < 50; ++round)
        for (int c = 0; c < 256; ++c)
            all += static_cast<char>(c);
    Memo().SetText(all);
    for (bool showAll : {false, true}) {
        SetOption(smoShowAllChars, showAll);
        Memo().SetSelection(0, Memo().Store().CharCount());
        QTest::keyClick(memo.get(), Qt::Key_C, Qt::ControlModifier);
        const QImage image = Grab();
        EXPECT_GT(Ink(image, QRect(memo->TextLeft(), 0, 300, Lh() * 3), QColor(Qt::white)), 0);
    }
    // Line ends became CR; every other byte, NUL included, is still there.
    EXPECT_EQ(std::string::npos, Memo().Text().find('\n'));
    EXPECT_EQ(50u * 256u, Memo().Text().size());
    EXPECT_NE(std::string::npos, Memo().Text().find(std::string("\0\x01", 2)));
}

TEST_F(BadInput, HugeAndTinyFonts)
{
    Memo().SetText("x\ry\rz");
    for (int size : {TPaintFonts::kMaxPoints, 100000, 0, -5, 1}) {
        Memo().SetFont({"DejaVu Sans Mono", size});
        Grab();
        EXPECT_GE(Memo().VisibleLines(), 1);
        EXPECT_GE(Cw(), 1);
        QTest::keyClick(memo.get(), Qt::Key_PageDown);
        QTest::keyClick(memo.get(), Qt::Key_PageUp);
        EXPECT_EQ(0, Memo().CaretLine()) << size;
    }
    // The largest size keeps one line in the window.
    Memo().SetFont({"DejaVu Sans Mono", TPaintFonts::kMaxPoints});
    EXPECT_GT(Lh(), 200);
    EXPECT_EQ(1, Memo().VisibleLines());
}

TEST_F(BadInput, AWindowOnePixelWide)
{
    SetViewport(1, 1);
    Memo().SetText("abc def\rghi");
    Grab();
    SetOption(smoWordWrap, true);
    // The wrap width falls back to 8 pixels: one character a segment, the line break with the last.
    EXPECT_EQ(10, Memo().Store().LineCount());
    QTest::keyClicks(memo.get(), "xy");
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(0, 0));
    Grab();
    EXPECT_EQ("xyabc def\rghi", Memo().Text());
    SetViewport(0, 0);
    Grab();
    SetViewport(400, 200);
    EXPECT_EQ(2, Memo().Store().LineCount());
}

TEST_F(BadInput, SettingsOutOfRange)
{
    Settings().gutter = 100000;
    Settings().margin = -7;
    Settings().rightMargin = -3;
    SetOption(smoShowRMargin, true);
    SetOption(smoLineNumbers, true);
    Memo().SetText("abc");
    Grab();
    EXPECT_EQ(100000, memo->TextLeft());
    Settings().gutter = -20;
    EXPECT_EQ(0, memo->TextLeft());
    const QImage image = Grab();
    EXPECT_GT(Ink(image, QRect(0, 0, 3 * Cw(), Lh()), QColor(Qt::white)), 0);
}

TEST_F(BadInput, TabsWiderThanAnyWindow)
{
    Settings().SetTabDefault(5000);
    Memo().SetText(std::string(2000, '\t') + "x");
    QTest::keyClick(memo.get(), Qt::Key_End, Qt::ControlModifier);
    Grab();
    EXPECT_EQ(2001, Memo().Caret());
    EXPECT_GT(Memo().LeftColumn(), 1000000);
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 5));
    Grab();
}

TEST_F(BadInput, PrintingHugeLinesAndEmptyPages)
{
    Memo().SetText(std::string(30000, 'w') + "\r\r\r");
    Memo().SetOptions(Memo().Options() | smoPrintWrap | smoPrintLineNos);
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    test::TempDir dir;
    printer.setOutputFileName(QString::fromStdString(dir.file("huge-line.pdf")));
    memo->Print(printer);
    EXPECT_GT(std::filesystem::file_size(dir.file("huge-line.pdf")), 1000u);
}

}  // namespace
}  // namespace quarry
