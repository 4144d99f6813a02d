// Editor engine benchmarks. Every figure comes with its reference from the same run:
//   - loading the 469 MB C corpus against `vim -u NONE -es -c q` on the same file (best of three
//     alternating rounds each), and against the time the machine needs merely to fault in as much
//     fresh memory as the text takes;
//   - resident memory against the file size, before and after a full scan;
//   - typing, Return with auto-indent and Delete in the 469 MB text against the same in 1 MB;
//   - sequential and random Locate, with the records walked against the distance;
//   - undo of groups of 10,000, 50,000 and 100,000 transactions (time per transaction).
// The corpus comes from scripts/make-corpus.sh (QUARRY_CORPUS_MB overrides the 469).
#include <benchmark/benchmark.h>

#include <sys/wait.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "editor/HeadlessHost.h"
#include "text/LargeBlocks.h"
#include "editorsettings/TCM_Settings.h"
#include "editor/TCustomCodeMemo.h"
#include "highlight/TCustomCodeMemoParser.h"
#include "text/TEdStream.h"
#include "editorsettings/TEditorActions.h"

#include "BenchSupport.h"

namespace {

using namespace quarry;

int BigCorpusMegabytes() {
    const char* env = std::getenv("QUARRY_CORPUS_MB");
    return env ? std::atoi(env) : 469;
}

double ResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) * 1024.0;
    return 0;
}

double FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    return static_cast<double>(in.tellg());
}

// A C-like scanner standing in for the compiled parsers: identifiers, numbers, strings,
// comments (block comments across lines), blanks. Its state: inside a block comment or not.
class CLikeParser final : public TCustomCodeMemoParser {
public:
    std::uint8_t NextToken(TCustomCodeMemo&, TEdStream& s, std::int32_t& length) override {
        const Offset start = s.Position();
        const char c = s.Current();
        std::uint8_t value = 0;
        if (inComment_) {
            if (c == '\r') {
                s.Next();
                value = 5;
            } else {
                while (!s.AtEnd() && s.Current() != '\r') {
                    const char d = s.Current();
                    s.Next();
                    if (d == '*' && s.Current() == '/') {
                        s.Next();
                        inComment_ = false;
                        break;
                    }
                }
                value = 3;
            }
        } else if (c == '/' && Peek(s) == '*') {
            s.Next();
            s.Next();
            inComment_ = true;
            value = 3;
        } else if (c == '/' && Peek(s) == '/') {
            while (!s.AtEnd() && s.Current() != '\r') s.Next();
            value = 3;
        } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            // Runs are read through the stream's contiguous bytes, as a real scanner would.
            std::string_view run = s.Run();
            std::size_t n = 0;
            while (n < run.size() && (std::isalnum(static_cast<unsigned char>(run[n])) || run[n] == '_')) ++n;
            s.Skip(static_cast<std::int32_t>(n));
            value = 1;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            while (std::isalnum(static_cast<unsigned char>(s.Current()))) s.Next();
            value = 2;
        } else if (c == '"') {
            s.Next();
            while (!s.AtEnd() && s.Current() != '"' && s.Current() != '\r') s.Next();
            if (s.Current() == '"') s.Next();
            value = 6;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            s.Next();
            value = 4;
        } else {
            s.Next();
        }
        length = s.Position() - start;
        return value;
    }
    void ResetState(std::uint8_t state) override { inComment_ = state == 5; }
    void SaveState(std::string& state) const override { state.assign(1, inComment_ ? 'c' : '-'); }
    void RestoreState(std::string_view state) override { inComment_ = state == "c"; }
    TCM_Settings& Settings() override { return settings_; }

private:
    static char Peek(TEdStream& s) {
        s.Next();
        const char c = s.Current();
        s.Previous();
        return c;
    }
    TCM_Settings settings_;
    bool inComment_ = false;
};

// One loaded text with its control; the big one is loaded once and shared by the benchmarks.
struct Document {
    HeadlessHost host{1200, 800};
    CLikeParser parser;
    std::unique_ptr<TCustomCodeMemo> memo;
    std::string path;
    double fileBytes = 0;
    double loadSeconds = 0;
    double residentBeforeScan = 0;  // bytes the text added to the process
    double residentAfterScan = 0;
    double scanSeconds = 0;

    explicit Document(int megabytes) {
        path = bench::corpusPath(megabytes);
        fileBytes = FileBytes(path);
        const double base = ResidentBytes();
        memo = std::make_unique<TCustomCodeMemo>(host);
        memo->SetParser(1, &parser);
        loadSeconds = bench::wallSeconds([&] { memo->LoadFromFile(path); });
        residentBeforeScan = ResidentBytes() - base;
    }
    void ScanEverything() {
        if (residentAfterScan > 0) return;
        const double base = ResidentBytes() - residentBeforeScan;
        memo->SetActiveParser(1);
        scanSeconds = bench::wallSeconds([&] { memo->ScanAll(); });
        residentAfterScan = ResidentBytes() - base;
    }
};

