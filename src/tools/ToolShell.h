#pragma once
#include "tools/ErrorList.h"
#include "tools/ProgramLauncher.h"

#include <cstddef>
#include <optional>
#include <string>

namespace quarry {

// What tool runs and error navigation need of the main window: its editor windows, Save All,
// the status line, the cursor and the error list. The main window's tool commands implement
// it; tests use a fake, so every step of a run is checked without a window.
class ToolShell : public LaunchHost {
public:
    // ---- editor windows
    // The file of the active editor window; nullopt when no editor window is open.
    virtual std::optional<std::string> ActiveEditorFile() = 0;
    virtual void SaveAll() = 0;
    virtual void AskSaveAllModified() = 0;
    // Removes the error-line mark of every editor window.
    virtual void ClearErrorMarks() = 0;
    // Every window showing exactly this file treats it as changed at its next check.
    virtual void ForceReloadCheck(const std::string& fileName) = 0;
    // Every window offers to reload its file if it changed on disk.
    virtual void CheckFilesChanged() = 0;
    // Opens a file in an editor window, or brings its window to the front.
    virtual void OpenByName(const std::string& fileName) = 0;
    // Rows of the active editor window (0 without one).
    virtual int ActiveLineCount() = 0;
    // In the active editor window: caret to column 1 of the row, the row centred and marked as
    // the error line.
    virtual void ShowErrorLine(int row) = 0;
    // An error in this file is shown: status line and its window refresh.
    virtual void ErrorShown(const std::string& fileName) = 0;
    virtual void RepaintEditors() = 0;

    // ---- feedback
    // An information message in the status line in that colour; an empty text gives the
    // status line back to the panels.
    virtual void ShowStatus(const std::string& text, int colour) = 0;
    virtual void SetBusyCursor(bool busy) = 0;
    virtual void Beep() = 0;
    // A compiler run produced a new error list.
    virtual void ErrorListChanged(const ErrorList& list) = 0;
    // The user went to this entry of the list.
    virtual void CurrentErrorChanged(std::size_t index) = 0;
};

}  // namespace quarry
