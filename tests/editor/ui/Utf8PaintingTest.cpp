// A UTF-8 document on screen: each character in its cells, wide ones in two, damaged bytes
// as a visible replacement; the clipboard carries the real characters.
#include "WidgetFixture.h"

#include "editor/ui/TCodeMemoClipboard.h"
#include "editor/ui/TLineComposer.h"
#include "support/TempDir.h"

#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>

namespace quarry {
namespace {

using test::Ink;

TEST(Utf8Compose, OneCellPerCharacterTwoForWideOnesAndAReplacementForDamage)
{
    TCM_Settings settings;
    TComposedLine line;
    // "ä" "中" a damaged byte, TAB, "z"
    TLineComposer::Compose("\xC3\xA4\xE4\xB8\xAD\xFF\tz", nullptr, settings, false, line, TLineComposer::kMaxColumns, true);
    ASSERT_EQ(9, line.Columns());
    EXPECT_EQ((std::u32string{0xE4, 0x4E2D, 0, 0xFFFD}), line.codes.substr(0, 4));
    EXPECT_EQ(U'z', line.codes.back());
    EXPECT_EQ(TComposedLine::ckControl, line.kinds[3]);
    EXPECT_EQ((std::vector<std::int32_t>{0, 0, 1, 1, 1, 3, 4, 8, 9}), line.columnOfChar);
    EXPECT_EQ(5, TLineComposer::NextCharIndex(line, 2));
    // The same bytes as Windows-1252: one cell each.
    TLineComposer::Compose("\xC3\xA4\xE4\xB8\xAD\xFF\tz", nullptr, settings, false, line);
    EXPECT_EQ(TLineComposer::NextCharIndex(line, 2), 3);
    EXPECT_TRUE(line.codes.empty());
}

class Utf8Painting : public test::WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        PlainColours();
    }
    QImage Shown(const std::string& bytes, TextEncoding encoding)
    {
        Memo().SetText(bytes);
        Memo().SetEncoding(encoding);
        return Grab();
    }
};

TEST_F(Utf8Painting, CharactersStandInTheirCells)
{
    const QColor white(255, 255, 255);
    // "ä" in UTF-8 looks exactly as byte E4 does in Windows-1252.
    const QImage utf8 = Shown("\xC3\xA4" "b", TextEncoding::Utf8);
    const QImage ansi = Shown("\xE4" "b", TextEncoding::Windows1252);
    EXPECT_EQ(ansi.copy(Cells(0, 0, 3)), utf8.copy(Cells(0, 0, 3)));
    // German, Greek, Chinese and an emoji: every character inks its cells, and what follows a
    // wide character stands two cells on, as it would after two narrow ones.
    // Opened from a file, which decides the encoding itself.
    test::TempDir dir;
    Memo().SetEncoding(TextEncoding::Windows1252);
    Memo().LoadFromFile(dir.write("scripts.c", "\xC3\xBC\xCE\xB1\xE4\xB8\xAD" "a\xF0\x9F\x98\x80" "a"));
    ASSERT_EQ(TextEncoding::Utf8, Memo().Encoding());
    const QImage mixed = Grab();
    const QImage plain = Shown("xxxxa" "xxa", TextEncoding::Utf8);
    for (int column : {0, 1})
        EXPECT_GT(Ink(mixed, Cell(column, 0), white), 0) << column;
    EXPECT_GT(Ink(mixed, Cells(2, 0, 2), white), 0);
    EXPECT_GT(Ink(mixed, Cells(5, 0, 2), white), 0);
    EXPECT_EQ(plain.copy(Cell(4, 0)), mixed.copy(Cell(4, 0)));
    EXPECT_EQ(plain.copy(Cell(7, 0)), mixed.copy(Cell(7, 0)));
    EXPECT_EQ(0, Ink(mixed, Cells(8, 0, 4), white));
    // The same bytes shown as Windows-1252 take a cell each: the text reaches much further.
    const QImage bytes = Shown("\xC3\xBC\xCE\xB1\xE4\xB8\xAD" "a\xF0\x9F\x98\x80" "a", TextEncoding::Windows1252);
    EXPECT_GT(Ink(bytes, Cells(8, 0, 4), white), 0);
    // A damaged byte is shown, not dropped.
    EXPECT_GT(Ink(Shown("a\xFF" "b", TextEncoding::Utf8), Cell(1, 0), white), 0);
}

TEST_F(Utf8Painting, ClipboardAndTypingCarryRealCharacters)
{
    Memo().SetText("x\xE4\xB8\xAD\xC3\xA4y");
    Memo().SetEncoding(TextEncoding::Utf8);
    Memo().SetSelection(1, 6);
    Memo().CopyToClipboard();
    EXPECT_EQ(QString::fromUtf8("\xE4\xB8\xAD\xC3\xA4"), QApplication::clipboard()->text());
    Memo().SetSelection(6, 6);
    Memo().PasteFromClipboard();
    EXPECT_EQ("x\xE4\xB8\xAD\xC3\xA4\xE4\xB8\xAD\xC3\xA4y", Memo().Text());
    // A Windows-1252 document takes what its code page holds.
    Memo().SetText("");
    Memo().SetEncoding(TextEncoding::Windows1252);
    QApplication::clipboard()->setText(QString::fromUtf8("\xC3\xA4\xE2\x82\xAC\xE4\xB8\xAD"));
    Memo().PasteFromClipboard();
    EXPECT_EQ("\xE4\x80?", Memo().Text());
    // Typed text goes in as the document stores it.
    Memo().SetText("");
    Memo().SetEncoding(TextEncoding::Utf8);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\xC3\xA4\xCE\xB1"));
    QApplication::sendEvent(memo.get(), &key);
    EXPECT_EQ("\xC3\xA4\xCE\xB1", Memo().Text());
}

}  // namespace
}  // namespace quarry
