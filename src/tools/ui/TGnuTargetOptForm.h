#pragma once
#include "settings/GnuTargetOptions.h"
#include "tools/CompilerParamStorage.h"
#include "tools/ui/SettingBindings.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace quarry {

class UserInterface;

// "GNU M68K-ELF Target Options" (and its powerpc-eabi twin): the memory map the linker gets.
// The run addresses of .data and .text are asked only while their sections are copied from ROM
// to RAM; OK takes only hexadecimal addresses (or nothing).
class TGnuTargetOptForm final : public QDialog {
    Q_OBJECT
public:
    TGnuTargetOptForm(GnuTarget target, GnuTargetOptions& options, UserInterface& ui, QWidget* parent = nullptr);

    QLineEdit* stack;
    QLineEdit* heap;
    QLineEdit* origin;
    QCheckBox* movedatacheck;
    QCheckBox* movetextcheck;
    QLineEdit* dataram;
    QLineEdit* dataflash;
    QLineEdit* textram;
    QLineEdit* textflash;
    QPushButton* okButton;
    QPushButton* helpButton;

    void LoadControls();

public slots:
    // Trims the fields; the first field that holds no address keeps the form open.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    UserInterface& ui_;
    GnuTargetOptions& options_;
    SettingBindings bindings_;
};

}  // namespace quarry
