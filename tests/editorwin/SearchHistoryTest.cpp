// The find and replace histories: newest first, each text once, at most 20 kept in
// "quarry.dat" between sessions.
#include "editorwin/SearchHistory.h"
#include "platform/PersistentEditorStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

using test::TempDir;
using Texts = std::vector<std::string>;

// Remembers the texts in order, stores them in a real file and reads them into a new history;
// the file's content is handed back too.
Texts ThroughTheFile(const Texts& texts, std::string& content, PersistentEditorStore* reread = nullptr)
{
    TempDir dir;
    const auto path = dir.file("quarry.dat");
    {
        PersistentEditorStore store(path);
        SearchHistory history;
        for (const auto& text : texts)
            history.remember(text);
        history.store(store, SearchHistory::kFindSection);
        store.WriteBack();
    }
    content = TempDir::read(path);
    PersistentEditorStore store(path);
    SearchHistory reloaded;
    reloaded.load(store, SearchHistory::kFindSection);
    if (reread)
        *reread = store;
    return reloaded.entries();
}

TEST(SearchHistoryTest, NewTextsGoOnTopAndKnownOnesStayWhereTheyAre)
{
    SearchHistory history;
    for (const char* text : {"one", "two", "three", "one", "", "Foo", "foo"})
        history.remember(text);
    // Texts differing in case are kept apart.
    EXPECT_EQ((Texts{"foo", "Foo", "three", "two", "one"}), history.entries());
    EXPECT_EQ(4u, history.remember("one"));
    EXPECT_EQ(0u, history.remember("four"));
}

TEST(SearchHistoryTest, TheTwentyFirstTextPushesTheOldestOutOfTheFile)
{
    Texts texts;
    for (int i = 1; i <= 21; ++i)
        texts.push_back("text " + std::to_string(i));
    std::string content;
    const Texts reloaded = ThroughTheFile(texts, content);
    EXPECT_EQ(std::string::npos, content.find("text 1\n"));
    EXPECT_NE(std::string::npos, content.find("[FindHistory]\ntext 21\ntext 20\n"));
    EXPECT_EQ(Texts(texts.rbegin(), texts.rbegin() + 20), reloaded);
}

TEST(SearchHistoryTest, TextsThatLookLikeSectionHeadersSurviveTheFile)
{
    std::string content;
    PersistentEditorStore reread;
    EXPECT_EQ((Texts{"[a-z]+", "[MRU]"}), ThroughTheFile({"[MRU]", "[a-z]+"}, content, &reread));
    EXPECT_TRUE(reread.List("MRU").empty());
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
    EXPECT_EQ((Texts{"needle"}), store.List("FindHistory"));
    EXPECT_EQ((Texts{"thread"}), store.List("ReplaceHistory"));
}

TEST(SearchHistoryTest, LoadingSkipsBlankAndRepeatedLinesAndCutsLongOnes)
{
    PersistentEditorStore store;
    store.SetSection("FindHistory", {"a", "", "b", "a", std::string(300, 'z')});
    SearchHistory history;
    history.remember("stale");
    history.load(store, "FindHistory");
    EXPECT_EQ((Texts{"a", "b", std::string(255, 'z')}), history.entries());
}

}  // namespace
}  // namespace quarry
