// The syntax preferences' rows and default entry over a real editor store file.
#include "platform/PersistentEditorStore.h"
#include "prefs/SyntaxPreferences.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

const std::vector<std::string> kLanguages = {"Assembly", "Pascal", "C/C++", "Java", "HTML", "Plain text"};

TEST(SyntaxPreferences, DefaultSlotSelectsEntryBelowIt)
{
    PersistentEditorStore store;
    const SyntaxPreferences prefs(store, kLanguages);
    const struct {
        int defaultSyntax, entry;
    } cases[] = {{1, 0}, {6, 5}, {0, -1}, {7, -1}, {8, 0}, {-1, 5}, {-7, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(c.entry, prefs.DefaultEntry(c.defaultSyntax)) << c.defaultSyntax;
}

TEST(SyntaxPreferences, ComboTextNamingAnEntryStoresItsSlotElseTheHeldValue)
{
    PersistentEditorStore store;
    const SyntaxPreferences prefs(store, kLanguages);
    const struct {
        const char* text;
        int stored;
    } cases[] = {{"Assembly", 1}, {"Plain text", 6}, {"C/C++", 3}, {"assembly", 4}, {"", 4}, {"Cobol", 4}};
    for (const auto& c : cases)
        EXPECT_EQ(c.stored, prefs.DefaultSyntaxFor(c.text, 4)) << c.text;
}

TEST(SyntaxPreferences, RowsComeFromAndGoBackToTheStoreFileUnderLowerCaseNames)
{
    test::TempDir dir;
    const auto path = dir.write("quarry.dat", "[Filters: assembly]\n*.asm;*.s\n[filters: c/c++]\n*.c\n*.h\n"
                                              "[Other]\nkept\n");
    PersistentEditorStore store(path);
    SyntaxPreferences prefs(store, kLanguages);
    EXPECT_EQ((SyntaxPreferences::Row{"Assembly", "*.asm;*.s"}), prefs.Rows()[0]);
    EXPECT_EQ("*.c\r\n*.h", prefs.Rows()[2].filters);
    EXPECT_EQ("", prefs.Rows()[1].filters);

    prefs.SetFilters(0, "  *.asm;*.s;*.inc  ");
    prefs.SetFilters(3, "*.java");
    prefs.SetFilters(99, "ignored");
    prefs.Store(store);
    store.WriteBack();
    EXPECT_EQ("[Filters: assembly]\n*.asm;*.s;*.inc\n[filters: c/c++]\n*.c\n*.h\n[Other]\nkept\n"
              "[Filters: pascal]\n[Filters: java]\n*.java\n[Filters: html]\n[Filters: plain text]\n",
              test::TempDir::read(path));
}

TEST(SyntaxPreferences, ADamagedStoreShowsWhatCanBeReadAndKeepsTheRest)
{
    test::TempDir dir;
    const std::string junk(300, 'x');
    const auto path = dir.write("quarry.dat", "[Filters: pascal]\n" + junk + "\n\x01\xff\n[UISettings: java]\nzz\n");
    PersistentEditorStore store(path);
    SyntaxPreferences prefs(store, kLanguages);
    EXPECT_EQ(std::string(255, 'x'), prefs.Rows()[1].filters);
    prefs.Store(store);
    store.WriteBack();
    // Only the filters were rewritten: the settings section nobody could read is still there.
    EXPECT_NE(std::string::npos, test::TempDir::read(path).find("[UISettings: java]\nzz\n"));
}

TEST(SyntaxPreferences, RowTextSplitsAtTheFirstTab)
{
    const struct {
        const char* text;
        SyntaxPreferences::Row row;
    } cases[] = {{"Assembly\t*.asm", {"Assembly", "*.asm"}},
                 {"HTML\t*.htm\t*.html", {"HTML", "*.htm\t*.html"}},
                 {"Java", {"Java", ""}},
                 {"\t*.x", {"", "*.x"}}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.row, SyntaxPreferences::SplitRowText(c.text)) << c.text;
        EXPECT_EQ(c.row, SyntaxPreferences::SplitRowText(SyntaxPreferences::RowText(c.row))) << c.text;
    }
}

}  // namespace
}  // namespace quarry
