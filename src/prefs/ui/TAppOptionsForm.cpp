#include "prefs/ui/TAppOptionsForm.h"

#include "platform/ui/QtUserInterface.h"
#include "prefs/SyntaxPreferences.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quarry {

namespace {

constexpr int kRowHeight = 16;

// Name in bold on the left half, patterns on the right half, a shadow line under the row and
// between the halves.
class FilterRowDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const auto row = SyntaxPreferences::SplitRowText(fromQt(index.data().toString()));
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        QRect left = option.rect;
        left.setWidth(option.rect.width() / 2);
        QRect right = option.rect;
        right.setLeft(left.right() + 1);

        painter->save();
        painter->fillRect(left, selected ? palette.highlight() : palette.button());
        QFont bold = option.font;
        bold.setBold(true);
        painter->setFont(bold);
        painter->setPen(selected ? palette.highlightedText().color() : palette.buttonText().color());
        painter->drawText(left.adjusted(3, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, toQt(row.name));
        painter->fillRect(right, selected ? palette.highlight() : QBrush(Qt::white));
        painter->setFont(option.font);
        painter->setPen(selected ? palette.highlightedText().color() : QColor(Qt::black));
        painter->drawText(right.adjusted(3, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, toQt(row.filters));
        painter->setPen(palette.color(QPalette::Dark));
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->drawLine(right.topLeft(), right.bottomLeft());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return {option.rect.width(), std::max(kRowHeight, option.fontMetrics.height() + 2)};
    }
};

}  // namespace

