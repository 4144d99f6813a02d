// Search and replace through the editor control itself, on the C corpus.
//   Control/Find/...       the control's Search called again and again (each match selected), as
//                          "find next" does, over the whole corpus; x_grep against grep -c.
//   ReplaceAll/<n>         replace-all of a frequent word on a prefix of the corpus that holds n
//                          occurrences; ns/replacement staying flat as n grows shows the work is
//                          linear. One undo must then restore the text exactly (checked; a
//                          mismatch ends the program with an error).
//
// Times are CPU seconds (ours: this thread; grep: the child processes), best of the passes.
//
//   QUARRY_CORPUS=/path/to/file   (default: the file scripts/make-corpus.sh 469 builds or finds)
#include "editor/TCodeMemoHost.h"
#include "editor/TCodeMemoSearch.h"
#include "editor/TCustomCodeMemo.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <sys/resource.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using namespace quarry;

// CPU seconds of this thread: the figures compare work done, so that other programs sharing the
// machine do not change the ratios.
double threadCpu()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double childrenCpu()
{
    rusage usage;
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

class QuietHost final : public TCodeMemoHost {
public:
    void SetFont(const TCM_Font&) override {}
    int CharWidth(unsigned char) const override { return 8; }
    int AverageCharWidth() const override { return 8; }
    int LineHeight() const override { return 16; }
    int ClientWidth() const override { return 800; }
    int ClientHeight() const override { return 600; }
    bool HasClipboardText() const override { return false; }
    std::string ClipboardText() const override { return {}; }
    void SetClipboardText(const std::string&) override {}
    void Invalidate() override {}
    void Beep() override {}
};

// The file QUARRY_CORPUS names, else the one scripts/make-corpus.sh 469 builds (or finds).
std::string findCorpus()
{
    if (const char* given = std::getenv("QUARRY_CORPUS"); given && *given)
        return given;
    const auto script = std::filesystem::path(__FILE__).parent_path().parent_path() / "scripts" / "make-corpus.sh";
    std::string path;
    if (FILE* pipe = popen((script.string() + " 469").c_str(), "r")) {
        char line[4096];
        if (std::fgets(line, sizeof line, pipe))
            path = line;
        pclose(pipe);
    }
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r'))
        path.pop_back();
    return path;
}

const std::string& corpusPath()
{
    static const std::string path = findCorpus();
    return path;
}

const std::string& corpusText()
{
    static const std::string text = [] {
        std::ifstream in(corpusPath(), std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "no corpus at '%s' (scripts/make-corpus.sh 469 builds it)\n", corpusPath().c_str());
            std::exit(1);
        }
        std::ostringstream raw;
        raw << in.rdbuf();
        std::string s = raw.str();
        for (auto& c : s)
            if (c == '\n')
                c = '\r';
        return s;
    }();
    return text;
}

double commandSeconds(const std::string& command)
{
    double best = 1e30;
    for (int i = 0; i < 3; ++i) {
        const double t0 = childrenCpu();
        // Not /dev/null: grep notices it and stops at the first match.
        if (std::system((command + " > /tmp/quarry-bench-ref.out").c_str()) == -1)
            return 0;
        best = std::min(best, childrenCpu() - t0);
    }
    return best;
}

void controlFind(benchmark::State& state, const char* pattern, std::uint16_t flags)
{
    static QuietHost host;
    static TCustomCodeMemo* memo = [] {
        auto* m = new TCustomCodeMemo(host);  // lives to the end of the program
        m->SetText(corpusText());
        return m;
    }();
    TCodeMemoSearch search(*memo);
    search.OnSearchFail = [](TCustomCodeMemo&, const std::string&) {};
    long hits = 0;
    double ours = 1e30;  // best CPU seconds of one pass
    for (auto _ : state) {
        memo->SetSelection(0, 0);
        hits = 0;
        const double t0 = threadCpu();
        while (search.Search(static_cast<std::uint16_t>(flags | TCodeMemoSearch::kDirect), pattern) >= 0)
            ++hits;
        ours = std::min(ours, threadCpu() - t0);
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.counters["MB/s"] = static_cast<double>(corpusText().size()) / (1024.0 * 1024.0) / ours;
    const bool nocase = !(flags & TCodeMemoSearch::kMatchCase);
    const double grep = commandSeconds(std::string("LC_ALL=C grep -c -F ") + (nocase ? "-i " : "") + "'" +
                                       pattern + "' " + corpusPath());
    if (grep > 0)
        state.counters["x_grep"] = grep / ours;
}

// The shortest prefix of the corpus, ending at a line end, that holds n occurrences of word.
std::string prefixWith(const std::string& word, long n)
{
    const std::string& text = corpusText();
    std::size_t at = 0;
    for (long found = 0; found < n; ++found) {
        at = text.find(word, at);
        if (at == std::string::npos) {
            std::fprintf(stderr, "the corpus holds fewer than %ld of %s\n", n, word.c_str());
            std::exit(1);
        }
        at += word.size();
    }
    const std::size_t end = text.find('\r', at);
    return text.substr(0, end == std::string::npos ? text.size() : end + 1);
}

void replaceAll(benchmark::State& state)
{
    const long n = state.range(0);
    const std::string text = prefixWith("define", n);
    QuietHost host;
    TCustomCodeMemo memo(host);
    TCodeMemoSearch search(memo);
    int replaced = 0;
    double best = 1e30;
    for (auto _ : state) {
        state.PauseTiming();
        memo.SetText(text);
        memo.SetSelection(0, 0);
        const std::string loaded = memo.Text();  // control bytes became "." on the way in
        state.ResumeTiming();
        const double t0 = threadCpu();
        replaced = search.ReplaceAll("define", "DEFINE_IT", TCodeMemoSearch::kMatchCase);
        best = std::min(best, threadCpu() - t0);
        state.PauseTiming();
        const double u0 = threadCpu();
        memo.Undo();
        state.counters["undo_ms"] = (threadCpu() - u0) * 1000;
        if (memo.Text() != loaded || memo.CanUndo()) {
            std::fprintf(stderr, "one undo did not restore the text after replace-all\n");
            std::exit(1);
        }
        state.ResumeTiming();
    }
    state.counters["replaced"] = replaced;
    state.counters["ns/replacement"] = best * 1e9 / replaced;
    state.counters["MB"] = static_cast<double>(text.size()) / (1024.0 * 1024.0);
}

}  // namespace

BENCHMARK_CAPTURE(controlFind, define_case, "define", TCodeMemoSearch::kMatchCase)
    ->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK_CAPTURE(controlFind, define_nocase, "define", 0)
    ->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK_CAPTURE(controlFind, never_case, "QuarryNeverMatches", TCodeMemoSearch::kMatchCase)
    ->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
BENCHMARK(replaceAll)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);

BENCHMARK_MAIN();
