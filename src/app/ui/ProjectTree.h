#pragma once
#include <QObject>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace quarry {

// The read-only project tree beside the editor windows: one root "Project Files" with a child
// per project file (its file-name part, in list order). A click on a file opens it, a click on
// the root may open a project; what happens is the project commands' business.
class ProjectTree final : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kRootCaption = "Project Files";

    // Works on the main window's tree, which must hold the root item.
    explicit ProjectTree(QTreeWidget& tree, QObject* parent = nullptr);

    // Replaces the root's children without repainting in between, and leaves all expanded.
    void RebuildProjectTree(const std::vector<std::string>& fileNameParts);

    QTreeWidgetItem* root() const;

    std::function<void()> onRootClick;
    std::function<void(std::size_t index)> onFileClick;

private:
    void itemClicked(QTreeWidgetItem* item);

    QTreeWidget& tree_;
};

}  // namespace quarry
