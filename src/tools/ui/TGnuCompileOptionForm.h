#pragma once
#include "settings/GnuTargetOptions.h"
#include "tools/CompilerParamStorage.h"
#include "tools/ui/SettingBindings.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace quarry {

// "GNU M68K-ELF Compiler Options" (and its powerpc-eabi twin): the warning, debug, optimisation
// and output switches of a target. Inhibit Warnings and Generate Extra Warnings exclude each
// other; an object file alone leaves no S19 file to generate.
class TGnuCompileOptionForm final : public QDialog {
    Q_OBJECT
public:
    // The fields of the paths form that the three file-name buttons go to.
    enum class NameField { Listing, Object, S19 };

    TGnuCompileOptionForm(GnuTarget target, GnuTargetOptions& options, QWidget* parent = nullptr);

    QCheckBox* nowarn;
    QCheckBox* warnall;
    QCheckBox* verbose;
    QCheckBox* gendebug;
    std::array<QRadioButton*, 5> optimize;
    QCheckBox* genlist;
    QCheckBox* genobject;
    QCheckBox* gens19;
    QPushButton* listingNameButton;
    QPushButton* objectNameButton;
    QPushButton* s19NameButton;
    QPushButton* helpButton;

    // What the three file-name buttons open: the paths form at that field.
    std::function<void(NameField)> onNameButton;

    void LoadControls();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ApplyRulesOnShow();

    SettingBindings bindings_;
};

}  // namespace quarry
