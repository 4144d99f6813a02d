// Scanning what the window shows: jumps scan around the view only, scrolling scans each line
// once, the background makes values exact, typing never scans far ahead. The oracle is the
// highlighting engine's whole-text scan.
#include "WidgetFixture.h"

#include "highlight/ScannedText.h"
#include "support/ui/EventWait.h"

#include <QScrollBar>

namespace quarry {
namespace {

constexpr std::uint8_t kComment = 6;
constexpr std::uint8_t kReserved = 12;

// C without comments that span lines: a guess from the start state is right on every line.
const char* const kBlock =
    "static int counter = 0; // counts\n"
    "int next(int step) {\n"
    "    counter += step * 2;\n"
    "    return counter > 100 ? 0 : counter;\n"
    "}\n"
    "#define LIMIT 42\n"
    "const char *name = \"quarry\";\n"
    "\n";
constexpr int kBlockLines = 8;

std::string Repeat(const std::string& block, int times)
{
    std::string text;
    text.reserve(block.size() * static_cast<size_t>(times));
    for (int i = 0; i < times; ++i)
        text += block;
    return text;
}

class Scanning : public test::WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        UseParser(test::kCSlot);
    }
    TTextStore& Store() { return Memo().Store(); }
    int ScannedRecords()
    {
        int n = 0;
        for (RecordId r = Store().First(); r != kNoRecord; r = Store().Next(r))
            n += Store().Record(r).Scanned() ? 1 : 0;
        return n;
    }
    // The values of display lines [first, last], or "unscanned" markers (255) for lines without.
    std::vector<std::uint8_t> Stored(LineIndex first, LineIndex last)
    {
        std::vector<std::uint8_t> out;
        TTextStore::Location at = Store().LineByIndex(first);
        for (LineIndex line = first; line <= last && at.record != kNoRecord; ++line) {
            const TLineRecord& rec = Store().Record(at.record);
            const std::uint8_t* values = Store().StylesOf(rec);
            for (int i = 0; i < rec.length; ++i)
                out.push_back(values ? values[i] : 255);
            at = {rec.next, line + 1, at.lineStart + rec.length};
        }
        return out;
    }
    std::vector<std::uint8_t> Oracle(LineIndex first, LineIndex last)
    {
        const std::string text = Memo().Text();
        const std::vector<uint8_t> all = scanStyles(test::BuiltinParser(test::kCSlot), text);
        const Offset from = Store().LineByIndex(first).lineStart;
        const TTextStore::Location end = Store().LineByIndex(last);
        const Offset to = end.lineStart + Store().Record(end.record).length;
        return {all.begin() + from, all.begin() + to};
    }
    LineIndex LastLine() { return Store().LineCount() - 1; }
};

TEST_F(Scanning, AJumpToTheEndScansAroundTheViewOnly)
{
    memo->SetIdleScanLimit(0);
    Memo().SetText(Repeat(kBlock, 4000));
    const int initial = ScannedRecords();
    const int rows = memo->viewport()->height() / Lh() + 1;
    EXPECT_LE(initial, 3 * rows + 2);
    QTest::keyClick(memo.get(), Qt::Key_End, Qt::ControlModifier);
    Grab();
    const LineIndex first = Memo().FirstVisibleLine();
    EXPECT_GT(first, 30000);
    EXPECT_LE(ScannedRecords(), initial + rows + TViewScanner::kContextLines + 2);
    EXPECT_EQ(Oracle(first, LastLine()), Stored(first, LastLine()));
    EXPECT_GT(memo->ViewScanner().ProvisionalLines(), 0);
}

TEST_F(Scanning, ScrollingPageByPageScansEachLineOnceAndNeverGuesses)
{
    memo->SetIdleScanLimit(0);
    Memo().SetText(Repeat(kBlock, 500));
    const int rows = Memo().VisibleLines();
    for (int page = 0; page < 150; ++page) {
        QTest::keyClick(memo.get(), Qt::Key_PageDown);
        Grab();
    }
    const LineIndex first = Memo().FirstVisibleLine();
    EXPECT_GE(first, 150 * rows - rows);
    EXPECT_EQ(0, memo->ViewScanner().ProvisionalLines());
    EXPECT_LE(memo->ViewScanner().ExactLines(), first + 3 * rows);
    EXPECT_EQ(Oracle(0, first + rows - 1), Stored(0, first + rows - 1));
}

TEST_F(Scanning, TheScrollBarThumbJumpsToo)
{
    memo->SetIdleScanLimit(0);
    Memo().SetText(Repeat(kBlock, 3000));
    memo->verticalScrollBar()->setValue(12000);
    Grab();
    EXPECT_EQ(12000, Memo().FirstVisibleLine());
    EXPECT_EQ(Oracle(12000, 12010), Stored(12000, 12010));
    EXPECT_LE(ScannedRecords(), 4 * Memo().VisibleLines() + TViewScanner::kContextLines + 2);
}

