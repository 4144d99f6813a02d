#pragma once
#include "settings/GnuTargetOptions.h"
#include "tools/CompilerParamStorage.h"
#include "tools/ui/SettingBindings.h"

#include <QDialog>

#include <functional>
#include <string>

class QLineEdit;
class QPushButton;

namespace quarry {

class UserInterface;

// "GNU M68K-ELF Compiler Paths" (and its powerpc-eabi twin): the files a build reads and
// writes and the three search paths. Every field has a Select button; a chosen directory is
// appended to a search path list.
class TGnuCompilerPathForm final : public QDialog {
    Q_OBJECT
public:
    // Where the focus goes when the form shows.
    enum class Focus { OkButton, ListingName, ObjectName, S19Name };

    TGnuCompilerPathForm(GnuTarget target, GnuTargetOptions& options, UserInterface& ui,
                         std::function<std::string()> sourcePath, QWidget* parent = nullptr);

    QLineEdit* maininputfile;
    QLineEdit* outputfilename;
    QLineEdit* startupfile;
    QLineEdit* linkername;
    QLineEdit* gens19name;
    QLineEdit* genlistname;
    QLineEdit* genobjname;
    QLineEdit* pathbox;
    QLineEdit* includepath;
    QLineEdit* libpath;
    QLineEdit* ecrt = nullptr;  // powerpc-eabi only
    QPushButton* okButton;
    QPushButton* helpButton;

    void LoadControls();
    void SetFocusRequest(Focus focus) { focus_ = focus; }

    // The directory list rule: a ';' before the new directory unless the list is blank or
    // already ends in one.
    static std::string AppendDirectory(const std::string& list, const std::string& directory);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* DirectoryButton(QLineEdit* field, const QString& title, bool asList);

    UserInterface& ui_;
    std::function<std::string()> sourcePath_;
    SettingBindings bindings_;
    Focus focus_ = Focus::OkButton;
};

}  // namespace quarry
