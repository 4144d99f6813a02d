#pragma once
#include <QObject>

#include <functional>
#include <memory>

class QPageLayout;
class QPrinter;

namespace quarry {

class TMDIChild;
class TMainForm;

// The Edit menu and its buttons on the active editor window: Undo and Redo (grouped when the
// check mark says so), Cut, Copy, Paste, Delete, Select All, Indent and Unindent; and printing.
class EditCommands final : public QObject {
    Q_OBJECT
public:
    explicit EditCommands(TMainForm& form);
    ~EditCommands() override;

    void Undo1Click();
    void Redo1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void Delete1Click();
    void SelectAll1Click();
    void IndentClick();
    void UndentClick();
    void Print1Click();
    void PrintSetup1Click();

    // The print dialog: true to print, with `selectionOnly` set when the selection range was
    // chosen. Replaceable so that printing runs without a dialog (tests print to PDF).
    std::function<bool(QPrinter& printer, bool& selectionOnly)> runPrintDialog;
    // The page-setup dialog: true when OK was chosen.
    std::function<bool(QPrinter& printer)> runPageSetupDialog;
    QPrinter& printer() { return *printer_; }
    bool printing() const { return printing_; }

private:
    TMDIChild* Active() const;

    TMainForm& form_;
    std::unique_ptr<QPrinter> printer_;
    bool printing_ = false;
};

}  // namespace quarry
