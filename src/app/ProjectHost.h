#pragma once
#include "settings/ProjectFile.h"
#include "settings/SettingsHost.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quarry {

// What a project needs of one editor window: its file, its place on screen, its caret and
// markers. The editor window satisfies it through a thin adapter; tests use plain fakes.
class ProjectWindow {
public:
    virtual ~ProjectWindow() = default;

    virtual std::string fileName() const = 0;
    virtual WindowState windowState() const = 0;
    virtual WindowBounds bounds() const = 0;          // live bounds
    virtual WindowBounds restoredBounds() const = 0;  // last bounds in the normal state
    virtual bool isVisible() const = 0;
    virtual int lineCount() const = 0;
    virtual TextPosition caret() const = 0;  // 1-based row and column
    // Moves the caret there (kept inside the text) and centres its row.
    virtual void setCaret(int row, int column) = 0;
    virtual TextPosition marker(int k) const = 0;  // row -1 when marker k is not set
    virtual void setMarker(int k, int row, int column) = 0;
    // Normal-state placement: set the bounds, then (after pending events ran) take the bounds
    // that resulted as the RestoredBounds, then change the state.
    virtual void setBounds(const WindowBounds& bounds) = 0;
    virtual void recordRestoredBounds() = 0;
    virtual void setWindowState(WindowState state) = 0;
    // The encoding chosen for the window's file (Auto when none was), and reading the file in
    // a chosen one.
    virtual EncodingChoice encoding() const { return EncodingChoice::Auto; }
    virtual void setEncoding(EncodingChoice) {}
};

// What the project commands need of the main window.
class ProjectHost {
public:
    virtual ~ProjectHost() = default;

    // The editor windows in window order, the frontmost first.
    virtual std::vector<ProjectWindow*> editorWindows() = 0;
    // Opens a file by name in an editor window, or brings its window to the front; returns the
    // window now in front, or null when nothing was opened.
    virtual ProjectWindow* openEditorByName(const std::string& name) = 0;
    // Closes one editor window (it asks about its own changes); false when it stays open.
    virtual bool closeEditorWindow(ProjectWindow& window) = 0;
    // The file of the active editor window, empty when there is none.
    virtual std::string activeEditorFile() = 0;
    // Saves every editor window (the shell's Save All).
    virtual void saveAllFiles() = 0;
    // The file list changed: rebuild the project tree.
    virtual void projectFilesChanged() = 0;
    // Caption and project command states.
    virtual void updateProjectState() = 0;
    // Shows the remove dialog over the list; the index chosen, or nullopt.
    virtual std::optional<std::size_t> chooseFileToRemove(const std::vector<std::string>& files) = 0;
};

}  // namespace quarry
