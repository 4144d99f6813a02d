// File mode: the call opens the input and creates the output; messages name the file.
#include "TCompressorTestData.h"

#include "compress/TCompressor.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

using quarry::CompressionMethod;
using quarry::TCompressor;
using quarry::test::cText;
using quarry::test::messageOf;
using quarry::test::TempDir;

namespace {

std::uint64_t run(bool compress, const std::string& in, const std::string& out,
                  CompressionMethod method = CompressionMethod::KH)
{
    TCompressor compressor;
    compressor.setInputFileName(in);
    compressor.setOutputFileName(out);
    compressor.setMethod(method);
    return compress ? compressor.Compress() : compressor.Decompress();
}

class FileRoundTrip : public testing::TestWithParam<CompressionMethod> {};

TEST_P(FileRoundTrip, RestoresTheFileAndCountsTheBytes)
{
    TempDir dir;
    const std::string text = cText(70000);
    const auto source = dir.write("source.c", text);
    const auto packed = dir.file("source.cz");
    const auto restored = dir.file("restored.c");
    const auto written = run(true, source, packed, GetParam());
    EXPECT_EQ(std::filesystem::file_size(packed), written);
    EXPECT_EQ(TCompressor::CompressBytes(text, GetParam()), TempDir::read(packed));
    EXPECT_EQ(text.size(), run(false, packed, restored));
    EXPECT_EQ(text, TempDir::read(restored));
}

TEST_P(FileRoundTrip, ReplacesAnOlderLongerOutput)
{
    TempDir dir;
    const auto source = dir.write("a.txt", "short");
    const auto packed = dir.write("a.cz", std::string(100000, 'o'));
    run(true, source, packed, GetParam());
    EXPECT_EQ(TCompressor::CompressBytes("short", GetParam()), TempDir::read(packed));
}

INSTANTIATE_TEST_SUITE_P(Methods, FileRoundTrip, testing::Values(CompressionMethod::KH, CompressionMethod::LZH),
                         [](const auto& info) { return info.param == CompressionMethod::KH ? "KH" : "LZH"; });

// Every refusal to open names the file; "self" stands for the input itself, "dir" for the folder.
TEST(FileMode, FilesThatCannotBeOpenedAreNamedAndKeptWhole)
{
    const struct {
        const char* what;
        bool compress;
        const char* input;
        const char* output;
        const char* message;  // followed by the file's name
        const char* named;
    } cases[] = {
        {"missing input", true, "missing.c", "out.cz", "Failed to open input file : ", "missing.c"},
        {"missing input to decompress", false, "missing.c", "out.cz", "Failed to open input file : ", "missing.c"},
        {"folder as input", true, "dir", "x", "Failed to open input file : ", "dir"},
        {"folder as output", true, "a.c", "dir", "Failed to open output file : ", "dir"},
        {"output in a missing folder", true, "a.c", "no/such/folder/a.cz", "Failed to open output file : ",
         "no/such/folder/a.cz"},
        // Opening the output would empty the input before a byte of it was read.
        {"compressing onto itself", true, "a.c", "self", "Failed to open output file : ", "a.c"},
        {"decompressing onto itself", false, "a.cz", "self", "Failed to open output file : ", "a.cz"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string text = cText(5000);
        dir.write("a.c", text);
        dir.write("a.cz", TCompressor::CompressBytes(text, CompressionMethod::KH));
        auto path = [&](const std::string& name) { return name == "dir" ? dir.path().string() : dir.file(name); };
        const std::string input = path(c.input);
        const std::string output = std::string(c.output) == "self" ? input : path(c.output);
        EXPECT_EQ(std::string("Compressor (de)compression : ") + c.message + path(c.named),
                  messageOf([&] { run(c.compress, input, output); }));
        EXPECT_FALSE(std::filesystem::exists(dir.file("out.cz")));
        EXPECT_EQ(text, TempDir::read(dir.file("a.c")));
        EXPECT_EQ(TCompressor::CompressBytes(text, CompressionMethod::KH), TempDir::read(dir.file("a.cz")));
    }
}

TEST(FileMode, FileWithoutHeaderIsNamedAndTheOutputLeftAlone)
{
    TempDir dir;
    const auto plain = dir.write("plain.txt", "just some text");
    const auto out = dir.write("keep.txt", "previous contents");
    EXPECT_EQ(plain + " : Compressor decompression : this file has no valid header !",
              messageOf([&] { run(false, plain, out); }));
    EXPECT_EQ("previous contents", TempDir::read(out));
}

struct CutFile {
    const char* name;
    CompressionMethod method;
    const char* suffix;
};

class CutFiles : public testing::TestWithParam<CutFile> {};

// A damaged stream leaves no half-written output, and an output that was there (also reached
// through a link) keeps its contents.
TEST_P(CutFiles, NameTheFileAndLeaveTheOutputAsItWas)
{
    const auto& c = GetParam();
    TempDir dir;
    const std::string packed = TCompressor::CompressBytes(cText(50000), c.method);
    const auto cut = dir.write("cut.cz", packed.substr(0, packed.size() / 2));
    const auto kept = dir.write("kept.c", "previous contents");
    std::filesystem::create_symlink(kept, dir.file("link.c"));
    for (const char* name : {"out.c", "kept.c", "link.c"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ("Compressor : Error reading from input file : " + cut + c.suffix,
                  messageOf([&] { run(false, cut, dir.file(name)); }));
        EXPECT_FALSE(std::filesystem::exists(dir.file("out.c")));
        EXPECT_EQ("previous contents", TempDir::read(kept));
        EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.c")));
    }
    EXPECT_EQ(3, std::distance(std::filesystem::directory_iterator(dir.path()), {}));
}

INSTANTIATE_TEST_SUITE_P(Methods, CutFiles,
                         testing::Values(CutFile{"KH", CompressionMethod::KH, " (Compressor/KH)"},
                                         CutFile{"LZH", CompressionMethod::LZH, " (LZH)"}),
                         [](const auto& info) { return std::string(info.param.name); });

// /dev/full takes the open and refuses every write, like a full disk.
TEST(FileMode, FullDeviceIsAWriteErrorNeverASuccess)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    TempDir dir;
    const auto source = dir.write("a.c", cText(100000));
    for (const auto method : {CompressionMethod::KH, CompressionMethod::LZH})
        EXPECT_EQ("Compressor : Error writing to output file : /dev/full",
                  messageOf([&] { run(true, source, "/dev/full", method); }));
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));
}

