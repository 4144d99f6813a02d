#pragma once
#include "tools/ToolProcesses.h"
#include "tools/ToolShell.h"

#include <QObject>
#include <QTimer>

#include <memory>

class QAction;
class QDockWidget;
class QToolButton;

namespace quarry {

class TBuildOutput;
class TConfirmParams1;
class TErrorListPanel;
class TMainForm;
class ToolRunner;

// The tool commands of the main window: the five tool buttons and their keys (F4, F6 to F9),
// the Build menu (next and previous error, stop, the two panels), the build output panel and
// the error list. It is the window side of tool runs (ToolShell): the run itself is ToolRunner's.
class ToolCommands final : public QObject, public ToolShell {
    Q_OBJECT
public:
    explicit ToolCommands(TMainForm& form);
    ~ToolCommands() override;

    // The click handler of the five tool buttons: runs the slot of the button's tag, unless
    // the button is disabled.
    void SpeedButtonIdeClick(QToolButton* sender);
    // The EXE buttons' hints from their slots (after the settings were read).
    void RefreshToolHints();
    // The assemble button follows the settings and the editor windows.
    void UpdateToolButtons();
    void NextError();
    void PreviousError();
    void StopTool();

    ToolRunner& Runner() { return *runner_; }
    ToolProcesses& Processes() { return processes_; }
    TBuildOutput* Output() const { return output_; }
    TErrorListPanel* ErrorPanel() const { return errorPanel_; }
    QDockWidget* OutputDock() const { return outputDock_; }
    QDockWidget* ErrorDock() const { return errorDock_; }
    TConfirmParams1* ConfirmDialog() const { return confirm_; }

    // ToolShell
    std::optional<std::string> ConfirmParameters(const std::string& executable, const std::string& parameters) override;
    bool Terminating() override;
    std::optional<std::string> ActiveEditorFile() override;
    void SaveAll() override;
    void AskSaveAllModified() override;
    void ClearErrorMarks() override;
    void ForceReloadCheck(const std::string& fileName) override;
    void CheckFilesChanged() override;
    void OpenByName(const std::string& fileName) override;
    int ActiveLineCount() override;
    void ShowErrorLine(int row) override;
    void ErrorShown(const std::string& fileName) override;
    void RepaintEditors() override;
    void ShowStatus(const std::string& text, int colour) override;
    void SetBusyCursor(bool busy) override;
    void Beep() override;
    void ErrorListChanged(const ErrorList& list) override;
    void CurrentErrorChanged(std::size_t index) override;

private:
    void WireToolButtons();
    void BuildMenu();
    void BuildPanels();
    void PumpTools();
    // Shows a panel; the first time both appear, sharing the width with room for messages.
    void ShowPanel(QDockWidget* dock);

    TMainForm& form_;
    ToolProcesses processes_;
    std::unique_ptr<ToolRunner> runner_;
    TBuildOutput* output_ = nullptr;
    TErrorListPanel* errorPanel_ = nullptr;
    QDockWidget* outputDock_ = nullptr;
    QDockWidget* errorDock_ = nullptr;
    TConfirmParams1* confirm_ = nullptr;
    QAction* stopItem_ = nullptr;
    QTimer pump_;
    int busy_ = 0;
    bool panelsPlaced_ = false;
};

}  // namespace quarry
