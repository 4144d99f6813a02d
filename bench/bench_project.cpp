// Project benchmarks: opening and saving a project with 26 editor windows, and reading a project
// file with very many file keys. Every figure comes with its reference from the same run:
//   - opening (read the project file, locate 26 files, load each into an editor control, place
//     caret and markers, from FILEZ down to FILEA) against merely reading the project file and
//     the 26 sources into strings;
//   - saving the project sections of 26 windows and 200 project files against writing the same
//     bytes with one ofstream;
//   - reading the file list and windows of a project file with 25,000 to 100,000 FILEn keys
//     against reading the same file's bytes.
// The windows themselves are the Qt part and are timed by the offscreen main-window test.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "editor/HeadlessHost.h"
#include "editor/TCustomCodeMemo.h"
#include "platform/FileFacts.h"
#include "platform/ProfileFile.h"
#include "settings/ProjectFile.h"

#include "BenchSupport.h"

namespace {

using namespace quarry;
namespace fs = std::filesystem;

constexpr int kWindows = 26;
constexpr int kLinesPerFile = 2000;  // about 80 KB a file, 2 MB in all

// A project directory with 26 sources and a project file naming them all.
struct ProjectOnDisk {
    ProjectOnDisk()
    {
        dir = fs::temp_directory_path() / ("quarry-bench-project-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        std::ostringstream project;
        project << "[PROJECT]\nDEFAULTSOURCEPATH=" << dir.string() << "\n[PROJECTFILES]\nNUMFILES=" << kWindows << "\n";
        for (int k = 1; k <= kWindows; ++k) {
            const auto name = (dir / ("src" + std::to_string(k) + ".c")).string();
            sources.push_back(name);
            std::ofstream out(name, std::ios::binary);
            for (int line = 0; line < kLinesPerFile; ++line)
                out << "    value_" << line << " = compute(value_" << line - 1 << ", " << k << "); /* note */\r\n";
            project << "FILE" << k << "=" << name << "\n";
        }
        for (int k = 1; k <= kWindows; ++k) {
            project << "[" << ProjectFile::windowSection(k) << "]\nFILENAME=" << sources[std::size_t(k - 1)]
                    << "\nSTATE=0\nEDITORROW=" << 10 * k << "\nEDITORCOLUMN=3\nLEFT=" << k << "\nWIDTH=400\nTOP=" << k
                    << "\nHEIGHT=300\nVISIBLE=1\nMARKER1ROW=" << k << "\nMARKER1COLUMN=1\n";
        }
        projectFile = (dir / "bench.ppf").string();
        std::ofstream(projectFile, std::ios::binary) << project.str();
    }
    ~ProjectOnDisk() { fs::remove_all(dir); }

    fs::path dir;
    std::vector<std::string> sources;
    std::string projectFile;
};

ProjectOnDisk& Disk()
{
    static ProjectOnDisk disk;
    return disk;
}

void OpenProject26(benchmark::State& state)
{
    const auto& disk = Disk();
    HeadlessHost host{1200, 800};
    for (auto _ : state) {
        std::vector<std::unique_ptr<TCustomCodeMemo>> windows;
        const ProfileFile file(disk.projectFile);
        ProjectState project;
        ProjectFile::readFiles(file, project);
        const auto records = ProjectFile::readWindows(file);
        for (auto k = records.size(); k > 0; --k) {
            const auto& record = records[k - 1];
            if (record.fileName.empty() || !files::fileExists(record.fileName))
                continue;
            auto memo = std::make_unique<TCustomCodeMemo>(host);
            memo->LoadFromFile(record.fileName);
            memo->MoveCaretTo(record.caret.row - 1, record.caret.column - 1, false);
            for (int d = 0; d < ProjectWindowRecord::kMarkers; ++d)
                if (record.markers[std::size_t(d)].row >= 1)
                    memo->SetBookmark(d, record.markers[std::size_t(d)].row, record.markers[std::size_t(d)].column);
            windows.push_back(std::move(memo));
        }
        benchmark::DoNotOptimize(windows.data());
        if (windows.size() != kWindows || project.files.size() != kWindows)
            state.SkipWithError("the project did not open completely");
    }
}

void ReadFilesReference(benchmark::State& state)
{
    const auto& disk = Disk();
    for (auto _ : state) {
        std::vector<std::string> texts;
        for (const auto& name : disk.sources) {
            std::ifstream in(name, std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            texts.push_back(bytes.str());
        }
        std::ifstream in(disk.projectFile, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        texts.push_back(bytes.str());
        benchmark::DoNotOptimize(texts.data());
    }
}

std::vector<ProjectWindowRecord> Windows()
{
    std::vector<ProjectWindowRecord> windows;
    for (int k = 1; k <= kWindows; ++k) {
        ProjectWindowRecord record;
        record.fileName = Disk().sources[std::size_t(k - 1)];
        record.caret = {k, 1};
        record.lineCount = kLinesPerFile;
        record.bounds = {k, k, 400, 300};
        for (int d = 0; d < 10; ++d)
            record.markers[std::size_t(d)] = {d + 1, 1};
        windows.push_back(record);
    }
    return windows;
}

ProjectState BigProject()
{
    ProjectState project;
    project.directory = Disk().dir.string();
    for (int i = 0; i < 200; ++i)
        project.addFile((Disk().dir / ("file" + std::to_string(i) + ".c")).string());
    return project;
}

void SaveProject26(benchmark::State& state)
{
    const auto windows = Windows();
    const auto project = BigProject();
    const auto target = (Disk().dir / "save.ppf").string();
    for (auto _ : state) {
        fs::remove(target);
        ProfileFile file(target);
        ProjectFile::write(file, project, windows);
        file.flush();
    }
}

void WriteBytesReference(benchmark::State& state)
{
    const auto windows = Windows();
    const auto project = BigProject();
    const auto target = (Disk().dir / "save.ppf").string();
    {
        fs::remove(target);
        ProfileFile file(target);
        ProjectFile::write(file, project, windows);
        file.flush();
    }
    std::ifstream in(target, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const auto content = bytes.str();
    const auto copy = (Disk().dir / "copy.ppf").string();
    for (auto _ : state) {
        std::ofstream out(copy, std::ios::binary | std::ios::trunc);
        out.write(content.data(), std::streamsize(content.size()));
    }
}

// A project file with n FILEk keys (and the 26 window sections after them): reading its file list
// and windows, against reading the same file's bytes in the same run (x_read: how many times
// slower). x_read and ns/key staying flat as n doubles show the reading is linear.
void ReadManyFileKeys(benchmark::State& state)
{
    const auto n = static_cast<int>(state.range(0));
    const auto path = (Disk().dir / ("keys" + std::to_string(n) + ".ppf")).string();
    {
        std::ofstream out(path, std::ios::binary);
        out << "[PROJECTFILES]\nNUMFILES=" << n << "\n";
        for (int k = n; k >= 1; --k)
            out << "FILE" << k << "=" << (Disk().dir / ("file" + std::to_string(k) + ".c")).string() << "\n";
        for (int k = 1; k <= kWindows; ++k)
            out << "[" << ProjectFile::windowSection(k) << "]\nFILENAME=" << Disk().sources[std::size_t(k - 1)] << "\n";
    }
    double ours = 1e30;
    double reference = 1e30;
    for (auto _ : state) {
        const double t0 = bench::threadCpu();
        const ProfileFile file(path);
        ProjectState project;
        ProjectFile::readFiles(file, project);
        const auto windows = ProjectFile::readWindows(file);
        ours = std::min(ours, bench::threadCpu() - t0);
        if (project.files.size() != ProjectState::kMaxFiles || windows[0].fileName.empty())
            state.SkipWithError("the file list or the windows were not read");
        const double r0 = bench::threadCpu();
        const std::string bytes = bench::readFile(path);
        benchmark::DoNotOptimize(bytes.data());
        reference = std::min(reference, bench::threadCpu() - r0);
    }
    state.counters["ns/key"] = ours * 1e9 / n;
    state.counters["x_read"] = ours / reference;
}

}  // namespace

BENCHMARK(ReadManyFileKeys)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(OpenProject26)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadFilesReference)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveProject26)->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteBytesReference)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
