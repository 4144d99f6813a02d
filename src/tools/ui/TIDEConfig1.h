#pragma once
#include "tools/ui/SettingBindings.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabWidget;
class QTreeWidget;

namespace quarry {

class GnuTargetForms;
class SettingsSnapshot;
class UserInterface;
struct EnvironmentSettings;

// "Environment Settings": the compiler slot with a panel per kind, the four tool slots, the
// choice of the file passed as %FILE%, saving and exit behaviour, and the file types of the
// file dialogs. Its controls hold the live settings; Execute takes a snapshot first, so Cancel
// gives every setting back, those changed in the GNU forms opened meanwhile included.
class TIDEConfig1 final : public QDialog {
    Q_OBJECT
public:
    TIDEConfig1(EnvironmentSettings& settings, UserInterface& ui, SettingsSnapshot& snapshot,
                QWidget* parent = nullptr);
    ~TIDEConfig1() override;

    // Shows the dialog modally inside a snapshot; true for OK. Afterwards every tool slot has
    // been refreshed and onClosed has run.
    bool Execute();
    // Puts the settings' current values into every control (after the settings were read).
    void LoadControls();

    // A tool slot (0..3) changed what its button's hint shows.
    std::function<void(int slot)> onToolSlotChanged;
    // After the dialog or a GNU form closed: the main window refreshes from the settings.
    std::function<void()> onSettingsChanged;
    // Help for the control that has the focus.
    std::function<void(QWidget* focused)> onHelp;

    QTabWidget* Pages;
    // Assembler/Compiler
    QComboBox* Compiler_type;
    QLineEdit* Compiler_name;
    QLabel* Label1;
    QStackedWidget* Panels;
    QWidget* Panel1;
    QWidget* Panel2;
    QWidget* panel_m68kelf;
    QWidget* panel_ppceabi;
    QLineEdit* Compiler_Options;
    QComboBox* ErrorFormat;
    std::array<QLineEdit*, 2> gnuOptions;            // m68k-elf, powerpc-eabi
    std::array<QCheckBox*, 2> gnuConfirm;            // hidden: set only by the settings file
    std::array<std::array<QRadioButton*, 2>, 2> gnuBatch;
    std::unique_ptr<GnuTargetForms> m68kForms;
    std::unique_ptr<GnuTargetForms> ppcForms;
    // General Environment
    QRadioButton* UseMainFile;
    QRadioButton* UseEditFile;
    QLineEdit* MainFileEditName;
    // File Types
    QComboBox* DefaultFileType1;
    QLineEdit* NewFilterEdit1;
    QLineEdit* NewDescriptionEdit1;
    QPushButton* AddFilterButton;
    QPushButton* RemoveFilterButton;
    QTreeWidget* FileFilterListbox1;
    // EXE1 to EXE4
    std::array<QLineEdit*, 4> exeType;
    std::array<QLineEdit*, 4> exeName;
    std::array<QLineEdit*, 4> exeOptions;
    std::array<QCheckBox*, 4> exeWait;
    QPushButton* OkButton;
    QPushButton* CancelButton;
    QPushButton* HelpButton;

    void Compiler_typeChange();
    // The page title of a tool slot and, through onToolSlotChanged, its button's hint.
    void RefreshToolSlot(int slot);
    void AddFilter();
    void RemoveFilter();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildCompilerPage();
    QWidget* BuildTalvikPanel();
    QWidget* BuildOtherPanel();
    QWidget* BuildGnuPanel(int index);
    QWidget* BuildGeneralPage();
    QWidget* BuildFileTypesPage();
    QWidget* BuildToolPage(int slot);
    QCheckBox* Check(QWidget* parent, const QString& name, const char* caption, bool& value);
    QPushButton* SelectButton(QWidget* parent, QLineEdit* field, const char* title);
    void RefreshFilters(int select);
    void SettingsChanged();

    EnvironmentSettings& settings_;
    UserInterface& ui_;
    SettingsSnapshot& snapshot_;
    SettingBindings bindings_;
};

}  // namespace quarry
