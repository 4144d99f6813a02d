#pragma once
#include <QStyledItemDelegate>
#include <QWidget>

namespace quarry {

// Rows of the register list are tab-separated columns; the stops lie at 30, 170 and 200
// dialog units, four units to the font's average character width. A column that runs past its
// stop pushes the next one on, one blank further.
class TabStopColumns final {
public:
    static constexpr int kStops[] = {30, 170, 200};

    static void Draw(QPainter& painter, const QRect& rect, const QString& text);
};

// Paints the list's rows in columns, with the list's highlight colours for the current row.
class TabStopDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The list's header: its text in the same columns.
class TabStopHeader final : public QWidget {
    Q_OBJECT
public:
    TabStopHeader(const QString& text, QWidget* parent);
    const QString& text() const { return text_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

}  // namespace quarry
