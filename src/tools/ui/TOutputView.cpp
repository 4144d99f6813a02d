#include "tools/ui/TOutputView.h"

#include "tools/OutputLog.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStringDecoder>

#include <algorithm>

namespace quarry {

namespace {

// Tools write UTF-8 or a single-byte code page; a line that is not valid UTF-8 is shown byte
// for byte. Tabs go to the next multiple of eight.
QString decode(const std::string& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (utf8.hasError())
        text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (!text.contains(QLatin1Char('\t')))
        return text;
    QString expanded;
    for (const QChar c : text) {
        if (c == QLatin1Char('\t'))
            expanded.append(QString(8 - expanded.size() % 8, QLatin1Char(' ')));
        else
            expanded.append(c);
    }
    return expanded;
}

QColor colourOf(OutputLog::Kind kind, const QPalette& palette)
{
    switch (kind) {
    case OutputLog::Kind::Command: return QColor(0, 0, 128);
    case OutputLog::Kind::Error: return QColor(128, 0, 0);
    case OutputLog::Kind::Note: return palette.color(QPalette::Disabled, QPalette::Text);
    case OutputLog::Kind::Output: break;
    }
    return palette.color(QPalette::Text);
}

}  // namespace

TOutputView::TOutputView(const OutputLog& log, QWidget* parent) : QAbstractScrollArea(parent), log_(log)
{
    setObjectName(QStringLiteral("OutputView"));
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    UpdateRanges();
}

int TOutputView::RowCount() const { return static_cast<int>(log_.Count()) + (log_.Dropped() > 0 ? 1 : 0); }

QString TOutputView::RowText(int row) const
{
    if (log_.Dropped() > 0) {
        if (row == 0)
            return QStringLiteral("[%1 earlier lines are no longer kept]").arg(log_.Dropped());
        --row;
    }
    return decode(log_.At(static_cast<std::size_t>(row)).text);
}

std::int64_t TOutputView::Absolute(int row) const
{
    return static_cast<std::int64_t>(log_.Dropped()) + row;
}

int TOutputView::VisibleRows() const
{
    return std::max(1, viewport()->height() / std::max(1, fontMetrics().height()));
}

void TOutputView::UpdateRanges()
{
    const auto* bar = verticalScrollBar();
    const bool following = bar->value() >= bar->maximum();
    verticalScrollBar()->setRange(0, std::max(0, RowCount() - VisibleRows()));
    verticalScrollBar()->setPageStep(VisibleRows());
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('M'));
    const auto widest = static_cast<int>(std::min<std::size_t>(log_.Widest(), 100000));
    horizontalScrollBar()->setRange(0, std::max(0, widest * charWidth - viewport()->width() + charWidth));
    horizontalScrollBar()->setPageStep(viewport()->width());
    if (following)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

bool TOutputView::Refresh()
{
    if (log_.Version() == seenVersion_)
        return false;
    seenVersion_ = log_.Version();
    // A reader scrolled up keeps his lines in view while the oldest ones go.
    const auto gone = static_cast<int>(std::min<std::uint64_t>(log_.Dropped() - std::min(seenDropped_, log_.Dropped()),
                                                                static_cast<std::uint64_t>(RowCount())));
    seenDropped_ = log_.Dropped();
    auto* bar = verticalScrollBar();
    if (gone > 0 && bar->value() < bar->maximum())
        bar->setValue(std::max(0, bar->value() - gone));
    UpdateRanges();
    viewport()->update();
    return true;
}

void TOutputView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const auto metrics = fontMetrics();
    const int height = metrics.height();
    const int first = verticalScrollBar()->value();
    const int last = std::min(RowCount(), first + VisibleRows() + 1);
    const int x = 2 - horizontalScrollBar()->value();
    const auto selectedFrom = anchor_ && cursor_ ? std::min(*anchor_, *cursor_) : -1;
    const auto selectedTo = anchor_ && cursor_ ? std::max(*anchor_, *cursor_) : -2;
    const bool dropped = log_.Dropped() > 0;
    for (int row = first; row < last; ++row) {
        const int y = (row - first) * height;
        const bool selected = Absolute(row) >= selectedFrom && Absolute(row) <= selectedTo;
        if (selected)
            painter.fillRect(0, y, viewport()->width(), height, palette().highlight());
        const bool note = dropped && row == 0;
        const auto kind = note ? OutputLog::Kind::Note : log_.At(static_cast<std::size_t>(row - (dropped ? 1 : 0))).kind;
        painter.setPen(selected ? palette().color(QPalette::HighlightedText) : colourOf(kind, palette()));
        painter.drawText(x, y + metrics.ascent(), RowText(row));
    }
}

void TOutputView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateRanges();
}

int TOutputView::RowAt(int y) const
{
    const int row = verticalScrollBar()->value() + y / std::max(1, fontMetrics().height());
    return std::clamp(row, 0, std::max(0, RowCount() - 1));
}

void TOutputView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || RowCount() == 0)
        return QAbstractScrollArea::mousePressEvent(event);
    const auto row = Absolute(RowAt(event->position().toPoint().y()));
    if (!(event->modifiers() & Qt::ShiftModifier) || !anchor_)
        anchor_ = row;
    cursor_ = row;
    viewport()->update();
}

void TOutputView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || !anchor_)
        return;
    cursor_ = Absolute(RowAt(event->position().toPoint().y()));
    viewport()->update();
}

QString TOutputView::SelectedText() const
{
    std::int64_t from = Absolute(0), to = Absolute(RowCount() - 1);
    if (anchor_ && cursor_) {
        from = std::max(from, std::min(*anchor_, *cursor_));
        to = std::min(to, std::max(*anchor_, *cursor_));
    }
    QStringList rows;
    for (auto row = from; row <= to; ++row)
        rows << RowText(static_cast<int>(row - Absolute(0)));
    return rows.join(QLatin1Char('\n'));
}

void TOutputView::SelectAll()
{
    anchor_ = Absolute(0);
    cursor_ = Absolute(RowCount() - 1);
    viewport()->update();
}

void TOutputView::CopySelection() const { QApplication::clipboard()->setText(SelectedText()); }

void TOutputView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy))
        return CopySelection();
    if (event->matches(QKeySequence::SelectAll))
        return SelectAll();
    QAbstractScrollArea::keyPressEvent(event);
}

void TOutputView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Copy"), this, &TOutputView::CopySelection);
    menu.addAction(QStringLiteral("Select &All"), this, &TOutputView::SelectAll);
    menu.exec(event->globalPos());
}

}  // namespace quarry
