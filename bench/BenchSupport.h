#pragma once
// What the benchmark programs share: finding the source tree and the C corpus, reading files
// and the clocks the figures are taken with. Every bench/*.cpp is a program of its own, so this
// stays header-only.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace quarry::bench {

inline std::filesystem::path exeDir()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

// $QUARRY_SOURCE_DIR, else the tree above the build's bin/ folder, else the tree this file was
// compiled from. The last comes after: a compiler cache with a base folder records that path
// relative to the build folder, which is wrong from anywhere else.
inline std::filesystem::path sourceRoot()
{
    if (const char* root = std::getenv("QUARRY_SOURCE_DIR"))
        return root;
    const std::filesystem::path aboveBuild = exeDir().parent_path().parent_path();
    if (std::filesystem::exists(aboveBuild / "scripts" / "make-corpus.sh"))
        return aboveBuild;
    return std::filesystem::path(__FILE__).parent_path().parent_path();
}

// The C text of the given size that scripts/make-corpus.sh builds (or finds); empty when it
// could not.
inline std::string corpusPath(int megabytes)
{
    const std::string command =
        (sourceRoot() / "scripts" / "make-corpus.sh").string() + " " + std::to_string(megabytes);
    FILE* pipe = popen(command.c_str(), "r");
    char line[4096] = {};
    if (!pipe || !std::fgets(line, sizeof line, pipe)) {
        if (pipe)
            pclose(pipe);
        return {};
    }
    pclose(pipe);
    std::string path = line;
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r'))
        path.pop_back();
    return path;
}

// The file QUARRY_CORPUS names, else corpusPath(megabytes).
inline std::string givenOrMadeCorpus(int megabytes)
{
    if (const char* given = std::getenv("QUARRY_CORPUS"); given && *given)
        return given;
    return corpusPath(megabytes);
}

// The whole file; empty when it cannot be read.
inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

// The corpus with its line ends as the editor stores them (CR); the program ends when there is
// no corpus, as no figure would mean anything.
inline std::string readCorpusAsStored(const std::string& path)
{
    if (!std::ifstream(path, std::ios::binary)) {
        std::fprintf(stderr, "no corpus at '%s' (scripts/make-corpus.sh 469 builds it)\n", path.c_str());
        std::exit(1);
    }
    std::string text = readFile(path);
    for (auto& c : text)
        if (c == '\n')
            c = '\r';
    return text;
}

// The 469 MB corpus the search benchmarks share (or the file QUARRY_CORPUS names): its path and
// its text as stored, each found and read once.
inline const std::string& searchCorpusPath()
{
    static const std::string path = givenOrMadeCorpus(469);
    return path;
}

inline const std::string& searchCorpusText()
{
    static const std::string text = readCorpusAsStored(searchCorpusPath());
    return text;
}

// CPU seconds of this thread: the figures compare work done, so that other programs sharing the
// machine do not change the ratios.
inline double threadCpu()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// CPU seconds of the finished child processes (the reference programs), user and system.
inline double childrenCpu()
{
    rusage usage;
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

inline double wallSeconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace quarry::bench
