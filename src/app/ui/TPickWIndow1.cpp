#include "app/ui/TPickWIndow1.h"

#include "platform/ui/QtUserInterface.h"

#include <QAbstractListModel>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarry {

// Rows are asked for as they are painted, so a long list costs nothing until it is seen.
class TPickWIndow1::Model final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void Reset(ItemText itemText, int count)
    {
        beginResetModel();
        itemText_ = std::move(itemText);
        count_ = count;
        endResetModel();
    }
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : count_; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid() || !itemText_)
            return {};
        return toQt(itemText_(index.row()));
    }

private:
    ItemText itemText_;
    int count_ = 0;
};

TPickWIndow1::TPickWIndow1(QWidget* parent)
    : QDialog(parent), list_(new QListView(this)), hotKeyText_(new QLabel(this)), model_(new Model(this))
{
    setObjectName(QStringLiteral("PickWIndow1"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    list_->setObjectName(QStringLiteral("ListBox1"));
    list_->setModel(model_);
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->installEventFilter(this);
    hotKeyText_->setObjectName(QStringLiteral("HotKeyText"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(hotKeyText_, 1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QListView::doubleClicked, this, &QDialog::accept);
    resize(420, 360);
}

TPickWIndow1::~TPickWIndow1() = default;

void TPickWIndow1::TypeAhead(char c)
{
    if (!typeAhead_)
        return;
    const int row = typeAhead_->Type(c);
    hotKeyText_->setText(toQt(typeAhead_->Typed()));
    if (row >= 0)
        list_->setCurrentIndex(model_->index(row));
}

bool TPickWIndow1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const auto text = key->text();
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && text.size() == 1 && text[0].unicode() > ' ' && text[0].unicode() < 256) {
            TypeAhead(static_cast<char>(text[0].unicode()));
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool TPickWIndow1::Pick(const ItemText& itemText, int count, const std::string& caption, int& index)
{
    setWindowTitle(toQt(caption));
    model_->Reset(itemText, count);
    typeAhead_ = std::make_unique<PickTypeAhead>(itemText, count);
    hotKeyText_->clear();
    if (index >= 0 && index < count)
        list_->setCurrentIndex(model_->index(index));
    else if (count > 0)
        list_->setCurrentIndex(model_->index(0));
    list_->setFocus();
    if (exec() != QDialog::Accepted || !list_->currentIndex().isValid())
        return false;
    index = list_->currentIndex().row();
    return true;
}

}  // namespace quarry
