#pragma once
// Shared by the window tests: the built-in parsers compiled from data/highlight, a shown window
// of a known size and font, and pixel helpers over its rendered image.
#include "text/TTextStore.h"
#include "editor/ui/TCodeMemo.h"
#include "editor/ui/TColourResolver.h"
#include "highlight/BuiltinLanguages.h"
#include "highlight/CustomParseHandlers.h"
#include "highlight/TCodeMemoParser.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace quarry::test {

// The six built-in languages in slot order, compiled once per test program.
inline TCodeMemoParser& BuiltinParser(int slot)
{
    static std::array<std::unique_ptr<TCodeMemoParser>, 6> parsers;
    auto& parser = parsers.at(static_cast<size_t>(slot - 1));
    if (!parser) {
        parser = std::make_unique<TCodeMemoParser>();
        const BuiltinLanguage& language = builtinLanguages().at(static_cast<size_t>(slot - 1));
        parser->compileFile(std::string(QUARRY_DATA_DIR) + "/highlight/" + language.script);
        parser->OnCustomParse = customParseHandlerFor(parser->languageName());
    }
    return *parser;
}
inline constexpr int kCSlot = 3;

inline std::unique_ptr<TCodeMemoParser> CompileScript(const std::string& script)
{
    auto parser = std::make_unique<TCodeMemoParser>();
    parser->compile(script);
    return parser;
}

// A window with the given viewport size, shown (offscreen) and focused, in a font every machine
// of ours has, with the six built-in parsers in its slots and none active.
class WidgetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The parsers are shared by the whole program: what a test changes in their settings is
        // put back afterwards.
        for (int slot = 1; slot <= 6; ++slot)
            savedSettings.push_back(BuiltinParser(slot).Settings());
        Make(400, 200);
    }
    void TearDown() override
    {
        memo.reset();
        for (int slot = 1; slot <= 6; ++slot)
            BuiltinParser(slot).Settings() = savedSettings.at(static_cast<size_t>(slot - 1));
    }

    void Make(int width, int height)
    {
        memo = std::make_unique<TCodeMemo>();
        for (int slot = 1; slot <= 6; ++slot)
            memo->SetParser(slot, &BuiltinParser(slot));
        memo->SetActiveParser(0);
        Memo().SetFont({"DejaVu Sans Mono", 10});
        memo->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(memo.get()));
        SetViewport(width, height);
        memo->activateWindow();
        memo->setFocus();
        QApplication::processEvents();
    }
    void SetViewport(int width, int height)
    {
        const QSize frame = memo->size() - memo->viewport()->size();
        memo->resize(frame.width() + width, frame.height() + height);
        QApplication::processEvents();
    }
    void UseParser(int slot)
    {
        memo->SetActiveParser(slot);
        Memo().SetFont({"DejaVu Sans Mono", 10});
    }

    // Black text on white paper instead of the palette's colours, so that pixels can be told apart.
    void PlainColours()
    {
        TCM_Effect& e0 = Settings().effects[0];
        e0.foreground = clBlack;
        e0.background = clWhite;
        e0.defaultForeground = e0.defaultBackground = false;
    }

    TCustomCodeMemo& Memo() { return memo->Memo(); }
    TCM_Settings& Settings() { return Memo().Settings(); }
    void SetOption(TCodeMemoOption option, bool on)
    {
        Memo().SetOptions(on ? (Memo().Options() | option) : (Memo().Options() & ~TCodeMemoOptions(option)));
    }

    QImage Grab()
    {
        memo->viewport()->update();
        return memo->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    int Cw() const { return memo->CellWidth(); }
    int Lh() const { return memo->LineHeight(); }
    int X(int column) { return memo->TextLeft() + (column - Memo().LeftColumn()) * Cw(); }
    int Y(int row) const { return row * Lh(); }
    // The rectangle of a text cell in the window.
    QRect Cell(int column, int row) { return QRect(X(column), Y(row), Cw(), Lh()); }
    QRect Cells(int column, int row, int count) { return QRect(X(column), Y(row), Cw() * count, Lh()); }

    std::unique_ptr<TCodeMemo> memo;
    std::vector<TCM_Settings> savedSettings;
};

inline QColor Bgr(TColor colour) { return TColourResolver::FromBgr(colour); }

// Pixels of exactly this colour inside the rectangle.
inline int CountColour(const QImage& image, const QRect& rect, const QColor& colour)
{
    int count = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb())
                ++count;
    return count;
}

inline bool AllColour(const QImage& image, const QRect& rect, const QColor& colour)
{
    const QRect r = rect.intersected(image.rect());
    return !r.isEmpty() && CountColour(image, r, colour) == r.width() * r.height();
}

// The colour most pixels of the rectangle have.
inline QColor Dominant(const QImage& image, const QRect& rect)
{
    std::map<QRgb, int> counts;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb best = 0;
    int most = -1;
    for (const auto& [rgb, n] : counts)
        if (n > most) {
            best = rgb;
            most = n;
        }
    return QColor::fromRgb(best);
}

// Pixels that are not the background colour (ink) inside the rectangle.
inline int Ink(const QImage& image, const QRect& rect, const QColor& background)
{
    const QRect r = rect.intersected(image.rect());
    return r.width() * r.height() - CountColour(image, r, background);
}

// The lowest grey level of the rectangle: 0 where black ink is, 255 on blank paper.
inline int Darkest(const QImage& image, const QRect& rect)
{
    int darkest = 255;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

}  // namespace quarry::test
