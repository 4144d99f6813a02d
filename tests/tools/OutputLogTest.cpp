#include "tools/OutputLog.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace quarry {
namespace {

using Kind = OutputLog::Kind;

std::vector<std::string> texts(const OutputLog& log)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < log.Count(); ++i)
        out.push_back(log.At(i).text);
    return out;
}

// However the bytes are cut into chunks, the same lines come out.
TEST(OutputLog, ChunkBoundariesDoNotChangeTheLines)
{
    std::mt19937 random(7);
    std::string bytes;
    for (int i = 0; i < 3000; ++i)
        bytes += random() % 9 == 0 ? std::string(random() % 90, 'y') + "\r\n" : "line " + std::to_string(i) + "\n";
    bytes += "no end";
    OutputLog whole(100000, 64);
    whole.Append(Kind::Output, bytes);
    whole.EndLines();
    for (int round = 0; round < 20; ++round) {
        OutputLog chunked(100000, 64);
        for (std::size_t at = 0; at < bytes.size();) {
            const auto n = std::min<std::size_t>(bytes.size() - at, 1 + random() % 200);
            chunked.Append(Kind::Output, std::string_view(bytes).substr(at, n));
            at += n;
        }
        chunked.EndLines();
        ASSERT_EQ(texts(whole), texts(chunked)) << round;
    }
    EXPECT_EQ("no end", whole.At(whole.Count() - 1).text);
}

TEST(OutputLog, KeepsTheNewestLinesAndCutsLongOnes)
{
    OutputLog log(3, 8);
    log.AppendLine(Kind::Command, "> tool");
    log.Append(Kind::Output, "one\ntwo\n");
    log.Append(Kind::Error, "0123456789ab");
    log.Append(Kind::Output, "three\n");
    log.Append(Kind::Error, "cd\n");
    EXPECT_EQ((std::vector<std::string>{"two", "three", std::string("01234567") + std::string(OutputLog::kCutMark)}),
              texts(log));
    EXPECT_EQ(Kind::Error, log.At(2).kind);
    EXPECT_EQ(2u, log.Dropped());
    log.Append(Kind::Output, "half");
    log.AppendLine(Kind::Note, "Exit 0");
    EXPECT_EQ((std::vector<std::string>{std::string("01234567") + std::string(OutputLog::kCutMark), "half", "Exit 0"}),
              texts(log));
}

}  // namespace
}  // namespace quarry
