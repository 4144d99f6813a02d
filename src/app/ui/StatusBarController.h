#pragma once
#include "app/StatusPanels.h"

#include <QString>

#include <string>

class QLabel;
class QStatusBar;

namespace quarry {

// The status bar: six panels for the active editor window, and in their place either the hint
// of the item under the mouse or an information message of a tool run, which stays until the
// next key in an editor window.
class StatusBarController final {
public:
    explicit StatusBarController(QStatusBar& bar);
    StatusBarController(const StatusBarController&) = delete;  // one status bar
    StatusBarController& operator=(const StatusBarController&) = delete;

    void ShowPanels(const StatusTexts& texts);
    void ClearPanels();
    QString PanelText(int index) const;  // 0..5 = Panel2..Panel7

    // An information message; `colour` is blue-green-red, 0 for the normal colour.
    void ShowInfo(const std::string& text, int colour);
    bool InfoShowing() const { return infoShowing_; }
    const std::string& InfoText() const { return infoText_; }
    // A key went down after a message: the message ends at the next refresh.
    void EndInfo();
    // Applies an ended message: normal colour, panels back. True when one was pending.
    bool ApplyPendingReset();
    // The application's hint changed (empty: none).
    void HintChanged(const QString& hint);

private:
    void ShowHintOrInfo();
    void SetColour(int colour);

    QStatusBar& bar_;
    static constexpr int kPanels = 7;
    QLabel* panels_[kPanels];
    QString hint_;
    bool infoShowing_ = false;
    bool resetPending_ = false;
    std::string infoText_;
    int infoColour_ = 0;
};

}  // namespace quarry
