// Tool runs, timed with their references in the same run:
//  - reading, scanning and listing a GCC error file of 100,000 lines whose only error is the
//    last line (every warning before it is passed over and listed), against reading the file;
//  - the build output panel taking 100 MB of a real tool's output (cat of a file through the
//    pipes) while its window paints, against cat of the same file to /dev/null.
#include "platform/PathStyle.h"
#include "tools/ErrorScanner.h"
#include "tools/ProgramLauncher.h"
#include "tools/ToolProcesses.h"
#include "tools/ui/TBuildOutput.h"

#include "BenchSupport.h"
#include "OffscreenBenchMain.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;
using namespace quarry;

namespace {

fs::path scratch(const std::string& name)
{
    return fs::temp_directory_path() / ("quarry-bench-tools-" + std::to_string(::getpid()) + "-" + name);
}

// 100,000 lines of GCC output: warnings with their context lines, one error at the end.
const fs::path& errorFile()
{
    static const fs::path path = [] {
        const auto file = scratch("errors.txt");
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < 99999 / 4; ++i) {
            const auto n = std::to_string(i % 5000 + 1);
            out << "src/module_" << i % 97 << ".c: In function 'handler_" << i << "':\n"
                << "src/module_" << i % 97 << ".c:" << n << ":9: warning: unused variable 'value_" << i
                << "' [-Wunused-variable]\n"
                << "   " << n << " |     int value_" << i << ";\n"
                << "      |         ^~~~~~~\n";
        }
        for (int i = 4 * (99999 / 4); i < 99999; ++i)
            out << "note: padding line " << i << "\n";
        out << "src/main.c:4711:5: error: expected ';' before 'return'\n";
        return file;
    }();
    return path;
}

// 100 MB of lines as a compiler floods them.
const fs::path& floodFile()
{
    static const fs::path path = [] {
        const auto file = scratch("flood.txt");
        std::ofstream out(file, std::ios::binary);
        const std::string line = "/home/user/project/src/peripheral_driver.c:1234:56: warning: comparison of integer "
                                 "expressions of different signedness\n";
        for (std::size_t written = 0; written < 100u << 20; written += line.size())
            out << line;
        return file;
    }();
    return path;
}

void BM_ErrorFile100kLines(benchmark::State& state)
{
    const auto path = errorFile();
    std::size_t listed = 0;
    for (auto _ : state) {
        const auto text = bench::readFile(path);
        const auto first = ScanErrorLines(text, true, ErrorGrammar::Gcc, PathStyle::posix());
        const auto listing = ListErrors(text, ErrorGrammar::Gcc, PathStyle::posix(), 100000);
        listed = listing.entries.size();
        benchmark::DoNotOptimize(first);
    }
    double reference = 1e9;
    for (int round = 0; round < 5; ++round)
        reference = std::min(reference, bench::wallSeconds([&] { benchmark::DoNotOptimize(bench::readFile(path)); }));
    state.counters["listed"] = static_cast<double>(listed);
    state.counters["read_ms"] = reference * 1e3;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(fs::file_size(path)));
}

double catToDevNull(const fs::path& path)
{
    return bench::wallSeconds([&] {
        const std::string command = "cat '" + path.string() + "' > /dev/null";
        const char* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
        pid_t pid = 0;
        posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ);
        int status = 0;
        waitpid(pid, &status, 0);
    });
}

void BM_OutputPanel100MB(benchmark::State& state)
{
    const auto path = floodFile();
    TBuildOutput panel;
    panel.resize(1000, 400);
    panel.show();
    ToolProcesses processes(&panel);
    for (auto _ : state) {
        panel.Clear();
        int error = 0;
        auto run = processes.Start({"cat", {path.string()}, "cat " + path.string(), {}}, error);
        while (processes.AnyRunning()) {
            processes.PumpAll();
            QApplication::processEvents();
        }
        panel.Flush();
        benchmark::DoNotOptimize(run);
    }
    double reference = 1e9;
    for (int round = 0; round < 3; ++round)
        reference = std::min(reference, catToDevNull(path));
    state.counters["cat_ms"] = reference * 1e3;
    state.counters["kept_lines"] = static_cast<double>(panel.Log().Count());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(fs::file_size(path)));
}

BENCHMARK(BM_ErrorFile100kLines)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_OutputPanel100MB)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    const int result = bench::runOffscreenBenchmarks(argc, argv);
    fs::remove(scratch("errors.txt"));
    fs::remove(scratch("flood.txt"));
    return result;
}
