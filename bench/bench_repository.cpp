// Start-up cost of the parser repository: loading the six built-in parsers from their embedded,
// compressed images, against compiling the same six scripts in the same run (what start-up would
// cost without the images) and against decompressing the images alone. Also the settings round
// trip through the editor store and the cost that the auto-replace list adds to a keystroke.
// The summary at the end prints the figures and ratios; the IDE decompresses lazily only if the
// start-up exceeds 20 ms.
#include "editor/HeadlessHost.h"
#include "editor/TCustomCodeMemo.h"
#include "editorsettings/VirtualKeys.h"
#include "highlight/BuiltinLanguages.h"
#include "highlight/BuiltinParserImages.h"
#include "editor/ExpansionHooks.h"
#include "platform/PersistentEditorStore.h"
#include "editor/TAutoReplace.h"
#include "highlight/TCodeMemoParser.h"
#include "compress/TCompressor.h"
#include "highlight/TParserRepository.h"

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

using namespace quarry;

std::map<std::string, double>& seconds()
{
    static std::map<std::string, double> s;
    return s;
}

std::string scriptPath(const char* script)
{
    return (bench::sourceRoot() / "data" / "highlight" / script).string();
}

void BM_RepositoryStartup(benchmark::State& state)
{
    for (auto _ : state) {
        TParserRepository repository(builtinParserImages());
        benchmark::DoNotOptimize(&repository);
    }
}

void BM_DecompressImagesOnly(benchmark::State& state)
{
    for (auto _ : state)
        for (const BuiltinParserImage& image : builtinParserImages())
            benchmark::DoNotOptimize(TCompressor::DecompressBytes(image.property.substr(6)));
}

void BM_CompileSixScripts(benchmark::State& state)
{
    for (auto _ : state)
        for (const BuiltinLanguage& language : builtinLanguages()) {
            TCodeMemoParser parser;
            parser.compileFile(scriptPath(language.script));
            benchmark::DoNotOptimize(&parser);
        }
}

void BM_SettingsRoundTripThroughStore(benchmark::State& state)
{
    TParserRepository repository(builtinParserImages());
    for (auto _ : state) {
        PersistentEditorStore store;
        repository.SaveAllSettings(store);
        benchmark::DoNotOptimize(repository.LoadAllSettings(store));
    }
}

// Types a line of words, each ended by a blank: the blank is an auto-replace trigger.
void typeLine(TCustomCodeMemo& memo)
{
    static const std::string words = "the quick brown fox jumps over teh lazy dog and recieves nothing ";
    for (char c : words) {
        if (c == ' ') {
            if (!memo.KeyDown(VK_SPACE, 0))
                memo.KeyPress(' ');
        } else {
            memo.KeyPress(c);
        }
    }
    memo.Clear();
}

void typing(benchmark::State& state, bool autoReplace)
{
    TParserRepository repository(builtinParserImages());
    TCodeMemoParser& text = *repository.Find("Plain text");
    autoReplaceOf(text.Settings())->enabled = autoReplace;
    HeadlessHost host;
    TCustomCodeMemo memo(host);
    memo.SetParser(1, &text);
    memo.SetActiveParser(1);
    for (auto _ : state)
        typeLine(memo);
}

void BM_TypingWithAutoReplace(benchmark::State& state) { typing(state, true); }
void BM_TypingWithoutAutoReplace(benchmark::State& state) { typing(state, false); }

BENCHMARK(BM_RepositoryStartup)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecompressImagesOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompileSixScripts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SettingsRoundTripThroughStore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypingWithAutoReplace)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_TypingWithoutAutoReplace)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

// Collects the CPU time per iteration of every run for the summary: the machine is shared, and
// wall time there mostly measures the neighbours.
class SummaryReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.run_name.function_name;
            static const std::map<std::string, std::string> kKeys = {
                {"BM_RepositoryStartup", "startup"},
                {"BM_DecompressImagesOnly", "decompress"},
                {"BM_CompileSixScripts", "compile"},
                {"BM_SettingsRoundTripThroughStore", "store"},
                {"BM_TypingWithAutoReplace", "typingAuto"},
                {"BM_TypingWithoutAutoReplace", "typingPlain"}};
            if (auto key = kKeys.find(name); key != kKeys.end() && run.iterations > 0)
                seconds()[key->second] = run.cpu_accumulated_time / double(run.iterations);
        }
    }
};

void printSummary()
{
    auto& s = seconds();
    auto ms = [&](const char* k) { return s[k] * 1e3; };
    std::printf("\nStart-up, loading the six built-in parsers: %.2f ms CPU (lazy loading only above 20 ms)\n",
                ms("startup"));
    if (s["startup"] > 0) {
        std::printf("  compiling the six scripts instead:       %.2f ms = %.1fx the start-up\n", ms("compile"),
                    s["compile"] / s["startup"]);
        std::printf("  decompressing the images alone:          %.2f ms = %.0f%% of the start-up\n",
                    ms("decompress"), 100 * s["decompress"] / s["startup"]);
    }
    std::printf("Settings of all six saved to and loaded from the store: %.2f ms\n", ms("store"));
    if (s["typingPlain"] > 0)
        std::printf("Typing a line with the auto-replace list on / off: %.2fx\n", s["typingAuto"] / s["typingPlain"]);
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printSummary();
    return 0;
}
