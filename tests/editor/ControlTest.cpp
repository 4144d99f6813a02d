// The compiled parsers inside the editor control: the control's own re-scan loop after random
// edits gives what a full scan gives, typing re-scans a few lines, and the control's HTML and
// RTF export goes through the writers with its line records.
#include "highlight/HighlightTestUtil.h"
#include "editor/FixedPitchHost.h"

#include "editor/TCustomCodeMemo.h"
#include "text/TMemoryStream.h"
#include "editor/TViewScanner.h"
#include "highlight/BuiltinLanguages.h"
#include "highlight/CustomParseHandlers.h"
#include "export/BufferLineSource.h"
#include "export/HtmlWriter.h"
#include "export/RtfWriter.h"
#include "editor/TCodeMemoExporter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

namespace quarry {
namespace {

std::string readSample(const std::string& name)
{
    std::ifstream in(std::string(QUARRY_SOURCE_DIR) + "/tests/quarryhl/golden/" + name, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

// The values the control stores, record by record ('-' for a record without values).
std::vector<int> storedValues(TCustomCodeMemo& memo)
{
    std::vector<int> values;
    TTextStore& store = memo.Store();
    for (RecordId r = store.First(); r != kNoRecord; r = store.Next(r)) {
        const TLineRecord& rec = store.Record(r);
        const std::uint8_t* styles = store.StylesOf(rec);
        for (int i = 0; i < rec.length; ++i)
            values.push_back(styles ? styles[i] : -1);
    }
    return values;
}

std::vector<int> fullScan(TCodeMemoParser& parser, const std::string& text)
{
    std::vector<int> values;
    for (uint8_t v : scanStyles(parser, text))
        values.push_back(v);
    return values;
}

// What the writer makes of the text with the control's font, title and the given date.
template <typename Writer>
std::string written(TCustomCodeMemo& memo, TCodeMemoParser& parser, const std::string& text, const char* date)
{
    const std::string normal = normaliseEditorText(text);
    const std::vector<uint8_t> styles = scanStyles(parser, normal);
    ExportStyle style = ExportStyle::from(memo.Settings());
    style.fontName = memo.Font().name;
    style.fontSize = memo.Font().size;
    style.fontCharset = memo.Font().charSet;
    style.title = memo.printTitle;
    style.date = date;
    BufferLineSource lines(normal, &styles);
    std::ostringstream out;
    Writer::write(out, lines, style);
    return out.str();
}

class Control : public ::testing::Test {
protected:
    Control() : memo(host) { memo.SetScanAhead(-1); }
    void use(const char* language)
    {
        parser.compileFile(test::builtinScriptPath(findBuiltinLanguage(language)->script));
        parser.OnCustomParse = customParseHandlerFor(parser.languageName());
        memo.SetParser(1, &parser);
        memo.SetActiveParser(1);
    }
    test::FixedPitchHost host;
    TCodeMemoParser parser;
    TCustomCodeMemo memo;
};

// Pieces that open and close the languages' multi-line constructs and switch their states.
const char* const kPieces[] = {"/*", "*/", "\"", "'", "{", "}", " }", "(*", "*)", "<!--", "-->", "<script>",
                               "</script>", "<style>", "</style>", "<", ">", "\r", "\r\r", "x", "if ", "//",
                               "\\\r", "#define A", "=", ";", " ", "<% ", " %>", ":", "&amp;", "red;", "\t"};

std::string escaped(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c == '\r')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\\' || c == '"')
            out += std::string("\\") + char(c);
        else
            out += char(c);
    }
    return out;
}

// Where the stored values first differ from a fresh full scan, -1 when they agree.
long firstDifference(const std::vector<int>& expected, const std::vector<int>& actual)
{
    const auto [e, a] = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
    return e == expected.end() && a == actual.end() ? -1 : long(e - expected.begin());
}

// Thousands of random edits, each made as typing makes it and re-scanned incrementally; after
// every one each character's stored value must be what a fresh full scan of the text gives. The
// second pass scans as a window does: only as far as a horizon below a ten-line view, the view
// itself, the rest in the background; now and then the text is loaded afresh, so that the view
// is first guessed at.
TEST_F(Control, IncrementalRescanAfterRandomEditsEqualsAFreshFullScan)
{
    const std::pair<const char*, const char*> languages[] = {{"c", "sample.c"}, {"html", "sample.html"},
                                                             {"pascal", "sample.pas"}, {"asm", "sample.asm"},
                                                             {"java", "Sample.java"}, {"text", "sample.txt"}};
    const unsigned seed = 20240611;
    std::mt19937 rng(seed);
    TViewScanner view(memo);
    for (const bool windowed : {false, true}) {
        memo.SetScanAhead(windowed ? 2 : -1);
        memo.OnEdited = [&](Offset from) {
            if (windowed)
                view.Edited(from);
        };
        for (const auto& [language, sample] : languages) {
            use(language);
            // Long enough for a view to stand below lines never scanned.
            std::string original;
            for (int copies = windowed ? 4 : 1; copies > 0; --copies)
                original += readSample(sample);
            memo.SetText(original);
            for (int edit = 0; edit < (windowed ? 400 : 1000); ++edit) {
                const LineIndex top = LineIndex(rng() % uint32_t(memo.Store().LineCount()));
                if (windowed) {
                    if (rng() % 25 == 0)
                        memo.SetText(memo.Store().Text());
                    memo.SetFirstVisibleLine(top);
                    view.EnsureVisible(top, top + 9);
                }
                const Offset size = memo.Store().CharCount();
                const Offset at = Offset(rng() % uint32_t(size + 1));
                const Offset erase = rng() % 3 ? 0 : std::min<Offset>(size - at, Offset(rng() % 12));
                std::string piece = kPieces[rng() % std::size(kPieces)];
                if (rng() % 4 == 0)
                    piece = std::string(1, char(32 + rng() % 95));
                memo.SetSelection(at, at + erase);
                memo.ReplaceSelection(piece);
                if (windowed) {
                    view.EnsureVisible(top, top + 9);
                    TViewScanner::TResult result;
                    while (view.Step(8, result)) {
                    }
                }
                const long wrong = firstDifference(fullScan(parser, memo.Store().Text()), storedValues(memo));
                ASSERT_EQ(-1, wrong) << "seed " << seed << (windowed ? ", window, " : ", ") << language << " edit "
                                     << edit << ": at " << at << " delete " << erase << " insert \""
                                     << escaped(piece) << "\"";
                if (memo.Store().CharCount() > Offset(2 * original.size()))
                    memo.SetText(original);
            }
        }
    }
    memo.OnEdited = nullptr;
}

// Edits after which the re-scan must not stop where the values below stay the same: the state
// (or the stack) differs there, or a token before the line read what the edit changed.
TEST_F(Control, RescanGoesOnWhereTheScannerStateDiffers)
{
    struct Case {
        const char* why;
        const char* language;  // a built-in language, or null for the script
        const char* script;
        const char* text;
        Offset at, erase;
        const char* insert;
    };
    const Case cases[] = {
        {"a closed style block leaves a comment that looks the same in both states", "html", nullptr,
         "<style>\nh1 { color: red;\n/* note\n   more */\np { }\n</style>\n", 24, 0, " }"},
        {"one more level on the stack under the same state set", nullptr,
         "%%tokens 1 '('\rInState 1 ( 1 '('\r7 'x'\r2 ')' )\r%%states 1 push ( + 1 - 0 ) 2 ( ) pop",
         "(\nx\n)\nx\n", 0, 0, "("},
        {"the token before an unchanged line ended on what follows it", nullptr,
         "%%tokens 1 'a' '[a\\n]' ? '\\nbc' _discard_\r2 'b'\r3 'c'", "aaa\n\nbc\n", 6, 1, "x"},
        {"the same where the edit ends the text", nullptr,
         "%%tokens 1 'a' '[a\\n]' ? '\\nbc' _discard_\r2 'b'\r3 'c'", "aaa\n\nbc", 5, 2, ""},
    };
    for (const Case& c : cases) {
        if (c.language)
            use(c.language);
        else
            parser.compile(c.script);
        memo.SetParser(1, &parser);
        memo.SetActiveParser(1);
        memo.SetText(c.text);
        memo.SetSelection(c.at, c.at + c.erase);
        memo.ReplaceSelection(c.insert);
        EXPECT_EQ(fullScan(parser, memo.Store().Text()), storedValues(memo)) << c.why;
    }
}

TEST_F(Control, TypingOneCharacterRescansAFewLines)
{
    use("c");
    std::string sample = readSample("sample.c");
    sample = sample.substr(0, sample.rfind("/* unterminated"));
    std::string text;
    while (text.size() < (1 << 20))
        text += sample;
    memo.SetText(text);
    memo.ScanAll();
    const Offset middle = Offset(memo.Store().Text().find("return -1;", text.size() / 2));
    long long tokens = 0;
    Offset lastEnd = -1, firstStart = -1;
    memo.OnTokenSeen = [&](std::uint8_t&, Offset start, Offset end) {
        if (start < 0)
            return;
        ++tokens;
        firstStart = firstStart < 0 ? start : firstStart;
        lastEnd = end;
    };
    memo.SetSelection(middle, middle);
    memo.ReplaceSelection("x");
    ASSERT_LT(0, tokens);
    const std::string scanned = memo.Store().GetText(firstStart, lastEnd);
    EXPECT_GE(3, std::count(scanned.begin(), scanned.end(), '\r') + 1) << scanned;
}

TEST_F(Control, SavesAsHtmlAndRtfThroughTheWriters)
{
    use("c");
    TCodeMemoExporter exporter;
    exporter.dateText = [] { return std::string("today"); };
    memo.exporter = &exporter;
    memo.printTitle = "ring.c";
    const std::string text = readSample("sample.c");
    memo.SetText(text);
    memo.saveFormat = TSaveFormat::sfHTML;
    TMemoryStream html;
    memo.SaveToStream(&html);
    EXPECT_EQ(written<HtmlWriter>(memo, parser, text, "today"), html.Bytes());
    memo.saveFormat = TSaveFormat::sfRTF;
    TMemoryStream rtf;
    memo.SaveToStream(&rtf);
    EXPECT_EQ(written<RtfWriter>(memo, parser, text, "today"), rtf.Bytes());
}

TEST_F(Control, AScriptThatPopsTooOftenDoesNotStopTyping)
{
    parser.compile("%%tokens 2 ')'\r%%states 2 ( ) pop");
    memo.SetParser(1, &parser);
    memo.SetActiveParser(1);
    memo.SetText("a)b");
    memo.SetSelection(3, 3);
    EXPECT_NO_THROW(memo.ReplaceSelection(")"));
    EXPECT_EQ("a)b)", memo.Store().Text());
    EXPECT_LE(2, parser.stackUnderflows());
}

TEST_F(Control, ExportScansLinesThatPaintingPostponed)
{
    use("c");
    memo.SetScanAhead(2);
    std::string text;
    while (text.size() < 20000)
        text += "int x; /* a\nb */ \"s\"\n";
    memo.SetText(text);
    TCodeMemoExporter exporter;
    exporter.dateText = [] { return std::string("d"); };
    memo.exporter = &exporter;
    memo.saveFormat = TSaveFormat::sfHTML;
    TMemoryStream html;
    memo.SaveToStream(&html);
    EXPECT_EQ(written<HtmlWriter>(memo, parser, text, "d"), html.Bytes());
}

}  // namespace
}  // namespace quarry
