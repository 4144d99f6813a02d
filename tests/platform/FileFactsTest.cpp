#include "platform/FileFacts.h"
#include "platform/ProgramDir.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace quarry {
namespace {

using test::TempDir;
namespace fs = std::filesystem;

TEST(FileFacts, TellsFilesFromDirectories)
{
    TempDir dir;
    const auto file = dir.write("a.asm", "x");
    EXPECT_TRUE(files::fileExists(file));
    EXPECT_FALSE(files::fileExists(dir.path().string()));
    EXPECT_FALSE(files::fileExists(dir.file("none")));
    EXPECT_FALSE(files::fileExists(""));
    EXPECT_TRUE(files::directoryExists(dir.path().string()));
    EXPECT_FALSE(files::directoryExists(file));
}

TEST(FileFacts, ReadOnlyMeansNoWriteBit)
{
    TempDir dir;
    const auto file = dir.write("a.asm", "x");
    EXPECT_FALSE(files::isReadOnly(file));
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_TRUE(files::isReadOnly(file));
    EXPECT_FALSE(files::isReadOnly(dir.file("missing")));
}

TEST(FileFacts, ModificationTimeInSeconds)
{
    TempDir dir;
    const auto file = dir.write("a.asm", "x");
    const auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(50);
    fs::last_write_time(file, stamp);
    const auto expected = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::file_clock::to_sys(stamp).time_since_epoch()).count();
    EXPECT_EQ(expected, files::modificationTime(file));
    EXPECT_EQ(std::nullopt, files::modificationTime(dir.file("missing")));
}

TEST(FileFacts, RenameRefusesToOverwriteAndDeleteOnlyRemovesFiles)
{
    TempDir dir;
    const auto a = dir.write("a.err", "a");
    const auto b = dir.write("b.err", "b");
    EXPECT_FALSE(files::renameFile(a, b));
    EXPECT_EQ("b", TempDir::read(b));
    EXPECT_TRUE(files::renameFile(a, dir.file("c.err")));
    EXPECT_FALSE(files::fileExists(a));
    EXPECT_EQ("a", TempDir::read(dir.file("c.err")));
    EXPECT_FALSE(files::renameFile(a, dir.file("d.err")));
    EXPECT_TRUE(files::deleteFile(b));
    EXPECT_FALSE(files::deleteFile(b));
    EXPECT_FALSE(files::deleteFile(dir.path().string()));
    EXPECT_TRUE(fs::exists(dir.path()));
}

TEST(FileFacts, WildcardsMatchLikeWindowsFindFiles)
{
    const struct {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"mc68hc05.reg", "*.reg", true}, {"MC68HC05.REG", "*.reg", true}, {"a.reg.bak", "*.reg", false},
        {"quarry2.hlp", "*.hlp", true},  {"x.hl", "*.hlp", false},         {"a", "?", true},
        {"ab", "?", false},              {"abc", "a*c", true},             {"abcbc", "*bc", true},
        {"", "*", true},                 {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*c", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.matches, files::matchesWildcard(c.name, c.pattern)) << c.name << " ~ " << c.pattern;
}

TEST(FileFacts, FindFilesListsMatchingFilesSorted)
{
    TempDir dir;
    dir.write("b.reg", "");
    dir.write("A.REG", "");
    dir.write("c.txt", "");
    fs::create_directory(dir.path() / "d.reg");
    EXPECT_EQ((std::vector<std::string>{"A.REG", "b.reg"}), files::findFiles(dir.file("*.reg")));
    EXPECT_TRUE(files::findFiles(dir.file("none/*.reg")).empty());
}

TEST(FileFacts, TempDirectoryEndsInSeparator)
{
    const auto temp = files::tempDirectory();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ('/', temp.back());
    EXPECT_TRUE(files::directoryExists(temp));
}

// QUARRY_HOME moves the program directory; without it, the executable's directory counts.
TEST(ProgramDir, FollowsQuarryHome)
{
    TempDir dir;
    const char* old = std::getenv("QUARRY_HOME");
    const std::string saved = old ? old : "";
    ::setenv("QUARRY_HOME", (dir.path().string() + "//").c_str(), 1);
    EXPECT_EQ(dir.path().string(), programDirectory());
    ::setenv("QUARRY_HOME", "", 1);
    EXPECT_EQ(fs::path(programPath()).parent_path().string(), programDirectory());
    EXPECT_TRUE(files::fileExists(programPath()));
    ::unsetenv("QUARRY_HOME");
    EXPECT_EQ(fs::path(programPath()).parent_path().string(), programDirectory());
    if (old)
        ::setenv("QUARRY_HOME", saved.c_str(), 1);
}

}  // namespace
}  // namespace quarry
