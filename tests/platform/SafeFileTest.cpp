#include "platform/SafeFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include <sys/stat.h>

namespace fs = std::filesystem;
using quarry::SafeFile;
using quarry::test::TempDir;

namespace {

// Files in the directory besides the ones a test made: a failed write must leave no temporary.
std::vector<std::string> namesIn(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(SafeFile, CreatesAndReplacesWithTheExactBytes)
{
    TempDir dir;
    const auto file = dir.file("a.ini");
    EXPECT_EQ(0, SafeFile::WriteBytes(file, std::string("x\r\ny\0z", 6)));
    EXPECT_EQ(std::string("x\r\ny\0z", 6), TempDir::read(file));
    EXPECT_EQ(0, SafeFile::WriteBytes(file, "shorter"));
    EXPECT_EQ("shorter", TempDir::read(file));
    EXPECT_EQ(std::vector<std::string>{"a.ini"}, namesIn(dir.path()));
}

TEST(SafeFile, AFailingWriterLeavesTheOldFileAndNoTemporary)
{
    TempDir dir;
    const auto file = dir.write("keep.txt", "old text");
    const int error = SafeFile::Write(file, [](int fd) {
        SafeFile::WriteAll(fd, "half of the new");
        return ENOSPC;
    });
    EXPECT_EQ(ENOSPC, error);
    EXPECT_EQ("old text", TempDir::read(file));
    EXPECT_EQ(std::vector<std::string>{"keep.txt"}, namesIn(dir.path()));
}

TEST(SafeFile, RefusalsReportTheirCauseAndChangeNothing)
{
    TempDir dir;
    const auto readOnly = dir.write("ro.txt", "locked");
    ::chmod(readOnly.c_str(), 0444);
    struct Case {
        std::string name;
        int expected;
    } cases[] = {
        {readOnly, EACCES},
        {dir.file("missing/dir/file.txt"), ENOENT},
        {dir.path().string(), EISDIR},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, SafeFile::WriteBytes(c.name, "new"));
        EXPECT_TRUE(SafeFile::IsAccessRefusal(c.expected) == (c.expected == EACCES));
    }
    EXPECT_EQ("locked", TempDir::read(readOnly));
}

TEST(SafeFile, KeepsPermissionsAndSymbolicLinks)
{
    TempDir dir;
    const auto target = dir.write("real.txt", "one");
    ::chmod(target.c_str(), 0640);
    const auto link = dir.file("link.txt");
    fs::create_symlink(target, link);
    EXPECT_EQ(0, SafeFile::WriteBytes(link, "two"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ("two", TempDir::read(target));
    struct stat st {};
    ::stat(target.c_str(), &st);
    EXPECT_EQ(0640u, st.st_mode & 0777u);
}

TEST(SafeFile, DevicesAreWrittenInPlace)
{
    EXPECT_EQ(0, SafeFile::WriteBytes("/dev/null", "anything"));
    EXPECT_EQ(ENOSPC, SafeFile::WriteBytes("/dev/full", "anything"));
}
