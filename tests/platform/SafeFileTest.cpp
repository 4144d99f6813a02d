#include "platform/SafeFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

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

// Every name of the file shows the new text afterwards, links stay links, and no temporary file
// is left in the directory.
TEST(SafeFile, WritesThroughLinksKeepsHardLinkedNamesTogetherAndHandlesLongNames)
{
    using Way = SafeFile::Way;
    const std::string longName(255, 'n');
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> files;  // name, contents
        std::vector<std::pair<std::string, std::string>> links;  // name, target ("=" prefix: hard link)
        std::string written;
        std::vector<std::string> showNew;
        Way way;
    } cases[] = {
        {"symbolic link", {{"real.txt", "old"}}, {{"link.txt", "real.txt"}}, "link.txt", {"real.txt"}, Way::Replace},
        {"chain of links", {{"real.txt", "old"}}, {{"one.txt", "real.txt"}, {"two.txt", "one.txt"}}, "two.txt",
         {"real.txt"}, Way::Replace},
        {"dangling link", {}, {{"link.txt", "made.txt"}}, "link.txt", {"made.txt"}, Way::Replace},
        {"hard link", {{"a.txt", "old"}}, {{"b.txt", "=a.txt"}}, "a.txt", {"a.txt", "b.txt"}, Way::InPlaceShared},
        {"name of 255 bytes", {{longName, "old"}}, {}, longName, {longName}, Way::Replace},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        for (const auto& [name, contents] : c.files)
            dir.write(name, contents);
        for (const auto& [name, target] : c.links) {
            if (target[0] == '=')
                fs::create_hard_link(dir.file(target.substr(1)), dir.file(name));
            else
                fs::create_symlink(target, dir.file(name));
        }
        const auto before = namesIn(dir.path());
        EXPECT_EQ(c.way, SafeFile::WayFor(dir.file(c.written)));
        ASSERT_EQ(0, SafeFile::WriteBytes(dir.file(c.written), "new text"));
        for (const auto& name : c.showNew)
            EXPECT_EQ("new text", TempDir::read(dir.file(name))) << name;
        for (const auto& [name, target] : c.links)
            EXPECT_EQ(target[0] != '=', fs::is_symlink(dir.file(name))) << name;
        auto after = namesIn(dir.path());
        if (std::string(c.what) == "dangling link")
            after.erase(std::find(after.begin(), after.end(), "made.txt"));
        EXPECT_EQ(before, after);
    }
}

TEST(SafeFile, AFileInAReadOnlyDirectoryIsOverwrittenInPlace)
{
    TempDir dir;
    const auto file = dir.write("ro/a.txt", "the old text, longer than the new");
    const auto folder = dir.file("ro");
    ::chmod(folder.c_str(), 0555);
    EXPECT_EQ(SafeFile::Way::InPlaceDirectory, SafeFile::WayFor(file));
    struct stat before {};
    ::stat(file.c_str(), &before);
    // A writer that fails leaves the file as it was.
    EXPECT_EQ(EIO, SafeFile::Write(file, [](int fd) {
        SafeFile::WriteAll(fd, "half");
        return EIO;
    }));
    EXPECT_EQ("the old text, longer than the new", TempDir::read(file));
    EXPECT_EQ(0, SafeFile::WriteBytes(file, "new"));
    EXPECT_EQ("new", TempDir::read(file));
    struct stat after {};
    ::stat(file.c_str(), &after);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(std::vector<std::string>{"a.txt"}, namesIn(folder));
    ::chmod(folder.c_str(), 0755);
}
