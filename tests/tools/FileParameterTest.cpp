#include "tools/FileParameter.h"

#include <gtest/gtest.h>

#include <string>

namespace quarry {
namespace {

TEST(FileParameter, ExpandsTheFirstPlaceholder)
{
    const struct {
        const char* text;
        const char* file;
        bool quotes;
        int result;
        const char* expected;
    } cases[] = {
        {"-a %file%", "/src/main.asm", true, 1, "-a \"/src/main.asm\""},
        {"-a %file%", "/src/main.asm", false, 1, "-a /src/main.asm"},
        {"%FILE.lst%", "main.asm", false, 2, "main.lst"},
        {"%FILE.lst%", "main", false, 2, "main.lst"},
        {"%File.S19%", "/x/a.b/main", true, 2, "\"/x/a.b/main.S19\""},
        {"%FILE.%", "a.b/c.asm", false, 2, "a"},
        {"%FILE.%", "main", false, 2, "main"},
        {"x %FILE% y", "", true, 1, "x  y"},
        {"x %FILE.lst% y", "  ", true, 2, "x  y"},
        {"%FILE% %FILE%", "m.c", false, 1, "m.c %FILE%"},
        {"%PRJFILE.S19%", "m.c", false, 0, "%PRJFILE.S19%"},
        {"no placeholder", "m.c", false, 0, "no placeholder"},
        {"%FILEX", "m.c", false, 99, "%FILEX"},
        {"%FILE.lst", "m.c", false, 99, "%FILE.lst"},
        {"%FILE", "m.c", false, 99, "%FILE"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(c.result, ExpandFileParameter(text, 255, c.file, c.quotes)) << c.text;
        EXPECT_EQ(c.expected, text) << c.text;
    }
}

TEST(FileParameter, ExpandsEveryPlaceholderOnceAndCutsTheResult)
{
    const std::string longName(300, 'n');
    const struct {
        std::string text;
        std::string file;
        int result;
        std::string expected;
    } cases[] = {
        {"%FILE% -o %FILE.o% -l %file.LST%", "m.c", 2, "m.c -o m.o -l m.LST"},
        // A name holding the marker is inserted as it is, not expanded again.
        {"%FILE% %FILE%", "/t/%FILE%/a.c", 1, "/t/%FILE%/a.c /t/%FILE%/a.c"},
        {"%FILE% %FILEX", "m.c", 99, "m.c %FILEX"},
        {"%FILE%", longName, 1, longName.substr(0, 255)},
        {"-x", "m.c", 0, "-x"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(c.result, ExpandAllFileParameters(text, 255, c.file, false)) << c.text;
        EXPECT_EQ(c.expected, text) << c.text;
    }
}

}  // namespace
}  // namespace quarry
