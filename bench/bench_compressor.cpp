// Compressor speed and density on the shared C corpus, against gzip -1 and lz4 -1 run on the
// same bytes in the same run. Ours and the reference programs alike read the file from the page
// cache and write to /dev/null (the programs also pay a process start, a few milliseconds). The
// summary at the end prints every figure as a ratio.
//
// QUARRY_CORPUS names another input; by default scripts/make-corpus.sh 50 builds or finds it.
#include "compress/TCompressor.h"

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

namespace {

using quarry::CompressionMethod;
using quarry::TCompressor;
using quarry::bench::wallSeconds;

const std::string& corpusFile()
{
    static const std::string path = quarry::bench::givenOrMadeCorpus(50);
    return path;
}

const std::string& corpus()
{
    static const std::string bytes = quarry::bench::readFile(corpusFile());
    return bytes;
}

// Seconds per run and compressed size of every benchmark, for the summary.
struct Figure {
    double seconds = 0;
    double compressedBytes = 0;
};
std::map<std::string, Figure>& figures()
{
    static std::map<std::string, Figure> all;
    return all;
}

void record(benchmark::State& state, const std::string& name, double compressedBytes)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpus().size()));
    state.counters["ratio"] = compressedBytes / static_cast<double>(corpus().size());
    figures()[name].compressedBytes = compressedBytes;
}

std::string tempFile(const std::string& suffix)
{
    return (std::filesystem::temp_directory_path() / ("quarry-bench-compressor" + suffix)).string();
}

// Our codecs run as the reference programs do: the corpus file in, /dev/null out.
std::uint64_t runFile(bool compress, CompressionMethod method, const std::string& in, const std::string& out)
{
    TCompressor compressor;
    compressor.setMethod(method);
    compressor.setInputFileName(in);
    compressor.setOutputFileName(out);
    return compress ? compressor.Compress() : compressor.Decompress();
}

std::string packedFile(CompressionMethod method)
{
    const std::string path = tempFile(method == CompressionMethod::KH ? ".kh" : ".lzh");
    runFile(true, method, corpusFile(), path);
    return path;
}

void BM_Compress(benchmark::State& state, CompressionMethod method, const std::string& name)
{
    std::uint64_t written = 0;
    double total = 0;
    for (auto _ : state) {
        const double s = wallSeconds([&] { written = runFile(true, method, corpusFile(), "/dev/null"); });
        state.SetIterationTime(s);
        total += s;
    }
    figures()[name].seconds = total / static_cast<double>(state.iterations());
    record(state, name, static_cast<double>(written));
}

void BM_Decompress(benchmark::State& state, CompressionMethod method, const std::string& name)
{
    const std::string packed = packedFile(method);
    std::uint64_t produced = 0;
    double total = 0;
    for (auto _ : state) {
        const double s = wallSeconds([&] { produced = runFile(false, method, packed, "/dev/null"); });
        state.SetIterationTime(s);
        total += s;
    }
    if (produced != corpus().size())
        state.SkipWithError("decompressed size differs");
    figures()[name].seconds = total / static_cast<double>(state.iterations());
    record(state, name, static_cast<double>(std::filesystem::file_size(packed)));
}

// The buffer forms that the parser repository uses, whole corpus in memory; the result string
// is fresh memory every time, which this machine makes expensive, so these are for reference.
void BM_Bytes(benchmark::State& state, CompressionMethod method)
{
    const std::string& input = corpus();
    const std::string packed = TCompressor::CompressBytes(input, method);
    for (auto _ : state)
        benchmark::DoNotOptimize(TCompressor::DecompressBytes(packed));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

// Runs a reference program through the shell; its output goes to /dev/null.
void BM_Program(benchmark::State& state, const std::string& command, const std::string& sizeCommand,
                const std::string& name)
{
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) {
        state.SkipWithError(("cannot run: " + command).c_str());
        return;
    }
    double total = 0;
    for (auto _ : state) {
        const double s = wallSeconds([&] { benchmark::DoNotOptimize(std::system((command + " >/dev/null").c_str())); });
        state.SetIterationTime(s);
        total += s;
    }
    figures()[name].seconds = total / static_cast<double>(state.iterations());
    double size = 0;
    if (FILE* pipe = popen(sizeCommand.c_str(), "r")) {
        char line[64];
        if (std::fgets(line, sizeof line, pipe))
            size = std::atof(line);
        pclose(pipe);
    }
    record(state, name, size);
}