TAppOptionsForm::TAppOptionsForm(QWidget* parent)
    : QDialog(parent),
      defaultcodesyntaxcombo(new QComboBox(this)),
      HeaderControl1(new QHeaderView(Qt::Horizontal)),
      FilterListBox(new QListWidget),
      EditPopupBox(new QLineEdit(FilterListBox->viewport())),
      OkButton(new QPushButton(QStringLiteral("OK"), this)),
      CancelButton(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("AppOptionsForm"));
    setWindowTitle(QStringLiteral("Syntax Preferences..."));
    defaultcodesyntaxcombo->setObjectName(QStringLiteral("defaultcodesyntaxcombo"));
    FilterListBox->setObjectName(QStringLiteral("FilterListBox"));
    EditPopupBox->setObjectName(QStringLiteral("EditPopupBox"));
    EditPopupBox->setFrame(false);
    EditPopupBox->hide();

    auto* headerModel = new QStandardItemModel(0, 2, this);
    headerModel->setHorizontalHeaderLabels({QStringLiteral("Code Syntax Style"), QStringLiteral("File extensions to apply to")});
    HeaderControl1->setModel(headerModel);
    HeaderControl1->resizeSection(0, 200);
    HeaderControl1->resizeSection(1, 275);
    HeaderControl1->setSectionsClickable(false);
    HeaderControl1->setStretchLastSection(true);
    HeaderControl1->setFixedHeight(HeaderControl1->fontMetrics().height() + 8);
    FilterListBox->setItemDelegate(new FilterRowDelegate(FilterListBox));
    FilterListBox->setUniformItemSizes(true);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Default Code Syntax:"), this));
    top->addWidget(defaultcodesyntaxcombo, 1);
    auto* page = new QWidget;
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setSpacing(0);
    pageLayout->addWidget(HeaderControl1);
    pageLayout->addWidget(FilterListBox);
    auto* pages = new QTabWidget(this);
    pages->addTab(page, QStringLiteral("Filters"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(pages, 1);
    layout->addLayout(buttons);
    OkButton->setDefault(true);
    setTabOrder(defaultcodesyntaxcombo, FilterListBox);
    setTabOrder(FilterListBox, OkButton);
    setTabOrder(OkButton, CancelButton);
    resize(520, 330);

    connect(FilterListBox, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { EditRow(FilterListBox->row(item)); });
    FilterListBox->installEventFilter(this);
    FilterListBox->viewport()->installEventFilter(this);
    EditPopupBox->installEventFilter(this);
    connect(EditPopupBox, &QLineEdit::editingFinished, this, &TAppOptionsForm::EditPopupBoxExit);
    connect(OkButton, &QPushButton::clicked, this, [this] {
        EditPopupBoxExit();
        accept();
    });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TAppOptionsForm::FillControls(const PersistentEditorStore& store, const std::vector<std::string>& languages,
                                   int defaultSyntax)
{
    EditPopupBox->hide();
    editedRow_ = -1;
    const SyntaxPreferences prefs(store, languages);
    defaultcodesyntaxcombo->clear();
    FilterListBox->clear();
    for (const auto& row : prefs.Rows()) {
        defaultcodesyntaxcombo->addItem(toQt(row.name));
        FilterListBox->addItem(toQt(SyntaxPreferences::RowText(row)));
    }
    defaultcodesyntaxcombo->setCurrentIndex(prefs.DefaultEntry(defaultSyntax));
    FilterListBox->setCurrentRow(0);
    FilterListBox->setFocus();
}

bool TAppOptionsForm::EditSyntaxPreferences(PersistentEditorStore& store, const std::vector<std::string>& languages,
                                            int& defaultSyntax)
{
    FillControls(store, languages, defaultSyntax);
    if (exec() != QDialog::Accepted)
        return false;
    SyntaxPreferences prefs(store, languages);
    for (int i = 0; i < FilterListBox->count() && i < int(languages.size()); ++i)
        prefs.SetFilters(size_t(i), SyntaxPreferences::SplitRowText(fromQt(FilterListBox->item(i)->text())).filters);
    prefs.Store(store);
    defaultSyntax = prefs.DefaultSyntaxFor(fromQt(defaultcodesyntaxcombo->currentText()), defaultSyntax);
    return true;
}

void TAppOptionsForm::EditRow(int row)
{
    auto* item = FilterListBox->item(row);
    if (!item)
        return;
    EditPopupBoxExit();
    FilterListBox->setCurrentRow(row);
    QRect right = FilterListBox->visualItemRect(item);
    right.setLeft(right.left() + right.width() / 2 + 1);
    editedRow_ = row;
    EditPopupBox->setGeometry(right.adjusted(1, 1, -1, -1));
    EditPopupBox->setText(toQt(SyntaxPreferences::SplitRowText(fromQt(item->text())).filters));
    EditPopupBox->raise();
    EditPopupBox->show();
    EditPopupBox->setFocus();
}

void TAppOptionsForm::EditPopupBoxExit()
{
    if (editedRow_ < 0 || !EditPopupBox->isVisible())
        return;
    if (auto* item = FilterListBox->item(editedRow_)) {
        auto row = SyntaxPreferences::SplitRowText(fromQt(item->text()));
        row.filters = fromQt(EditPopupBox->text());
        item->setText(toQt(SyntaxPreferences::RowText(row)));
    }
    editedRow_ = -1;
    EditPopupBox->hide();
}

bool TAppOptionsForm::eventFilter(QObject* watched, QEvent* event)
{
    // For the keyboard: Return on a row opens the box, Return in the box takes its text back to
    // the list; neither closes the dialog.
    if ((watched == FilterListBox || watched == EditPopupBox) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == FilterListBox) {
                EditRow(FilterListBox->currentRow());
            } else {
                EditPopupBoxExit();
                FilterListBox->setFocus();
            }
            return true;
        }
    }
    // The first header section spans the rows' left half, plus the line between the halves.
    if (watched == FilterListBox->viewport() && event->type() == QEvent::Resize)
        HeaderControl1->resizeSection(0, FilterListBox->viewport()->width() / 2 + 2);
    return QDialog::eventFilter(watched, event);
}

void TAppOptionsForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // The box follows its row's right half; simplest is to commit what was typed.
    EditPopupBoxExit();
}

}  // namespace quarry
