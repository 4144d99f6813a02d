#pragma once
#include <functional>

namespace quarry {

class SettingsFile;
struct EnvironmentSettings;

// The rule around every settings dialog and GNU form: the settings are written to "Quarry.tmp"
// before it shows, read back from there when the user cancels, and the file is deleted
// afterwards. A form opened from a dialog takes its own snapshot without losing the dialog's:
// the outer snapshot is put back when the inner one ends, so cancelling the dialog still
// restores what was there before it opened. When the snapshot cannot be written (the box says
// so), a copy in memory stands in for it.
class SettingsSnapshot final {
public:
    SettingsSnapshot(EnvironmentSettings& settings, SettingsFile& file) : settings_(settings), file_(file) {}

    // Runs `showModal` (true for OK) inside a snapshot; returns its answer.
    bool Run(const std::function<bool()>& showModal);
    bool Active() const { return depth_ > 0; }

private:
    EnvironmentSettings& settings_;
    SettingsFile& file_;
    int depth_ = 0;
};

}  // namespace quarry
