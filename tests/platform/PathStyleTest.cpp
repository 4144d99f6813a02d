#include "platform/PathStyle.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

struct PathCase {
    PathStyle style;
    const char* path;
    const char* fileName;
    const char* directory;
    const char* extension;
    bool driveQualified;
};

const PathCase kPathCases[] = {
    {PathStyle::windows(), "C:\\work\\demo.ppf", "demo.ppf", "C:\\work", ".ppf", true},
    {PathStyle::windows(), "C:\\demo.ppf", "demo.ppf", "C:\\", ".ppf", true},
    {PathStyle::windows(), "C:demo", "demo", "C:", "", true},
    {PathStyle::windows(), "work/sub\\a.b.c", "a.b.c", "work/sub", ".c", false},
    {PathStyle::windows(), "\\a.s", "a.s", "\\", ".s", false},
    {PathStyle::windows(), "demo.ppf", "demo.ppf", "", ".ppf", false},
    {PathStyle::windows(), "a.b\\c", "c", "a.b", "", false},
    {PathStyle::windows(), "", "", "", "", false},
    {PathStyle::posix(), "/home/u/demo.ppf", "demo.ppf", "/home/u", ".ppf", true},
    {PathStyle::posix(), "/demo", "demo", "/", "", true},
    {PathStyle::posix(), "src/a.b/c", "c", "src/a.b", "", false},
    {PathStyle::posix(), "C:\\work\\x.s", "C:\\work\\x.s", "", ".s", false},
    {PathStyle::posix(), ".profile", ".profile", "", ".profile", false},
    {PathStyle::posix(), "dir/", "", "dir", "", false},
};

TEST(PathStyle, SplitsNamesInBothStyles)
{
    for (const auto& c : kPathCases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.fileName, c.style.fileName(c.path));
        EXPECT_EQ(c.directory, c.style.directory(c.path));
        EXPECT_EQ(*c.directory != '\0', c.style.hasDirectory(c.path));
        EXPECT_EQ(c.extension, c.style.extension(c.path));
        EXPECT_EQ(c.driveQualified, c.style.isDriveQualified(c.path));
    }
}

TEST(PathStyle, ChangesExtensionsOfTheNamePartOnly)
{
    const struct {
        PathStyle style;
        const char* path;
        const char* ext;
        const char* expected;
    } cases[] = {
        {PathStyle::windows(), "C:\\src\\main.asm", ".ERR", "C:\\src\\main.ERR"},
        {PathStyle::windows(), "C:\\src.d\\main", ".ERR", "C:\\src.d\\main.ERR"},
        {PathStyle::windows(), "main.tar.gz", ".TVTMPBAK", "main.tar.TVTMPBAK"},
        {PathStyle::windows(), "main.asm", "", "main"},
        {PathStyle::posix(), "/a.b/main", ".lst", "/a.b/main.lst"},
        {PathStyle::posix(), "/a/main.c", ".o", "/a/main.o"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, c.style.changeExtension(c.path, c.ext)) << c.path;
}

TEST(PathStyle, JoinsWithoutDoublingSeparators)
{
    EXPECT_EQ("C:\\q\\Quarry.ini", PathStyle::windows().join("C:\\q", "Quarry.ini"));
    EXPECT_EQ("C:\\Quarry.ini", PathStyle::windows().join("C:\\", "Quarry.ini"));
    EXPECT_EQ("/opt/q/Quarry.ini", PathStyle::posix().join("/opt/q", "Quarry.ini"));
    EXPECT_EQ("/Quarry.ini", PathStyle::posix().join("/", "Quarry.ini"));
    EXPECT_EQ("Quarry.ini", PathStyle::posix().join("", "Quarry.ini"));
}

TEST(PathStyle, WindowsNamesCompareWithoutCase)
{
    EXPECT_TRUE(PathStyle::windows().sameName("C:\\Work\\Demo.PPF", "c:\\work\\demo.ppf"));
    EXPECT_FALSE(PathStyle::posix().sameName("/Work/Demo.PPF", "/work/demo.ppf"));
    EXPECT_TRUE(PathStyle::posix().sameName("/work/demo.ppf", "/work/demo.ppf"));
}

}  // namespace
}  // namespace quarry
