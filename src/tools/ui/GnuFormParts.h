#pragma once
#include "tools/CompilerParamStorage.h"

#include <QString>

#include <functional>
#include <string>

class QBoxLayout;
class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;

namespace quarry {

class UserInterface;

// What the GNU target forms share: their names, their button row, and the Select buttons.
namespace gnuforms {

// "m68kelf_" or "ppceabi_", the prefix of every control name of a target's forms.
QString Prefix(GnuTarget target);
// "M68K-ELF" or "POWERPC-EABI", as the captions name the target.
QString CaptionName(GnuTarget target);

struct ButtonRow {
    QPushButton* ok;
    QPushButton* cancel;
    QPushButton* help;
};
// OK, Cancel and Help at the foot of a form; OK accepts only through `accept` (a form that
// checks its fields first overrides QDialog::accept).
ButtonRow AddButtonRow(QDialog& form, QBoxLayout& layout);

// A Select button that puts a chosen file's name in the field: a file dialog with that title,
// all files, starting in `startDir()`.
QPushButton* FileSelectButton(QWidget* parent, QLineEdit* field, const QString& title, UserInterface& ui,
                              std::function<std::string()> startDir);

}  // namespace gnuforms

}  // namespace quarry
