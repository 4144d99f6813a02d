#include "platform/ProfileFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

namespace quarry {
namespace {

using test::TempDir;

const char* const kSample =
    "; settings\r\n"
    "[Project]\r\n"
    "Name = C:\\work\\demo.ppf \r\n"
    "open=1\r\n"
    "\r\n"
    "[COMPILER]\r\n"
    "TYPE=GNU m68k-elf\r\n"
    "this line is garbage\r\n"
    "=no key\r\n"
    "OPTIONS=a=b\r\n"
    "NUM=  -42 \r\n"
    "HEX=0x1F\r\n"
    "BIG=99999999999\r\n"
    "WORD=12abc\r\n"
    "MAX=2147483647\r\n"
    "MIN=-2147483648\r\n"
    "OVER=2147483648\r\n"
    "UNDER=-2147483649\r\n"
    "NAME=first\r\n"
    "name=second\r\n"
    "[project]\r\n"
    "NAME=shadowed\r\n"
    "[broken\r\n"
    "LOST=1\r\n";

struct ReadCase {
    const char* section;
    const char* key;
    const char* expected;
};

// Lookups ignore case and blanks, the first of equal sections and keys wins, and garbage lines
// neither break reading nor become keys.
TEST(ProfileFile, ReadsStringsLikeTheSystemProfileFunctions)
{
    TempDir dir;
    ProfileFile file(dir.write("a.ini", kSample));
    const ReadCase cases[] = {
        {"PROJECT", "NAME", "C:\\work\\demo.ppf"},
        {"project", "name", "C:\\work\\demo.ppf"},
        {" Project ", " Open ", "1"},
        {"COMPILER", "TYPE", "GNU m68k-elf"},
        {"COMPILER", "OPTIONS", "a=b"},
        {"COMPILER", "NAME", "first"},
        {"COMPILER", "this line is garbage", "<default>"},
        {"COMPILER", "", "<default>"},
        {"COMPILER", "LOST", "<default>"},
        {"MISSING", "NAME", "<default>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, file.readString(c.section, c.key, "<default>")) << c.section << "/" << c.key;
}

TEST(ProfileFile, ReadsIntegersAndKeepsTheDefaultForBadNumbers)
{
    TempDir dir;
    ProfileFile file(dir.write("a.ini", kSample));
    const struct {
        const char* key;
        int expected;
    } cases[] = {
        {"NUM", -42}, {"HEX", 31}, {"BIG", 7}, {"WORD", 7}, {"TYPE", 7}, {"MISSING", 7},
        // exactly thirty-two bits
        {"MAX", 2147483647}, {"MIN", -2147483647 - 1}, {"OVER", 7}, {"UNDER", 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, file.readInteger("COMPILER", c.key, 7)) << c.key;
    EXPECT_TRUE(file.readBool("COMPILER", "NUM", false));
    EXPECT_FALSE(file.readBool("COMPILER", "WORD", false));
    EXPECT_TRUE(file.readBool("COMPILER", "WORD", true));
}

TEST(ProfileFile, MissingFileReadsAsDefaultsAndIsCreatedByFlush)
{
    TempDir dir;
    const auto path = dir.file("new.ini");
    ProfileFile file(path);
    EXPECT_EQ("d", file.readString("A", "B", "d"));
    EXPECT_TRUE(file.sectionNames().empty());
    file.flush();
    EXPECT_FALSE(std::filesystem::exists(path)) << "flushing an unchanged file must not create it";
    file.writeString("Sect", "Key", "v");
    file.flush();
    EXPECT_EQ("[Sect]\nKey=v\n", TempDir::read(path));
}

// New keys go to the end of their section (before blank lines), new sections to the end of the
// file, replaced keys keep their place and take the spelling given; unknown lines survive.
TEST(ProfileFile, WritesKeepLayoutAndUnknownLines)
{
    TempDir dir;
    const auto path = dir.write("a.ini", "; top\n[A]\nx=1\ngarbage\n\n[B]\ny=2\n");
    ProfileFile file(path);
    file.writeString("a", "NEW", "n");
    file.writeInteger("A", "X", 5);
    file.writeBool("C", "FLAG", true);
    file.writeBool("B", "OFF", false);
    file.flush();
    EXPECT_EQ("; top\n[A]\nX=5\ngarbage\nNEW=n\n\n[B]\ny=2\nOFF=0\n[C]\nFLAG=1\n", TempDir::read(path));
}

TEST(ProfileFile, KeepsTheFilesLineEnds)
{
    TempDir dir;
    const auto path = dir.write("a.ini", "[A]\r\nx=1\r\n");
    ProfileFile file(path);
    file.writeString("A", "y", "2");
    file.flush();
    EXPECT_EQ("[A]\r\nx=1\r\ny=2\r\n", TempDir::read(path));
}

TEST(ProfileFile, LineBreaksInValuesCannotInjectKeys)
{
    TempDir dir;
    const auto path = dir.file("a.ini");
    {
        ProfileFile file(path);
        file.writeString("A", "NAME", "x\r\n[EVIL]\nKEY=1");
        file.flush();
    }
    ProfileFile again(path);
    EXPECT_FALSE(again.sectionExists("EVIL"));
    EXPECT_EQ("x  [EVIL] KEY=1", again.readString("A", "NAME", ""));
}

TEST(ProfileFile, EraseSectionRemovesEveryCopyWithItsLines)
{
    TempDir dir;
    const auto path = dir.write("a.ini", "[A]\nk=1\n[E]\na=1\nb=2\n[B]\nk=2\n[e]\nc=3\n");
    ProfileFile file(path);
    file.eraseSection("E");
    file.eraseKey("B", "K");
    file.eraseKey("NONE", "K");
    EXPECT_FALSE(file.sectionExists("e"));
    EXPECT_EQ((std::vector<std::string>{"A", "B"}), file.sectionNames());
    EXPECT_TRUE(file.keyNames("B").empty());
    file.flush();
    EXPECT_EQ("[A]\nk=1\n[B]\n", TempDir::read(path));
}

TEST(ProfileFile, KeyNamesListTheFirstSectionInOrder)
{
    TempDir dir;
    ProfileFile file(dir.write("a.ini", kSample));
    EXPECT_EQ((std::vector<std::string>{"TYPE", "OPTIONS", "NUM", "HEX", "BIG", "WORD", "MAX", "MIN", "OVER", "UNDER",
                                        "NAME", "name"}),
              file.keyNames("compiler"));
    EXPECT_EQ((std::vector<std::string>{"Project", "COMPILER", "project"}), file.sectionNames());
}

TEST(ProfileFile, UnreadableFileThrows)
{
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "dir.ini");
    EXPECT_THROW(ProfileFile(dir.file("dir.ini")), ProfileFileError);
}

TEST(ProfileFile, FailedFlushThrowsAndKeepsTheChanges)
{
    TempDir dir;
    ProfileFile file(dir.file("no/such/dir/a.ini"));
    file.writeString("A", "B", "C");
    EXPECT_THROW(file.flush(), ProfileFileError);
    EXPECT_TRUE(file.modified());
    EXPECT_EQ("C", file.readString("A", "B", ""));
}

// Sections are found through an index that writes and erases keep up to date: after any mix of
// them every key reads as it does from the same file loaded afresh.
TEST(ProfileFile, ReadsAfterRandomChangesAgreeWithTheFileLoadedAfresh)
{
    TempDir dir;
    const auto path = dir.write("a.ini", "[A]\nk1=0\n\n[b]\nK2=0\n[A]\nk3=shadowed\n");
    ProfileFile file(path);
    const char* const sections[] = {"A", "b", "C", "dd"};
    const char* const keys[] = {"k1", "K2", "k3"};
    std::mt19937 rng(5);
    for (int round = 0; round < 40; ++round) {
        for (int op = 0; op < 25; ++op) {
            const char* section = sections[rng() % 4];
            const char* key = keys[rng() % 3];
            switch (rng() % 5) {
            case 0: file.eraseSection(section); break;
            case 1: file.eraseKey(section, key); break;
            default: file.writeString(section, key, std::to_string(rng() % 100)); break;
            }
        }
        file.writeString("A", "k1", std::to_string(round));  // always something to flush
        file.flush();
        const ProfileFile fresh(path);
        for (const char* section : sections)
            for (const char* key : keys)
                ASSERT_EQ(fresh.readString(section, key, "-"), file.readString(section, key, "-"))
                    << "round " << round << " [" << section << "] " << key;
    }
}

TEST(ProfileFile, SurvivesBinaryGarbageAndHugeLines)
{
    TempDir dir;
    std::string bytes("[A]\n\0\0\xff\xfe=\x01\n", 11);
    bytes += "LONG=" + std::string(100000, 'x') + "\n[B\n]]]\n==\nk=v";
    ProfileFile file(dir.write("a.ini", bytes));
    EXPECT_EQ(100000u, file.readString("A", "LONG", "").size());
    EXPECT_EQ("v", file.readString("A", "K", ""));
}

}  // namespace
}  // namespace quarry
