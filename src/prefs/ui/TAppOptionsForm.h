#pragma once
// "Syntax Preferences...": the default parser and, per parser, the file patterns that choose it.
// The filter list draws each row as the parser's name in bold and its patterns; a click on a
// row puts an edit box over the patterns, and leaving the box writes them back into the row.
#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QHeaderView;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quarry {

class PersistentEditorStore;

class TAppOptionsForm final : public QDialog {
    Q_OBJECT
public:
    explicit TAppOptionsForm(QWidget* parent = nullptr);

    // Shows the dialog modally over the store's filters of the given parsers (repository order);
    // on OK stores each row's patterns and sets defaultSyntax from the combo box. True for OK.
    bool EditSyntaxPreferences(PersistentEditorStore& store, const std::vector<std::string>& languages,
                               int& defaultSyntax);

    // A click on a row: the edit box over its patterns, focused.
    void EditRow(int row);
    // Leaving the edit box: its text into the row being edited.
    void EditPopupBoxExit();

    QComboBox* defaultcodesyntaxcombo;
    QHeaderView* HeaderControl1;
    QListWidget* FilterListBox;
    QLineEdit* EditPopupBox;
    QPushButton* OkButton;
    QPushButton* CancelButton;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FillControls(const PersistentEditorStore& store, const std::vector<std::string>& languages,
                      int defaultSyntax);

    int editedRow_ = -1;
};

}  // namespace quarry
