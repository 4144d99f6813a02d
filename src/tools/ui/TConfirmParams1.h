#pragma once
#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QLineEdit;
class QPushButton;

namespace quarry {

// "Confirming Command Line Parameters...": shows the executable a tool run starts and lets the
// user edit its parameters before it starts. Opens in the middle of the screen with OK active.
class TConfirmParams1 final : public QDialog {
    Q_OBJECT
public:
    explicit TConfirmParams1(QWidget* parent = nullptr);

    // Shows the dialog modally; the parameters as the user left them on OK, nullopt on Cancel.
    std::optional<std::string> Confirm(const std::string& executable, const std::string& parameters);

    QLineEdit* const Executable_name;
    QLineEdit* const Executable_parameters;
    QPushButton* const OkButton;
    QPushButton* const CancelButton;
    QPushButton* const HelpButton;
    // What the Help button opens.
    std::function<void()> onHelp;

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace quarry
