// Opening a UTF-8 file against opening a Windows-1252 file of the same size, in the same
// process: the encoding is decided while the bytes are read, so the ratio should stay within
// 1.1. Both files are 100 MB of C text; the UTF-8 one has comments in German, Greek, Chinese
// and emoji on every fourth line, the other the same lines with a Windows-1252 byte instead.
// Best of eleven alternating rounds each, in thread CPU time. Each is then saved untouched and
// must come back byte for byte.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "editor/HeadlessHost.h"
#include "editor/TCustomCodeMemo.h"

#include "BenchSupport.h"

namespace {

using namespace quarry;

constexpr std::size_t kFileBytes = 100u << 20;

std::string MakeText(bool utf8)
{
    // The same byte count either way: the UTF-8 comment's letters against one byte each and
    // blanks.
    const std::string utf8Comment = "// Gr\xC3\xBC\xC3\x9F" "e \xCE\xB1\xCE\xB2\xCE\xB3 \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80\n";
    std::string ansiComment = "// Gr\xFC\xDF" "e abc ";
    ansiComment.append(utf8Comment.size() - ansiComment.size() - 1, 'x');
    ansiComment += '\n';
    std::string text;
    text.reserve(kFileBytes + 256);
    for (int n = 0; text.size() < kFileBytes; ++n) {
        text += "static int counter_" + std::to_string(n) + " = 0;\n";
        text += "    value = read_register(0x40) & 0xFF;\n";
        text += "    if (value > limit) { flags |= 1; }\n";
        text += utf8 ? utf8Comment : ansiComment;
    }
    text.resize(kFileBytes);
    // Ends on a line end, not inside a sequence.
    text.back() = '\n';
    return text;
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void BM_OpenUtf8AgainstWindows1252(benchmark::State& state)
{
    const auto dir = std::filesystem::temp_directory_path() / ("quarry-utf8-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto utf8Path = dir / "utf8.c";
    const auto ansiPath = dir / "ansi.c";
    WriteFile(utf8Path, MakeText(true));
    WriteFile(ansiPath, MakeText(false));
    double bestUtf8 = 1e300, bestAnsi = 1e300;
    bool detected = true, identical = true;
    for (auto _ : state) {
        for (int round = 0; round < 11; ++round) {
            for (bool utf8 : {round % 2 == 0, round % 2 != 0}) {
                HeadlessHost host;
                auto memo = std::make_unique<TCustomCodeMemo>(host);
                const auto& path = utf8 ? utf8Path : ansiPath;
                const double started = bench::threadCpu();
                memo->LoadFromFile(path.string());
                const double seconds = bench::threadCpu() - started;
                (utf8 ? bestUtf8 : bestAnsi) = std::min(utf8 ? bestUtf8 : bestAnsi, seconds);
                detected = detected && memo->Encoding() == (utf8 ? TextEncoding::Utf8 : TextEncoding::Windows1252);
                if (round == 0) {
                    const auto saved = dir / "saved.c";
                    memo->saveFormat = TSaveFormat::sfUNIX;
                    memo->SaveToFile(saved.string());
                    identical = identical && bench::readFile(saved) == bench::readFile(path);
                }
            }
        }
        state.SetIterationTime(bestUtf8);
    }
    std::filesystem::remove_all(dir);
    state.counters["MB"] = kFileBytes / 1e6;
    state.counters["utf8_s"] = bestUtf8;
    state.counters["cp1252_s"] = bestAnsi;
    state.counters["ratio"] = bestUtf8 / bestAnsi;
    state.counters["detected"] = detected;
    state.counters["saved_identical"] = identical;
    if (!detected || !identical) state.SkipWithError("wrong encoding or changed bytes");
}
BENCHMARK(BM_OpenUtf8AgainstWindows1252)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
