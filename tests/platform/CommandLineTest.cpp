#include "platform/CommandLine.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, SplitsAsWindowsProgramsDo)
{
    const struct {
        const char* line;
        Args expected;
    } cases[] = {
        {"", {}},
        {"  \t ", {}},
        {"a  b\tc", {"a", "b", "c"}},
        {"\"C:\\My Files\\main.asm\" -l", {"C:\\My Files\\main.asm", "-l"}},
        {"pre\"fix mid\"post", {"prefix midpost"}},
        {"\"\" x", {"", "x"}},
        {"a\\\\b c\\d", {"a\\\\b", "c\\d"}},
        {"a\\\"b", {"a\"b"}},
        {"a\\\\\"b c\"", {"a\\b c"}},
        {"a\\\\\\\"b", {"a\\\"b"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"\"open to the end", {"open to the end"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, splitCommandLine(c.line)) << c.line;
}

}  // namespace
}  // namespace quarry
