#pragma once
#include "settings/GnuTargetOptions.h"
#include "tools/CompilerParamStorage.h"
#include "tools/ui/SettingBindings.h"

#include <QDialog>

#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace quarry {

class UserInterface;

// "Quarry Error Options" of a GNU target: whether errors are recovered from the build's log,
// which file that is, and whether the log opens after a build. The error format list is shown
// only: GNU builds always read their log as GCC writes it.
class TGnuCompileErrorForm final : public QDialog {
    Q_OBJECT
public:
    TGnuCompileErrorForm(GnuTarget target, GnuTargetOptions& options, UserInterface& ui,
                         std::function<std::string()> sourcePath, QWidget* parent = nullptr);

    QCheckBox* get_error;
    QLineEdit* error_file_name;
    QComboBox* error_format;
    QCheckBox* autoopenerror;
    QPushButton* helpButton;

    void LoadControls();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ApplyGetErrorRule(bool on);

    GnuTarget target_;
    SettingBindings bindings_;
};

}  // namespace quarry
