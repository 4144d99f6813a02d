#pragma once
#include "settings/SettingsHost.h"

#include <functional>
#include <optional>
#include <vector>

namespace quarry::test {

// A SettingsHost without a window: geometry and the editor font are plain fields, and every
// layout the reader applies is recorded. Header-only, for tests that link quarry_settings.
class FakeSettingsHost final : public SettingsHost {
public:
    ScreenSize screen{1024, 768};
    WindowState state = WindowState::Normal;
    WindowBounds bounds{10, 20, 700, 500};
    WindowBounds restoredBounds{30, 40, 600, 400};
    int treeWidth = 150;
    std::optional<FontRecord> editorFont;  // set: an editor window is open
    std::vector<MainWindowLayout> appliedLayouts;
    std::function<void()> onCompilerTypeChanged;
    int fileFilterNotices = 0;
    int parserStores = 0;

    ScreenSize screenSize() const override { return screen; }
    WindowState mainWindowState() const override { return state; }
    WindowBounds mainWindowBounds() const override { return bounds; }
    WindowBounds mainWindowRestoredBounds() const override { return restoredBounds; }
    int projectTreeWidth() const override { return treeWidth; }
    void applyMainWindowLayout(const MainWindowLayout& layout) override
    {
        appliedLayouts.push_back(layout);
        bounds = restoredBounds = layout.bounds;
        treeWidth = layout.treeWidth;
        state = layout.state;
    }
    std::optional<FontRecord> activeEditorFont() const override { return editorFont; }
    void storeParsers() override { ++parserStores; }
    void compilerTypeChanged() override
    {
        if (onCompilerTypeChanged)
            onCompilerTypeChanged();
    }
    void fileFiltersChanged() override { ++fileFilterNotices; }
};

}  // namespace quarry::test
