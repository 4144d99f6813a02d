// Printing to PDF, read back with pdftotext (and rendered with pdftoppm where colours matter).
#include "WidgetFixture.h"

#include "support/TempDir.h"

#include <QDate>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <optional>
#include <vector>

namespace quarry {
namespace {

constexpr TCodeMemoOptions kPrintOptions = smoPrintWrap | smoPrintLineNos | smoPrintFilename | smoPrintDate | smoPrintPageNos;

class Printing : public test::WidgetTest {
protected:
    void SetOptions(TCodeMemoOptions print)
    {
        Memo().SetOptions((Memo().Options() & ~kPrintOptions) | print);
    }
    std::string Numbered(int lines)
    {
        std::string text;
        for (int i = 1; i <= lines; ++i)
            text += "line " + std::to_string(i) + " text\r";
        return text;
    }
    // Prints (the whole text, or the selection) and answers the pages as pdftotext reads them.
    void PrintToPdf(bool selection, const std::optional<QMarginsF>& marginsMm = std::nullopt)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        printer.setPageSize(QPageSize(QPageSize::A4));
        if (marginsMm)
            printer.setPageMargins(*marginsMm, QPageLayout::Millimeter);
        if (selection)
            memo->PrintSelection(printer);
        else
            memo->Print(printer);
    }
    QString PdfToText(const QString& mode)
    {
        QProcess tool;
        tool.start(QStringLiteral("pdftotext"), {mode, QString::fromStdString(pdf), QStringLiteral("-")});
        EXPECT_TRUE(tool.waitForFinished(60000));
        EXPECT_EQ(0, tool.exitCode()) << tool.readAllStandardError().toStdString();
        return QString::fromUtf8(tool.readAllStandardOutput());
    }
    QStringList PrintPages(bool selection = false)
    {
        PrintToPdf(selection);
        QStringList pages = PdfToText(QStringLiteral("-layout")).split(QLatin1Char('\f'));
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }
    struct Word {
        QString text;
        QRectF box;  // in points from the paper's top left corner
    };
    // The words of each page with their boxes, as pdftotext -bbox reads them, and the paper size.
    std::vector<std::vector<Word>> PrintWords(const QMarginsF& marginsMm, QSizeF& paper)
    {
        PrintToPdf(false, marginsMm);
        const QString html = PdfToText(QStringLiteral("-bbox"));
        std::vector<std::vector<Word>> pages;
        static const QRegularExpression item(
            QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\"|<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                           "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
        for (auto it = item.globalMatch(html); it.hasNext();) {
            const auto m = it.next();
            if (!m.captured(1).isEmpty()) {
                paper = QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
                pages.emplace_back();
            } else if (!pages.empty()) {
                pages.back().push_back({m.captured(7), QRectF(QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()),
                                                              QPointF(m.captured(5).toDouble(), m.captured(6).toDouble()))});
            }
        }
        return pages;
    }
    // The first page rendered, for its colours.
    QImage RenderFirstPage()
    {
        QProcess tool;
        const QString prefix = QString::fromStdString(dir.file("page"));
        tool.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-f"),
                                                QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                                                QStringLiteral("-png"), QString::fromStdString(pdf), prefix});
        EXPECT_TRUE(tool.waitForFinished(60000));
        QImage image(prefix + QStringLiteral("-1.png"));
        return image.convertToFormat(QImage::Format_RGB32);
    }
    static bool Has(const QString& page, const QString& pattern)
    {
        return page.contains(QRegularExpression(pattern, QRegularExpression::MultilineOption));
    }

    test::TempDir dir;
    std::string pdf = dir.file("out.pdf");
};

