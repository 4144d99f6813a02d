#pragma once
#include "tools/OutputLog.h"
#include "tools/ToolProcesses.h"

#include <QTimer>
#include <QWidget>

class QLabel;
class QToolButton;

namespace quarry {

class TOutputView;

// The build output panel: what running tools write to their standard output and error, live,
// with each command line first and its exit code last. Output is taken in as it comes and the
// view repaints a few times a second, so a flood of output never holds the window up.
class TBuildOutput final : public QWidget, public ToolOutputListener {
    Q_OBJECT
public:
    explicit TBuildOutput(QWidget* parent = nullptr);

    const OutputLog& Log() const { return log_; }
    TOutputView* View() const { return view_; }
    QToolButton* StopButton() const { return stop_; }
    // The Stop button is offered while a tool runs.
    void SetRunning(bool running);
    // Repaints now what arrived (the view otherwise catches up on its timer).
    void Flush();
    void Clear();

    // ToolOutputListener
    void ToolStarted(int run, const std::string& commandLine) override;
    void ToolFailed(const std::string& commandLine, int error) override;
    void ToolOutput(int run, ChildProcess::Stream stream, std::string_view bytes) override;
    void ToolEnded(int run, const ChildProcess::Ending& ending) override;

signals:
    void stopRequested();
    // A tool started: the panel wants to be seen.
    void toolStarted();

private:
    OutputLog log_;
    TOutputView* view_;
    QToolButton* stop_;
    QToolButton* clear_;
    QTimer repaint_;
};

}  // namespace quarry