TEST_F(Scanning, TheBackgroundMakesGuessedValuesExact)
{
    // A comment opened on line 100 and closed on line 4000: a guess made inside it is wrong.
    std::string text = Repeat(kBlock, 12);
    text += "/* opened\n" + Repeat(kBlock, 490) + "closed */\n" + Repeat(kBlock, 100);
    Memo().SetText(text);
    memo->verticalScrollBar()->setValue(3000);
    Grab();
    EXPECT_NE(Oracle(3000, 3005), Stored(3000, 3005));
    memo->FinishIdleScan();
    EXPECT_EQ(Oracle(0, LastLine()), Stored(0, LastLine()));
    const std::vector<std::uint8_t> commented = Stored(3000, 3000);
    EXPECT_EQ(std::vector<std::uint8_t>(commented.size(), kComment), commented);
}

TEST_F(Scanning, TheBackgroundRunsByItselfInSlices)
{
    Memo().SetText(Repeat(kBlock, 2000));
    EXPECT_TRUE(memo->IdleScanPending());
    EXPECT_TRUE(test::runEventsUntil([&] { return !memo->IdleScanPending(); }));
    EXPECT_EQ(Store().LineCount(), ScannedRecords());
    EXPECT_EQ(Oracle(0, LastLine()), Stored(0, LastLine()));
}

TEST_F(Scanning, InLargeTextsEditsAreCarriedOnOverScannedLines)
{
    Memo().SetText(Repeat(kBlock, 2500));
    memo->FinishIdleScan();
    memo->SetIdleScanLimit(0);
    Memo().SetSelection(0, 0);
    QTest::keyClicks(memo.get(), "/*");
    memo->FinishIdleScan();
    EXPECT_EQ(Oracle(0, LastLine()), Stored(0, LastLine()));
    const std::vector<std::uint8_t> last = Stored(LastLine() - 1, LastLine() - 1);
    EXPECT_EQ(std::vector<std::uint8_t>(last.size(), kComment), last);
    // And closing the comment again brings the code back.
    QTest::keyClicks(memo.get(), "*/");
    memo->FinishIdleScan();
    EXPECT_EQ(Oracle(0, LastLine()), Stored(0, LastLine()));
}

TEST_F(Scanning, InLargeTextsLinesNeverShownKeepNoValues)
{
    memo->SetIdleScanLimit(0);
    Memo().SetText(Repeat(kBlock, 2500));
    Memo().SetSelection(0, 0);
    QTest::keyClicks(memo.get(), "/*");
    memo->FinishIdleScan();
    EXPECT_LE(ScannedRecords(), 3 * Memo().VisibleLines() + 2 * 256 + 2);
}

TEST_F(Scanning, TypingScansNoFurtherThanTwoWindowsAhead)
{
    Memo().SetText(Repeat(kBlock, 2500));
    memo->FinishIdleScan();
    memo->SetIdleScanLimit(0);
    Offset farthest = 0;
    Memo().OnTokenSeen = [&](std::uint8_t&, Offset, Offset end) { farthest = std::max(farthest, end); };
    Memo().SetSelection(0, 0);
    QTest::keyClicks(memo.get(), "/*");
    const Offset limit = Store().LineByIndex(3 * Memo().VisibleLines() + 2).lineStart;
    EXPECT_GT(farthest, 0);
    EXPECT_LE(farthest, limit);
    // What the window shows is right already.
    const int rows = Memo().VisibleLines();
    EXPECT_EQ(Oracle(0, rows), Stored(0, rows));
}

TEST_F(Scanning, AnEditInTheLastSegmentOfAWrappedLineIsScanned)
{
    SetOption(smoWordWrap, true);
    Memo().SetWrapAtColumn(20);
    Memo().SetText("aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii\nnext");
    ASSERT_GE(Store().LineCount(), 3);
    memo->FinishIdleScan();
    // Type a reserved word into the third segment.
    Memo().SetSelection(40, 40);
    QTest::keyClicks(memo.get(), " int ");
    Grab();
    memo->FinishIdleScan();
    EXPECT_EQ(Oracle(0, LastLine()), Stored(0, LastLine()));
    const std::string text = Memo().Text();
    const std::vector<std::uint8_t> values = Stored(0, LastLine());
    EXPECT_EQ(kReserved, values[text.find("int")]);
}

TEST_F(Scanning, ALongCommentCostsTheBackgroundALinearAmountOfScanning)
{
    // No restart point inside the comment: every slice would start again at its opening.
    Memo().SetText("/*\n" + Repeat(kBlock, 2500));
    const std::int64_t before = memo->ViewScanner().ExactLines();
    TViewScanner::TResult result;
    memo->ViewScanner().SetFillUnscanned(true);
    while (memo->ViewScanner().Step(256, result)) {
    }
    EXPECT_EQ(Oracle(0, LastLine()), Stored(0, LastLine()));
    EXPECT_LE(memo->ViewScanner().ExactLines() - before, 4 * Store().LineCount());
}

TEST_F(Scanning, NothingIsScannedWithoutHighlighting)
{
    SetOption(smoSyntaxHighlight, false);
    memo->SetIdleScanLimit(0);
    Memo().SetText(Repeat(kBlock, 100));
    const int before = ScannedRecords();
    memo->verticalScrollBar()->setValue(500);
    Grab();
    EXPECT_EQ(before, ScannedRecords());
}

}  // namespace
}  // namespace quarry
