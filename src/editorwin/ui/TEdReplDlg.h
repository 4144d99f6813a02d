#pragma once
#include "editorwin/ui/TEdSearchDlg.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace quarry {

// "Find and replace text...": OK replaces the next match, "Replace &All" every match from the
// selection on as one undo step; both may ask about each match first.
class TEdReplDlg final : public TEdSearchDlg {
    Q_OBJECT
public:
    TEdReplDlg(QWidget* parent, SearchContext context);

    std::string ReplaceText() const;

    QComboBox* ReplHistoryBox;
    QCheckBox* PromptOnReplBox;
    QPushButton* ReplaceAllButton;

protected:
    void loadHistories() override;
    void storeHistories() override;
    void searchTextChanged() override;
    void OKButtonClick() override;

private:
    void ReplaceAllButtonClick();
    // Both texts into their histories; false when there is no search text.
    bool rememberTexts();
    // What both buttons do: the texts remembered, then one replacement or all of them.
    void replace(bool all);

    SearchHistory replaceHistory_;
};

}  // namespace quarry
