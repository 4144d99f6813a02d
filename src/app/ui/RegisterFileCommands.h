#pragma once
#include "regview/CodeLineEditor.h"
#include "regview/RegisterPicker.h"

#include <QObject>

#include <memory>

class QMimeData;

namespace quarry {

class RegisterCommand;
class RegisterSearchPath;
class TMainForm;
class TPickWIndow1;
class TRegisterWindow;
class TSvdImportDialog;

// Register Files (Shift+F1 and its tool-bar button): runs the register command over the
// "*.reg" files of the program directory and of the register directory setting, picking in the
// pick window (in the register window's font), composing in the register window, and writing
// into the active editor window. Import SVD, next to it in the Environment menu, writes register
// files from a device description.
class RegisterFileCommands final : public QObject, private RegisterPicker, private CodeLineEditor {
    Q_OBJECT
public:
    explicit RegisterFileCommands(TMainForm& form);
    ~RegisterFileCommands() override;

    void regfileclick();
    void ImportSvd1Click();
    // Created by the first Import SVD.
    TSvdImportDialog* importDialog() const { return importDialog_; }
    TRegisterWindow& registerWindow() { return *window_; }
    TPickWIndow1& pickWindow() { return *pick_; }
    const RegisterCommand& command() const { return *command_; }

private:
    bool Pick(const ItemText& itemText, int count, const std::string& caption, int& index) override;
    bool HasActiveEditor() override;
    void KeepClipboard() override;
    void RestoreClipboard() override;
    void SetClipboardText(const std::string& text) override;
    void MoveCaretToLineStart() override;
    void Paste() override;

    TMainForm& form_;
    TRegisterWindow* window_;
    TPickWIndow1* pick_;
    TSvdImportDialog* importDialog_ = nullptr;
    std::unique_ptr<RegisterSearchPath> library_;
    std::unique_ptr<RegisterCommand> command_;
    std::unique_ptr<QMimeData> keptClipboard_;
};

}  // namespace quarry