TEST_F(Printing, HeaderPageNumbersAndLineNumbersOnEveryPage)
{
    SetOptions(smoPrintFilename | smoPrintPageNos | smoPrintLineNos);
    Memo().SetText(Numbered(150));
    Memo().printTitle = "blink.c";
    const QStringList pages = PrintPages();
    ASSERT_GE(pages.size(), 2);
    for (int i = 0; i < pages.size(); ++i) {
        EXPECT_TRUE(Has(pages[i], QStringLiteral("^\\s*blink\\.c"))) << i;
        EXPECT_TRUE(Has(pages[i], QStringLiteral("^\\s*- %1 -\\s*$").arg(i + 1))) << pages[i].toStdString();
    }
    EXPECT_TRUE(Has(pages[0], QStringLiteral("^\\s*1:\\s+line 1 text\\s*$"))) << pages[0].toStdString();
    EXPECT_TRUE(Has(pages.last(), QStringLiteral("^\\s*150:\\s+line 150 text\\s*$")));
    // Every line once, in order, over all pages.
    QString all = pages.join(QString());
    int from = 0;
    for (int line = 1; line <= 150; ++line) {
        const int at = all.indexOf(QRegularExpression(QStringLiteral("\\b%1:\\s+line %1 text").arg(line)), from);
        ASSERT_GE(at, from) << line;
        from = at;
    }
}

// Whatever margins the page has, every word lies inside them and outside the quarter inch at
// the paper's edge that printers cannot reach; the header spans the width between them.
TEST_F(Printing, EverythingStaysInsideThePageMargins)
{
    const QMarginsF cases[] = {{0, 0, 0, 0}, {0, 12.7, 0, 12.7}, {20, 25, 30, 15}};
    SetOptions(kPrintOptions);
    Memo().SetText(Numbered(120) + std::string(300, 'w'));
    Memo().printTitle = "inside.c";
    constexpr qreal kPointsPerMm = 72 / 25.4;
    constexpr qreal kSlack = 1.0;  // points: glyph boxes against the drawn rectangles
    for (const auto& margins : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2 %3 %4").arg(margins.left()).arg(margins.top()).arg(margins.right())
                         .arg(margins.bottom()).toStdString());
        QSizeF paper;
        const auto pages = PrintWords(margins, paper);
        ASSERT_GE(pages.size(), 2u);
        const auto limit = [&](qreal mm) { return std::max(mm, 6.35) * kPointsPerMm; };
        const QRectF inside(QPointF(limit(margins.left()), limit(margins.top())),
                            QPointF(paper.width() - limit(margins.right()), paper.height() - limit(margins.bottom())));
        for (const auto& page : pages) {
            ASSERT_FALSE(page.empty());
            for (const auto& word : page)
                EXPECT_TRUE(inside.adjusted(-kSlack, -kSlack, kSlack, kSlack).contains(word.box))
                    << word.text.toStdString() << " at " << word.box.left() << "," << word.box.top() << " - "
                    << word.box.right() << "," << word.box.bottom();
            // The title starts at the left margin and the time ends at the right one.
            const auto title = std::find_if(page.begin(), page.end(), [](const Word& w) { return w.text == "inside.c"; });
            ASSERT_NE(title, page.end());
            EXPECT_NEAR(inside.left(), title->box.left(), 2 * kSlack);
            qreal headerRight = 0;
            for (const auto& word : page)
                if (std::abs(word.box.top() - title->box.top()) < kSlack)
                    headerRight = std::max(headerRight, word.box.right());
            EXPECT_NEAR(inside.right(), headerRight, 2 * kSlack);
        }
    }
}

TEST_F(Printing, DateAndTimeStandRightOfTheTitle)
{
    SetOptions(smoPrintDate | smoPrintFilename);
    Memo().SetText("x");
    Memo().printTitle = "a.c";
    const QStringList pages = PrintPages();
    ASSERT_EQ(1, pages.size());
    const QString date = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    EXPECT_TRUE(Has(pages[0], QStringLiteral("^\\s*a\\.c\\s+") + QRegularExpression::escape(date) + QStringLiteral(" - \\d")))
        << pages[0].toStdString();
    EXPECT_FALSE(Has(pages[0], QStringLiteral("- 1 -")));
}

TEST_F(Printing, OnlyPageNumbersGiveAFooterAndNoTitle)
{
    SetOptions(smoPrintPageNos);
    Memo().SetText("only text");
    Memo().printTitle = "hidden.c";
    const QStringList pages = PrintPages();
    ASSERT_EQ(1, pages.size());
    EXPECT_FALSE(pages[0].contains(QStringLiteral("hidden.c")));
    EXPECT_TRUE(Has(pages[0], QStringLiteral("^\\s*- 1 -\\s*$")));
    EXPECT_TRUE(Has(pages[0], QStringLiteral("^only text\\s*$")));
}

