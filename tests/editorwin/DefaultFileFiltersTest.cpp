#include "editorwin/DefaultFileFilters.h"
#include "platform/PersistentEditorStore.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

const std::vector<std::string> kLanguages = {"Talvik Assembly", "Object Pascal", "ANSI C",
                                             "Java", "HTML / JS / VBS", "Plain text"};

TEST(DefaultFileFiltersTest, AStoreWithoutFiltersGetsTheDefaultFileTypes)
{
    PersistentEditorStore store;
    EXPECT_TRUE(seedDefaultFilters(store, kLanguages));
    EXPECT_EQ("*.asm;*.s;*.a68;*.inc", store.FilterText("Talvik Assembly"));
    EXPECT_EQ("*.c;*.h;*.cpp;*.hpp;*.cc;*.cxx", store.FilterText("ANSI C"));
    EXPECT_EQ("*.txt", store.FilterText("Plain text"));
    EXPECT_TRUE(store.HasSection("Filters: html / js / vbs"));
}

TEST(DefaultFileFiltersTest, AStoreTheUserSetUpIsLeftAlone)
{
    PersistentEditorStore store;
    store.SetFilterText("Java", "*.jav");
    EXPECT_FALSE(seedDefaultFilters(store, kLanguages));
    EXPECT_EQ("*.jav", store.FilterText("Java"));
    EXPECT_FALSE(store.HasSection("Filters: ansi c"));
}

TEST(DefaultFileFiltersTest, ALanguageTheTableDoesNotKnowGetsNone)
{
    PersistentEditorStore store;
    EXPECT_TRUE(seedDefaultFilters(store, {"Fortran"}));
    EXPECT_FALSE(store.HasSection("Filters: fortran"));
    EXPECT_EQ("", defaultFilterText("Fortran"));
}

}  // namespace
}  // namespace quarry
