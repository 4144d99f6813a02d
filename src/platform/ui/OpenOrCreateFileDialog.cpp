#include "platform/ui/OpenOrCreateFileDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

#include <algorithm>

namespace quarry {

OpenOrCreateFileDialog::OpenOrCreateFileDialog(QWidget* parent, const QString& caption, const QString& directory)
    : QFileDialog(parent, caption, directory)
{
    setOption(QFileDialog::DontUseNativeDialog, true);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFiles);
}

QStringList OpenOrCreateFileDialog::TypedFiles() const
{
    const auto* field = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    const QString text = field ? field->text().trimmed() : QString();
    QStringList names;
    if (text.startsWith(QLatin1Char('"'))) {
        // "a.c" "b.c": the names are the parts between the quotes.
        const auto parts = text.split(QLatin1Char('"'));
        for (qsizetype i = 1; i < parts.size(); i += 2)
            if (!parts[i].isEmpty())
                names << parts[i];
    } else if (!text.isEmpty()) {
        names << text;
    }
    QStringList files;
    for (const auto& name : names) {
        QString file = QDir::cleanPath(directory().absoluteFilePath(name));
        // As the dialog does it for the names it returns itself.
        const QFileInfo info(file);
        if (!defaultSuffix().isEmpty() && !info.isDir() && !info.fileName().contains(QLatin1Char('.')))
            file += QLatin1Char('.') + defaultSuffix();
        files << file;
    }
    return files;
}

void OpenOrCreateFileDialog::accept()
{
    chosen_.clear();
    const QStringList files = TypedFiles();
    const auto missing = [](const QString& file) { return !QFileInfo::exists(file); };
    const auto folder = [](const QString& file) { return QFileInfo(file).isDir(); };
    // Existing files, directories (which the dialog enters) and ".." are Qt's to handle.
    if (files.isEmpty() || std::none_of(files.begin(), files.end(), missing) ||
        std::any_of(files.begin(), files.end(), folder)) {
        QFileDialog::accept();
        return;
    }
    chosen_ = files;
    QDialog::accept();
}

}  // namespace quarry
