#include "support/TempDir.h"

#include <gtest/gtest.h>

using quarry::test::TempDir;

// The fixture must keep bytes exactly (CR, LF, NUL) since file tests compare them.
TEST(TempDir, WritesAndReadsBytesUnchangedAndCleansUp)
{
    std::filesystem::path kept;
    {
        TempDir dir;
        kept = dir.path();
        const std::string bytes("a\r\nb\0c\n", 7);
        const auto file = dir.write("sub/x.bin", bytes);
        EXPECT_EQ(bytes, TempDir::read(file));
    }
    EXPECT_FALSE(std::filesystem::exists(kept));
}
