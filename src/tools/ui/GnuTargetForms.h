#pragma once
#include "settings/GnuTargetOptions.h"
#include "tools/CompilerParamStorage.h"
#include "tools/ui/TGnuCompilerPathForm.h"

#include <QObject>

#include <functional>
#include <string>

class QDialog;
class QWidget;

namespace quarry {

class SettingsSnapshot;
class TGnuCompileErrorForm;
class TGnuCompileOptionForm;
class TGnuTargetOptForm;
class UserInterface;

// The four forms of one GNU target and the rule for opening them: each opens inside a settings
// snapshot, so Cancel gives back every setting as it was, and the main window refreshes after.
class GnuTargetForms final : public QObject {
    Q_OBJECT
public:
    GnuTargetForms(GnuTarget target, GnuTargetOptions& options, UserInterface& ui, SettingsSnapshot& snapshot,
                   std::function<std::string()> sourcePath, QWidget* parent);

    // Each returns true when the user chose OK.
    bool OpenCompileOptions();
    bool OpenPaths(TGnuCompilerPathForm::Focus focus = TGnuCompilerPathForm::Focus::OkButton);
    bool OpenTargetOptions();
    bool OpenErrorOptions();

    TGnuCompileOptionForm* compileOptions;
    TGnuCompilerPathForm* paths;
    TGnuTargetOptForm* targetOptions;
    TGnuCompileErrorForm* errorOptions;

    // After every form, OK or Cancel: the settings may have changed under the caller.
    std::function<void()> onSettingsChanged;
    // The forms' Help buttons.
    std::function<void()> onHelp;

private:
    bool Open(QDialog& form, const std::function<void()>& loadControls);

    SettingsSnapshot& snapshot_;
};

}  // namespace quarry
