// quarryhl compress|decompress, run as scripts run it.
#include "compress/TCompressor.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

using quarry::CompressionMethod;
using quarry::TCompressor;
using quarry::test::TempDir;

namespace {

struct Run {
    int status;
    std::string out;
    std::string err;
};

Run quarryhl(const TempDir& dir, const std::string& args)
{
    const auto out = dir.file("stdout.txt");
    const auto err = dir.file("stderr.txt");
    const int raw = std::system((std::string(QUARRYHL_EXE) + " " + args + " >'" + out + "' 2>'" + err + "'").c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, TempDir::read(out), TempDir::read(err)};
}

std::string sample()
{
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "static int value" + std::to_string(i % 97) + " = " + std::to_string(i) + ";\n";
    return text;
}

struct MethodCase {
    const char* option;
    const char* magic;
};

class CompressCommand : public testing::TestWithParam<MethodCase> {};

TEST_P(CompressCommand, RoundTripsAFileWithTheChosenMethod)
{
    const auto& c = GetParam();
    TempDir dir;
    const auto in = dir.write("in.c", sample());
    const auto packed = dir.file("in.cz");
    const auto back = dir.file("back.c");
    const auto compressed = quarryhl(dir, "compress " + std::string(c.option) + " '" + in + "' '" + packed + "'");
    EXPECT_EQ(0, compressed.status) << compressed.err;
    EXPECT_EQ(c.magic, TempDir::read(packed).substr(0, 4));
    const auto restored = quarryhl(dir, "decompress '" + packed + "' '" + back + "'");
    EXPECT_EQ(0, restored.status) << restored.err;
    EXPECT_EQ(sample(), TempDir::read(back));
}

INSTANTIATE_TEST_SUITE_P(Methods, CompressCommand,
                         testing::Values(MethodCase{"", "WRZL"}, MethodCase{"--method kh", "WRZL"},
                                         MethodCase{"--method lzh", "!HZL"}, MethodCase{"--method=lzh", "!HZL"},
                                         MethodCase{"--method auto", "!HZL"}),
                         [](const auto& info) {
                             std::string name = info.param.option;
                             for (auto& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : c == '=' ? 'E' : '_';
                             return name.empty() ? std::string("Default") : name;
                         });

struct UsageCase {
    const char* name;
    const char* args;
    int status;
    const char* errorStart;
};

class CompressUsage : public testing::TestWithParam<UsageCase> {};

TEST_P(CompressUsage, ExitsWithItsStatusAndSaysWhy)
{
    const auto& c = GetParam();
    TempDir dir;
    dir.write("in.c", sample());
    dir.write("plain.txt", "not compressed");
    dir.write("in.lzh", TCompressor::CompressBytes(sample(), CompressionMethod::LZH));
    std::string args = c.args;
    for (std::size_t at; (at = args.find("DIR/")) != std::string::npos;)
        args.replace(at, 4, dir.path().string() + "/");
    const auto run = quarryhl(dir, args);
    EXPECT_EQ(c.status, run.status);
    std::string expected = c.errorStart;
    for (std::size_t at; (at = expected.find("DIR/")) != std::string::npos;)
        expected.replace(at, 4, dir.path().string() + "/");
    EXPECT_EQ(expected, run.err.substr(0, expected.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompressUsage,
    testing::Values(
        UsageCase{"MissingOutput", "compress DIR/in.c", 2, "usage: quarryhl compress"},
        UsageCase{"UnknownMethod", "compress --method zip DIR/in.c DIR/o", 2,
                  "quarryhl compress: unknown method 'zip'"},
        UsageCase{"UnknownOption", "decompress --fast DIR/in.lzh DIR/o", 2, "quarryhl decompress: unknown option"},
        UsageCase{"MissingInput", "compress DIR/none.c DIR/o", 1,
                  "quarryhl compress: Compressor (de)compression : Failed to open input file : DIR/none.c"},
        UsageCase{"NotCompressed", "decompress DIR/plain.txt DIR/o", 1,
                  "quarryhl decompress: DIR/plain.txt : Compressor decompression : this file has no valid header !"},
        UsageCase{"OtherMethodThanAsked", "decompress --method kh DIR/in.lzh DIR/o", 1,
                  "quarryhl decompress: DIR/in.lzh holds the lzh method, not kh"},
        UsageCase{"AnyMethodWithAuto", "decompress --method auto DIR/in.lzh DIR/o", 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
