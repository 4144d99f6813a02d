#include "app/ui/EditCommands.h"

#include "app/ui/TMainForm.h"
#include "editor/TCodeMemoPaintLock.h"
#include "editor/TCustomCodeMemo.h"
#include "editor/ui/TCodeMemo.h"
#include "editorwin/GroupedUndoWalk.h"
#include "editorwin/ui/TMDIChild.h"

#include <QAction>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QToolButton>

namespace quarry {

EditCommands::EditCommands(TMainForm& form) : QObject(&form), form_(form), printer_(std::make_unique<QPrinter>())
{
    auto wire = [this](const char* name, void (EditCommands::*handler)()) {
        connect(form_.WireAction(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    };
    auto wireButton = [this](const char* name, void (EditCommands::*handler)()) {
        connect(form_.WireButton(QString::fromLatin1(name)), &QToolButton::clicked, this, handler);
    };
    wire("Undo1", &EditCommands::Undo1Click);
    wire("Undo2", &EditCommands::Undo1Click);
    wireButton("UndoButton", &EditCommands::Undo1Click);
    wire("Redo1", &EditCommands::Redo1Click);
    wire("Redo2", &EditCommands::Redo1Click);
    wireButton("RedoButton", &EditCommands::Redo1Click);
    wire("Cut1", &EditCommands::Cut1Click);
    wire("Cut2", &EditCommands::Cut1Click);
    wire("Copy1", &EditCommands::Copy1Click);
    wire("Copy2", &EditCommands::Copy1Click);
    wire("Paste1", &EditCommands::Paste1Click);
    wire("Paste2", &EditCommands::Paste1Click);
    wire("Delete1", &EditCommands::Delete1Click);
    wire("SelectAll1", &EditCommands::SelectAll1Click);
    wireButton("IndentButton", &EditCommands::IndentClick);
    wireButton("UndentButton", &EditCommands::UndentClick);
    wire("Print1", &EditCommands::Print1Click);
    wire("PrintSetup1", &EditCommands::PrintSetup1Click);
    form_.SetCommandEnabled(QStringLiteral("PrintSetup1"), true);

    // Margins in thousandths of an inch: left 0, top 500, right 0, bottom 500.
    printer_->setPageMargins(QMarginsF(0, 12.7, 0, 12.7), QPageLayout::Millimeter);
    runPrintDialog = [this](QPrinter& printer, bool& selectionOnly) {
        QPrintDialog dialog(&printer, &form_);
        dialog.setMinMax(1, 65535);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, true);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        selectionOnly = dialog.printRange() == QAbstractPrintDialog::Selection;
        return true;
    };
    runPageSetupDialog = [this](QPrinter& printer) {
        QPageSetupDialog dialog(&printer, &form_);
        return dialog.exec() == QDialog::Accepted;
    };
}

EditCommands::~EditCommands() = default;

TMDIChild* EditCommands::Active() const { return form_.ActiveEditor(); }

void EditCommands::Undo1Click()
{
    auto* window = Active();
    if (!window)
        return;
    auto& memo = window->SEditor1->Memo();
    TUndoStack* log = memo.UndoStack();
    if (!form_.action(QStringLiteral("GroupedUndo1"))->isChecked() || !log) {
        memo.Undo();
    } else {
        const int steps = GroupedUndoWalk::UndoSteps(*log);
        TCodeMemoPaintLock lock(memo);
        for (int i = 0; i < steps; ++i)
            memo.Undo();
    }
    form_.UpdateButtons();
}

void EditCommands::Redo1Click()
{
    auto* window = Active();
    if (!window)
        return;
    auto& memo = window->SEditor1->Memo();
    TUndoStack* log = memo.UndoStack();
    if (!form_.action(QStringLiteral("GroupedUndo1"))->isChecked() || !log) {
        memo.Perform(cm::CM_REDO);
    } else {
        const int steps = GroupedUndoWalk::RedoSteps(*log);
        TCodeMemoPaintLock lock(memo);
        for (int i = 0; i < steps; ++i)
            memo.Redo();
    }
    form_.UpdateButtons();
}

void EditCommands::Cut1Click()
{
    if (auto* window = Active(); window && window->SEditor1->Memo().SelLength() > 0)
        window->SEditor1->Memo().CutToClipboard();
}

void EditCommands::Copy1Click()
{
    if (auto* window = Active(); window && window->SEditor1->Memo().SelLength() > 0)
        window->SEditor1->Memo().CopyToClipboard();
    form_.UpdateButtons();
}

void EditCommands::Paste1Click()
{
    if (auto* window = Active())
        window->SEditor1->Memo().PasteFromClipboard();
}

void EditCommands::Delete1Click()
{
    if (auto* window = Active(); window && window->SEditor1->Memo().HasSelection())
        window->SEditor1->Memo().Perform(cm::WM_CLEAR);
}

void EditCommands::SelectAll1Click()
{
    if (auto* window = Active()) {
        auto& memo = window->SEditor1->Memo();
        memo.SetSelection(0, memo.Store().CharCount());
        form_.UpdateButtons();
    }
}

void EditCommands::IndentClick()
{
    if (auto* window = Active())
        window->SEditor1->Memo().Perform(cm::CM_INDENT);
}

void EditCommands::UndentClick()
{
    if (auto* window = Active())
        window->SEditor1->Memo().Perform(cm::CM_UNINDENT);
}

void EditCommands::Print1Click()
{
    auto* window = Active();
    if (!window || printing_)
        return;
    printing_ = true;
    auto* item = form_.action(QStringLiteral("Print1"));
    item->setEnabled(false);
    bool selectionOnly = false;
    if (runPrintDialog && runPrintDialog(*printer_, selectionOnly)) {
        if (selectionOnly)
            window->SEditor1->PrintSelection(*printer_);
        else
            window->SEditor1->Print(*printer_);
    }
    printing_ = false;
    form_.FixMenus();
}

void EditCommands::PrintSetup1Click()
{
    if (runPageSetupDialog)
        runPageSetupDialog(*printer_);
}

}  // namespace quarry
