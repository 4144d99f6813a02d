#include "app/ui/TRemProjBox.h"

#include "platform/PathStyle.h"
#include "platform/ui/QtUserInterface.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quarry {

TRemProjBox::TRemProjBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint),
      list_(new QTreeWidget(this)),
      removeButton_(new QPushButton(QStringLiteral("&Remove File"), this)),
      cancelButton_(new QPushButton(QStringLiteral("&Cancel"), this))
{
    setObjectName(QStringLiteral("RemProjBox"));
    setWindowTitle(QStringLiteral("Remove Files From Project"));
    list_->setObjectName(QStringLiteral("FileList"));
    list_->setColumnCount(2);
    list_->setHeaderLabels({QStringLiteral("Filename"), QStringLiteral("Full Path of File")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setColumnWidth(0, 180);
    list_->header()->setStretchLastSection(true);
    removeButton_->setObjectName(QStringLiteral("RemoveButton"));
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));
    removeButton_->setDefault(true);
    connect(removeButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(removeButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    resize(520, 300);
}

std::optional<std::size_t> TRemProjBox::chooseFile(const std::vector<std::string>& files)
{
    const auto style = PathStyle::native();
    list_->clear();
    for (const auto& file : files)
        new QTreeWidgetItem(list_, {toQt(style.fileName(file)), toQt(file)});
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    const auto* current = list_->currentItem();
    if (!current || !current->isSelected())
        return std::nullopt;
    return static_cast<std::size_t>(list_->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(current)));
}

void TRemProjBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const auto* screen = QGuiApplication::primaryScreen()) {
        auto frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

}  // namespace quarry
