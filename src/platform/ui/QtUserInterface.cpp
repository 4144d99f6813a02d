#include "platform/ui/QtUserInterface.h"

#include "platform/Text.h"
#include "platform/ui/OpenOrCreateFileDialog.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QVBoxLayout>

#include <memory>

namespace quarry {

QString toQt(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

std::string fromQt(const QString& s)
{
    const auto bytes = s.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString QtUserInterface::captionFor(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error: return QStringLiteral("Error");
    case MessageKind::Information: return QStringLiteral("Information");
    case MessageKind::Confirmation: return QStringLiteral("Confirm");
    case MessageKind::Warning: return QStringLiteral("Warning");
    }
    return {};
}

Answer QtUserInterface::showMessage(MessageKind kind, const std::string& text, MessageButtons buttons)
{
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (kind) {
    case MessageKind::Error: icon = QMessageBox::Critical; break;
    case MessageKind::Information: icon = QMessageBox::Information; break;
    case MessageKind::Confirmation: icon = QMessageBox::Question; break;
    case MessageKind::Warning: icon = QMessageBox::Warning; break;
    }
    QMessageBox::StandardButtons set = QMessageBox::Ok;
    QMessageBox::StandardButton escape = QMessageBox::Ok;
    switch (buttons) {
    case MessageButtons::Ok: set = QMessageBox::Ok; escape = QMessageBox::Ok; break;
    case MessageButtons::OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; escape = QMessageBox::Cancel; break;
    case MessageButtons::YesNo: set = QMessageBox::Yes | QMessageBox::No; escape = QMessageBox::No; break;
    case MessageButtons::YesNoCancel:
        set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        escape = QMessageBox::Cancel;
        break;
    }
    QMessageBox box(icon, captionFor(kind), toQt(text), set, parent_);
    box.setEscapeButton(escape);
    switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return escape == QMessageBox::No ? Answer::No : Answer::Cancel;
    }
}

QStringList QtUserInterface::nameFilters(const std::string& filter)
{
    QStringList parts;
    std::size_t start = 0;
    for (;;) {
        const auto bar = filter.find('|', start);
        parts << toQt(text::trim(std::string_view(filter).substr(start, bar == std::string::npos ? std::string::npos : bar - start)));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const auto& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const auto pattern = p.trimmed();
            for (const auto& variant : {pattern, pattern.toLower(), pattern.toUpper()})
                if (!patterns.contains(variant))
                    patterns << variant;
        }
        // The description keeps its own parentheses out of Qt's pattern parsing.
        auto description = parts[i];
        description.replace(QLatin1Char('('), QLatin1Char('[')).replace(QLatin1Char(')'), QLatin1Char(']'));
        result << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return result;
}

std::optional<FileBrowseResult> QtUserInterface::browse(const FileBrowseRequest& request, bool save)
{
    const auto title = toQt(request.title);
    const auto directory = toQt(request.initialDirectory);
    // Several names at once where some may be new: Qt's own multiple-file mode insists on
    // existing files.
    const bool openOrCreate = !save && request.multiSelect && !request.fileMustExist;
    OpenOrCreateFileDialog* openOrCreateDialog = nullptr;
    std::unique_ptr<QFileDialog> owned;
    if (openOrCreate)
        owned.reset(openOrCreateDialog = new OpenOrCreateFileDialog(parent_, title, directory));
    else
        owned = std::make_unique<QFileDialog>(parent_, title, directory);
    QFileDialog& dialog = *owned;
    if (!openOrCreate) {
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        if (save)
            dialog.setFileMode(QFileDialog::AnyFile);
        else
            dialog.setFileMode(request.multiSelect ? QFileDialog::ExistingFiles
                                                   : (request.fileMustExist ? QFileDialog::ExistingFile
                                                                            : QFileDialog::AnyFile));
    }
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    const auto filters = nameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = request.filterIndex >= 1 && request.filterIndex <= filters.size() ? request.filterIndex : 1;
        dialog.selectNameFilter(filters[index - 1]);
    }
    if (!request.defaultExtension.empty())
        dialog.setDefaultSuffix(toQt(request.defaultExtension));
    if (!request.fileName.empty())
        dialog.selectFile(toQt(request.fileName));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    FileBrowseResult result;
    for (const auto& file : openOrCreateDialog ? openOrCreateDialog->ChosenFiles() : dialog.selectedFiles())
        result.files.push_back(fromQt(QDir::toNativeSeparators(file)));
    result.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (result.filterIndex < 1)
        result.filterIndex = request.filterIndex;
    if (result.files.empty())
        return std::nullopt;
    return result;
}

std::optional<FileBrowseResult> QtUserInterface::browseForOpenFile(const FileBrowseRequest& request)
{
    return browse(request, false);
}

std::optional<FileBrowseResult> QtUserInterface::browseForSaveFile(const FileBrowseRequest& request)
{
    return browse(request, true);
}

std::optional<std::string> QtUserInterface::chooseDirectory(const std::string& title,
                                                            const std::string& initialDirectory)
{
    const auto dir = QFileDialog::getExistingDirectory(parent_, toQt(title), toQt(initialDirectory));
    if (dir.isEmpty())
        return std::nullopt;
    return fromQt(QDir::toNativeSeparators(dir));
}

std::optional<std::string> QtUserInterface::inputQuery(const std::string& caption, const std::string& prompt,
                                                       const std::string& initialText)
{
    bool ok = false;
    const auto value = QInputDialog::getText(parent_, toQt(caption), toQt(prompt), QLineEdit::Normal,
                                             toQt(initialText), &ok);
    if (!ok)
        return std::nullopt;
    return fromQt(value);
}

std::optional<int> QtUserInterface::pickFromList(const std::string& title, const std::vector<std::string>& items,
                                                 int preselected)
{
    QDialog dialog(parent_);
    dialog.setWindowTitle(toQt(title));
    auto* layout = new QVBoxLayout(&dialog);
    auto* list = new QListWidget(&dialog);
    for (const auto& item : items)
        list->addItem(toQt(item));
    if (preselected >= 0 && preselected < list->count())
        list->setCurrentRow(preselected);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(list);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0)
        return std::nullopt;
    return list->currentRow();
}

void QtUserInterface::processPendingEvents() { QApplication::processEvents(); }

}  // namespace quarry
