// The shell's speed, offscreen, through the main window's own commands:
//  - File > Open File on a 100 MB C file until its first screen is painted, against reading the
//    same bytes into memory (one read into a buffer) in the same process;
//  - closing 20 editor windows with Close File, against opening them;
//  - Save all of 26 modified files (each written through a temporary file, flushed to disk, with
//    a backup), against writing and flushing the same bytes to 26 files directly.
//
// The C corpus comes from scripts/make-corpus.sh (system headers).
#include "app/ui/TMainForm.h"
#include "editor/TCustomCodeMemo.h"
#include "editor/ui/TCodeMemo.h"
#include "editorwin/ui/TMDIChild.h"

#include "BenchSupport.h"
#include "OffscreenBenchMain.h"

#include <QAction>
#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace quarry;

namespace {

using bench::corpusPath;

// Answers file dialogs from a queue and every question with Yes, without a window.
class QueuedUserInterface final : public UserInterface {
public:
    std::deque<std::string> files;

    Answer showMessage(MessageKind, const std::string&, MessageButtons buttons) override
    {
        return buttons == MessageButtons::Ok ? Answer::Ok : Answer::Yes;
    }
    std::optional<FileBrowseResult> browseForOpenFile(const FileBrowseRequest&) override { return next(); }
    std::optional<FileBrowseResult> browseForSaveFile(const FileBrowseRequest&) override { return next(); }
    std::optional<std::string> chooseDirectory(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> inputQuery(const std::string&, const std::string&, const std::string&) override
    {
        return {};
    }
    std::optional<int> pickFromList(const std::string&, const std::vector<std::string>&, int) override { return {}; }
    void processPendingEvents() override { QApplication::processEvents(); }

private:
    std::optional<FileBrowseResult> next()
    {
        if (files.empty())
            return std::nullopt;
        FileBrowseResult result{{files.front()}, 1};
        files.pop_front();
        return result;
    }
};

// A main window on a program home in a temporary directory, shown offscreen.
struct Shell {
    fs::path home;
    EnvironmentSettings settings;
    QueuedUserInterface ui;
    std::unique_ptr<TMainForm> form;

    Shell()
    {
        char pattern[] = "/tmp/quarry-bench-shell-XXXXXX";
        home = ::mkdtemp(pattern);
        settings.sourcePath = settings.projectPath = home.string();
        settings.editor.fileFilters = {"C Files (*.c)|*.c;*.h", "All Files (*.*)|*.*"};
        settings.editor.fileFilterIndex = 1;
        form = std::make_unique<TMainForm>(settings, ui, home.string(), std::vector<std::string>{});
        form->resize(1024, 768);
        form->show();
        QApplication::processEvents();
    }
    ~Shell()
    {
        form.reset();
        std::error_code ignored;
        fs::remove_all(home, ignored);
    }

    void trigger(const char* name)
    {
        form->action(QString::fromLatin1(name))->trigger();
    }
    void settle()
    {
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    void closeAll()
    {
        while (form->ActiveEditor()) {
            form->ActiveEditor()->SEditor1->Memo().SetModified(false);
            trigger("CloseFile1");
            settle();
        }
    }
    // `count` small C files of about `bytes` bytes each.
    std::vector<std::string> sources(int count, std::size_t bytes)
    {
        std::string text;
        while (text.size() < bytes)
            text += "static int value" + std::to_string(text.size()) + " = 42; /* a line of C */\n";
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i) {
            const auto name = (home / ("src" + std::to_string(i) + ".c")).string();
            std::ofstream(name, std::ios::binary) << text;
            names.push_back(name);
        }
        return names;
    }
};

void BM_OpenLargeFileFirstScreen(benchmark::State& state)
{
    const auto path = corpusPath(static_cast<int>(state.range(0)));
    if (path.empty()) {
        state.SkipWithError("scripts/make-corpus.sh failed");
        return;
    }
    Shell shell;
    for (auto _ : state) {
        shell.ui.files.push_back(path);
        shell.trigger("OpenFile1");
        auto* window = shell.form->ActiveEditor();
        if (!window) {
            state.SkipWithError("the file did not open");
            return;
        }
        window->SEditor1->viewport()->repaint();
        state.PauseTiming();
        shell.closeAll();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(fs::file_size(path)));
}

// The reference: the same bytes read into memory with one read into a buffer of the file's size.
void BM_ReadFileReference(benchmark::State& state)
{
    const auto path = corpusPath(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::string bytes(fs::file_size(path), '\0');
        std::ifstream in(path, std::ios::binary);
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(fs::file_size(path)));
}

void BM_CloseTwentyWindows(benchmark::State& state)
{
    Shell shell;
    const auto names = shell.sources(20, 20 * 1024);
    for (auto _ : state) {
        state.PauseTiming();
        for (const auto& name : names)
            shell.form->OpenFileByName(name);
        shell.settle();
        state.ResumeTiming();
        for (int i = 0; i < 20; ++i)
            shell.trigger("CloseFile1");
        shell.settle();
    }
}

// The reference: opening the same twenty windows.
void BM_OpenTwentyWindowsReference(benchmark::State& state)
{
    Shell shell;
    const auto names = shell.sources(20, 20 * 1024);
    for (auto _ : state) {
        for (const auto& name : names)
            shell.form->OpenFileByName(name);
        shell.settle();
        state.PauseTiming();
        shell.closeAll();
        state.ResumeTiming();
    }
}

void BM_SaveAllTwentySix(benchmark::State& state)
{
    Shell shell;
    const auto names = shell.sources(26, 20 * 1024);
    for (const auto& name : names)
        shell.form->OpenFileByName(name);
    for (auto _ : state) {
        state.PauseTiming();
        for (auto* window : shell.form->EditorWindowsInOrder()) {
            auto& memo = window->SEditor1->Memo();
            memo.SetSelection(0, 0);
            memo.ReplaceSelection("x");
        }
        state.ResumeTiming();
        shell.form->SaveAll();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 26 * 20 * 1024);
}

// The reference: the same bytes written and flushed to 26 files directly.
void BM_WriteTwentySixFilesReference(benchmark::State& state)
{
    Shell shell;
    const auto names = shell.sources(26, 20 * 1024);
    std::string text(20 * 1024, 'x');
    for (auto _ : state) {
        for (const auto& name : names) {
            const int fd = ::open(name.c_str(), O_WRONLY | O_TRUNC);
            benchmark::DoNotOptimize(::write(fd, text.data(), text.size()));
            ::fsync(fd);
            ::close(fd);
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 26 * 20 * 1024);
}

BENCHMARK(BM_OpenLargeFileFirstScreen)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadFileReference)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CloseTwentyWindows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenTwentyWindowsReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAllTwentySix)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteTwentySixFilesReference)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return quarry::bench::runOffscreenBenchmarks(argc, argv); }
