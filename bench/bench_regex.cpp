// Literal and regular-expression search over the C corpus, against grep, pcre2grep (no JIT) and
// a std::regex loop measured in the same run. The corpus is held twice: in one flat buffer (line
// ends turned into CR) and in the editor's text store (one line record per line, read through
// TStoreRuns as the control's search reads it). The reference programs read the same file from
// the page cache.
//
//   QUARRY_CORPUS=/path/to/file   (default: the file scripts/make-corpus.sh 469 builds or finds)
//
// Counters: MB/s of our search; x_grep / x_pcre2 / x_std: our throughput divided by theirs.
// Both sides are measured in CPU seconds (ours: this thread; theirs: the child processes), the
// best of the passes, so that other work on the machine does not move the ratios.
#include "regex/TLiteralScanner.h"
#include "text/TStoreRuns.h"
#include "text/TTextStore.h"
#include "regex/TREParser.h"

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <regex>
#include <string>

namespace {

using namespace quarry;
using bench::childrenCpu;
using bench::threadCpu;
using bench::searchCorpusPath;
using bench::searchCorpusText;

TTextStore& corpusStore()
{
    static TTextStore* store = [] {
        auto* s = new TTextStore();  // lives to the end of the program
        s->LoadFromFile(searchCorpusPath(), 0);
        return s;
    }();
    return *store;
}

// The text to search: the flat buffer (range 0) or the store (range 1).
struct Corpus {
    explicit Corpus(benchmark::State& state)
    {
        if (state.range(0) == 0)
            runs = std::make_unique<TFlatText>(searchCorpusText());
        else
            runs = std::make_unique<TStoreRuns>(corpusStore());
        state.SetLabel(state.range(0) == 0 ? "flat" : "store");
    }
    std::unique_ptr<TTextRuns> runs;
};

double megabytes(std::size_t bytes)
{
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

// Best CPU time of three runs of a shell command (its output is discarded).
double commandSeconds(const std::string& command)
{
    static std::map<std::string, double> cache;
    if (auto it = cache.find(command); it != cache.end())
        return it->second;
    double best = 1e30;
    for (int i = 0; i < 3; ++i) {
        const double t0 = childrenCpu();
        // Not /dev/null: grep notices it and stops at the first match.
        const int rc = std::system((command + " > /tmp/quarry-bench-ref.out").c_str());
        const double s = childrenCpu() - t0;
        if (rc == -1 || (WIFEXITED(rc) && WEXITSTATUS(rc) > 1)) {
            std::fprintf(stderr, "reference failed: %s\n", command.c_str());
            return cache[command] = 0;
        }
        best = std::min(best, s);
        if (std::getenv("QUARRY_BENCH_VERBOSE"))
            std::fprintf(stderr, "%.3f s  %s (rc %d)\n", s, command.c_str(), rc);
    }
    return cache[command] = best;
}

std::string quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

void setRatio(benchmark::State& state, const char* name, double ourSeconds, double theirSeconds)
{
    if (theirSeconds > 0 && ourSeconds > 0)
        state.counters[name] = theirSeconds / ourSeconds;
}


struct LiteralCase {
    const char* pattern;
    bool caseSensitive;
};

void literalSearch(benchmark::State& state, LiteralCase c)
{
    const std::string& text = searchCorpusText();
    Corpus source(state);
    TTextRuns& flat = *source.runs;
    TLiteralScanner scanner;
    scanner.setPattern(c.pattern, c.caseSensitive);
    long hits = 0;
    double ours = 1e30;  // best CPU seconds of one pass
    for (auto _ : state) {
        const double t0 = threadCpu();
        hits = 0;
        for (TextPos at = scanner.findForward(flat, 0); at >= 0;
             at = scanner.findForward(flat, at + static_cast<TextPos>(scanner.length())))
            ++hits;
        ours = std::min(ours, threadCpu() - t0);
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.counters["MB/s"] = megabytes(text.size()) / ours;
    const std::string grep = std::string("LC_ALL=C grep -c ") + (c.caseSensitive ? "" : "-i ") +
                             "-F " + quote(c.pattern) + " " + quote(searchCorpusPath());
    setRatio(state, "x_grep", ours, commandSeconds(grep));
}

struct RegexCase {
    const char* ours;
    const char* pcre;   // the same search in pcre2 syntax
    const char* ecma;   // and in std::regex syntax
};

// std::regex is far slower: it runs over a slice and its time is scaled to the whole text.
double stdRegexSeconds(const char* pattern, std::size_t fullSize)
{
    const std::string& text = searchCorpusText();
    const std::size_t slice = std::min<std::size_t>(text.size(), 8u << 20);
    const std::regex re(pattern, std::regex::ECMAScript | std::regex::multiline);
    const double t0 = threadCpu();
    long hits = 0;
    for (auto it = std::cregex_iterator(text.data(), text.data() + slice, re); it != std::cregex_iterator(); ++it)
        ++hits;
    benchmark::DoNotOptimize(hits);
    const double s = threadCpu() - t0;
    return s * static_cast<double>(fullSize) / static_cast<double>(slice);
}

void regexSearch(benchmark::State& state, RegexCase c)
{
    const std::string& text = searchCorpusText();
    Corpus source(state);
    TTextRuns& flat = *source.runs;
    TREParser re;
    re.SetExpression(c.ours);
    long hits = 0;
    double ours = 1e30;
    for (auto _ : state) {
        const double t0 = threadCpu();
        hits = 0;
        for (TextPos from = 0; re.Search(flat, from, true);) {
            ++hits;
            from = re.MatchEnd() + (re.MatchEnd() == re.MatchStart() ? 1 : 0);
        }
        ours = std::min(ours, threadCpu() - t0);
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.counters["MB/s"] = megabytes(text.size()) / ours;
    setRatio(state, "x_pcre2", ours,
             commandSeconds("LC_ALL=C pcre2grep --no-jit -c " + quote(c.pcre) + " " + quote(searchCorpusPath())));
    static std::map<std::string, double> stdTimes;
    if (!stdTimes.count(c.ecma))
        stdTimes[c.ecma] = stdRegexSeconds(c.ecma, text.size());
    setRatio(state, "x_std", ours, stdTimes[c.ecma]);
    state.SetLabel(std::string(state.range(0) == 0 ? "flat " : "store ") + re.DescribeFilters());
}

const RegexCase kRegexes[] = {
    {"[A-Za-z]{30}", "[A-Za-z]{30}", "[A-Za-z]{30}"},
    {"[A-Z]+_SUSPEND", "[A-Z]+_SUSPEND", "[A-Z]+_SUSPEND"},
    {"\"foo\"||\"bar\"", "((foo)(bar)?)|((bar)(foo)?)", "(((foo)(bar)?)|((bar)(foo)?))"},
    {"x{2,3}y", "x{2,3}y", "x{2,3}y"},
    {"^\\s*#define", "^\\s*#define", "^\\s*#define"},
};

void registerAll()
{
    const LiteralCase literals[] = {
        {"QuarryNeverMatches", true}, {"QuarryNeverMatches", false}, {"define", true}, {"define", false}};
    for (const auto& l : literals)
        benchmark::RegisterBenchmark(
            (std::string("Literal/") + l.pattern + (l.caseSensitive ? "/case" : "/nocase")).c_str(),
            literalSearch, l)
            ->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
    for (const auto& r : kRegexes)
        benchmark::RegisterBenchmark((std::string("Regex/") + r.ours).c_str(), regexSearch, r)
            ->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
}

}  // namespace

int main(int argc, char** argv)
{
    registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
