// The project's file list: sorted without regard to case, each file once, at most 255 entries;
// and the lookup of bare file names that error navigation relies on.
#include "platform/PathStyle.h"
#include "settings/ProjectState.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

const bool kPosix = PathStyle::native().kind() == PathStyle::Kind::Posix;

struct AddCase {
    const char* name;
    std::vector<std::string> adds;
    std::vector<std::string> expected;
};

class ProjectFileListTest : public ::testing::TestWithParam<AddCase> {};

TEST_P(ProjectFileListTest, KeepsTheListSortedWithoutDuplicates)
{
    ProjectState project;
    for (const auto& add : GetParam().adds)
        project.addFile(add);
    EXPECT_EQ(GetParam().expected, project.files);
}

const AddCase kAddCases[] = {
    {"SortedIgnoringCase", {"/p/b.c", "/p/A.asm", "/p/c.h"}, {"/p/A.asm", "/p/b.c", "/p/c.h"}},
    {"SameFileTwiceKeepsOne", {"/p/main.c", "/p/main.c"}, {"/p/main.c"}},
    {"BlankIgnored", {"   ", "", "/p/x.c"}, {"/p/x.c"}},
    {"DirectoriesTakePartInTheOrder", {"/z/a.c", "/a/z.c"}, {"/a/z.c", "/z/a.c"}},
    {"PrefixSortsFirst", {"/p/main.cpp", "/p/main.c"}, {"/p/main.c", "/p/main.cpp"}},
    // POSIX names differing in case are two files; Windows names the same one.
    {"CaseVariants",
     {"/p/Main.c", "/p/main.c"},
     kPosix ? std::vector<std::string>{"/p/Main.c", "/p/main.c"} : std::vector<std::string>{"/p/Main.c"}},
};

INSTANTIATE_TEST_SUITE_P(Adds, ProjectFileListTest, ::testing::ValuesIn(kAddCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProjectStateTest, AddReportsWhetherTheFileWasAdded)
{
    ProjectState project;
    EXPECT_TRUE(project.addFile("/p/a.c"));
    EXPECT_FALSE(project.addFile("/p/a.c"));
    EXPECT_FALSE(project.addFile(" "));
}

TEST(ProjectStateTest, ListStopsAt255Entries)
{
    ProjectState project;
    for (int i = 0; i < 300; ++i)
        project.addFile("/p/f" + std::to_string(1000 + i) + ".c");
    ASSERT_EQ(255u, project.files.size());
    EXPECT_EQ("/p/f1254.c", project.files.back());
    EXPECT_FALSE(project.addFile("/p/a.c"));
}

TEST(ProjectStateTest, OverlongPathIsCutTo255Characters)
{
    ProjectState project;
    project.addFile("/" + std::string(300, 'x'));
    ASSERT_EQ(1u, project.files.size());
    EXPECT_EQ(255u, project.files.front().size());
}

TEST(ProjectStateTest, RemoveTakesOutOneEntryAndIgnoresBadIndexes)
{
    ProjectState project;
    for (const char* f : {"/p/a.c", "/p/b.c", "/p/c.c"})
        project.addFile(f);
    EXPECT_FALSE(project.removeFile(3));
    EXPECT_TRUE(project.removeFile(1));
    EXPECT_EQ((std::vector<std::string>{"/p/a.c", "/p/c.c"}), project.files);
}

TEST(ProjectStateTest, FileNamePartsFollowTheList)
{
    ProjectState project;
    for (const char* f : {"/src/boot.asm", "/lib/Util.c"})
        project.addFile(f);
    EXPECT_EQ((std::vector<std::string>{"Util.c", "boot.asm"}), project.fileNameParts());
}

struct FindCase {
    const char* name;
    std::vector<std::string> files;
    std::string lookFor;
    std::size_t maxLength;
    bool found;
    std::string result;
};

class FindProjectFileTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindProjectFileTest, ResolvesBareNamesFromTheList)
{
    const auto& c = GetParam();
    ProjectState project;
    project.files = c.files;  // list order as given: the lookup walks the list as it stands
    std::string name = c.lookFor;
    EXPECT_EQ(c.found, project.FindProjectFile(name, c.maxLength));
    EXPECT_EQ(c.result, name);
}

const FindCase kFindCases[] = {
    {"ExactMatch", {"/a/boot.asm", "/b/main.c"}, "main.c", 255, true, "/b/main.c"},
    {"ExactBeatsAnEarlierCaseVariant", {"/a/MAIN.C", "/b/main.c"}, "main.c", 255, true, "/b/main.c"},
    {"FirstExactWins", {"/a/main.c", "/b/main.c"}, "main.c", 255, true, "/a/main.c"},
    {"CaseVariantWhenNoExact", {"/a/boot.asm", "/b/Main.C"}, "main.c", 255, true, "/b/Main.C"},
    {"NoMatchLeavesName", {"/a/boot.asm"}, "main.c", 255, false, "main.c"},
    {"EmptyList", {}, "main.c", 255, false, "main.c"},
    {"NameWithDirectoryNotLookedUp", {"/b/main.c"}, "b/main.c", 255, false, "b/main.c"},
    {"PartOfANameIsNoMatch", {"/b/xmain.c"}, "main.c", 255, false, "main.c"},
    {"ResultCut", {"/long/dir/main.c"}, "main.c", 6, true, "/long/"},
};

INSTANTIATE_TEST_SUITE_P(Lookups, FindProjectFileTest, ::testing::ValuesIn(kFindCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quarry
