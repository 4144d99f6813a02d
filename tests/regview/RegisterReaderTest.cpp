// The description file reader over hand-made files: every column rule, line ends, limits and
// the lines it must leave out (with the line and register each warning names).
#include "RegisterDump.h"

#include "regview/RegisterDescription.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace quarry {
namespace {

std::string join(const std::vector<std::string>& lines, const std::string& end = "\n")
{
    std::string text;
    for (const auto& line : lines)
        text += line + end;
    return text;
}

struct ReaderCase {
    const char* name;
    std::string file;
    std::string title;
    std::string registers;
    std::vector<std::pair<int, int>> warnings;  // line, register index
};

std::string fields(int count)
{
    std::string text = "L*00000000 MANY\n";
    for (int i = 0; i < count; ++i)
        text += " B" + std::string(1, "0123456789ABCDEFGHIJKLMNOPQRSTUV"[i % 32]) + " f" + std::to_string(i) + "\n";
    return text;
}

std::string fieldDump(int count)
{
    std::string text = "L 00000000 MANY";
    for (int i = 0; i < count; ++i) {
        text += " {" + std::string(i < 10 ? "0" : "") + std::to_string(i) + " B f" + std::to_string(i) + "}";
    }
    return text + "\n";
}

TEST(RegisterReader, ColumnRules)
{
    const std::string longText(300, 'x');
    const std::vector<ReaderCase> cases = {
        {"empty file", "", "", "", {}},
        {"title only", "Block title", "Block title", "", {}},
        {"title cut at 120", std::string(130, 'T') + "\n", std::string(120, 'T'), "", {}},
        {"size codes and relocation",
         join({"t", "B*00000010 BR byte", "W 00000020 WR word", "L 00000030 LR long", "X 00000040 XR comment"}), "t",
         "B 00000010 BR byte {07-00 B Unspecified}\nWr 00000020 WR word {15-00 B Unspecified}\n"
         "Lr 00000030 LR long {31-00 B Unspecified}\nX 00000040 XR comment {31-00 B Unspecified}\n",
         {}},
        {"address in any case, text from column 11", join({"t", "L*fffff1e4Name rest  "}), "t",
         "L FFFFF1E4Name rest {31-00 B Unspecified}\n", {}},
        {"address not hexadecimal or short", join({"t", "B*0000G000 BAD", "B*12"}), "t",
         "B! 0000G000 BAD {07-00 B Unspecified}\nB! 12 {07-00 B Unspecified}\n", {{2, 0}, {3, 1}}},
        {"unknown size code reads as comment only", join({"t", "Q*00000001 ODD", " B70Data"}), "t",
         "X 00000001 ODD {07-00 B Data}\n", {{2, 0}}},
        {"field bits, one-bit fields and access codes",
         join({"t", "L*00000000 R", " BVGtop half", " R3 one bit", " W0xlow digit not a digit", " ?21other",
               " B7 desc  padded  "}),
         "t", "L 00000000 R {31-16 B top half} {03 R one bit} {00 W low digit not a digit} {02-01 ? other} {07 B desc  padded}\n",
         {}},
        {"field line kept to 50, description to 31",
         join({"t", "B*00000000 R", " B7 " + std::string(20, 'a') + std::string(40, 'b')}), "t",
         "B 00000000 R {07 B " + std::string(20, 'a') + std::string(11, 'b') + "}\n", {}},
        {"fields outside the register or upside down, with their value lines",
         join({"t", "B*00000000 R", " B8 too high", "  0001 gone", " B35upside down", "  0001 gone too", " Bz bad",
               " B10kept", "  0001 one"}),
         "t", "B 00000000 R {01-00 B kept | 1 one}\n", {{3, 0}, {5, 0}, {7, 0}}},
        {"33 fields: the 33rd is left out", "t\n" + fields(33), "t", fieldDump(32), {{35, 0}}},
        {"value widths and meanings",
         join({"t", "L*00000000 R", " BV0all", "  0001 four wide", "  12345678 eight wide", "  0A", "  1    x", "  00000002"}),
         "t", "L 00000000 R {31-00 B all | 1 four wide | 305419896 eight wide | 10  | 1 x | 2 }\n", {}},
        {"display rules and unselectable lines",
         join({"t", "W*00000000 R", " BF0rules", "  =084 Shifted", "  = 12 Blank shift", "  =329 Bad numbers",
               "  N000 Counted", "  *--- Decimal"}),
         "t",
         "W 00000000 R {15-00 B rules | <<8/4 Shifted | <<1/2 Blank shift | dec Bad numbers | Ndec Counted | dec "
         "Decimal}\n",
         {}},
        {"a value wider than its field is kept and reported", join({"t", "B*00000000 R", " B10two", "  0007 seven"}),
         "t", "B 00000000 R {01-00 B two | 7 seven}\n", {{4, 0}}},
        {"field lines before the first register, value lines before the first field",
         join({"t", " B7 field", "  0001 value", "B*00000000 R", "  0001 orphan"}), "t",
         "B 00000000 R {07-00 B Unspecified}\n", {{2, -1}, {5, 0}}},
        {"CR LF, CR alone, blank lines and a byte-order mark",
         "\xEF\xBB\xBFtitle\r\nB*00000000 R\r\r\n   \t\n B7 a\r  0001 on\n", "title",
         "B 00000000 R {07 B a | 1 on}\n", {}},
        {"lines cut at 255", join({"t", "B*00000000 R" + longText}), "t",
         "B 00000000 R" + std::string(RegisterDefinition::kLineLength - 12, 'x') + " {07-00 B Unspecified}\n",
         {{2, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto d = RegisterDescription::Parse(c.file);
        EXPECT_EQ(c.title, d.title);
        EXPECT_EQ(c.title, RegisterDescription::ReadTitle(c.file));
        EXPECT_EQ(c.registers, test::dump(d));
        std::vector<std::pair<int, int>> warnings;
        for (const auto& w : d.warnings)
            warnings.emplace_back(w.line, w.registerIndex);
        EXPECT_EQ(c.warnings, warnings);
    }
}

TEST(RegisterReader, NamesRelocationAndFieldTexts)
{
    auto d = RegisterDescription::Parse(join({"t", "B 00000140 UMR1 mode", "W*00001000  PORTA x", "X 00000010 BUF",
                                              "B 0000014C", " B76CM     channel mode  " + std::string(30, '.')}));
    ASSERT_EQ(4u, d.registers.size());
    d.Relocate(0x0000FFFF, 0x10000000);
    const std::vector<std::pair<std::string, std::uint32_t>> expected = {
        {"UMR1", 0x10000140}, {"PORTA", 0x1000}, {"BUF", 0x10}, {"", 0x1000014C}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].first, d.registers[i].Name());
        EXPECT_EQ(expected[i].second, d.registers[i].address);
    }
    EXPECT_EQ("10000140 UMR1 mode", d.registers[0].Text());
    const auto& field = d.registers[3].fields[0];
    EXPECT_EQ(" CM     channel mode  ......... ", field.SettingsCaption());
    EXPECT_EQ(" B  Unspecified", d.registers[0].fields[0].line);
}

}  // namespace
}  // namespace quarry
