#include "app/ui/ProjectTree.h"

#include "platform/ui/QtUserInterface.h"

#include <QTreeWidget>

namespace quarry {

ProjectTree::ProjectTree(QTreeWidget& tree, QObject* parent) : QObject(parent), tree_(tree)
{
    if (tree_.topLevelItemCount() == 0)
        new QTreeWidgetItem(&tree_, QStringList(QString::fromLatin1(kRootCaption)));
    tree_.setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A click is a press and a release on the same node; a double click adds nothing.
    connect(&tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) { itemClicked(item); });
}

QTreeWidgetItem* ProjectTree::root() const { return tree_.topLevelItem(0); }

void ProjectTree::RebuildProjectTree(const std::vector<std::string>& fileNameParts)
{
    tree_.setUpdatesEnabled(false);
    auto* rootItem = root();
    qDeleteAll(rootItem->takeChildren());
    for (const auto& name : fileNameParts)
        new QTreeWidgetItem(rootItem, QStringList(toQt(name)));
    tree_.expandAll();
    tree_.setUpdatesEnabled(true);
}

void ProjectTree::itemClicked(QTreeWidgetItem* item)
{
    if (!item)
        return;
    if (item == root()) {
        if (onRootClick)
            onRootClick();
    } else if (item->parent() == root() && onFileClick) {
        onFileClick(static_cast<std::size_t>(root()->indexOfChild(item)));
    }
}

}  // namespace quarry
