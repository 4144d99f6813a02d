#pragma once
#include "editor/ui/TCodeMemo.h"
#include "editorwin/EditorSearch.h"
#include "editorwin/SearchHistory.h"
#include "platform/UserInterface.h"

#include <QDialog>
#include <QPointer>

#include <cstdint>
#include <string>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace quarry {

class PersistentEditorStore;

// What the find and replace dialogs share with the rest of the program: the user, the
// persistent editor store that keeps the histories, and the last search that Find next repeats.
struct SearchContext {
    UserInterface& ui;
    PersistentEditorStore& store;
    LastSearch& last;
};

// The common part of the modeless find and replace dialogs: the search text with its history,
// the option check boxes, the direction, OK and Cancel. A dialog works on the editor it was
// opened for; while it is open that editor shows its selection without the focus. The histories
// go to the store as they grow and again when the dialog closes, so that leaving the program
// with a dialog open loses none of them.
class TEdSearchDlg : public QDialog {
    Q_OBJECT
public:
    // Opens (or re-opens) the dialog for an editor with a starting text and options.
    void Open(TCodeMemo* editor, const std::string& initialText, std::uint16_t options);

    // The option bits the controls show (16 case, 32 regular expression, 64 whole words, 128 back).
    std::uint16_t Options() const;
    std::string SearchText() const;
    TCodeMemo* Editor() const { return editor_; }

    QComboBox* FindHistoryBox;
    QCheckBox* UseCaseBox;
    QCheckBox* RegExBox;
    QCheckBox* WholeWordBox;
    QRadioButton* FwdDirection;
    QRadioButton* BackDirection;
    QPushButton* OKButton;
    QPushButton* CancelButton;

public slots:
    void done(int result) override;

protected:
    TEdSearchDlg(QWidget* parent, SearchContext context, const char* objectName, const char* title);

    // Loads the histories into the combo boxes (before the first text is put in).
    virtual void loadHistories();
    virtual void storeHistories();
    virtual void searchTextChanged();
    virtual void OKButtonClick() = 0;

    // Remembers a text (in the editor's encoding) in a history and shows the history in its
    // combo box with that text. Histories hold UTF-8, so that every window's texts read right in
    // every other; an entry that is no UTF-8 comes from before and reads as Windows-1252.
    void rememberIn(SearchHistory& history, QComboBox* box, const std::string& text);
    static void fill(QComboBox* box, const SearchHistory& history);
    // A combo box's text in the editor's encoding.
    std::string BoxText(const QComboBox* box) const;

    SearchContext context_;
    SearchHistory findHistory_;
    QGroupBox* optionsGroup_;
    QVBoxLayout* optionsLayout_;
    QGridLayout* textLayout_;
    QVBoxLayout* buttonLayout_;

private:
    void markEditor(bool open);

    QPointer<TCodeMemo> editor_;
    // The editor shows its selection while marked; its own setting comes back afterwards.
    bool marked_ = false;
    bool editorHidSelection_ = true;
};


}  // namespace quarry