TEST_F(Printing, PrintSelectionTakesTheSelectedLines)
{
    SetOptions(smoPrintLineNos);
    Memo().SetText(Numbered(9));
    // From inside line 3 to the first character of line 6: lines 3 to 5.
    const Offset start = 2 * 12 + 4;
    const Offset end = 5 * 12;
    Memo().SetSelection(start, end);
    QStringList pages = PrintPages(true);
    ASSERT_EQ(1, pages.size());
    EXPECT_TRUE(Has(pages[0], QStringLiteral("^\\s*3:\\s+line 3 text")));
    EXPECT_TRUE(Has(pages[0], QStringLiteral("^\\s*5:\\s+line 5 text")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("line 6")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("line 2")));
    // One character into line 6: it is printed too.
    Memo().SetSelection(start, end + 1);
    pages = PrintPages(true);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("line 6")));
    // The print-selection action asks the host.
    int asked = 0;
    memo->OnPrintSelection = [&] { ++asked; };
    QTest::keyClick(memo.get(), Qt::Key_K, Qt::ControlModifier);
    QTest::keyClick(memo.get(), Qt::Key_P);
    EXPECT_EQ(1, asked);
}

TEST_F(Printing, LongLinesWrapOrAreCutAtThePageEdge)
{
    std::string line;
    for (int i = 10; i < 70; ++i)
        line += "word" + std::to_string(i) + " ";
    Memo().SetText(line + "\rnext");
    SetOptions(smoPrintWrap);
    QStringList pages = PrintPages();
    EXPECT_TRUE(pages[0].contains(QStringLiteral("word69")));
    EXPECT_TRUE(Has(pages[0], QStringLiteral("^word10 ")));
    // Words are not split across rows.
    for (int i = 10; i < 70; ++i)
        EXPECT_TRUE(Has(pages[0], QStringLiteral("\\bword%1\\b").arg(i))) << i;
    SetOptions(0);
    pages = PrintPages();
    EXPECT_TRUE(pages[0].contains(QStringLiteral("word10")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("word69")));
    EXPECT_TRUE(Has(pages[0], QStringLiteral("^next\\s*$")));
}

TEST_F(Printing, HeaderHandlerDrawsInsteadOfTheBuiltInHeader)
{
    SetOptions(smoPrintFilename | smoPrintPageNos);
    Memo().SetText("body");
    Memo().printTitle = "builtin.c";
    QRect seen;
    memo->OnPrintHeaderFooter = [&](QPainter& painter, const QRect& rect, bool&) {
        seen = rect;
        painter.drawText(rect.topLeft() + QPoint(0, 100), QStringLiteral("CUSTOM HEADER"));
        return 400;
    };
    const QStringList pages = PrintPages();
    ASSERT_EQ(1, pages.size());
    EXPECT_TRUE(pages[0].contains(QStringLiteral("CUSTOM HEADER")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("builtin.c")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("- 1 -")));
    EXPECT_GT(seen.width(), 1000);
}

TEST_F(Printing, MonoPrintIsBlackOnWhite)
{
    UseParser(test::kCSlot);
    SetOptions(0);
    Memo().SetText("int main(void) { return 0; } /* comment */");
    memo->SetMonoPrint(false);
    PrintPages();
    QImage page = RenderFirstPage();
    ASSERT_FALSE(page.isNull());
    const auto colourful = [](const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (std::abs(c.red() - c.blue()) > 60 || std::abs(c.green() - c.blue()) > 60)
                    ++count;
            }
        return count;
    };
    EXPECT_GT(colourful(page), 0);
    memo->SetMonoPrint(true);
    PrintPages();
    page = RenderFirstPage();
    EXPECT_EQ(0, colourful(page));
}

TEST_F(Printing, EmptyTextPrintsOnePageWithItsFooter)
{
    SetOptions(smoPrintPageNos);
    Memo().SetText("");
    const QStringList pages = PrintPages();
    ASSERT_EQ(1, pages.size());
    EXPECT_TRUE(pages[0].contains(QStringLiteral("- 1 -")));
}

}  // namespace
}  // namespace quarry
