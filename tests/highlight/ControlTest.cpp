// The compiled parsers inside the editor control: the control's own re-scan loop after random
// edits gives what a full scan gives, typing re-scans a few lines, and the control's HTML and
// RTF export goes through the writers with its line records.
#include "HighlightTestUtil.h"
#include "editor/FixedPitchHost.h"

#include "editor/TCustomCodeMemo.h"
#include "editor/TMemoryStream.h"
#include "highlight/BuiltinLanguages.h"
#include "highlight/CustomParseHandlers.h"
#include "highlight/HtmlWriter.h"
#include "highlight/RtfWriter.h"
#include "highlight/TCodeMemoExporter.h"

#include <gtest/gtest.h>

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

const char* const kPieces[] = {"/*", "*/", "\"", "'", "{", "}", "(*", "*)", "<!--", "-->", "<script>", "</script>",
                               "<style>", "</style>", "<", ">", "\r", "\r\r", "x", "if ", "//", "\\\r", "#define A",
                               "=", ";", " ", "<% ", " %>", ":", "&amp;"};

TEST_F(Control, ItsRescanAfterRandomEditsEqualsAFullScan)
{
    const std::pair<const char*, const char*> languages[] = {{"c", "sample.c"}, {"html", "sample.html"},
                                                             {"pascal", "sample.pas"}, {"asm", "sample.asm"},
                                                             {"java", "Sample.java"}, {"text", "sample.txt"}};
    std::mt19937 rng(99);
    for (const auto& [language, sample] : languages) {
        use(language);
        memo.SetText(readSample(sample));
        for (int round = 0; round < 150; ++round) {
            const Offset size = memo.Store().CharCount();
            const Offset at = Offset(rng() % uint32_t(size + 1));
            const Offset to = rng() % 3 ? at : std::min<Offset>(size, at + Offset(rng() % 8));
            memo.SetSelection(at, to);
            memo.ReplaceSelection(kPieces[rng() % std::size(kPieces)]);
            memo.ScanAll();  // the re-scan already ran; this only fills lines postponed for painting
            ASSERT_EQ(fullScan(parser, memo.Store().Text()), storedValues(memo))
                << language << " round " << round << " at " << at;
        }
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
