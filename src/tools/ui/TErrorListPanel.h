#pragma once
#include "tools/ErrorList.h"

#include <QWidget>

#include <cstddef>

class QLabel;
class QTreeView;

namespace quarry {

class ErrorListModel;

// The error list: every error, warning and note of the last compiler run with its file, line
// and message. Double-click or Enter on an entry asks to go to it.
class TErrorListPanel final : public QWidget {
    Q_OBJECT
public:
    explicit TErrorListPanel(QWidget* parent = nullptr);
    ~TErrorListPanel() override;

    void SetList(const ErrorList& list);
    void SetCurrent(std::size_t index);
    QTreeView* View() const { return view_; }
    QLabel* Summary() const { return summary_; }
    int RowCount() const;
    // The texts a row shows: type, file, line, message.
    QStringList RowTexts(int row) const;

signals:
    void entryActivated(std::size_t index);

private:
    ErrorListModel* model_;
    QLabel* summary_;
    QTreeView* view_;
};

}  // namespace quarry
