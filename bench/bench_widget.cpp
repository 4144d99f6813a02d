// The editor window's speed, offscreen: painting a full screen of highlighted C (60 lines of 120
// columns), scrolling a 100 MB C file page by page in three places and jumping to its end, and a
// keystroke with its repaint in that file.
//
// References, measured in the same run: the plainest paint of the same characters (one text call
// per line, one colour, no scanning), and the same scrolling and typing in a 1 MB file, so that a
// ratio near 1 says the cost does not grow with the file.
//
// The C corpus comes from scripts/make-corpus.sh (system headers).
#include "editor/ui/TCodeMemo.h"
#include "text/TTextStore.h"
#include "highlight/BuiltinLanguages.h"
#include "highlight/CustomParseHandlers.h"
#include "highlight/TCodeMemoParser.h"

#include "BenchSupport.h"
#include "OffscreenBenchMain.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

using namespace quarry;

namespace {

constexpr int kRows = 60;
constexpr int kColumns = 120;

using bench::sourceRoot;
using bench::corpusPath;

TCodeMemoParser& CParser()
{
    static std::unique_ptr<TCodeMemoParser> parser;
    if (!parser) {
        parser = std::make_unique<TCodeMemoParser>();
        const BuiltinLanguage& c = *findBuiltinLanguage("c");
        parser->compileFile((sourceRoot() / "data" / "highlight" / c.script).string());
        parser->OnCustomParse = customParseHandlerFor(parser->languageName());
    }
    return *parser;
}

// A window of 60 rows by 120 columns with the C parser, holding one corpus file (loaded once per
// size and kept: loading 100 MB is not what is measured).
struct Window {
    TCodeMemo memo;
    QImage image;

    explicit Window(int megabytes)
    {
        memo.SetParser(3, &CParser());
        memo.SetActiveParser(3);
        memo.Memo().SetFont({"DejaVu Sans Mono", 10});
        memo.Memo().SetOptions(memo.Memo().Options() | smoLineNumbers);
        memo.show();
        const QSize frame = memo.size() - memo.viewport()->size();
        memo.resize(frame.width() + memo.TextLeft() + kColumns * memo.CellWidth(),
                    frame.height() + kRows * memo.LineHeight());
        QApplication::processEvents();
        memo.Memo().LoadFromFile(corpusPath(megabytes));
        image = QImage(memo.viewport()->size(), QImage::Format_RGB32);
    }
    void Paint() { memo.viewport()->render(&image); }
    void Key(int key, const QString& text = {})
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&memo, &press);
    }
};

// Kept until the application ends: windows must go before it.
std::map<int, std::unique_ptr<Window>> windows;

Window& WindowOf(int megabytes)
{
    auto& w = windows[megabytes];
    if (!w)
        w = std::make_unique<Window>(megabytes);
    return *w;
}

// ---------------------------------------------------------------- painting

void BM_PaintFullScreen(benchmark::State& state)
{
    Window& w = WindowOf(1);
    w.memo.Memo().SetFirstVisibleLine(static_cast<LineIndex>(state.range(0)));
    w.Paint();  // the first paint scans; measured is the repaint
    for (auto _ : state)
        w.Paint();
    state.counters["lines"] = kRows;
    state.counters["columns"] = kColumns;
}

// The reference: the same rows of text drawn with one call each, in one colour.
void BM_PaintPlainReference(benchmark::State& state)
{
    Window& w = WindowOf(1);
    TTextStore& store = w.memo.Memo().Store();
    QStringList rows;
    TTextStore::Location at = store.LineByIndex(static_cast<LineIndex>(state.range(0)));
    for (int i = 0; i < kRows && at.record != kNoRecord; ++i) {
        rows << QString::fromLatin1(store.LineText(at.record).substr(0, kColumns).data(),
                                    static_cast<qsizetype>(std::min<size_t>(kColumns, store.LineText(at.record).size())));
        at = {store.Next(at.record), at.line + 1, 0};
    }
    QFont font(QStringLiteral("DejaVu Sans Mono"), 10);
    const int lh = w.memo.LineHeight();
    for (auto _ : state) {
        QPainter p(&w.image);
        p.fillRect(w.image.rect(), Qt::white);
        p.setFont(font);
        for (int i = 0; i < rows.size(); ++i)
            p.drawText(QPoint(w.memo.TextLeft(), i * lh + lh - 3), rows[i]);
    }
}

// ---------------------------------------------------------------- scrolling

