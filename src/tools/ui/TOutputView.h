#pragma once
#include <QAbstractScrollArea>

#include <cstdint>
#include <optional>

namespace quarry {

class OutputLog;

// Shows an output log in a fixed-pitch font, painting only the rows in view, so any amount of
// output scrolls at once. While the view is at the bottom it follows new lines. Whole lines can
// be selected with the mouse and copied.
class TOutputView final : public QAbstractScrollArea {
    Q_OBJECT
public:
    TOutputView(const OutputLog& log, QWidget* parent = nullptr);

    // Takes in what the log gained since the last call: scroll ranges, following, repaint.
    // False when there was nothing new.
    bool Refresh();
    // The text of the selected rows (or of all rows), one per line.
    QString SelectedText() const;
    void SelectAll();
    void CopySelection() const;
    int RowCount() const;
    // The text a row shows; row 0 tells about dropped lines when there are any.
    QString RowText(int row) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void UpdateRanges();
    int RowAt(int y) const;
    int VisibleRows() const;
    // Rows as absolute numbers over everything ever logged, so a selection stays on its lines
    // while old ones are dropped.
    std::int64_t Absolute(int row) const;

    const OutputLog& log_;
    std::uint64_t seenVersion_ = 0;
    std::uint64_t seenDropped_ = 0;
    std::optional<std::int64_t> anchor_;
    std::optional<std::int64_t> cursor_;
};

}  // namespace quarry
