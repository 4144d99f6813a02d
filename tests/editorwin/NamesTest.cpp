// Names the editor windows make: "NONAME" numbers, backup names, the parser a name asks for,
// the line ends a file is written with.
#include "editorwin/BackupNames.h"
#include "editorwin/LineEndStyle.h"
#include "editorwin/NonameNumbers.h"
#include "editorwin/ParserChoice.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace quarry {
namespace {

TEST(NonameNumbersTest, NewFilesTakeTheLowestFreeNumberAgainAfterAClose)
{
    NonameNumbers numbers;
    EXPECT_EQ(1, numbers.Allocate());
    EXPECT_EQ(2, numbers.Allocate());
    EXPECT_EQ(3, numbers.Allocate());
    numbers.Release(2);
    EXPECT_FALSE(numbers.InUse(2));
    EXPECT_EQ(2, numbers.Allocate());
    EXPECT_EQ(4, numbers.Allocate());
}

TEST(NonameNumbersTest, WhenAll255AreTakenNumberOneIsUsedAgainAndTheSetStays)
{
    NonameNumbers numbers;
    for (int n = 1; n <= 255; ++n)
        ASSERT_EQ(n, numbers.Allocate());
    EXPECT_EQ(1, numbers.Allocate());
    numbers.Release(1);
    EXPECT_FALSE(numbers.InUse(1));  // one release frees it although it was handed out twice
    EXPECT_TRUE(numbers.InUse(255));
    EXPECT_EQ(1, numbers.Allocate());
}

TEST(NonameNumbersTest, ReleasingNumbersOutsideTheSetIsIgnored)
{
    NonameNumbers numbers;
    numbers.Allocate();
    numbers.Release(-1);
    numbers.Release(256);
    numbers.Release(1000);
    EXPECT_TRUE(numbers.InUse(1));
    EXPECT_EQ(2, numbers.Allocate());
}

TEST(NonameNumbersTest, NumberOfACaption)
{
    const struct {
        const char* caption;
        std::optional<int> number;
    } cases[] = {
        {"NONAME1", 1},  {"NONAME255", 255}, {"NONAME0", 0},   {"NONAME300", 300}, {"NONAME", std::nullopt},
        {"NONAME2x", std::nullopt}, {"noname3", std::nullopt}, {"/src/NONAME4", std::nullopt},
        {"NONAME-1", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.number, NonameNumbers::NumberOf(c.caption)) << c.caption;
    EXPECT_EQ("NONAME12", NonameNumbers::NameFor(12));
}

TEST(BackupNamesTest, BackupExtensionDropsTheFourthCharacterAndTheDot)
{
    const struct {
        const char* file;
        const char* backup;
    } cases[] = {
        {"/src/prog.asm", "/src/prog.~as"}, {"/src/main.c", "/src/main.~c"},
        {"/src/notes.txt", "/src/notes.~tx"}, {"/src/page.html", "/src/page.~htl"},
        {"/src/notes", "/src/notes.~"},     {"/src/notes.", "/src/notes.~"},
        {"/src/a.b/notes", "/src/a.b/notes.~"}, {"/src/x.tar.gz", "/src/x.tar.~gz"},
        {"/src/deep.abcdef", "/src/deep.~abdef"}, {"/src/p.~as", "/src/p.~~a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.backup, backup::fileNameFor(c.file)) << c.file;
}

TEST(ParserChoiceTest, FilterTextsSplitIntoWords)
{
    using Words = std::vector<std::string>;
    EXPECT_EQ((Words{"asm", "s"}), parserchoice::filterWords("*.asm;*.s"));
    EXPECT_EQ((Words{"C", "Files", "(", "c)", "c", "h"}), parserchoice::filterWords("C Files (*.c)|*.c,*.h"));
    EXPECT_EQ((Words{"a", "b", "c", "d", "e"}), parserchoice::filterWords("a:b?c\\d||e"));
    EXPECT_EQ(Words{}, parserchoice::filterWords(" *. ;"));
}

TEST(ParserChoiceTest, TheLastParserNamingTheExtensionWinsElseTheDefaultSyntax)
{
    // Six parsers as the repository has them: assembly, Pascal, C, Java, HTML, plain text.
    const std::vector<std::string> filters = {"*.asm;*.s;*.inc", "*.pas", "*.c;*.h", "*.java", "*.htm;*.html",
                                              "*.txt;*.INC"};
    const struct {
        const char* file;
        int defaultSyntax;
        int slot;
    } cases[] = {
        {"/src/prog.asm", 6, 1},   {"/src/PROG.ASM", 6, 1},     {"/src/main.c", 6, 3},
        {"/src/page.html", 0, 5},  {"/src/table.inc", 6, 6},     // both claim .inc: the later one
        {"/src/readme", 3, 3},     {"/src/unknown.xyz", 2, 2},   {"/src/unknown.xyz", 7, 0},  // 7 mod 7
        {"/src/unknown.xyz", 13, 6}, {"/src/unknown.xyz", -1, 6}, {"/src/a.b/Makefile", 4, 4},
        {"/src/name.", 1, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.slot, parserchoice::chooseSlot(c.file, filters, c.defaultSyntax))
            << c.file << " default " << c.defaultSyntax;
}

TEST(ParserChoiceTest, WithoutParsersOnlySlotZeroRemains)
{
    EXPECT_EQ(0, parserchoice::chooseSlot("/src/prog.asm", {}, 6));
}

TEST(LineEndStyleTest, TheFirstLineBreakDecides)
{
    const struct {
        std::string bytes;
        LineEndStyle style;
    } cases[] = {
        {"a\r\nb\nc", LineEndStyle::CrLf}, {"a\nb\r\n", LineEndStyle::Lf}, {"a\rb\nc", LineEndStyle::Cr},
        {"no break", LineEndStyle::CrLf},  {"", LineEndStyle::CrLf},        {"ends in\r", LineEndStyle::CrLf},
        {"\n", LineEndStyle::Lf},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.style, detectLineEnds(c.bytes, LineEndStyle::CrLf)) << c.bytes;
}

}  // namespace
}  // namespace quarry
