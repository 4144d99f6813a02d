#pragma once
#include "editorwin/ui/TEdFindDlg.h"
#include "editorwin/ui/TEdReplDlg.h"

#include <QObject>

#include <functional>

class QAction;
class QMenu;

namespace quarry {

class TCodeMemo;

// The Search menu: Find and Replace open their modeless dialogs on the active editor, Find next
// repeats the last search there, Go to line asks for a row. The main window tells it which
// editor is active and how to put an editor window's caret on a row.
class SearchCommands final : public QObject {
    Q_OBJECT
public:
    // The dialogs are children of the main window; the store keeps their histories.
    SearchCommands(QWidget* mainWindow, UserInterface& ui, PersistentEditorStore& store);

    // The active editor control, or null.
    std::function<TCodeMemo*()> activeEditor;
    // Puts the active editor window's caret on a row, column 1, with the row centred.
    std::function<void(int row)> goToRow;

    // Connects the menu items and keeps their enabled states: the four commands need an active
    // editor with at least one row, Find next also a last search.
    void connectActions(QMenu* searchMenu, QAction* find, QAction* replace, QAction* findNext, QAction* goToLine);
    void updateActions();

    void Find1Click();
    void Replace1Click();
    void FindNext1Click();
    void GotoLine1Click();

    // The search Find next repeats (empty until a dialog has searched).
    LastSearch& lastSearch() { return last_; }
    TEdFindDlg& findDialog() { return *findDialog_; }
    TEdReplDlg& replaceDialog() { return *replaceDialog_; }

private:
    TCodeMemo* searchableEditor() const;

    LastSearch last_;
    SearchContext context_;
    TEdFindDlg* findDialog_;
    TEdReplDlg* replaceDialog_;
    QAction* find_ = nullptr;
    QAction* replace_ = nullptr;
    QAction* findNext_ = nullptr;
    QAction* goToLine_ = nullptr;
};

}  // namespace quarry
