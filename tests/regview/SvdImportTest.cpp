// The device description importer over descriptions the tests write: every resolution rule and
// every kind of bad input, each checked by reading the register file it writes back with the
// register viewer's own reader (which must find nothing to warn about).
#include "RegisterDump.h"

#include "regview/SvdDimension.h"
#include "regview/SvdImport.h"
#include "regview/SvdNumber.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include <string>
#include <vector>

namespace quarry {
namespace {

std::string device(const std::string& peripherals, const std::string& defaults = "")
{
    return "<?xml version=\"1.0\"?>\n<device><name>DEV</name>" + defaults + "<peripherals>" + peripherals +
           "</peripherals></device>\n";
}

std::string peripheral(const std::string& name, const std::string& registers, const std::string& extra = "",
                       const std::string& attributes = "")
{
    return "<peripheral" + attributes + "><name>" + name + "</name><baseAddress>0x40000000</baseAddress>" + extra +
           "<registers>" + registers + "</registers></peripheral>";
}

std::string reg(const std::string& name, const std::string& offset, const std::string& fields = "",
                const std::string& extra = "", const std::string& attributes = "")
{
    return "<register" + attributes + "><name>" + name + "</name><addressOffset>" + offset + "</addressOffset>" + extra +
           (fields.empty() ? "" : "<fields>" + fields + "</fields>") + "</register>";
}

std::string field(const std::string& name, const std::string& place, const std::string& extra = "")
{
    return "<field><name>" + name + "</name>" + place + extra + "</field>";
}

std::string bits(int msb, int lsb) { return "<bitRange>[" + std::to_string(msb) + ":" + std::to_string(lsb) + "]</bitRange>"; }

std::string values(const std::string& entries, const std::string& extra = "", const std::string& attributes = "")
{
    return "<enumeratedValues" + attributes + ">" + extra + entries + "</enumeratedValues>";
}

std::string value(const std::string& name, const std::string& number, const std::string& description = "")
{
    return "<enumeratedValue><name>" + name + "</name><description>" + description + "</description>" +
           (number.empty() ? "<isDefault>true</isDefault>" : "<value>" + number + "</value>") + "</enumeratedValue>";
}

struct ImportCase {
    const char* name;
    std::string svd;
    std::string peripheral;  // the one converted
    std::string registers;   // what the register viewer reads from the file written
    std::vector<std::string> warnings;
};

}  // namespace

void PrintTo(const SvdWarning& w, std::ostream* out) { *out << w.line << ": " << w.text; }

namespace {

std::vector<std::string> texts(const std::vector<SvdWarning>& warnings)
{
    std::vector<std::string> result;
    for (const auto& w : warnings)
        result.push_back(w.text);
    return result;
}

TEST(SvdImport, ResolutionRules)
{
    const std::string enBit = field("EN", bits(0, 0));
    const std::vector<ImportCase> cases = {
        {"device defaults reach peripherals, registers and fields; each level may override",
         device(peripheral("P", reg("A", "0", enBit) + reg("B", "2", enBit, "<size>8</size><access>read-write</access>"),
                           "<size>16</size>"),
                "<size>32</size><access>read-only</access><resetValue>0</resetValue>"),
         "P", "W 40000000 A {00 R EN}\nB 40000002 B {00 B EN}\n", {}},
        {"access codes, the field's own or the register's",
         device(peripheral("P", reg("A", "0",
                                    field("RW", bits(4, 4), "<access>read-write</access>") +
                                        field("RO", bits(3, 3), "<access>read-only</access>") +
                                        field("WO", bits(2, 2), "<access>write-only</access>") +
                                        field("W1", bits(1, 1), "<access>writeOnce</access>") +
                                        field("RW1", bits(0, 0), "<access>read-writeOnce</access>") +
                                        field("REG", bits(5, 5)),
                                    "<access>write-only</access>"))),
         "P", "L 40000000 A {05 W REG} {04 B RW} {03 R RO} {02 W WO} {01 W W1} {00 B RW1}\n", {}},
        {"size codes: 8 B, 16 W, 32 L, others X",
         device(peripheral("P", reg("S8", "0", "", "<size>8</size>") + reg("S16", "4", "", "<size>16</size>") +
                                    reg("S32", "8") + reg("S24", "0xC", "", "<size>24</size>"))),
         "P",
         "B 40000000 S8 {07-00 B Unspecified}\nW 40000004 S16 {15-00 B Unspecified}\n"
         "L 40000008 S32 {31-00 B Unspecified}\nX 4000000C S24 {31-00 B Unspecified}\n",
         {}},
        {"field places: bitOffset and bitWidth, lsb and msb, bitRange; bitWidth 1 when left out",
         device(peripheral("P", reg("A", "0",
                                    field("OW", "<bitOffset>4</bitOffset><bitWidth>3</bitWidth>") +
                                        field("LM", "<lsb>8</lsb><msb>15</msb>") + field("BR", bits(31, 16)) +
                                        field("O1", "<bitOffset>0</bitOffset>")))),
         "P", "L 40000000 A {31-16 B BR} {15-08 B LM} {06-04 B OW} {00 B O1}\n", {}},
        {"a derived peripheral takes the registers at its own base address and adds its own",
         device(peripheral("T0", reg("CR", "0", enBit), "<description>Timer</description>") +
                "<peripheral derivedFrom=\"T0\"><name>T1</name><baseAddress>0x40000100</baseAddress>"
                "<registers>" + reg("EXTRA", "8") + "</registers></peripheral>"),
         "T1", "L 40000100 CR {00 B EN}\nL 40000108 EXTRA {31-00 B Unspecified}\n", {}},
        {"derived registers, near and by full path, override what they say",
         device(peripheral("P", reg("A", "0", enBit, "<description>first</description>") +
                                    reg("B", "4", "", "<description>second</description>", " derivedFrom=\"A\"") +
                                    reg("C", "8", "", "", " derivedFrom=\"P.A\""))),
         "P", "L 40000000 A first {00 B EN}\nL 40000004 B second {00 B EN}\nL 40000008 C first {00 B EN}\n", {}},
        {"derived fields and enumerated values, by name within the register and by path",
         device(peripheral("P", reg("A", "0",
                                    field("X", bits(1, 0), values(value("ZERO", "0") + value("ONE", "1"), "<name>XV</name>")) +
                                        "<field derivedFrom=\"X\"><name>Y</name>" + bits(3, 2) + "</field>" +
                                        field("Z", bits(5, 4), values("", "", " derivedFrom=\"XV\"")) +
                                        field("W", bits(7, 6), values("", "", " derivedFrom=\"P.A.X.XV\""))))),
         "P", "L 40000000 A {07-06 B W | 0 ZERO | 1 ONE} {05-04 B Z | 0 ZERO | 1 ONE} {03-02 B Y | 0 ZERO | 1 ONE} {01-00 B X | 0 ZERO | 1 ONE}\n",
         {}},
        {"arrays: numbered, listed, ranges of numbers and letters; %s in names and descriptions",
         device(peripheral("P", reg("N%s", "0", "", "<dim>2</dim><dimIncrement>4</dimIncrement><description>n %s</description>") +
                                    reg("L_%s", "0x10", "", "<dim>2</dim><dimIncrement>4</dimIncrement><dimIndex>lo, hi</dimIndex>") +
                                    reg("R%s", "0x20", "", "<dim>2</dim><dimIncrement>4</dimIncrement><dimIndex>3-4</dimIndex>") +
                                    reg("G%s", "0x30", "", "<dim>2</dim><dimIncrement>0x10</dimIncrement><dimIndex>A-B</dimIndex>") +
                                    reg("ARR[%s]", "0x60", "", "<dim>2</dim><dimIncrement>4</dimIncrement>"))),
         "P",
         "L 40000000 N0 n 0 {31-00 B Unspecified}\nL 40000004 N1 n 1 {31-00 B Unspecified}\n"
         "L 40000010 L_lo {31-00 B Unspecified}\nL 40000014 L_hi {31-00 B Unspecified}\n"
         "L 40000020 R3 {31-00 B Unspecified}\nL 40000024 R4 {31-00 B Unspecified}\n"
         "L 40000030 GA {31-00 B Unspecified}\nL 40000040 GB {31-00 B Unspecified}\n"
         "L 40000060 ARR[0] {31-00 B Unspecified}\nL 40000064 ARR[1] {31-00 B Unspecified}\n",
         {}},
        {"field arrays step in bits",
         device(peripheral("P", reg("A", "0", field("PIN%s", bits(1, 0), "<dim>3</dim><dimIncrement>2</dimIncrement>")))),
         "P", "L 40000000 A {05-04 B PIN2} {03-02 B PIN1} {01-00 B PIN0}\n", {}},
        {"clusters flatten into names and offsets, nested and as arrays; registers come in address order",
         device(peripheral("P", reg("LAST", "0x100") +
                                    "<cluster><name>CH%s</name><dim>2</dim><dimIncrement>0x20</dimIncrement>"
                                    "<addressOffset>0x40</addressOffset><size>16</size>" + reg("CR", "0") +
                                    "<cluster><name>SUB</name><addressOffset>8</addressOffset>" + reg("D", "2") +
                                    "</cluster></cluster>")),
         "P",
         "W 40000040 CH0.CR {15-00 B Unspecified}\nW 4000004A CH0.SUB.D {15-00 B Unspecified}\n"
         "W 40000060 CH1.CR {15-00 B Unspecified}\nW 4000006A CH1.SUB.D {15-00 B Unspecified}\n"
         "L 40000100 LAST {31-00 B Unspecified}\n",
         {}},
        {"prependToName and appendToName",
         device(peripheral("P", reg("CR", "0"), "<prependToName>P_</prependToName><appendToName>_x</appendToName>")),
         "P", "L 40000000 P_CR_x {31-00 B Unspecified}\n", {}},
        {"descriptions fold runs of blanks and line breaks",
         device(peripheral("P", reg("A", "0", field("F", bits(0, 0), "<description>\n  two\t\twords\n</description>"),
                                    "<description>line\r\none   and\n\n two </description>"))),
         "P", "L 40000000 A line one and two {00 B F two words}\n", {}},
        {"enumerated values: write usage before read, decimal, hexadecimal and binary, don't-care bits, default last",
         device(peripheral("P", reg("A", "0",
                                    field("F", bits(3, 0),
                                          values(value("R", "0"), "<usage>read</usage>") +
                                              values(value("DEF", "", "other") + value("TEN", "10") + value("HEX", "0xF") +
                                                         value("BIN", "#0011") + value("DC", "0b01x0"),
                                                     "<usage>write</usage>"))))),
         "P", "L 40000000 A {03-00 B F | 10 TEN | 15 HEX | 3 BIN | 6 DC | 4 DC | <<0/1 DEF: other}\n", {}},
        {"a read-only field keeps its read values",
         device(peripheral("P", reg("A", "0", field("F", bits(0, 0), "<access>read-only</access>" +
                                                                       values(value("IDLE", "0", "not busy"), "<usage>read</usage>"))))),
         "P", "L 40000000 A {00 R F | 0 IDLE: not busy}\n", {}},
        {"registers without a size anywhere are 32 bits, values past 16 bits get 8 digits",
         device(peripheral("P", reg("A", "0", field("F", bits(31, 0), values(value("BIG", "0x12345678")))))),
         "P", "L 40000000 A {31-00 B F | 305419896 BIG}\n", {}},
        // Bad input: a warning each, the rest imported.
        {"derivedFrom in a cycle or naming nothing",
         device(peripheral("P", reg("A", "0", enBit, "", " derivedFrom=\"B\"") + reg("B", "4", "", "", " derivedFrom=\"A\"") +
                                    reg("C", "8", "", "", " derivedFrom=\"NONE\""))),
         "P", "L 40000000 A {00 B EN}\nL 40000004 B {00 B EN}\nL 40000008 C {31-00 B Unspecified}\n",
         {"register B derives from \"A\", which derives from it again; the cycle is cut there",
          "register A derives from \"B\", which derives from it again; the cycle is cut there",
          "register C derives from \"NONE\", which is not there; read without it"}},
        {"a dim of 100,000 and a dimIndex of the wrong count",
         device(peripheral("P", reg("HUGE%s", "0", "", "<dim>100000</dim><dimIncrement>4</dimIncrement>") +
                                    reg("W%s", "4", "", "<dim>2</dim><dimIncrement>4</dimIncrement><dimIndex>A,B,C</dimIndex>"))),
         "P", "L 40000004 W0 {31-00 B Unspecified}\nL 40000008 W1 {31-00 B Unspecified}\n",
         {"register HUGE%s: dim 100000 is not 1 to 8192; left out",
          "register W%s: dimIndex \"A,B,C\" does not give 2 indices; numbered from 0"}},
        {"fields outside the register, upside down, overlapping or placed nowhere",
         device(peripheral("P", reg("A", "0",
                                    field("OUT", bits(9, 8)) + field("LOW", "<lsb>3</lsb><msb>1</msb>") +
                                        field("X", bits(3, 0)) + field("Y", bits(4, 3)) + field("NONE", ""),
                                    "<size>8</size>"))),
         "P", "B 40000000 A {04-03 B Y} {03-00 B X}\n",
         {"field NONE has no bit position (bitOffset and bitWidth, lsb and msb, or bitRange); left out",
          "field OUT (bits 9:8) of register A lies outside the 8-bit register; left out",
          "field LOW (bits 1:3) of register A: msb is below lsb; left out",
          "field Y (bits 4:3) of register A overlaps field X"}},
        {"64-bit registers: fields beyond bit 31 are left out",
         device(peripheral("P", reg("A", "0", field("HI", bits(63, 32)) + field("LO", bits(31, 0)), "<size>64</size>"))),
         "P", "X 40000000 A {31-00 B LO}\n",
         {"field HI of register A lies beyond bit 31, which a register file cannot hold; left out"}},
        {"addresses past 32 bits, numbers that are none, unknown access and elements",
         device(peripheral("P", reg("FAR", "0xC0000000") + reg("A", "zz", "", "<access>sometimes</access><colour>red</colour>") +
                                    reg("B", "4", "", "<colour>blue</colour>"),
                           "", "")),
         "P", "L 40000000 A {31-00 B Unspecified}\nL 40000004 B {31-00 B Unspecified}\n",
         {"access \"sometimes\" of register A is not read-only, write-only, read-write, writeOnce or read-writeOnce; "
          "the inherited access is used",
          "<addressOffset> \"zz\" of register A is not a number; ignored",
          "unknown element <colour> in <register> (2 times); ignored",
          "register FAR: the address 0x0000000100000000 is past 32 bits; left out"}},
        {"enumerated values that do not fit, are no numbers or stand for too many",
         device(peripheral("P", reg("A", "0",
                                    field("F", bits(1, 0),
                                          values(value("BIG", "4") + value("NAN", "two") + value("OK", "1"))) +
                                        field("G", bits(7, 2), values(value("MANY", "#xxxxx0")))))),
         "P", "L 40000000 A {07-02 B G} {01-00 B F | 1 OK}\n",
         {"enumerated value BIG: value \"4\" does not fit the 2-bit field; left out",
          "enumerated value NAN: value \"two\" is not a number; left out",
          "enumerated value MANY: \"#xxxxx0\" stands for more than 16 values; left out"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SvdImport import;
        ASSERT_TRUE(import.Open(c.svd)) << import.Error();
        std::size_t index = 0;
        while (index < import.Peripherals().size() && import.Peripherals()[index].name != c.peripheral)
            ++index;
        ASSERT_LT(index, import.Peripherals().size());
        const auto file = import.Convert(index);
        const auto read = RegisterDescription::Parse(file.text);
        EXPECT_EQ(c.registers, test::dump(read));
        EXPECT_TRUE(read.warnings.empty()) << read.warnings.front().text;
        EXPECT_EQ(read.registers.size(), static_cast<std::size_t>(file.registers));
        EXPECT_EQ(c.warnings, texts(file.warnings));
    }
}

struct DocumentCase {
    const char* name;
    std::string bytes;
    std::string error;                    // empty when the bytes open
    std::vector<std::string> peripherals;  // name and file name
    std::vector<SvdWarning> warnings;
};

TEST(SvdImport, DocumentsThatAreNoneOrBreakOff)
{
    const std::string two = peripheral("A", reg("R", "0")) + "\n" + peripheral("B", reg("R", "0"));
    const std::string whole = device(two);
    const std::vector<DocumentCase> cases = {
        {"empty", "", "not an SVD file: no XML element in it", {}, {}},
        {"not XML", "PK\x03\x04 binary", "not an SVD file: no XML element in it", {}, {}},
        {"another kind of XML", "<?xml version=\"1.0\"?>\n<project><name>x</name></project>",
         "not an SVD file: its first element is <project>, not <device>", {}, {}},
        {"broken inside its first tag", "\n<device\n", "", {}, {{2, "XML error: Error parsing start element tag; what follows it is left out"}}},
        {"broken at once", "\n\n<device><name>D</", "", {}, {{3, "XML error: Start-end tags mismatch; what follows it is left out"}}},
        {"broken in the second peripheral: the first is imported",
         whole.substr(0, whole.find("<name>B</name>") + 8), "", {"A A.reg"},
         {{3, "XML error: Start-end tags mismatch; what follows it is left out"}}},
        {"junk after the device changes nothing", whole + "<junk", "", {"A A.reg", "B B.reg"}, {}},
        {"peripheral arrays, names made file names, doubles numbered",
         device("<peripheral><name>U%s</name><dim>2</dim><dimIncrement>0x100</dimIncrement><baseAddress>0</baseAddress>"
                "</peripheral>" + peripheral("a/b", "") + peripheral("A_B", "")),
         "", {"U0 U0.reg", "U1 U1.reg", "a/b a_b.reg", "A_B A_B_2.reg"},
         {{2, "a second peripheral A_B is written to A_B_2.reg"}}},
        {"unknown device elements and a peripheral without a base address",
         "<device><name>D</name><gadget/>\n<peripherals><peripheral><name>P</name></peripheral></peripherals></device>",
         "", {"P P.reg"},
         {{2, "peripheral P has no baseAddress; 0 is taken"}, {1, "unknown element <gadget> in <device>; ignored"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SvdImport import;
        EXPECT_EQ(c.error.empty(), import.Open(c.bytes));
        EXPECT_EQ(c.error, import.Error().substr(0, c.error.size()));
        std::vector<std::string> peripherals;
        for (const auto& entry : import.Peripherals())
            peripherals.push_back(entry.name + " " + entry.fileName);
        EXPECT_EQ(c.peripherals, peripherals);
        EXPECT_EQ(c.warnings, import.DeviceWarnings());
    }
}

TEST(SvdImport, NumbersAndArrayIndices)
{
    const std::vector<std::pair<const char*, std::optional<std::uint64_t>>> numbers = {
        {"42", 42}, {" +0x2A ", 42}, {"0X2a", 42}, {"#101010", 42}, {"4k", 4096}, {"2M", 2 << 20},
        {"0xFFFFFFFFFFFFFFFF", ~std::uint64_t(0)}, {"18446744073709551616", std::nullopt}, {"0x1T", 1ull << 40},
        {"0xFFFFFFFFFFFFFFFFk", std::nullopt}, {"", std::nullopt}, {"0x", std::nullopt}, {"-1", std::nullopt},
        {"1.5", std::nullopt}, {"#102", std::nullopt}};
    for (const auto& [text, expected] : numbers)
        EXPECT_EQ(expected, parseSvdNumber(text)) << text;

    const std::vector<std::tuple<std::uint64_t, std::optional<std::string_view>, std::string>> arrays = {
        {3, std::nullopt, "0 1 2"}, {2, "A,B", "A B"}, {3, "x, y ,z", "x y z"}, {2, "7-8", "7 8"},
        {3, "b-d", "b c d"}, {1, "ONLY", "ONLY"}, {2, "A-Z", "0 1 !"}, {0, std::nullopt, "!"}, {8193, std::nullopt, "!"}};
    for (const auto& [dim, index, expected] : arrays) {
        const auto dimension = SvdDimension::Make(dim, index);
        std::string got;
        for (const auto& i : dimension.Indices())
            got += (got.empty() ? "" : " ") + i;
        if (!dimension.Problem().empty())
            got += got.empty() ? "!" : " !";
        EXPECT_EQ(expected, got) << dim;
    }
}

}  // namespace
}  // namespace quarry
