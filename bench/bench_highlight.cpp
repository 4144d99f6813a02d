// Highlighting speed: scanning per built-in language, HTML and RTF export of the C corpus, the
// command-line exporter against the reference highlighters run on the same file in the same
// run (timed by the children's processor time), and the lines re-scanned after one typed
// character in the middle of a 100 MB file.
//
// The C corpus comes from scripts/make-corpus.sh (50 and 100 MB of system headers); the other
// languages repeat their golden sample to 8 MB.
#include "editor/HeadlessHost.h"
#include "editor/TCustomCodeMemo.h"
#include "highlight/BuiltinLanguages.h"
#include "highlight/CustomParseHandlers.h"
#include "export/HtmlWriter.h"
#include "export/RtfWriter.h"
#include "export/BufferLineSource.h"
#include "highlight/ScannedText.h"

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

namespace fs = std::filesystem;
using namespace quarry;

namespace {

using bench::corpusPath;
using bench::exeDir;
using bench::readFile;
using bench::sourceRoot;

std::unique_ptr<TCodeMemoParser> parserFor(const BuiltinLanguage& lang)
{
    auto parser = std::make_unique<TCodeMemoParser>();
    parser->compileFile((exeDir() / "highlight" / lang.script).string());
    parser->OnCustomParse = customParseHandlerFor(parser->languageName());
    return parser;
}

const std::string& cCorpus(int megabytes)
{
    static std::map<int, std::string> texts;
    auto it = texts.find(megabytes);
    if (it == texts.end())
        it = texts.emplace(megabytes, normaliseEditorText(readFile(corpusPath(megabytes)))).first;
    return it->second;
}

const char* sampleFor(const std::string& script)
{
    static const std::map<std::string, const char*> samples = {
        {"asm.hl", "sample.asm"},   {"pascal.hl", "sample.pas"},   {"c.hl", "sample.c"},
        {"java.hl", "Sample.java"}, {"html.hl", "sample.html"}, {"text.hl", "sample.txt"}};
    return samples.at(script);
}

std::string repeatedSample(const BuiltinLanguage& lang, size_t bytes)
{
    const std::string sample =
        normaliseEditorText(readFile(sourceRoot() / "tests" / "quarryhl" / "golden" / sampleFor(lang.script)));
    std::string text;
    text.reserve(bytes + sample.size());
    while (text.size() < bytes)
        text += sample;
    return text;
}

void BM_Scan(benchmark::State& state, const BuiltinLanguage* lang)
{
    auto parser = parserFor(*lang);
    const std::string text = std::string(lang->script) == "c.hl" ? cCorpus(50) : repeatedSample(*lang, 8 << 20);
    if (text.empty()) {
        state.SkipWithError("no corpus");
        return;
    }
    long long tokens = 0;
    for (auto _ : state) {
        tokens = 0;
        scanText(*parser, text, [&](const TokenSpan&) { ++tokens; });
        benchmark::DoNotOptimize(tokens);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
    state.counters["tokens"] = double(tokens);
}

// An ostream that discards what it is given, so the writers are measured without the disk.
class NullBuffer final : public std::streambuf {
protected:
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
    int overflow(int c) override { return c; }
};

template <class Writer>
void BM_Export(benchmark::State& state)
{
    auto parser = parserFor(*findBuiltinLanguage("c"));
    const std::string& text = cCorpus(50);
    NullBuffer null;
    std::ostream out(&null);
    for (auto _ : state) {
        const std::vector<uint8_t> styles = scanStyles(*parser, text);
        ExportStyle style = ExportStyle::from(parser->settings());
        style.title = "corpus";
        style.date = "now";
        BufferLineSource lines(text, &styles);
        Writer::write(out, lines, style);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

// Seconds taken by each command of the comparison, for the ratios at the end.
std::map<std::string, double>& commandSeconds()
{
    static std::map<std::string, double> seconds;
    return seconds;
}

void BM_Command(benchmark::State& state, const std::string& name, const std::string& commandTemplate)
{
    const std::string input = corpusPath(50);
    std::string command = commandTemplate;
    for (size_t at; (at = command.find("{in}")) != std::string::npos;)
        command.replace(at, 4, input);
    for (size_t at; (at = command.find("{exe}")) != std::string::npos;)
        command.replace(at, 5, exeDir().string());
    command += " > /dev/null 2>&1";
    for (auto _ : state) {
        // The child's processor time (user + system), so that other work on a shared machine does
        // not decide the ratios; the wall time is reported beside it.
        const double cpuBefore = bench::childrenCpu();
        const auto start = std::chrono::steady_clock::now();
        const int status = std::system(command.c_str());
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double seconds = bench::childrenCpu() - cpuBefore;
        state.SetIterationTime(seconds);
        state.counters["wall_s"] = wall;
        if (status != 0) {
            state.SkipWithError(("command failed: " + command).c_str());
            return;
        }
        commandSeconds()[name] = seconds;
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(fs::file_size(input)));
}

void BM_Ratios(benchmark::State& state)
{
    for (auto _ : state) {
    }
    auto& s = commandSeconds();
    auto ratio = [&](const char* reference, const char* ours) {
        return s.count(reference) && s.count(ours) && s[ours] > 0 ? s[reference] / s[ours] : 0.0;
    };
    state.counters["html_vs_highlight"] = ratio("highlight-html", "quarryhl-html");
    state.counters["html_vs_kate"] = ratio("kate-html", "quarryhl-html");
    state.counters["rtf_vs_highlight"] = ratio("highlight-rtf", "quarryhl-rtf");
}

// One character typed in the middle of a 100 MB C text through the editor control's re-scan
// loop: the lines its tokens covered before the stop rule ended it.
void BM_ControlTyping(benchmark::State& state)
{
    auto parser = parserFor(*findBuiltinLanguage("c"));
    const std::string& text = cCorpus(100);
    if (text.empty()) {
        state.SkipWithError("no corpus");
        return;
    }
    HeadlessHost host{800, 800};
    TCustomCodeMemo memo(host);
    memo.SetScanAhead(-1);
    memo.SetText(text);
    memo.SetParser(1, parser.get());
    memo.SetActiveParser(1);
    const Offset at = Offset(text.find('\r', text.size() / 2) + 1);
    Offset first = -1, last = -1;
    memo.OnTokenSeen = [&](std::uint8_t&, Offset start, Offset end) {
        if (start < 0)
            return;
        first = first < 0 ? start : first;
        last = end;
    };
    long long lines = 0;
    for (auto _ : state) {
        first = last = -1;
        memo.SetSelection(at, at);
        memo.ReplaceSelection("x");
        state.PauseTiming();
        const std::string scanned = memo.Store().GetText(first, last);
        lines = std::count(scanned.begin(), scanned.end(), '\r') + 1;
        memo.SetSelection(at, at + 1);
        memo.ReplaceSelection("");
        state.ResumeTiming();
    }
    state.counters["lines_rescanned"] = double(lines);
}

const bool registered = [] {
    for (const BuiltinLanguage& lang : builtinLanguages())
        benchmark::RegisterBenchmark((std::string("BM_Scan/") + lang.script).c_str(), BM_Scan, &lang)
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_ExportHtml/c-50mb", BM_Export<HtmlWriter>)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_ExportRtf/c-50mb", BM_Export<RtfWriter>)->Unit(benchmark::kMillisecond);
    const std::pair<const char*, const char*> commands[] = {
        {"quarryhl-html", "'{exe}/quarryhl' html --lang c '{in}' -o /dev/null"},
        {"highlight-html", "highlight -O html -S c -i '{in}' -o /dev/null"},
        {"kate-html", "kate-syntax-highlighter -f html -s C '{in}' -o /dev/null"},
        {"quarryhl-rtf", "'{exe}/quarryhl' rtf --lang c '{in}' -o /dev/null"},
        {"highlight-rtf", "highlight -O rtf -S c -i '{in}' -o /dev/null"},
    };
    for (const auto& [name, command] : commands)
        benchmark::RegisterBenchmark((std::string("BM_Command/") + name).c_str(), BM_Command, std::string(name),
                                     std::string(command))
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_Ratios", BM_Ratios)->Iterations(1);
    benchmark::RegisterBenchmark("BM_ControlTyping/c-100mb", BM_ControlTyping)
        ->Iterations(5)
        ->Unit(benchmark::kMicrosecond);
    return true;
}();

}  // namespace

BENCHMARK_MAIN();
