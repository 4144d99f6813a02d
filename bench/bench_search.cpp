// Search and replace through the editor control itself, on the C corpus.
//   Control/Find/...       the control's Search called again and again (each match selected), as
//                          "find next" does, over the whole corpus; x_grep against grep -c.
//   ReplaceAll/<n>         replace-all of a frequent word on a prefix of the corpus that holds n
//                          occurrences; ns/replacement staying flat as n grows shows the work is
//                          linear. One undo must then restore the text exactly (checked; a
//                          mismatch ends the program with an error).
//   replaceAllOneLine/<n>  replace-all of n matches inside one long line, against building the
//                          result in a std::string (x_string: how many times slower we are).
//
// Times are CPU seconds (ours: this thread; grep: the child processes), best of the passes.
//
//   QUARRY_CORPUS=/path/to/file   (default: the file scripts/make-corpus.sh 469 builds or finds)
#include "editor/HeadlessHost.h"
#include "editor/TCodeMemoSearch.h"
#include "editor/TCustomCodeMemo.h"

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

using namespace quarry;
using bench::childrenCpu;
using bench::threadCpu;
using bench::searchCorpusPath;
using bench::searchCorpusText;

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
    static HeadlessHost host;
    static TCustomCodeMemo* memo = [] {
        auto* m = new TCustomCodeMemo(host);  // lives to the end of the program
        m->SetText(searchCorpusText());
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
    state.counters["MB/s"] = static_cast<double>(searchCorpusText().size()) / (1024.0 * 1024.0) / ours;
    const bool nocase = !(flags & TCodeMemoSearch::kMatchCase);
    const double grep = commandSeconds(std::string("LC_ALL=C grep -c -F ") + (nocase ? "-i " : "") + "'" +
                                       pattern + "' " + searchCorpusPath());
    if (grep > 0)
        state.counters["x_grep"] = grep / ours;
}

// The shortest prefix of the corpus, ending at a line end, that holds n occurrences of word.
std::string prefixWith(const std::string& word, long n)
{
    const std::string& text = searchCorpusText();
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

// Best CPU seconds of one replace-all of `pattern` by `with` over `text` through the control,
// which is loaded afresh before each pass; `afterPass` runs untimed after each one.
double bestReplaceAll(benchmark::State& state, const std::string& text, const char* pattern, const char* with,
                      int& replaced, const std::function<void(TCustomCodeMemo&, const std::string& loaded)>& afterPass)
{
    HeadlessHost host;
    TCustomCodeMemo memo(host);
    TCodeMemoSearch search(memo);
    double best = 1e30;
    for (auto _ : state) {
        state.PauseTiming();
        memo.SetText(text);
        memo.SetSelection(0, 0);
        const std::string loaded = memo.Text();
        state.ResumeTiming();
        const double t0 = threadCpu();
        replaced = search.ReplaceAll(pattern, with, TCodeMemoSearch::kMatchCase);
        best = std::min(best, threadCpu() - t0);
        state.PauseTiming();
        afterPass(memo, loaded);
        state.ResumeTiming();
    }
    return best;
}

void replaceAll(benchmark::State& state)
{
    const std::string text = prefixWith("define", state.range(0));
    int replaced = 0;
    const double best = bestReplaceAll(state, text, "define", "DEFINE_IT", replaced,
                                       [&](TCustomCodeMemo& memo, const std::string& loaded) {
                                           const double u0 = threadCpu();
                                           memo.Undo();
                                           state.counters["undo_ms"] = (threadCpu() - u0) * 1000;
                                           if (memo.Text() != loaded || memo.CanUndo()) {
                                               std::fprintf(stderr, "one undo did not restore the text after replace-all\n");
                                               std::exit(1);
                                           }
                                       });
    state.counters["replaced"] = replaced;
    state.counters["ns/replacement"] = best * 1e9 / replaced;
    state.counters["MB"] = static_cast<double>(text.size()) / (1024.0 * 1024.0);
}

// Replace-all of n matches inside one line ("ab " n times, "ab" becoming "xyz"), against building
// the same result in a std::string in the same run: x_string (our time over the string's) and
// ns/replacement staying flat as n doubles show the work is linear.
void replaceAllOneLine(benchmark::State& state)
{
    std::string text;
    for (long i = 0; i < state.range(0); ++i)
        text += "ab ";
    int replaced = 0;
    double reference = 1e30;
    const double best = bestReplaceAll(state, text, "ab", "xyz", replaced, [&](TCustomCodeMemo&, const std::string&) {
        const double r0 = threadCpu();
        std::string result;
        for (std::size_t at = 0, found; (found = text.find("ab", at)) != std::string::npos; at = found + 2)
            result.append(text, at, found - at).append("xyz");
        benchmark::DoNotOptimize(result.data());
        reference = std::min(reference, threadCpu() - r0);
    });
    state.counters["replaced"] = replaced;
    state.counters["ns/replacement"] = best * 1e9 / replaced;
    state.counters["x_string"] = best / reference;
}

}  // namespace

BENCHMARK(replaceAllOneLine)->Arg(200000)->Arg(400000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_CAPTURE(controlFind, define_case, "define", TCodeMemoSearch::kMatchCase)
    ->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK_CAPTURE(controlFind, define_nocase, "define", 0)
    ->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK_CAPTURE(controlFind, never_case, "QuarryNeverMatches", TCodeMemoSearch::kMatchCase)
    ->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
BENCHMARK(replaceAll)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);

BENCHMARK_MAIN();
