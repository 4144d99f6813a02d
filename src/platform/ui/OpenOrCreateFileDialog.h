#pragma once
#include <QFileDialog>
#include <QStringList>

namespace quarry {

// An open dialog for several files that also takes names of files that do not exist yet, so
// that the caller can offer to create them. Qt's own open dialog refuses such names ("File not
// found"), and native ones cannot be told otherwise, so this one is always Qt's widget dialog.
class OpenOrCreateFileDialog final : public QFileDialog {
public:
    OpenOrCreateFileDialog(QWidget* parent, const QString& caption, const QString& directory);

    // The full names chosen, new ones included.
    QStringList ChosenFiles() const { return chosen_.isEmpty() ? selectedFiles() : chosen_; }

    void accept() override;

private:
    // The names in the file-name field ("a.c" or "a.c" "b.c"), made full, with the default
    // suffix where they have none.
    QStringList TypedFiles() const;

    QStringList chosen_;
};

}  // namespace quarry
