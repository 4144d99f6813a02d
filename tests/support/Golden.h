#pragma once
// Golden files: output compared byte for byte with a file kept beside the tests.
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace quarry::test {

// Compares with the golden file; on a mismatch writes FILE.new (to review and copy over the
// golden file when the change is meant) and names the first differing line.
inline void expectGolden(const std::string& path, const std::string& actual)
{
    std::ifstream in(path, std::ios::binary);
    const std::string expected = in ? TempDir::read(path) : std::string();
    if (in && expected == actual)
        return;
    std::ofstream(path + ".new", std::ios::binary) << actual;
    int line = 1;
    std::size_t i = 0;
    while (i < expected.size() && i < actual.size() && expected[i] == actual[i])
        line += expected[i++] == '\n';
    ADD_FAILURE() << path << ":" << line << ": differs from the output (written to " << path << ".new)";
}

}  // namespace quarry::test