std::unique_ptr<Document>& Big() {
    static std::unique_ptr<Document> doc;
    return doc;
}
std::unique_ptr<Document>& Small() {
    static std::unique_ptr<Document> doc;
    return doc;
}

// The time this machine needs just to fault in and fill `bytes` of fresh memory in the store's
// block size: the floor under any load that keeps the text in memory.
double MemoryFloorSeconds(double bytes) {
    const auto blocks = static_cast<std::size_t>(bytes / static_cast<double>(kHugeBlock)) + 1;
    std::vector<void*> kept;
    const double seconds = bench::wallSeconds([&] {
        for (std::size_t i = 0; i < blocks; ++i) {
            kept.push_back(AllocateBlock(kHugeBlock));
            std::memset(kept.back(), 1, kHugeBlock);
        }
    });
    for (void* block : kept) FreeBlock(block);
    return seconds;
}

double VimSeconds(const std::string& path) {
    const std::string command = "vim -u NONE -es -c q '" + path + "' >/dev/null 2>&1";
    int status = 0;
    const double seconds = bench::wallSeconds([&] { status = std::system(command.c_str()); });
    return status == 0 ? seconds : -1;
}

// ---------------------------------------------------------------- loading and memory

// How fast fresh memory arrives depends on what the host did with it last (it is slow to come the
// first time after other work), and vim needs as much of it as we do. So the two take turns, each
// getting the memory the other just gave back, and the best of three rounds of each is compared.
void BM_LoadLargeFileAgainstVim(benchmark::State& state) {
    constexpr int kRounds = 3;
    double bestLoad = 1e300;
    double bestVim = 1e300;
    double firstLoad = 0;
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            Big().reset();
            const std::string path = bench::corpusPath(BigCorpusMegabytes());
            const double vim = VimSeconds(path);
            if (vim > 0) bestVim = std::min(bestVim, vim);
            Big() = std::make_unique<Document>(BigCorpusMegabytes());
            if (round == 0) firstLoad = Big()->loadSeconds;
            bestLoad = std::min(bestLoad, Big()->loadSeconds);
        }
        state.SetIterationTime(bestLoad);
    }
    Document& doc = *Big();
    const double floor = MemoryFloorSeconds(doc.residentBeforeScan);
    const double lines = doc.memo->Store().LineCount();
    state.counters["MB"] = doc.fileBytes / 1e6;
    state.counters["lines"] = lines;
    state.counters["load_s"] = bestLoad;
    state.counters["first_load_s"] = firstLoad;
    state.counters["vim_s"] = bestVim < 1e300 ? bestVim : -1;
    state.counters["ratio_to_vim"] = bestVim < 1e300 ? bestLoad / bestVim : -1;
    state.counters["memory_floor_s"] = floor;
    state.counters["rss_x_file"] = doc.residentBeforeScan / doc.fileBytes;
    state.counters["bytes_per_line"] = (doc.residentBeforeScan - doc.fileBytes) / lines;
}
BENCHMARK(BM_LoadLargeFileAgainstVim)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_FullScanMemory(benchmark::State& state) {
    for (auto _ : state) {
        Big()->ScanEverything();
        state.SetIterationTime(Big()->scanSeconds);
    }
    Document& doc = *Big();
    state.counters["scan_s"] = doc.scanSeconds;
    state.counters["rss_x_file"] = doc.residentAfterScan / doc.fileBytes;
    state.counters["MB_per_s"] = doc.fileBytes / 1e6 / doc.scanSeconds;
}
BENCHMARK(BM_FullScanMemory)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------- keystrokes

Document& Doc(int which) {
    if (which == 0) {
        if (!Small()) {
            Small() = std::make_unique<Document>(1);
            Small()->ScanEverything();
        }
        return *Small();
    }
    if (!Big()) Big() = std::make_unique<Document>(BigCorpusMegabytes());
    Big()->ScanEverything();
    return *Big();
}