void registerAll()
{
    const std::string file = corpusFile();
    const std::string gz = tempFile(".gz");
    const std::string lz = tempFile(".lz4");
    std::system(("gzip -1 -c '" + file + "' > '" + gz + "' 2>/dev/null").c_str());
    std::system(("lz4 -1 -q -c '" + file + "' > '" + lz + "' 2>/dev/null").c_str());

    auto ours = [](const char* name, auto fn, CompressionMethod method) {
        benchmark::RegisterBenchmark(name, fn, method, std::string(name))
            ->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
    };
    ours("KH/compress", BM_Compress, CompressionMethod::KH);
    ours("KH/decompress", BM_Decompress, CompressionMethod::KH);
    ours("LZH/compress", BM_Compress, CompressionMethod::LZH);
    ours("LZH/decompress", BM_Decompress, CompressionMethod::LZH);
    benchmark::RegisterBenchmark("KH/DecompressBytes", BM_Bytes, CompressionMethod::KH)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("LZH/DecompressBytes", BM_Bytes, CompressionMethod::LZH)->Unit(benchmark::kMillisecond);

    auto program = [](const char* name, const std::string& command, const std::string& sizeCommand) {
        benchmark::RegisterBenchmark(name, BM_Program, command, sizeCommand, std::string(name))
            ->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
    };
    program("gzip-1/compress", "gzip -1 -c '" + file + "'", "stat -c %s '" + gz + "'");
    program("gzip-1/decompress", "gzip -d -c '" + gz + "'", "stat -c %s '" + gz + "'");
    program("lz4-1/compress", "lz4 -1 -q -c '" + file + "'", "stat -c %s '" + lz + "'");
    program("lz4-1/decompress", "lz4 -d -q -c '" + lz + "'", "stat -c %s '" + lz + "'");
}

void printSummary()
{
    auto& f = figures();
    const double mb = static_cast<double>(corpus().size()) / 1e6;
    auto speed = [&](const std::string& name) { return f[name].seconds > 0 ? mb / f[name].seconds : 0.0; };
    auto ratio = [&](const std::string& name) { return f[name].compressedBytes / static_cast<double>(corpus().size()); };
    std::printf("\nCorpus: %s (%.1f MB)\n", corpusFile().c_str(), mb);
    std::printf("%-18s %10s %12s\n", "", "MB/s", "size ratio");
    for (const char* name : {"KH/compress", "KH/decompress", "LZH/compress", "LZH/decompress", "gzip-1/compress",
                             "gzip-1/decompress", "lz4-1/compress", "lz4-1/decompress"})
        std::printf("%-18s %10.1f %12.4f\n", name, speed(name), ratio(name));
    std::printf("\nKH compression speed / gzip -1:        %.2fx (target >= 2)\n",
                speed("KH/compress") / speed("gzip-1/compress"));
    std::printf("KH decompression speed:                 %.0f MB/s (target >= 500), %.2fx gzip -1 -d\n",
                speed("KH/decompress"), speed("KH/decompress") / speed("gzip-1/decompress"));
    std::printf("KH compressed size / lz4 -1:            %.3fx\n", ratio("KH/compress") / ratio("lz4-1/compress"));
    std::printf("LZH compressed size / gzip -1:          %.3fx (target <= 1.1)\n",
                ratio("LZH/compress") / ratio("gzip-1/compress"));
    std::printf("LZH compression speed / gzip -1:        %.2fx\n", speed("LZH/compress") / speed("gzip-1/compress"));
    std::printf("LZH decompression speed / gzip -1 -d:   %.2fx\n",
                speed("LZH/decompress") / speed("gzip-1/decompress"));
}

}  // namespace

int main(int argc, char** argv)
{
    if (corpusFile().empty() || corpus().empty()) {
        std::fprintf(stderr, "bench_compressor: no corpus (set QUARRY_CORPUS or run scripts/make-corpus.sh 50)\n");
        return 1;
    }
    registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSummary();
    for (const char* suffix : {".gz", ".lz4", ".kh", ".lzh"}) {
        std::error_code ignored;
        std::filesystem::remove(tempFile(suffix), ignored);
    }
    return 0;
}
