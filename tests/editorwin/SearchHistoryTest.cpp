// The find and replace histories: newest first, each text once, at most 20 kept in
// "quarry.dat" between sessions.
#include "editorwin/SearchHistory.h"
#include "highlight/PersistentEditorStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

using test::TempDir;

TEST(SearchHistoryTest, NewTextsGoOnTopAndKnownOnesStayWhereTheyAre)
{
    SearchHistory history;
    for (const char* text : {"one", "two", "three", "one", ""})
        history.remember(text);
    EXPECT_EQ((std::vector<std::string>{"three", "two", "one"}), history.entries());
    EXPECT_EQ(2u, history.remember("one"));
    EXPECT_EQ(0u, history.remember("four"));
}

TEST(SearchHistoryTest, TextsDifferingInCaseAreKeptApart)
{
    SearchHistory history;
    history.remember("Foo");
    history.remember("foo");
    EXPECT_EQ((std::vector<std::string>{"foo", "Foo"}), history.entries());
}

TEST(SearchHistoryTest, TheTwentyFirstTextPushesTheOldestOutOfTheFile)
{
    TempDir dir;
    const auto path = dir.file("quarry.dat");
    {
        PersistentEditorStore store(path);
        SearchHistory history;
        for (int i = 1; i <= 21; ++i)
            history.remember("text " + std::to_string(i));
        history.store(store, SearchHistory::kFindSection);
        store.WriteBack();
    }
    const auto content = TempDir::read(path);
    EXPECT_EQ(std::string::npos, content.find("text 1\n"));
    EXPECT_NE(std::string::npos, content.find("[FindHistory]\ntext 21\ntext 20\n"));
    SearchHistory reloaded;
    reloaded.load(PersistentEditorStore(path), SearchHistory::kFindSection);
    ASSERT_EQ(20u, reloaded.entries().size());
    EXPECT_EQ("text 21", reloaded.entries().front());
    EXPECT_EQ("text 2", reloaded.entries().back());
}

TEST(SearchHistoryTest, FindAndReplaceHistoriesLiveInTheirOwnSections)
{
    PersistentEditorStore store;
    SearchHistory find;
    SearchHistory replace;
    find.remember("needle");
    replace.remember("thread");
    find.store(store, SearchHistory::kFindSection);
    replace.store(store, SearchHistory::kReplaceSection);
    EXPECT_EQ((std::vector<std::string>{"needle"}), store.List("FindHistory"));
    EXPECT_EQ((std::vector<std::string>{"thread"}), store.List("ReplaceHistory"));
}

TEST(SearchHistoryTest, LoadingSkipsBlankAndRepeatedLinesAndCutsLongOnes)
{
    PersistentEditorStore store;
    store.SetSection("FindHistory", {"a", "", "b", "a", std::string(300, 'z')});
    SearchHistory history;
    history.remember("stale");
    history.load(store, "FindHistory");
    EXPECT_EQ((std::vector<std::string>{"a", "b", std::string(255, 'z')}), history.entries());
}

TEST(SearchHistoryTest, TextsThatLookLikeSectionHeadersSurviveTheFile)
{
    TempDir dir;
    const auto path = dir.file("quarry.dat");
    {
        PersistentEditorStore store(path);
        SearchHistory history;
        history.remember("[MRU]");
        history.remember("[a-z]+");
        history.store(store, SearchHistory::kFindSection);
        store.WriteBack();
    }
    PersistentEditorStore reread(path);
    SearchHistory history;
    history.load(reread, SearchHistory::kFindSection);
    EXPECT_EQ((std::vector<std::string>{"[a-z]+", "[MRU]"}), history.entries());
    EXPECT_TRUE(reread.List("MRU").empty());
}

}  // namespace
}  // namespace quarry
