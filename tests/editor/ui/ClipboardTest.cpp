// Copy as plain text and RTF, paste of plain text and of HTML from other programs, can-paste.
#include "WidgetFixture.h"

#include "editor/ui/TCodeMemoClipboard.h"

#include <QClipboard>
#include <QMimeData>

namespace quarry {
namespace {

class Clipboard : public test::WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        QApplication::clipboard()->clear();
    }
    const QMimeData& Data() { return *QApplication::clipboard()->mimeData(); }
    void Offer(QMimeData* data) { QApplication::clipboard()->setMimeData(data); }
    std::string Rtf() { return Data().data(TCodeMemoClipboard::kRtfMime).toStdString(); }
};

TEST_F(Clipboard, CopyOffersPlainTextAndRtfOfTheSelection)
{
    memo->SetClipCopyFormats(TCodeMemo::smTEXT | TCodeMemo::smRTF);
    Memo().SetText("x a{b}\\\rc\xE9 y");
    Memo().SetSelection(2, 10);
    QTest::keyClick(memo.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QStringLiteral("a{b}\\\nc\u00E9"), Data().text());
    const std::string rtf = Rtf();
    EXPECT_EQ(0u, rtf.find("{\\rtf1 "));
    EXPECT_NE(std::string::npos, rtf.find("a\\{b\\}\\\\\\line \r\nc\\'e9")) << rtf;
    EXPECT_EQ(std::string::npos, rtf.find(" y"));
    // The text stays.
    EXPECT_EQ("x a{b}\\\rc\xE9 y", Memo().Text());
}

TEST_F(Clipboard, ControlBytesSurviveCopyAndPaste)
{
    const std::string text("a\x0c" "b\x1b\0c", 6);
    Memo().SetText(text);
    Memo().SetSelection(0, 6);
    QTest::keyClick(memo.get(), Qt::Key_C, Qt::ControlModifier);
    Memo().SetSelection(6, 6);
    QTest::keyClick(memo.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text + text, Memo().Text());
}

TEST_F(Clipboard, RtfCarriesTheHighlightingColours)
{
    memo->SetClipCopyFormats(TCodeMemo::smTEXT | TCodeMemo::smRTF);
    UseParser(test::kCSlot);
    Memo().SetText("int x; /* c */");
    Memo().SetSelection(0, 14);
    Memo().CopyToClipboard();
    const std::string rtf = Rtf();
    // Navy reserved words and green comments are in the colour table.
    EXPECT_NE(std::string::npos, rtf.find("\\red0\\green0\\blue128;")) << rtf;
    EXPECT_NE(std::string::npos, rtf.find("\\red0\\green128\\blue0;")) << rtf;
    EXPECT_NE(std::string::npos, rtf.find("\\b1 ")) << rtf;
    EXPECT_NE(std::string::npos, rtf.find("\\i1 ")) << rtf;
}

TEST_F(Clipboard, PlainTextOnlyWithoutRtfInTheFormats)
{
    memo->SetClipCopyFormats(TCodeMemo::smTEXT);
    Memo().SetText("abc");
    Memo().SetSelection(0, 2);
    Memo().CopyToClipboard();
    EXPECT_EQ(QStringLiteral("ab"), Data().text());
    EXPECT_FALSE(Data().hasFormat(TCodeMemoClipboard::kRtfMime));
}

TEST_F(Clipboard, CopyWithoutSelectionLeavesTheClipboard)
{
    Offer(new QMimeData);
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    Memo().SetText("abc");
    QTest::keyClick(memo.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QStringLiteral("kept"), Data().text());
}

