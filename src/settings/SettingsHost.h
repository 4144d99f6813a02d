#pragma once
#include "settings/EnvironmentSettings.h"

#include <optional>

namespace quarry {

struct WindowBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowBounds&) const = default;
};

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

struct ScreenSize {
    int width = 0;
    int height = 0;
    bool operator==(const ScreenSize&) const = default;
};

struct MainWindowLayout {
    WindowBounds bounds;
    int treeWidth = 150;
    WindowState state = WindowState::Normal;
    bool operator==(const MainWindowLayout&) const = default;
};

// What the settings reader and writer need from the running program that is not a setting:
// the main window's geometry, the screen, the open editor windows and the parts that react to
// newly read values. The main window implements it; tests use a plain fake.
class SettingsHost {
public:
    virtual ~SettingsHost() = default;

    virtual ScreenSize screenSize() const = 0;
    virtual WindowState mainWindowState() const = 0;
    virtual WindowBounds mainWindowBounds() const = 0;          // live bounds
    virtual WindowBounds mainWindowRestoredBounds() const = 0;  // bounds before minimise or maximise
    virtual int projectTreeWidth() const = 0;
    // Gives the main window these bounds, lets pending events run, records the bounds that
    // resulted as its restored bounds, then sets the tree width and the window state.
    virtual void applyMainWindowLayout(const MainWindowLayout& layout) = 0;
    // The active editor window's text font, or nullopt when no editor window is open.
    virtual std::optional<FontRecord> activeEditorFont() const = 0;

    // Notices around reading and writing; the parts that own them fill these in.
    virtual void storeParsers() {}            // before writing: parsers save their own settings
    virtual void compilerTypeChanged() {}     // after COMPILER/TYPE is read, before NAME
    virtual void fileFiltersChanged() {}      // after the file-filter list is read
};

}  // namespace quarry