// One page down with its repaint, starting at a fraction of the file (per mille).
void BM_PageDown(benchmark::State& state, int megabytes)
{
    Window& w = WindowOf(megabytes);
    TCustomCodeMemo& m = w.memo.Memo();
    const LineIndex start = static_cast<LineIndex>(static_cast<std::int64_t>(m.Store().LineCount()) * state.range(0) / 1000);
    m.SetFirstVisibleLine(start);
    m.MoveCaretTo(start, 0, false);
    w.Paint();
    for (auto _ : state) {
        w.Key(Qt::Key_PageDown);
        w.Paint();
        if (m.FirstVisibleLine() + 2 * kRows >= m.Store().LineCount()) {
            state.PauseTiming();
            m.SetFirstVisibleLine(start);
            m.MoveCaretTo(start, 0, false);
            state.ResumeTiming();
        }
    }
    state.counters["lines"] = m.Store().LineCount();
}

// Ctrl+Home, then Ctrl+End and the repaint at the end of the file.
void BM_JumpToEnd(benchmark::State& state, int megabytes)
{
    Window& w = WindowOf(megabytes);
    for (auto _ : state) {
        state.PauseTiming();
        QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::ControlModifier);
        QApplication::sendEvent(&w.memo, &home);
        w.Paint();
        state.ResumeTiming();
        QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
        QApplication::sendEvent(&w.memo, &end);
        w.Paint();
    }
}

// ---------------------------------------------------------------- typing

// Types "x" in the middle of the window's text and takes it back, each with its repaint: one
// iteration is two keystrokes.
void TypeAndTakeBackInTheMiddle(benchmark::State& state, Window& w)
{
    TCustomCodeMemo& m = w.memo.Memo();
    const LineIndex middle = m.Store().LineCount() / 2;
    m.MoveCaretTo(middle, 4, false);
    m.ScrollCaretIntoView();
    w.Paint();
    for (auto _ : state) {
        w.Key(Qt::Key_X, QStringLiteral("x"));
        w.Paint();
        w.Key(Qt::Key_Backspace);
        w.Paint();
    }
    state.counters["keystrokes"] = benchmark::Counter(2.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// A character typed in the middle of the file and taken back.
void BM_Keystroke(benchmark::State& state, int megabytes)
{
    TypeAndTakeBackInTheMiddle(state, WindowOf(megabytes));
}

// Typing "/*" at the top of the file, which turns everything after it into a comment, and taking
// it back.
void BM_CommentOpenedAtTop(benchmark::State& state, int megabytes)
{
    Window& w = WindowOf(megabytes);
    TCustomCodeMemo& m = w.memo.Memo();
    m.MoveCaretTo(0, 0, false);
    m.ScrollCaretIntoView();
    w.Paint();
    for (auto _ : state) {
        w.Key(Qt::Key_Slash, QStringLiteral("/"));
        w.Key(Qt::Key_Asterisk, QStringLiteral("*"));
        w.Paint();
        w.Key(Qt::Key_Backspace);
        w.Key(Qt::Key_Backspace);
        w.Paint();
    }
}

// A keystroke in the middle of a text that a comment opened at its top runs through to the end:
// every line below the top is inside that one token. The window is filled (idle scan finished)
// as an idle window would be.
void BM_KeystrokeInsideOpenComment(benchmark::State& state, int megabytes)
{
    auto& slot = windows[-megabytes];  // apart from the plain windows of the same size
    if (!slot) {
        slot = std::make_unique<Window>(megabytes);
        std::string text = slot->memo.Memo().Text();
        for (std::size_t at = text.find("*/"); at != std::string::npos; at = text.find("*/", at))
            text[at + 1] = '-';
        slot->memo.Memo().SetText("/*" + text);
        slot->memo.FinishIdleScan();
    }
    TypeAndTakeBackInTheMiddle(state, *slot);
}

BENCHMARK(BM_PaintFullScreen)->Arg(0)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintPlainReference)->Arg(0)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PageDown, 1mb, 1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PageDown, 100mb, 100)->Arg(0)->Arg(500)->Arg(990)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_JumpToEnd, 1mb, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_JumpToEnd, 100mb, 100)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, 1mb, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, 100mb, 100)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CommentOpenedAtTop, 1mb, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CommentOpenedAtTop, 100mb, 100)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeystrokeInsideOpenComment, 1mb, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeystrokeInsideOpenComment, 10mb, 10)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return quarry::bench::runOffscreenBenchmarks(argc, argv, [] { windows.clear(); });
}