TEST_F(Clipboard, CutCopiesThenDeletes)
{
    Memo().SetText("one two");
    Memo().SetSelection(3, 7);
    QTest::keyClick(memo.get(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QStringLiteral(" two"), Data().text());
    EXPECT_EQ("one", Memo().Text());
}

struct PasteCase {
    const char* name;
    const char* text;         // UTF-8; nullptr: none offered
    const char* html;         // text/html
    const char* windowsHtml;  // the Windows HTML format with its fragment markers
    bool image;
    bool readOnly;
    const char* pasted;  // into "[]" between the brackets
    int canPaste;
};

class Paste : public Clipboard, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(Paste, TakesWhatTheClipboardOffersInOneUndoStep)
{
    const PasteCase& c = GetParam();
    auto* data = new QMimeData;
    if (c.text)
        data->setText(QString::fromUtf8(c.text));
    if (c.html)
        data->setHtml(QString::fromUtf8(c.html));
    if (c.windowsHtml)
        data->setData(TCodeMemoClipboard::kWindowsHtmlMime, c.windowsHtml);
    if (c.image)
        data->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
    Offer(data);
    Memo().SetText("[]");
    Memo().SetSelection(1, 1);
    Memo().readOnly = c.readOnly;
    EXPECT_EQ(c.canPaste, Memo().Perform(cm::EM_CANPASTE));
    QTest::keyClick(memo.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(std::string("[") + c.pasted + "]", Memo().Text());
    if (*c.pasted) {
        QTest::keyClick(memo.get(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ("[]", Memo().Text());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Offers, Paste,
    ::testing::Values(
        PasteCase{"PlainTextWithAnyLineEnds", "a\nb\r\nc\u00E9\u20AC", nullptr, nullptr, false, false, "a\rb\rc\xE9\x80", 1},
        PasteCase{"PlainTextWinsOverHtml", "plain", "<b>rich</b>", nullptr, false, false, "plain", 1},
        PasteCase{"HtmlOnlyFromTheFirstTag", nullptr, "<meta charset='utf-8'><b>rich</b>", nullptr, false, false,
                  "<meta charset='utf-8'><b>rich</b>", 1},
        PasteCase{"WindowsHtmlOnlyItsFragment", nullptr, nullptr,
                  "Version:0.9\r\nStartHTML:0000000105\r\n<html><body><!--StartFragment--><i>x</i><!--EndFragment--></body></html>",
                  false, false, "<i>x</i>", 1},
        PasteCase{"AnImageIsNothingToPaste", nullptr, nullptr, nullptr, true, false, "", 0},
        PasteCase{"AnEmptyClipboardIsNothingToPaste", nullptr, nullptr, nullptr, false, false, "", 0},
        PasteCase{"ReadOnlyPastesNothing", "t", nullptr, nullptr, false, true, "", 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct HtmlCase {
    const char* name;
    const char* data;
    bool htmlFormat;
    const char* kept;
};

class ReceivedHtml : public ::testing::TestWithParam<HtmlCase> {};

TEST_P(ReceivedHtml, IsTrimmed)
{
    const HtmlCase& c = GetParam();
    EXPECT_EQ(c.kept, TCodeMemoClipboard::ReceivedHtml(c.data, c.htmlFormat));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReceivedHtml,
    ::testing::Values(
        HtmlCase{"TextBeforeTheFirstTagGoes", "junk<b>x</b>", false, "<b>x</b>"},
        HtmlCase{"NoTagLeavesNothing", "plain words", false, ""},
        HtmlCase{"MarkersKeepOnlyTheFragmentInHtmlFormat",
                 "Version:0.9\r\nStartHTML:1\r\n<html><!--StartFragment-->a<b>c</b><!--EndFragment--></html>", true, "a<b>c</b>"},
        HtmlCase{"MarkersMeanNothingOutsideHtmlFormat", "<html><!--StartFragment-->a<!--EndFragment--></html>", false,
                 "<html><!--StartFragment-->a<!--EndFragment--></html>"},
        HtmlCase{"WithoutAnEndMarkerTheWholeTagTextStays", "x<!--StartFragment-->y", true, "<!--StartFragment-->y"},
        HtmlCase{"EmptyFragment", "<!--StartFragment--><!--EndFragment-->", true, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- drag and drop

class Drop : public Clipboard {
protected:
    // Drags the data over the window and drops it at the point; answers the accepted action.
    Qt::DropAction DropAt(QMimeData& data, QPoint point, Qt::DropActions actions = Qt::CopyAction)
    {
        QDragEnterEvent enter(point, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(memo->viewport(), &enter);
        if (!enter.isAccepted())
            return Qt::IgnoreAction;
        QDropEvent drop(QPointF(point), actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(memo->viewport(), &drop);
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    }
    QPoint Before(int column, int row) { return QPoint(X(column), Y(row) + Lh() / 2); }
};

TEST_F(Drop, TextGoesInAtTheDropPoint)
{
    Memo().SetText("ab\rcd");
    QMimeData data;
    data.setText(QStringLiteral("X\nY"));
    std::vector<std::uint8_t> kinds;
    memo->OnDataDrop = [&](std::uint8_t k, QPoint) { kinds.push_back(k); };
    EXPECT_EQ(Qt::CopyAction, DropAt(data, Before(1, 1)));
    EXPECT_EQ("ab\rcX\rYd", Memo().Text());
    EXPECT_EQ((std::vector<std::uint8_t>{TCodeMemo::dkText}), kinds);
}

TEST_F(Drop, HtmlIsTrimmedBeforeItGoesIn)
{
    Memo().SetText("ab");
    QMimeData data;
    data.setHtml(QStringLiteral("<meta charset='utf-8'>x"));
    data.setData(TCodeMemoClipboard::kWindowsHtmlMime, "Version:1\r\n<!--StartFragment--><u>x</u><!--EndFragment-->");
    DropAt(data, Before(1, 0));
    EXPECT_EQ("a<u>x</u>b", Memo().Text());
}

TEST_F(Drop, FilesGoToTheHostOnlyWithTheOption)
{
    Memo().SetText("ab");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/one.c")), QUrl::fromLocalFile(QStringLiteral("/tmp/two.h")),
                  QUrl(QStringLiteral("https://example.invalid/x"))});
    QStringList files;
    QPoint where;
    memo->OnFilesDropped = [&](const QStringList& list, QPoint at) {
        files = list;
        where = at;
    };
    SetOption(smoProcessDroppedFiles, false);
    EXPECT_EQ(Qt::IgnoreAction, DropAt(data, Before(1, 0)));
    EXPECT_TRUE(files.isEmpty());
    SetOption(smoProcessDroppedFiles, true);
    EXPECT_EQ(Qt::CopyAction, DropAt(data, Before(1, 0)));
    EXPECT_EQ((QStringList{QStringLiteral("/tmp/one.c"), QStringLiteral("/tmp/two.h")}), files);
    EXPECT_EQ(Before(1, 0), where);
    EXPECT_EQ("ab", Memo().Text());
}

TEST_F(Drop, HostDecidesTheDropEffect)
{
    Memo().SetText("ab");
    QMimeData data;
    data.setText(QStringLiteral("x"));
    memo->OnOLEDragOver = [](const QMimeData&, QPoint, Qt::DropAction& effect) { effect = Qt::IgnoreAction; };
    EXPECT_EQ(Qt::IgnoreAction, DropAt(data, Before(1, 0)));
    EXPECT_EQ("ab", Memo().Text());
}

TEST_F(Drop, ReadOnlyRefusesText)
{
    Memo().SetText("ab");
    Memo().readOnly = true;
    QMimeData data;
    data.setText(QStringLiteral("x"));
    EXPECT_EQ(Qt::IgnoreAction, DropAt(data, Before(1, 0)));
    EXPECT_EQ("ab", Memo().Text());
}

TEST_F(Drop, ASelectionDraggedOutOffersPlainTextOnly)
{
    std::unique_ptr<QMimeData> data(TCodeMemoClipboard::MakeDragData("a\rb\xE9"));
    EXPECT_EQ(QStringList{QStringLiteral("text/plain")}, data->formats());
    EXPECT_EQ(QStringLiteral("a\nb\u00E9"), data->text());
}

struct MoveCase {
    const char* name;
    Offset selStart, selEnd;
    int dropColumn;
    const char* text;
    Offset newStart;
};

class DropMove : public Drop, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(DropMove, OwnSelectionMovesInOneUndoStep)
{
    const MoveCase& c = GetParam();
    Memo().SetText("0123456789");
    Memo().SetSelection(c.selStart, c.selEnd);
    std::unique_ptr<QMimeData> data(TCodeMemoClipboard::MakeDragData(Memo().SelText()));
    EXPECT_TRUE(memo->DropText(*data, Before(c.dropColumn, 0), true));
    EXPECT_EQ(c.text, Memo().Text());
    EXPECT_EQ(c.newStart, Memo().SelStart());
    EXPECT_EQ(c.selEnd - c.selStart, Memo().SelLength());
    QTest::keyClick(memo.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ("0123456789", Memo().Text());
}

INSTANTIATE_TEST_SUITE_P(Places, DropMove,
                         ::testing::Values(MoveCase{"Forward", 1, 3, 7, "0345612789", 5},
                                           MoveCase{"Backward", 6, 9, 2, "0167823459", 2},
                                           MoveCase{"ToTheEnd", 0, 2, 10, "2345678901", 8},
                                           MoveCase{"OntoItselfNothingMoves", 2, 6, 4, "0123456789", 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Drop, DroppedTextStandsSelected)
{
    Memo().SetText("ab");
    QMimeData data;
    data.setText(QStringLiteral("xyz"));
    EXPECT_TRUE(memo->DropText(data, Before(1, 0), false));
    EXPECT_EQ("axyzb", Memo().Text());
    EXPECT_EQ(1, Memo().SelStart());
    EXPECT_EQ(3, Memo().SelLength());
}

}  // namespace
}  // namespace quarry