TEST(FileMode, AdviseReadsTheFileByName)
{
    TempDir dir;
    const auto zeros = dir.write("zeros.bin", std::string(200000, '\0'));
    const auto small = dir.write("small.c", cText(1000));
    const auto missing = dir.file("missing.bin");
    TCompressor compressor;
    compressor.setMethod(CompressionMethod::Auto);
    compressor.setInputFileName(zeros);
    EXPECT_EQ(1, compressor.Advise());
    EXPECT_EQ(CompressionMethod::Auto, compressor.method());
    compressor.setInputFileName(small);
    EXPECT_EQ(0, compressor.Advise());
    EXPECT_EQ(CompressionMethod::LZH, compressor.method());
    compressor.setInputFileName(missing);
    EXPECT_EQ("Compressor advise : can open input file : " + missing, messageOf([&] { compressor.Advise(); }));
}

TEST(FileMode, AutoMethodPicksPerFile)
{
    TempDir dir;
    const auto zeros = dir.write("zeros.bin", std::string(200000, '\0'));
    const auto out = dir.file("zeros.cz");
    run(true, zeros, out, CompressionMethod::Auto);
    EXPECT_EQ("WRZL", TempDir::read(out).substr(0, 4));
    const auto text = dir.write("t.c", cText(3000));
    run(true, text, out, CompressionMethod::Auto);
    EXPECT_EQ("!HZL", TempDir::read(out).substr(0, 4));
}

}  // namespace
