// Composing a register value field by field, and every text the register window shows of it.
#include "regview/FieldAccess.h"
#include "regview/RegisterCode.h"
#include "regview/RegisterDescription.h"
#include "regview/RegisterTexts.h"
#include "regview/RegisterValue.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

const RegisterDefinition& onlyRegister(const RegisterDescription& d)
{
    EXPECT_EQ(1u, d.registers.size());
    return d.registers.at(0);
}

BitField field(int high, int low, std::vector<std::string> valueLines = {})
{
    BitField f;
    f.high = high;
    f.low = low;
    f.access = 'B';
    f.line = " B  Field";
    for (const auto& line : valueLines)
        f.values.push_back(FieldValueLine::Parse(line));
    return f;
}

enum class Op { Set, Step, Digit };

struct FieldCase {
    const char* name;
    const char* file;  // one register
    std::uint32_t start;
    int field;
    std::vector<std::pair<Op, int>> ops;
    std::uint32_t value;
    bool changes;  // what the last operation answered
};

TEST(RegisterValue, FieldArithmeticWrapsToTheFieldAndReadOnlyRefuses)
{
    const char* byte = "t\nB*00000000 R\n B74high\n R3 read only\n W20low\n";
    const char* longReg = "t\nL*00000000 R\n BV0all\n";
    const std::vector<FieldCase> cases = {
        {"Left on 0 gives all ones", byte, 0x00, 0, {{Op::Step, -1}}, 0xF0, true},
        {"Right past all ones wraps to 0", byte, 0xF5, 0, {{Op::Step, 1}}, 0x05, true},
        {"setting keeps the other bits", byte, 0x0F, 0, {{Op::Set, 5}}, 0x5F, true},
        {"setting masks to the width", byte, 0x00, 2, {{Op::Set, 0x1D}}, 0x05, true},
        {"digits shift in", byte, 0x00, 0, {{Op::Digit, 1}}, 0x10, true},
        {"1 then 2 on a 4-bit field leaves 2", byte, 0x00, 0, {{Op::Digit, 1}, {Op::Digit, 2}}, 0x20, true},
        {"1 then 7 on a 3-bit field leaves 7", byte, 0x00, 2, {{Op::Digit, 1}, {Op::Digit, 7}}, 0x07, true},
        {"read-only refuses a step", byte, 0x08, 1, {{Op::Step, 1}}, 0x08, false},
        {"read-only refuses a digit", byte, 0x00, 1, {{Op::Digit, 1}}, 0x00, false},
        {"read-only refuses a value", byte, 0x00, 1, {{Op::Set, 1}}, 0x00, false},
        {"Left on a 32-bit 0", longReg, 0, 0, {{Op::Step, -1}}, 0xFFFFFFFF, true},
        {"a ninth digit pushes the first out", longReg, 0x12345678, 0, {{Op::Digit, 9}}, 0x23456789, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto d = RegisterDescription::Parse(c.file);
        RegisterValue value(onlyRegister(d));
        value.SetValue(c.start);
        bool answer = false;
        for (const auto& [op, arg] : c.ops) {
            switch (op) {
            case Op::Set: answer = value.SetFieldValue(c.field, static_cast<std::uint32_t>(arg)); break;
            case Op::Step: answer = value.StepField(c.field, arg); break;
            case Op::Digit: answer = value.ShiftInDigit(c.field, arg); break;
            }
        }
        EXPECT_EQ(c.value, value.Value());
        EXPECT_EQ(c.changes, answer);
    }
}

TEST(RegisterTexts, RegisterValueText)
{
    const struct {
        std::uint32_t value;
        int bits;
        const char* text;
    } cases[] = {
        {0xA5, 8, "10100101  $A5  -037T"},
        {0x00, 8, "00000000  $00   000T"},
        {0x7FFF, 16, "0111111111111111  $7FFF   32767T"},
        {0x80000001, 32, "10000000000000000000000000000001  $80000001  -0000000001T"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, registerValueText(c.value, c.bits)) << c.value;
}

TEST(RegisterTexts, BitsValuesAndRows)
{
    const struct {
        int high, low;
        std::uint32_t value;
        const char* bits;
        const char* value_;
    } cases[] = {
        {7, 7, 1, "07", "%1      "},      {6, 0, 0x55, "06-00", "%1010101"},
        {7, 0, 0xA5, "07-00", "$A5     "},  {11, 0, 0xABC, "11-00", "$ABC    "},
        {27, 0, 0xFFFFFFF, "27-00", "$FFFFFFF"}, {28, 0, 0x1FFFFFFF, "28-00", "1FFFFFFF"},
        {31, 16, 0xBEEF, "31-16", "$BEEF   "}, {31, 0, 0xDEADBEEF, "31-00", "DEADBEEF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits);
        EXPECT_EQ(c.bits, bitsText(field(c.high, c.low)));
        EXPECT_EQ(c.value_, fieldValueText(field(c.high, c.low), c.value));
    }
    auto f = field(7, 4, {"  0005 Five"});
    f.line = " B74  Mode select   ";
    EXPECT_EQ("07-04\tMode select\t%0101   \tFive", rowText(f, 5));
    f.line = " B74Mode\tselect";
    f.values = {FieldValueLine::Parse("  0005 Fi\tve")};
    EXPECT_EQ("07-04\tMode select\t%0101   \tFi ve", rowText(f, 5)) << "tabs from the file stay out of the columns";
}

TEST(RegisterTexts, MeaningIsTheFirstMatchingLineOrRule)
{
    const auto mixed = field(7, 0, {"  0000 Off", "  =002 Level", "  0002 Two"});
    const std::string longText(40, 'm');
    const struct {
        BitField f;
        std::uint32_t value;
        std::string meaning;
    } cases[] = {
        {mixed, 0, "Off"},
        {mixed, 2, "Level $02"},
        {field(7, 0), 9, "Unspecified Field"},
        {field(1, 0, {"  0000 Off", "  0001 On"}), 3, "Illegal Field Value"},
        {field(7, 0, {"  0001 " + longText}), 1, longText.substr(0, 30)},
        {field(15, 0, {"  #--- Count"}), 300, "Count 300"},
        {field(7, 0, {"  =084 Divider"}), 0x12, "Divider $1200"},
        {field(7, 0, {"  =041 Low digit"}), 0x1F, "Low digit $0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.meaning, c.f.Meaning(c.value)) << c.value;
}

TEST(RegisterTexts, AccessDisplayAndSelectionColours)
{
    const struct {
        char code;
        const char* text;
        SelectionColours colours;
    } cases[] = {
        {'B', "Read/Write", {0xFFFFFF, 0x800000}},
        {'R', "Read Only ", {0xFFFFFF, 0x808080}},
        {'W', "Write Only", {0xFFFFFF, 0x008000}},
        {'x', "          ", {0x800000, 0xFFFFFF}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.text, accessText(accessOf(c.code))) << c.code;
        EXPECT_EQ(c.colours, selectionColours(accessOf(c.code))) << c.code;
    }
}

TEST(RegisterCode, ValueDigitsFollowTheSizeAndXWritesTheCommentOnly)
{
    const struct {
        const char* line;
        std::uint32_t value;
        const char* code;
    } cases[] = {
        {"B 00000140 UMR1   mode  ", 0xA5, "$A5 ;00000140 UMR1   mode"},
        {"W*00000100 TMR1", 0x6303, "$6303 ;00000100 TMR1"},
        {"L*fffff000 BIG", 0xDEADBEEF, "$DEADBEEF ;FFFFF000 BIG"},
        {"X 0000014C URB buffer", 0x41, " ;0000014C URB buffer"},
    };
    for (const auto& c : cases) {
        const auto d = RegisterDescription::Parse(std::string("t\n") + c.line);
        EXPECT_EQ(c.code, registerCodeText(onlyRegister(d), c.value)) << c.line;
    }
    EXPECT_EQ("        $A5 ;x\r", insertedCodeLine("$A5 ;x"));
}

}  // namespace
}  // namespace quarry
