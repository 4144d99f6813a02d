#pragma once
#include "regview/CodeLineEditor.h"
#include "regview/RegisterPicker.h"

#include <QObject>

#include <memory>

class QMimeData;

namespace quarry {

class RegisterCommand;
class RegisterDirectory;
class TMainForm;
class TPickWIndow1;
class TRegisterWindow;

// Register Files (Shift+F1 and its tool-bar button): runs the register command over the
// program directory's "*.reg" files, picking in the pick window (in the register window's
// font), composing in the register window, and writing into the active editor window.
class RegisterFileCommands final : public QObject, private RegisterPicker, private CodeLineEditor {
    Q_OBJECT
public:
    explicit RegisterFileCommands(TMainForm& form);
    ~RegisterFileCommands() override;

    void regfileclick();
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
    std::unique_ptr<RegisterDirectory> library_;
    std::unique_ptr<RegisterCommand> command_;
    std::unique_ptr<QMimeData> keptClipboard_;
};

}  // namespace quarry
