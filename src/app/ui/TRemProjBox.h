#pragma once
#include <QDialog>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace quarry {

// "Remove Files From Project": the project files in two columns (file name, full path); the
// user picks one and presses "&Remove File", or "&Cancel" (Esc) to keep them all. Stays on
// top and opens in the middle of the screen.
class TRemProjBox final : public QDialog {
    Q_OBJECT
public:
    explicit TRemProjBox(QWidget* parent = nullptr);

    // Shows the list modally. The index of the selected file when the user pressed "&Remove
    // File" with a selection; nullopt otherwise.
    std::optional<std::size_t> chooseFile(const std::vector<std::string>& files);

    QTreeWidget* fileList() const { return list_; }
    QPushButton* removeButton() const { return removeButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTreeWidget* list_;
    QPushButton* removeButton_;
    QPushButton* cancelButton_;
};

}  // namespace quarry
