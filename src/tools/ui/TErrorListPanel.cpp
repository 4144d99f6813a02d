#include "tools/ui/TErrorListPanel.h"

#include "platform/PathStyle.h"
#include "platform/ui/QtUserInterface.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

namespace quarry {

class ErrorListModel final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetEntries(std::vector<ErrorEntry> entries)
    {
        beginResetModel();
        entries_ = std::move(entries);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(entries_.size());
    }
    int columnCount(const QModelIndex& = {}) const override { return 4; }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        static const char* const titles[] = {"Type", "File", "Line", "Message"};
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 4)
            return QString::fromLatin1(titles[section]);
        return {};
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount())
            return {};
        const auto& entry = entries_[static_cast<std::size_t>(index.row())];
        if (role == Qt::DisplayRole)
            return Text(entry, index.column());
        if (role == Qt::ToolTipRole)
            return index.column() == 1 ? toQt(entry.file) : toQt(entry.text);
        if (role == Qt::DecorationRole && index.column() == 0)
            return Icon(entry.severity);
        return {};
    }

    static QString Text(const ErrorEntry& entry, int column)
    {
        switch (column) {
        case 0: return SeverityName(entry.severity);
        case 1: return toQt(PathStyle::native().fileName(entry.file));
        case 2: return entry.hasPlace() ? QString::number(entry.line) : QString();
        default: return toQt(entry.detail);
        }
    }

private:
    static QString SeverityName(ErrorEntry::Severity severity)
    {
        switch (severity) {
        case ErrorEntry::Severity::Error: return QStringLiteral("Error");
        case ErrorEntry::Severity::Warning: return QStringLiteral("Warning");
        case ErrorEntry::Severity::Note: break;
        }
        return QStringLiteral("Note");
    }
    static QIcon Icon(ErrorEntry::Severity severity)
    {
        const auto pixmap = severity == ErrorEntry::Severity::Error     ? QStyle::SP_MessageBoxCritical
                            : severity == ErrorEntry::Severity::Warning ? QStyle::SP_MessageBoxWarning
                                                                        : QStyle::SP_MessageBoxInformation;
        return QApplication::style()->standardIcon(pixmap);
    }

    std::vector<ErrorEntry> entries_;
};

namespace {

QString plural(std::size_t n, const char* word)
{
    return QStringLiteral("%1 %2%3").arg(n).arg(QString::fromLatin1(word)).arg(n == 1 ? "" : "s");
}

}  // namespace

TErrorListPanel::TErrorListPanel(QWidget* parent)
    : QWidget(parent), model_(new ErrorListModel(this)), summary_(new QLabel(this)), view_(new QTreeView(this))
{
    setObjectName(QStringLiteral("ErrorListPanel"));
    summary_->setObjectName(QStringLiteral("ErrorSummary"));
    view_->setObjectName(QStringLiteral("ErrorListView"));
    view_->setModel(model_);
    view_->setRootIsDecorated(false);
    view_->setUniformRowHeights(true);
    view_->setAlternatingRowColors(true);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->header()->setStretchLastSection(true);
    view_->setColumnWidth(0, 80);
    view_->setColumnWidth(1, 110);
    view_->setColumnWidth(2, 45);
    connect(view_, &QTreeView::activated, this,
            [this](const QModelIndex& index) { emit entryActivated(static_cast<std::size_t>(index.row())); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(summary_);
    layout->addWidget(view_);
    summary_->setText(QStringLiteral("No compiler run yet"));
}

TErrorListPanel::~TErrorListPanel() = default;

void TErrorListPanel::SetList(const ErrorList& list)
{
    model_->SetEntries(list.Entries());
    QString summary = plural(list.Count(ErrorEntry::Severity::Error), "error") + QStringLiteral(", ") +
                      plural(list.Count(ErrorEntry::Severity::Warning), "warning");
    if (const auto notes = list.Count(ErrorEntry::Severity::Note))
        summary += QStringLiteral(", ") + plural(notes, "note");
    if (list.Truncated())
        summary += QStringLiteral(" (only the first %1 lines are listed)").arg(list.Entries().size());
    summary_->setText(summary);
    if (const auto current = list.Current())
        SetCurrent(*current);
}

void TErrorListPanel::SetCurrent(std::size_t index)
{
    const auto row = model_->index(static_cast<int>(index), 0);
    if (!row.isValid())
        return;
    view_->setCurrentIndex(row);
    view_->scrollTo(row);
}

int TErrorListPanel::RowCount() const { return model_->rowCount(); }

QStringList TErrorListPanel::RowTexts(int row) const
{
    QStringList texts;
    for (int column = 0; column < model_->columnCount(); ++column)
        texts << model_->data(model_->index(row, column), Qt::DisplayRole).toString();
    return texts;
}

}  // namespace quarry