// Keystrokes at lines spread over the middle of the text; the view follows the caret as it would.
template <typename Edit>
void Keystrokes(benchmark::State& state, Edit edit) {
    Document& doc = Doc(static_cast<int>(state.range(0)));
    TCustomCodeMemo& memo = *doc.memo;
    const LineIndex lines = memo.Store().LineCount();
    std::mt19937 rng(7);
    for (auto _ : state) {
        state.PauseTiming();
        const LineIndex line = lines / 2 + static_cast<LineIndex>(rng() % 1000);
        memo.MoveCaretTo(line, 4, false);
        memo.SetFirstVisibleLine(line - 10);
        state.ResumeTiming();
        edit(memo);
    }
    state.counters["MB"] = doc.fileBytes / 1e6;
}

void BM_TypeCharacter(benchmark::State& state) {
    Keystrokes(state, [](TCustomCodeMemo& memo) { memo.KeyPress('x'); });
}
void BM_ReturnWithAutoIndent(benchmark::State& state) {
    Keystrokes(state, [](TCustomCodeMemo& memo) { memo.KeyPress('\r'); });
}
void BM_DeleteCharacter(benchmark::State& state) {
    Keystrokes(state, [](TCustomCodeMemo& memo) { memo.ExecuteAction(caDELETE); });
}
BENCHMARK(BM_TypeCharacter)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReturnWithAutoIndent)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeleteCharacter)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// ---------------------------------------------------------------- Locate

void BM_LocateSequential(benchmark::State& state) {
    Document& doc = Doc(static_cast<int>(state.range(0)));
    TTextStore& store = doc.memo->Store();
    const Offset count = store.CharCount();
    Offset at = count / 2;
    const std::uint64_t walkedBefore = store.WalkedRecords();
    std::int64_t calls = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.Locate(at));
        at += 17;  // about two steps a line, as painting and scanning ask
        if (at >= count) at = 0;
        ++calls;
    }
    state.counters["MB"] = doc.fileBytes / 1e6;
    state.counters["records_walked_per_call"] =
        static_cast<double>(store.WalkedRecords() - walkedBefore) / static_cast<double>(calls);
}
BENCHMARK(BM_LocateSequential)->Arg(0)->Arg(1);

void BM_LocateRandom(benchmark::State& state) {
    Document& doc = Doc(static_cast<int>(state.range(0)));
    TTextStore& store = doc.memo->Store();
    const Offset count = store.CharCount();
    const double lines = store.LineCount();
    std::mt19937 rng(11);
    const std::uint64_t walkedBefore = store.WalkedRecords();
    double bound = 0;
    std::int64_t calls = 0;
    LineIndex previous = store.Locate(0).line;
    for (auto _ : state) {
        const auto at = static_cast<Offset>(rng() % static_cast<std::uint32_t>(count));
        const LineIndex line = store.Locate(at).line;
        state.PauseTiming();
        // The walk may start at the finger or at either end, whichever is nearest.
        const double fromFinger = std::abs(static_cast<double>(line - previous));
        bound += std::min({fromFinger, static_cast<double>(line), lines - 1 - line});
        previous = line;
        ++calls;
        state.ResumeTiming();
    }
    const double walked = static_cast<double>(store.WalkedRecords() - walkedBefore);
    state.counters["MB"] = doc.fileBytes / 1e6;
    state.counters["records_walked_per_call"] = walked / static_cast<double>(calls);
    state.counters["walked_over_nearest_start"] = bound > 0 ? walked / bound : 0;
    state.counters["walked_over_half_text"] = walked / static_cast<double>(calls) / (lines / 2);
}
BENCHMARK(BM_LocateRandom)->Arg(0)->Arg(1)->Iterations(200)->Unit(benchmark::kMicrosecond);

// ---------------------------------------------------------------- undo of a big group

void BM_UndoGroup(benchmark::State& state) {
    const auto transactions = static_cast<Offset>(state.range(0));
    constexpr Offset kLine = 40;  // one replacement a line, as a replace-all over a source file makes
    HeadlessHost host{1200, 800};
    std::string text;
    for (Offset i = 0; i < transactions; ++i) text += "a" + std::string(kLine - 2, '-') + "\r";
    for (auto _ : state) {
        state.PauseTiming();
        TCustomCodeMemo memo(host);
        memo.SetText(text);
        memo.BeginUndoGroup(ugReplaceAll);
        for (Offset i = 0; i < transactions; ++i) {
            memo.SetSelection(i * kLine, i * kLine + 1);
            memo.ReplaceSelection("bb");
        }
        memo.EndUndoGroup(ugReplaceAll);
        state.ResumeTiming();
        memo.Undo();
        state.PauseTiming();
        if (memo.Text() != text) state.SkipWithError("undo did not restore the text");
        state.ResumeTiming();
    }
    state.counters["transactions"] = transactions;
    state.counters["ns_per_transaction"] =
        benchmark::Counter(static_cast<double>(transactions) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_UndoGroup)->Arg(10000)->Arg(50000)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
