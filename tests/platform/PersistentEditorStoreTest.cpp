// The persistent editor store "quarry.dat": sections and lists, the hexadecimal settings lines,
// the rewrite, and files with odd sections, overlong lines and damaged settings lines.
#include "platform/PersistentEditorStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace quarry {
namespace {

using Lines = std::vector<std::string>;

Lines numbered(int count, const std::string& prefix = "line ")
{
    Lines lines;
    for (int i = 1; i <= count; ++i)
        lines.push_back(prefix + std::to_string(i));
    return lines;
}

TEST(PersistentEditorStore, AMissingFileGivesAnEmptyStoreThatWriteBackCreates)
{
    test::TempDir dir;
    PersistentEditorStore store(dir.file("quarry.dat"));
    EXPECT_TRUE(store.Lines().empty());
    EXPECT_TRUE(store.List(PersistentEditorStore::kMRU).empty());
    store.SetList(PersistentEditorStore::kMRU, {"/src/a.c", "/src/b.asm"});
    store.WriteBack();
    EXPECT_EQ("[MRU]\n/src/a.c\n/src/b.asm\n", test::TempDir::read(dir.file("quarry.dat")));
}

TEST(PersistentEditorStore, LanguageSectionsAreNamedInLowerCaseAndFoundInAnyCase)
{
    PersistentEditorStore store;
    store.SetFilters("ANSI C", {"*.c;*.h"});
    store.SetSettingsStream("Object Pascal", "\x01\xff");
    EXPECT_EQ((Lines{"[Filters: ansi c]", "*.c;*.h", "[UISettings: object pascal]", "01ff"}), store.Lines());
    EXPECT_EQ((Lines{"*.c;*.h"}), store.Filters("ansi C"));
    EXPECT_EQ((Lines{"*.c;*.h"}), store.Section("FILTERS: ANSI C"));
    EXPECT_EQ(std::string("\x01\xff"), store.SettingsStream("OBJECT PASCAL"));
    EXPECT_EQ(std::nullopt, store.SettingsStream("Java"));
}

TEST(PersistentEditorStore, ListsKeepAtMostTwentyLines)
{
    for (const char* section : {PersistentEditorStore::kMRU, PersistentEditorStore::kFindHistory,
                                PersistentEditorStore::kReplaceHistory, "Filters: java"}) {
        PersistentEditorStore store;
        store.SetList(section, numbered(25));
        EXPECT_EQ(numbered(20), store.List(section)) << section;
        EXPECT_EQ(21u, store.Lines().size()) << section;
    }
    // A longer list written by someone else is read up to its twentieth line.
    test::TempDir dir;
    Lines file{"[FindHistory]"};
    for (const std::string& l : numbered(30))
        file.push_back(l);
    std::string text;
    for (const std::string& l : file)
        text += l + "\n";
    PersistentEditorStore store(dir.write("quarry.dat", text));
    EXPECT_EQ(numbered(20), store.List("FindHistory"));
}

TEST(PersistentEditorStore, SettingsStreamsAreWrittenAs32ByteLowerCaseHexLines)
{
    struct Case {
        size_t bytes;
        std::vector<size_t> lineLengths;
    } cases[] = {{0, {}}, {1, {2}}, {32, {64}}, {33, {64, 2}}, {70, {64, 64, 12}}, {96, {64, 64, 64}}};
    for (const Case& c : cases) {
        std::string bytes;
        for (size_t i = 0; i < c.bytes; ++i)
            bytes += char(i * 37 + 200);
        PersistentEditorStore store;
        store.SetSettingsStream("Java", bytes);
        const Lines lines = store.Section("UISettings: java");
        std::vector<size_t> lengths;
        for (const std::string& line : lines) {
            lengths.push_back(line.size());
            EXPECT_EQ(std::string::npos, line.find_first_not_of("0123456789abcdef")) << line;
        }
        EXPECT_EQ(c.lineLengths, lengths) << c.bytes;
        EXPECT_EQ(bytes, store.SettingsStream("Java")) << c.bytes;
    }
    PersistentEditorStore store;
    store.SetSettingsStream("x", std::string("\x00\x0a\xab\x7f", 4));
    EXPECT_EQ((Lines{"000aab7f"}), store.Section("UISettings: x"));
}

TEST(PersistentEditorStore, ReplacingASectionKeepsEverythingAroundIt)
{
    test::TempDir dir;
    const std::string path = dir.write("quarry.dat",
                                       "[MRU]\r\n/a.c\r\n[Someone Else]\r\nkeep=me\r\n[FindHistory]\r\nfoo\r\n");
    PersistentEditorStore store(path);
    store.SetList("MRU", {"/b.c", "/a.c"});
    store.EraseSection("FindHistory");
    store.SetList("ReplaceHistory", {"bar"});
    store.WriteBack();
    // The file's own line ends are kept.
    EXPECT_EQ("[MRU]\r\n/b.c\r\n/a.c\r\n[Someone Else]\r\nkeep=me\r\n[ReplaceHistory]\r\nbar\r\n",
              test::TempDir::read(path));
}

TEST(PersistentEditorStore, LeadingEmptyLinesAreRemovedOnWrite)
{
    test::TempDir dir;
    const std::string path = dir.write("quarry.dat", "\n  \n\n[MRU]\n/a.c\n\n[FindHistory]\nx\n");
    PersistentEditorStore store(path);
    store.WriteBack();
    EXPECT_EQ("[MRU]\n/a.c\n\n[FindHistory]\nx\n", test::TempDir::read(path));
}

TEST(PersistentEditorStore, LinesAddedToASectionStayInsideIt)
{
    PersistentEditorStore store;
    store.SetList("FindHistory", {"[0-9]", "[0-9]+", " [a]", "  [b]  ", "two\nlines", "[", "x]"});
    store.SetList("MRU", {"/x.c"});
    EXPECT_EQ((Lines{"[FindHistory]", " [0-9]", "[0-9]+", "  [a]", "   [b]  ", "two lines", "[", "x]", "[MRU]",
                     "/x.c"}),
              store.Lines());
    EXPECT_EQ((Lines{"[0-9]", "[0-9]+", " [a]", "  [b]  ", "two lines", "[", "x]"}), store.List("FindHistory"));
    EXPECT_EQ((Lines{"/x.c"}), store.List("MRU"));
}

TEST(PersistentEditorStore, FilterTextJoinsAndSplitsLines)
{
    PersistentEditorStore store;
    store.SetFilterText("Talvik Assembly", "  *.asm;*.s\r\n*.inc  \n");
    EXPECT_EQ((Lines{"*.asm;*.s", "*.inc"}), store.Filters("talvik assembly"));
    EXPECT_EQ("*.asm;*.s\r\n*.inc", store.FilterText("Talvik Assembly"));
    store.SetFilters("Java", {std::string(300, 'j')});
    EXPECT_EQ(std::string(255, 'j'), store.FilterText("Java"));
    EXPECT_EQ("", store.FilterText("HTML / JS / VBS"));
}

TEST(PersistentEditorStore, OddFilesLoadWhatTheyCan)
{
    struct Case {
        const char* what;
        std::string file;
        Lines mru;
    } cases[] = {
        {"empty", "", {}},
        {"no sections", "loose\nlines\n", {}},
        {"unterminated header", "[MRU\n/a.c\n[MRU]\n/b.c\n", {"/b.c"}},
        {"empty header", "[]\n/a.c\n[MRU]\n/b.c\n", {"/b.c"}},
        {"twice: the first wins", "[MRU]\n/first.c\n[mru]\n/second.c\n", {"/first.c"}},
        {"blanks after the header", "[MRU]  \n/a.c\n", {"/a.c"}},
        {"blanks before: no header", " [MRU]\n/a.c\n", {}},
        {"no final line end", "[MRU]\n/a.c", {"/a.c"}},
        {"NUL and binary bytes", std::string("[MRU]\n/a\0b.c\n\xff\xfe\n", 16), {std::string("/a\0b.c", 6), "\xff\xfe"}},
        {"CR LF with stray CR", "[MRU]\r\n/a.c\r\r\n", {"/a.c\r"}},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        PersistentEditorStore store(dir.write("quarry.dat", c.file));
        EXPECT_EQ(c.mru, store.List("MRU")) << c.what;
    }
}

TEST(PersistentEditorStore, OverlongLinesAreCut)
{
    test::TempDir dir;
    const std::string huge(200000, 'x');
    PersistentEditorStore store(
        dir.write("quarry.dat", "[MRU]\n" + huge + "\n/a.c\n[" + huge + "]\n[FindHistory]\nneedle\n"));
    const Lines mru = store.List("MRU");
    // A header cut short is no header any more: it stays a line of the section before it.
    ASSERT_EQ(3u, mru.size());
    EXPECT_EQ(PersistentEditorStore::kMaxLineLength, mru[0].size());
    EXPECT_EQ("/a.c", mru[1]);
    EXPECT_EQ("[" + huge.substr(0, PersistentEditorStore::kMaxLineLength - 1), mru[2]);
    EXPECT_EQ((Lines{"needle"}), store.List("FindHistory"));
}

TEST(PersistentEditorStore, DamagedSettingsLinesAreReportedAndTheRestStillReads)
{
    const std::string full(64, 'a');
    struct Case {
        const char* what;
        Lines lines;
        bool good;
    } cases[] = {
        {"good", {full, full, "0102"}, true},
        {"upper case", {std::string(64, 'F')}, true},
        {"blank lines ignored", {"", full, "  ", "0a"}, true},
        {"odd length", {full, "012"}, false},
        {"not hexadecimal", {full, "0g"}, false},
        {"short line in the middle", {full, "0102", full}, false},
        {"line too long", {full + "00"}, false},
        {"blank inside", {"01 02"}, false},
    };
    for (const Case& c : cases) {
        PersistentEditorStore store;
        store.SetSection("UISettings: ansi c", c.lines);
        store.SetList("MRU", {"/kept.c"});
        if (c.good) {
            EXPECT_NO_THROW(store.SettingsStream("ANSI C")) << c.what;
        } else {
            EXPECT_THROW(store.SettingsStream("ANSI C"), EditorStoreError) << c.what;
        }
        EXPECT_EQ((Lines{"/kept.c"}), store.List("MRU")) << c.what;
    }
}

TEST(PersistentEditorStore, RandomGarbageNeverCrashesAndSurvivesARewrite)
{
    test::TempDir dir;
    std::mt19937 rng(3);
    const std::string alphabet = "[]:\r\n abcdef0123UISettings Filters MRU\x01\xff";
    for (int round = 0; round < 300; ++round) {
        std::string garbage;
        const size_t size = rng() % 400;
        for (size_t i = 0; i < size; ++i)
            garbage += alphabet[rng() % alphabet.size()];
        const std::string path = dir.write("quarry.dat", garbage);
        PersistentEditorStore store(path);
        for (const std::string& name : store.SectionNames()) {
            store.Section(name);
            try {
                store.SettingsStream(name);
            } catch (const EditorStoreError&) {
            }
        }
        const size_t before = store.Lines().size();
        store.WriteBack();
        // After one rewrite the file is in the store's own form: rewriting it changes nothing.
        PersistentEditorStore again(path);
        EXPECT_LE(again.Lines().size(), before);
        again.WriteBack();
        EXPECT_EQ(again.Lines(), PersistentEditorStore(path).Lines());
    }
}

TEST(PersistentEditorStore, AnUnreadableFileIsAnError)
{
    test::TempDir dir;
    std::filesystem::create_directory(dir.file("quarry.dat"));
    EXPECT_THROW(PersistentEditorStore(dir.file("quarry.dat")), EditorStoreError);
}

TEST(PersistentEditorStore, AFailedWriteLeavesTheOldFileWhole)
{
    test::TempDir dir;
    const std::string path = dir.write("quarry.dat", "[MRU]\n/a.c\n");
    PersistentEditorStore store(path);
    store.SetList("MRU", {"/b.c"});
    // A read-only store is refused before anything is written.
    namespace fs = std::filesystem;
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_THROW(store.WriteBack(), EditorStoreError);
    EXPECT_EQ("[MRU]\n/a.c\n", test::TempDir::read(path));
    EXPECT_TRUE(store.Modified());
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    store.WriteBack();
    EXPECT_EQ("[MRU]\n/b.c\n", test::TempDir::read(path));
    EXPECT_FALSE(store.Modified());
}

TEST(PersistentEditorStore, AStoreWithoutAFileCannotBeWrittenBack)
{
    PersistentEditorStore store;
    EXPECT_THROW(store.WriteBack(), EditorStoreError);
}

}  // namespace
}  // namespace quarry
