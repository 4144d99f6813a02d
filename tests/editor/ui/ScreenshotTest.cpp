// The window showing highlighted C: the picture for the documentation, and a check that it shows
// what a reader of it expects. Set QUARRY_SCREENSHOT to a file name to save the picture.
#include "WidgetFixture.h"

namespace quarry {
namespace {

using test::Bgr;
using test::CountColour;

const char* const kDemo =
    "/* Blink the status LED on port B, bit 3. */\n"
    "#include <stdint.h>\n"
    "#include \"board.h\"\n"
    "\n"
    "#define LED_MASK   0x08u\n"
    "#define DELAY_MS   250\n"
    "\n"
    "static volatile uint8_t *const portb = (uint8_t *)0xFFFFF419;\n"
    "\n"
    "// Busy-wait: the timer is not running yet.\n"
    "static void delay(unsigned int ms)\n"
    "{\n"
    "    for (unsigned int i = 0; i < ms * 1000u; ++i)\n"
    "        __asm__ volatile (\"nop\");\n"
    "}\n"
    "\n"
    "int main(void)\n"
    "{\n"
    "    const char *banner = \"blink v1.2\";\n"
    "    (void)banner;\n"
    "    for (;;) {\n"
    "        *portb ^= LED_MASK;\n"
    "        delay(DELAY_MS);\n"
    "    }\n"
    "    return 0;\n"
    "}\n";

TEST(Screenshot, HighlightedCShowsCommentsKeywordsStringsAndTheGutter)
{
    // The parser is shared with the other tests: its settings are put back at the end.
    const TCM_Settings saved = test::BuiltinParser(test::kCSlot).Settings();
    struct Restore {
        const TCM_Settings& saved;
        ~Restore() { test::BuiltinParser(test::kCSlot).Settings() = saved; }
    } restore{saved};
    TCodeMemo memo;
    for (int slot = 1; slot <= 6; ++slot)
        memo.SetParser(slot, &test::BuiltinParser(slot));
    memo.SetActiveParser(test::kCSlot);
    TCustomCodeMemo& m = memo.Memo();
    // As the editor window sets it up.
    m.SetOptions(m.Options() | smoLineNumbers | smoShowGutter | smoShowRMargin);
    m.Settings().selTextColor = clWhite;
    m.Settings().selTextBack = clNavy;
    m.Settings().gutterFont = {"DejaVu Sans", 8, 1, clWindowText};
    m.SetFont({"DejaVu Sans Mono", 10});
    memo.SetHideSelection(false);
    memo.SetShowFocusLine(false);
    memo.resize(700, 460);
    memo.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&memo));
    m.SetText(kDemo);
    m.SetBookmark(1, 11, 1);
    m.SetLineColour1(23, 0x80);
    m.SetLineColour2(23, clWhite);
    m.SetSelection(452, 462);
    QApplication::processEvents();

    const QImage image = memo.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect all = image.rect();
    EXPECT_GT(CountColour(image, all, Bgr(0x008000)), 0);  // comments
    EXPECT_GT(CountColour(image, all, Bgr(clNavy)), 0);    // reserved words, operators, selection
    EXPECT_GT(CountColour(image, all, Bgr(clMaroon)), 0);  // strings, the marked line
    EXPECT_GT(CountColour(image, all, Bgr(0x800080)), 0);  // directives
    EXPECT_GT(CountColour(image, all, QColor(64, 128, 224)), 0);  // the bookmark
    if (const QByteArray path = qgetenv("QUARRY_SCREENSHOT"); !path.isEmpty()) {
        EXPECT_TRUE(image.save(QString::fromLocal8Bit(path)));
    }
}

}  // namespace
}  // namespace quarry
