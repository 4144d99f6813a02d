#include "editorwin/ui/SearchCommands.h"

#include "editor/ui/TCodeMemo.h"
#include "editorwin/GoToLine.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

namespace quarry {

SearchCommands::SearchCommands(QWidget* mainWindow, UserInterface& ui, PersistentEditorStore& store)
    : QObject(mainWindow),
      context_{ui, store, last_},
      findDialog_(new TEdFindDlg(mainWindow, context_)),
      replaceDialog_(new TEdReplDlg(mainWindow, context_))
{
    // A search changes what Find next can repeat.
    for (auto* button : {findDialog_->OKButton, replaceDialog_->OKButton, replaceDialog_->ReplaceAllButton})
        connect(button, &QAbstractButton::clicked, this, &SearchCommands::updateActions);
}

void SearchCommands::connectActions(QMenu* searchMenu, QAction* find, QAction* replace, QAction* findNext,
                                    QAction* goToLine)
{
    find_ = find;
    replace_ = replace;
    findNext_ = findNext;
    goToLine_ = goToLine;
    // The main window's own refreshes enable only items that carry this mark.
    for (auto* action : {find, replace, findNext, goToLine})
        action->setProperty("quarryWired", true);
    connect(find, &QAction::triggered, this, &SearchCommands::Find1Click);
    connect(replace, &QAction::triggered, this, &SearchCommands::Replace1Click);
    connect(findNext, &QAction::triggered, this, &SearchCommands::FindNext1Click);
    connect(goToLine, &QAction::triggered, this, &SearchCommands::GotoLine1Click);
    if (searchMenu)
        connect(searchMenu, &QMenu::aboutToShow, this, &SearchCommands::updateActions);
    updateActions();
}

TCodeMemo* SearchCommands::searchableEditor() const
{
    auto* editor = activeEditor ? activeEditor() : nullptr;
    if (!editor || editor->Memo().Store().LogicalLineCount() < 1)
        return nullptr;
    return editor;
}

void SearchCommands::updateActions()
{
    const bool editor = searchableEditor() != nullptr;
    for (auto* action : {find_, replace_, goToLine_})
        if (action)
            action->setEnabled(editor);
    if (findNext_)
        findNext_->setEnabled(editor && context_.last.exists());
}

void SearchCommands::Find1Click()
{
    if (auto* editor = searchableEditor())
        findDialog_->Open(editor, initialSearchText(editor->Memo(), context_.last), context_.last.options);
}

void SearchCommands::Replace1Click()
{
    if (auto* editor = searchableEditor())
        replaceDialog_->Open(editor, initialSearchText(editor->Memo(), context_.last), context_.last.options);
}

void SearchCommands::FindNext1Click()
{
    if (auto* editor = searchableEditor()) {
        EditorSearch search(editor->Memo(), context_.ui, context_.last);
        search.FindNext();
    }
}

void SearchCommands::GotoLine1Click()
{
    auto* editor = searchableEditor();
    if (!editor || !goToRow)
        return;
    if (const auto row = AskLineNumber(context_.ui, editor->Memo().Store().RowCount()))
        goToRow(*row);
}

}  // namespace quarry
