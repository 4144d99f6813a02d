#include "settings/FileLocator.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

TEST(FileLocator, BareNamesAreTriedInSourcePathThenProgramDirectory)
{
    test::TempDir dir;
    const auto program = dir.file("prog");
    const auto source = dir.file("src");
    dir.write("prog/only-prog.asm", "");
    dir.write("prog/both.asm", "");
    dir.write("src/both.asm", "");
    dir.write("src/only-src.asm", "");
    dir.write("src/a*b.asm", "");
    const struct {
        std::string sourcePath;
        std::string name;
        bool found;
        std::string located;
        std::string sourcePathAfter;
    } cases[] = {
        {source, "only-src.asm", true, source + "/only-src.asm", source},
        {source, "only-prog.asm", true, program + "/only-prog.asm", source},
        {source, "both.asm", true, source + "/both.asm", source},
        {source, "none.asm", false, "none.asm", source},
        {source, "a*b.asm", false, "a*b.asm", source},
        {source, "?", false, "?", source},
        {source, source + "/both.asm", true, source + "/both.asm", source},
        {source, program + "/only-src.asm", false, program + "/only-src.asm", source},
        {dir.file("gone"), "both.asm", true, program + "/both.asm", program},
        {"", "only-src.asm", false, "only-src.asm", program},
        {dir.file("src/both.asm"), "only-prog.asm", true, program + "/only-prog.asm", program},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sourcePath + " : " + c.name);
        EnvironmentSettings settings;
        settings.sourcePath = c.sourcePath;
        FileLocator locator(settings, program);
        auto name = c.name;
        EXPECT_EQ(c.found, locator.LocateFile(name));
        EXPECT_EQ(c.located, name);
        EXPECT_EQ(c.sourcePathAfter, settings.sourcePath);
    }
}

TEST(FileLocator, FoundNameIsCutToTheLimit)
{
    test::TempDir dir;
    dir.write("abc.asm", "");
    EnvironmentSettings settings;
    FileLocator locator(settings, dir.path().string());
    std::string name = "abc.asm";
    EXPECT_TRUE(locator.LocateFile(name, 10));
    EXPECT_EQ(dir.file("abc.asm").substr(0, 10), name);
}

}  // namespace
}  // namespace quarry
