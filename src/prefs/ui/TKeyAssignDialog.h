#pragma once
// The two-step capture of a key sequence: the first stroke with its modifiers, then an optional
// second stroke.
#include "prefs/KeyAssignments.h"

#include <QDialog>

#include <optional>

class QLabel;
class QPushButton;
class QStackedWidget;

namespace quarry {

class KeyCaptureEdit;

class TKeyAssignDialog final : public QDialog {
    Q_OBJECT
public:
    explicit TKeyAssignDialog(QWidget* parent = nullptr);

    // Shows the dialog on step 1 with the given sequence; the sequence captured, or nothing when
    // cancelled.
    std::optional<KeyAssignments::Sequence> Execute(KeyAssignments::Sequence initial = {});

    int Step() const;  // 1 or 2
    KeyAssignments::Sequence Result() const;

    QLabel* Prompt;
    QStackedWidget* Steps;
    KeyCaptureEdit* FirstKey;
    KeyCaptureEdit* SecondKey;
    QPushButton* BackButton;
    QPushButton* NextButton;  // "Next >" on step 1, "Finish" on step 2
    QPushButton* ClearButton;
    QPushButton* CancelButton;

private:
    void ShowStep(int step);
    void NextClick();
};

}  // namespace quarry
