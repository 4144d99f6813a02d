// The shell's small lists: the reopen list, the window list, the status panels, the pick
// window's type-ahead and the help files.
#include "app/HelpFiles.h"
#include "app/PickTypeAhead.h"
#include "app/ReopenList.h"
#include "app/StatusPanels.h"
#include "app/WindowList.h"
#include "platform/PersistentEditorStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

using Names = std::vector<std::string>;

TEST(ReopenListTest, ClosingTwentyFiveFilesKeepsTheTwentyNewestFirst)
{
    PersistentEditorStore store;
    ReopenList list(&store);
    for (int i = 1; i <= 25; ++i)
        list.Add("/src/file" + std::to_string(i) + ".c");
    const auto entries = list.Entries();
    ASSERT_EQ(20u, entries.size());
    EXPECT_EQ("/src/file25.c", entries.front());
    EXPECT_EQ("/src/file6.c", entries.back());
    EXPECT_EQ(entries, store.List(PersistentEditorStore::kMRU));
}

TEST(ReopenListTest, ANameAlreadyListedStaysWhereItIs)
{
    PersistentEditorStore store;
    ReopenList list(&store);
    list.Add("/src/a.c");
    list.Add("/src/b.c");
    list.Add("  /src/a.c ");
    list.Add("");
    EXPECT_EQ((Names{"/src/b.c", "/src/a.c"}), list.Entries());
}

TEST(ReopenListTest, BlankStoredLinesAreNoEntries)
{
    PersistentEditorStore store;
    store.SetList(PersistentEditorStore::kMRU, {"/x.c", "  ", "/y.c"});
    EXPECT_EQ((Names{"/x.c", "/y.c"}), ReopenList(&store).Entries());
    EXPECT_EQ(Names{}, ReopenList(nullptr).Entries());
}

TEST(WindowListTest, TwelveWindowsShowTheFirstNineSortedWithoutRegardToCaseAndMore)
{
    Names names;
    for (const char* n : {"/s/k.c", "/s/B.c", "/s/a.c", "/s/L.c", "/s/c.c", "/s/j.c", "/s/D.c", "/s/i.c",
                          "/s/e.c", "/s/H.c", "/s/f.c", "/s/G.c"})
        names.push_back(n);
    const WindowList list(names);
    const auto items = list.MenuItems(" /S/C.C ");
    ASSERT_EQ(9u, items.size());
    const Names captions = {"&1 /s/a.c", "&2 /s/B.c", "&3 /s/c.c", "&4 /s/D.c", "&5 /s/e.c",
                            "&6 /s/f.c", "&7 /s/G.c", "&8 /s/H.c", "&9 /s/i.c"};
    for (std::size_t k = 0; k < 9; ++k) {
        EXPECT_TRUE(items[k].visible);
        EXPECT_EQ(captions[k], items[k].caption);
        EXPECT_EQ(k == 2, items[k].checked) << k;
    }
    EXPECT_TRUE(list.MoreWindows());
    EXPECT_EQ(11, list.IndexOf("/S/L.C"));
}

TEST(WindowListTest, FewWindowsHideTheRestAndNoMore)
{
    const WindowList list({" /x/b.c", "/x/a.c "});
    const auto items = list.MenuItems("");
    EXPECT_EQ((WindowList::Item{true, false, "&1 /x/a.c"}), items[0]);
    EXPECT_EQ((WindowList::Item{true, false, "&2 /x/b.c"}), items[1]);
    for (std::size_t k = 2; k < 9; ++k)
        EXPECT_FALSE(items[k].visible);
    EXPECT_FALSE(list.MoreWindows());
    EXPECT_FALSE(WindowList(Names(9, "/x.c")).MoreWindows());
    EXPECT_TRUE(WindowList(Names(10, "/x.c")).MoreWindows());
}

TEST(StatusPanelsTest, TheSixPanelTexts)
{
    const struct {
        StatusSnapshot snapshot;
        StatusTexts texts;
    } cases[] = {
        {{12, 5, true, 300, 7, "ANSI C", false}, {"12:5", "Modified", "Total: 300", "Top: 7", "ANSI C", "Insert"}},
        {{1, 1, false, 0, 1, "", true}, {"1:1", "", "Total: 0", "Top: 1", "", "Overwrite"}},
        {{3, 9, false, 4, 2, "C & C++ && more", false},
         {"3:9", "", "Total: 4", "Top: 2", "C && C++ &&&& more", "Insert"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.texts, statusTextsFor(c.snapshot));
}

TEST(PickTypeAheadTest, TypedCharactersNarrowAndAMissStartsAgain)
{
    PickTypeAhead typeAhead({"  alpha", "Beta", "bravo", "BRICK", "charlie", "b"});
    const struct {
        char key;
        int index;
        const char* typed;
    } steps[] = {
        {'b', 1, "B"},   {'r', 2, "BR"},  {'i', 3, "BRI"}, {'x', -1, ""}, {'c', 4, "C"},
        {'a', 0, "A"},   {'l', 0, "AL"},  {'b', 1, "B"},   {'e', 1, "BE"}, {'z', -1, ""},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(s.index, typeAhead.Type(s.key)) << s.key;
        EXPECT_EQ(s.typed, typeAhead.Typed()) << s.key;
    }
}

TEST(HelpFilesTest, TheHelpFilesOfTheProgramDirectorySorted)
{
    test::TempDir dir;
    dir.write("zeta.hlp", "");
    dir.write("Alpha.HLP", "");
    dir.write("quarry2.hlp", "");
    dir.write("readme.txt", "");
    EXPECT_EQ((Names{dir.file("Alpha.HLP"), dir.file("quarry2.hlp"), dir.file("zeta.hlp")}),
              helpFilesIn(dir.path().string()));
    EXPECT_EQ(Names{}, helpFilesIn(dir.file("nowhere")));
}

}  // namespace
}  // namespace quarry
