// The HTML and RTF writers: headers, escaping, style changes per run, colour table.
#include "highlight/HighlightTestUtil.h"

#include "export/HtmlWriter.h"
#include "export/RtfWriter.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quarry {
namespace {

// Lines given as text plus one value per character ('0'..'9' for 0..9, ' ' for a line with no values).
class Lines final : public StyledLineSource {
public:
    Lines(std::vector<std::string> texts, std::vector<std::string> values) : texts_(std::move(texts))
    {
        for (const std::string& v : values) {
            std::vector<uint8_t> bytes;
            for (char c : v)
                bytes.push_back(uint8_t(c - '0'));
            values_.push_back(bytes);
        }
    }
    bool next(StyledLine& line) override
    {
        if (at_ >= texts_.size())
            return false;
        line.text = texts_[at_];
        line.styles = values_[at_].empty() ? nullptr : values_[at_].data();
        ++at_;
        return true;
    }

private:
    std::vector<std::string> texts_;
    std::vector<std::vector<uint8_t>> values_;
    size_t at_ = 0;
};

ExportStyle testStyle()
{
    LanguageSettings s;
    s.map[1] = 5;
    s.map[2] = 6;
    s.effects[5] = {1, 0x800000, 0xFFFFFF, false, true, false, true};   // bold navy
    s.effects[6] = {2 | 4, 0x000080, 0x00FFFF, false, false, false, true};  // italic underline maroon on yellow
    ExportStyle style = ExportStyle::from(s);
    style.title = "demo.c";
    style.date = "06/12/2026 07:00";
    return style;
}

std::string html(Lines lines)
{
    std::ostringstream out;
    HtmlWriter::write(out, lines, testStyle());
    return out.str();
}

std::string rtf(Lines lines)
{
    std::ostringstream out;
    RtfWriter::write(out, lines, testStyle());
    return out.str();
}

const std::string kHtmlHead = "<HTML><HEAD>\r\n"
                              "<META NAME=\"Generator\" CONTENT=\"TCustomCodeMemo - quarry@talvik-systems.invalid\">\r\n"
                              "<TITLE>demo.c</TITLE>\r\n"
                              "<META NAME=\"Date\" CONTENT=\"06/12/2026 07:00\">\r\n"
                              "</HEAD>\r\n"
                              "<BODY TEXT=\"#000000\" BGCOLOR=\"#ffffff\">\r\n"
                              "<PRE><FONT FACE=\"Courier New\">\r\n";
const std::string kHtmlTail = "</PRE></FONT></BODY></HTML>\r\n";

TEST(HtmlExport, EmptySelectionWritesHeaderAndTrailer)
{
    EXPECT_EQ(kHtmlHead + kHtmlTail, html(Lines({}, {})));
}

TEST(HtmlExport, EscapesFollowTheTable)
{
    struct Case {
        unsigned char c;
        const char* out;
    } cases[] = {{'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}, {9, "&nbsp;"}, {160, "&nbsp;"}, {13, ""},
                 {1, ""},      {233, "&#233;"}, {128, "&#128;"}, {'&', "&"}, {'a', "a"},   {127, "\x7f"}};
    for (const Case& c : cases) {
        std::string out;
        HtmlWriter::escape(c.c, out);
        EXPECT_EQ(c.out, out) << int(c.c);
    }
    EXPECT_EQ(kHtmlHead + "a&lt;&nbsp;&#233;\r\n" + kHtmlTail, html(Lines({"a<\t\xe9\r"}, {"00000"})));
}

TEST(HtmlExport, RunsChangeColourAndFontFlags)
{
    EXPECT_EQ(kHtmlHead +
                  "x</FONT><FONT COLOR=\"#000080\"><B>if</FONT><FONT COLOR=\"#800000\"></B><I><U>s</FONT>"
                  "<FONT COLOR=\"#000000\"></I></U>y\r\n"
                  "plain\r\n" +
                  kHtmlTail,
              html(Lines({"xifsy\r", "plain\r"}, {"011200", ""})));
}

TEST(HtmlExport, EveryRecordIsOneOutputLine)
{
    // A wrapped logical line arrives as two records and leaves as two lines.
    EXPECT_EQ(kHtmlHead + "abc\r\ndef\r\n" + kHtmlTail, html(Lines({"abc", "def\r"}, {"000", "0000"})));
}

const std::string kRtfHead = "{\\rtf1 \\deff1{\\fonttbl {\\f1 \\fnil\\fcharset1 Courier New;}}\r\n"
                             "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;\\red0\\green0\\blue128;"
                             "\\red128\\green0\\blue0;\\red255\\green255\\blue0;}\r\n"
                             "{\\f1\\fs20\\cf0\\cb1 ";

TEST(RtfExport, EscapesFollowTheTable)
{
    struct Case {
        unsigned char c;
        const char* out;
    } cases[] = {{0, ""},         {'\'', "\\'27"},  {'\\', "\\\\"}, {'{', "\\{"},  {'}', "\\}"},
                 {9, "\\tab "},   {12, "\\page "},  {13, "\\line "}, {' ', " "},   {127, "\x7f"},
                 {128, "\\'80"},  {233, "\\'e9"},   {10, "\\'0a"}};
    for (const Case& c : cases) {
        std::string out;
        RtfWriter::escape(c.c, out);
        EXPECT_EQ(c.out, out) << int(c.c);
    }
}

TEST(RtfExport, ColourTableRunsAndTrailer)
{
    EXPECT_EQ(kRtfHead + "a\\b1 \\cf2 b\\b0 \\i1 \\ul1 \\cf3 \\cb4 \\\\\\{\\'27\\i0 \\ul0 \\cf0 \\cb1 \\line \r\n}}",
              rtf(Lines({"ab\\{'\r"}, {"012220"})));
    EXPECT_EQ(kRtfHead + "}}", rtf(Lines({}, {})));
}

// Half-points, within the sizes a font can have, whatever the settings say.
TEST(RtfExport, FontSizeIsWrittenInHalfPointsWithinRange)
{
    const std::pair<int, const char*> cases[] = {
        {10, "20"}, {1600, "3200"}, {1073741824, "3200"}, {0, "2"}, {-2147483647 - 1, "2"}};
    for (const auto& [size, halfPoints] : cases) {
        ExportStyle style = testStyle();
        style.fontSize = size;
        std::ostringstream out;
        Lines none({}, {});
        RtfWriter::write(out, none, style);
        EXPECT_NE(std::string::npos, out.str().find(std::string("{\\f1\\fs") + halfPoints + "\\cf0\\cb1 "))
            << size << ": " << out.str();
    }
}

TEST(RtfExport, NavyIsWrittenWithBlue128)
{
    std::vector<uint32_t> table = RtfWriter::colourTable(testStyle());
    ASSERT_EQ(5u, table.size());
    EXPECT_EQ(0x800000u, table[2]);  // the blue component is the high byte
}

}  // namespace
}  // namespace quarry
