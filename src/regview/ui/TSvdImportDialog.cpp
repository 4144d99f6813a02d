#include "regview/ui/TSvdImportDialog.h"

#include "platform/FileFacts.h"
#include "platform/SystemMessage.h"
#include "platform/UserInterface.h"
#include "platform/ui/QtUserInterface.h"
#include "regview/RegisterColumns.h"
#include "regview/RegisterDirectorySetting.h"
#include "regview/SvdImport.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <fstream>

namespace quarry {

namespace {

constexpr const char* kCaption = "Import SVD";
// Reading goes in slices of this size so that the progress bar moves on large descriptions.
constexpr std::size_t kReadSlice = 1 << 20;
// Files named in the question before replacing them; the rest are counted.
constexpr std::size_t kFilesNamed = 8;

QPushButton* button(const char* name, const char* caption)
{
    auto* b = new QPushButton(QString::fromLatin1(caption));
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TSvdImportDialog::TSvdImportDialog(UserInterface& ui, std::string programDir, std::string environmentFile,
                                   QWidget* parent)
    : QDialog(parent),
      ui_(ui),
      programDir_(std::move(programDir)),
      environmentFile_(std::move(environmentFile)),
      fileEdit_(new QLineEdit),
      deviceLabel_(new QLabel),
      list_(new QTreeWidget),
      programDirButton_(new QRadioButton),
      registerDirButton_(new QRadioButton(QStringLiteral("&Register directory:"))),
      registerDirEdit_(new QLineEdit),
      progress_(new QProgressBar),
      report_(new QPlainTextEdit),
      importButton_(button("ImportButton", "&Import"))
{
    setObjectName(QStringLiteral("SvdImportDialog"));
    setWindowTitle(QString::fromLatin1(kCaption));
    BuildLayout();
    const auto directory = RegisterDirectorySetting(environmentFile_).Read();
    registerDirEdit_->setText(toQt(directory));
    (directory.empty() ? programDirButton_ : registerDirButton_)->setChecked(true);
    UpdateButtons();
}

TSvdImportDialog::~TSvdImportDialog() = default;

void TSvdImportDialog::BuildLayout()
{
    fileEdit_->setObjectName(QStringLiteral("FileEdit"));
    fileEdit_->setPlaceholderText(QStringLiteral("a CMSIS-SVD device description (*.svd)"));
    auto* browse = button("BrowseButton", "&Browse...");
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(QStringLiteral("&Device description:")));
    fileRow->addWidget(fileEdit_, 1);
    fileRow->addWidget(browse);
    static_cast<QLabel*>(fileRow->itemAt(0)->widget())->setBuddy(fileEdit_);

    list_->setObjectName(QStringLiteral("PeripheralList"));
    list_->setHeaderLabels({QStringLiteral("Peripheral"), QStringLiteral("Address"), QStringLiteral("File"),
                            QStringLiteral("Description")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->header()->setStretchLastSection(true);
    auto* all = button("SelectAllButton", "Select &All");
    auto* none = button("SelectNoneButton", "Select &None");
    auto* tickRow = new QHBoxLayout;
    tickRow->addWidget(deviceLabel_, 1);
    tickRow->addWidget(all);
    tickRow->addWidget(none);

    programDirButton_->setObjectName(QStringLiteral("ProgramDirButton"));
    programDirButton_->setText(QStringLiteral("&Program directory: ") + toQt(programDir_));
    registerDirButton_->setObjectName(QStringLiteral("RegisterDirButton"));
    registerDirEdit_->setObjectName(QStringLiteral("RegisterDirEdit"));
    auto* browseDir = button("BrowseDirButton", "Br&owse...");
    auto* dirRow = new QHBoxLayout;
    dirRow->addWidget(registerDirButton_);
    dirRow->addWidget(registerDirEdit_, 1);
    dirRow->addWidget(browseDir);
    auto* target = new QGroupBox(QStringLiteral("Write the register files into"));
    auto* targetLayout = new QVBoxLayout(target);
    targetLayout->addWidget(programDirButton_);
    targetLayout->addLayout(dirRow);

    progress_->setObjectName(QStringLiteral("Progress"));
    progress_->setRange(0, 1);
    progress_->setValue(0);
    report_->setObjectName(QStringLiteral("Report"));
    report_->setReadOnly(true);
    report_->setMaximumBlockCount(5000);
    report_->setFixedHeight(report_->fontMetrics().lineSpacing() * 6);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(importButton_, QDialogButtonBox::AcceptRole);
    auto* close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("CloseButton"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addLayout(tickRow);
    layout->addWidget(list_, 1);
    layout->addWidget(target);
    layout->addWidget(progress_);
    layout->addWidget(report_);
    layout->addWidget(buttons);
    resize(720, 520);

    connect(browse, &QPushButton::clicked, this, &TSvdImportDialog::Browse);
    connect(fileEdit_, &QLineEdit::returnPressed, this, [this] { OpenFile(fromQt(fileEdit_->text())); });
    connect(browseDir, &QPushButton::clicked, this, &TSvdImportDialog::BrowseDirectory);
    connect(all, &QPushButton::clicked, this, [this] { TickAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { TickAll(false); });
    connect(list_, &QTreeWidget::itemChanged, this, &TSvdImportDialog::UpdateButtons);
    connect(registerDirEdit_, &QLineEdit::textEdited, this, [this] { registerDirButton_->setChecked(true); });
    connect(importButton_, &QPushButton::clicked, this, &TSvdImportDialog::Import);
    connect(close, &QPushButton::clicked, this, &TSvdImportDialog::reject);
}

void TSvdImportDialog::Browse()
{
    FileBrowseRequest request;
    request.title = "Open Device Description";
    request.filter = "Device descriptions (*.svd)|*.svd;*.SVD|XML files (*.xml)|*.xml|All files (*.*)|*";
    request.fileMustExist = true;
    if (const auto chosen = ui_.browseForOpenFile(request); chosen && !chosen->files.empty())
        OpenFile(chosen->files.front());
}

void TSvdImportDialog::BrowseDirectory()
{
    const auto start = fromQt(registerDirEdit_->text());
    if (const auto chosen = ui_.chooseDirectory("Register directory", start.empty() ? programDir_ : start)) {
        registerDirEdit_->setText(toQt(*chosen));
        registerDirButton_->setChecked(true);
    }
}

std::optional<std::string> TSvdImportDialog::ReadWithProgress(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return std::nullopt;
    const auto size = static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0));
    in.seekg(0);
    std::string bytes(size, '\0');
    progress_->setFormat(QStringLiteral("Reading %p%"));
    for (std::size_t at = 0; at < size && in; at += kReadSlice) {
        in.read(bytes.data() + at, static_cast<std::streamsize>(std::min(kReadSlice, size - at)));
        ShowProgress(at, size);
    }
    if (!in)
        return std::nullopt;
    return bytes;
}

bool TSvdImportDialog::OpenFile(const std::string& path)
{
    if (running_)
        return false;  // the run in progress writes from the description held
    fileEdit_->setText(toQt(path));
    import_.reset();
    openedPath_.clear();
    list_->clear();
    deviceLabel_->clear();
    report_->clear();
    auto bytes = ReadWithProgress(path);
    if (!bytes) {
        ui_.showMessage(MessageKind::Error, "Cannot read " + path + ".", MessageButtons::Ok);
        UpdateButtons();
        return false;
    }
    // One step that cannot report its progress: the bar only says that it is busy.
    progress_->setFormat(QStringLiteral("Reading the description"));
    progress_->setRange(0, 0);
    ui_.processPendingEvents();
    auto import = std::make_unique<SvdImport>();
    const bool opened = import->Open(std::move(*bytes));
    progress_->setRange(0, 1);
    progress_->setValue(opened ? 1 : 0);
    progress_->setFormat(QStringLiteral("%p%"));
    if (!opened) {
        ui_.showMessage(MessageKind::Error, path + ": " + import->Error(), MessageButtons::Ok);
        UpdateButtons();
        return false;
    }
    import_ = std::move(import);
    openedPath_ = path;
    FillList();
    for (const auto& warning : import_->DeviceWarnings())
        report_->appendPlainText(toQt("line " + std::to_string(warning.line) + ": " + warning.text));
    return true;
}

void TSvdImportDialog::FillList()
{
    const QSignalBlocker quiet(list_);
    const auto& entries = import_->Peripherals();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<int>(entries.size()));
    for (const auto& entry : entries) {
        const auto address = entry.baseAddress > 0xFFFFFFFFu ? std::string("--------")
                                                              : hexDigits(static_cast<std::uint32_t>(entry.baseAddress), 8);
        auto* item = new QTreeWidgetItem({toQt(entry.name), toQt(address), toQt(entry.fileName), toQt(entry.description)});
        item->setCheckState(0, Qt::Checked);
        items.append(item);
    }
    list_->addTopLevelItems(items);
    for (int column = 0; column < 3; ++column)
        list_->resizeColumnToContents(column);
    deviceLabel_->setText(toQt(import_->DeviceName() + ": " + std::to_string(entries.size()) + " peripherals"));
    UpdateButtons();
}

void TSvdImportDialog::TickAll(bool ticked)
{
    {
        const QSignalBlocker quiet(list_);
        for (int i = 0; i < list_->topLevelItemCount(); ++i)
            list_->topLevelItem(i)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
    }
    UpdateButtons();
}

std::vector<std::size_t> TSvdImportDialog::Ticked() const
{
    std::vector<std::size_t> ticked;
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        if (list_->topLevelItem(i)->checkState(0) == Qt::Checked)
            ticked.push_back(static_cast<std::size_t>(i));
    return ticked;
}

void TSvdImportDialog::UpdateButtons() { importButton_->setEnabled(import_ && !running_ && !Ticked().empty()); }

std::string TSvdImportDialog::TargetDirectory() const
{
    return programDirButton_->isChecked() ? programDir_ : fromQt(registerDirEdit_->text().trimmed());
}

bool TSvdImportDialog::ConfirmReplacing(const std::vector<std::size_t>& chosen, const std::string& directory)
{
    const auto existing = import_->ExistingFiles(chosen, directory);
    if (existing.empty())
        return true;
    std::string names;
    for (std::size_t i = 0; i < existing.size() && i < kFilesNamed; ++i)
        names += (i ? ", " : "") + existing[i];
    if (existing.size() > kFilesNamed)
        names += " and " + std::to_string(existing.size() - kFilesNamed) + " more";
    return ui_.showMessage(MessageKind::Confirmation,
                           "Replace " + std::to_string(existing.size()) + " register files in " + directory + "?\n" + names,
                           MessageButtons::YesNo) == Answer::Yes;
}

bool TSvdImportDialog::Import()
{
    const auto chosen = Ticked();
    const auto directory = TargetDirectory();
    if (!import_ || chosen.empty() || running_)
        return false;
    if (directory.empty() || !files::directoryExists(directory)) {
        ui_.showMessage(MessageKind::Error, "The register directory \"" + directory + "\" does not exist.",
                        MessageButtons::Ok);
        return false;
    }
    if (!ConfirmReplacing(chosen, directory))
        return false;
    if (registerDirButton_->isChecked() && !RegisterDirectorySetting(environmentFile_).Write(directory))
        ui_.showMessage(MessageKind::Warning, "The register directory could not be kept in " + environmentFile_ + ".",
                        MessageButtons::Ok);
    running_ = true;
    stopRequested_ = false;
    UpdateButtons();
    report_->clear();
    progress_->setFormat(QStringLiteral("Writing %v of %m"));
    const auto written = import_->WriteFiles(chosen, directory, [this](std::size_t done, std::size_t total) {
        return ShowProgress(done, total);
    });
    running_ = false;
    UpdateButtons();
    ReportWritten(written, directory);
    return !written.empty();
}

bool TSvdImportDialog::ShowProgress(std::size_t done, std::size_t total)
{
    progress_->setRange(0, static_cast<int>(std::min<std::size_t>(total, 1u << 30)));
    progress_->setValue(static_cast<int>(std::min(done, total)));
    ui_.processPendingEvents();
    return !stopRequested_;
}

void TSvdImportDialog::ReportWritten(const std::vector<SvdWrittenFile>& written, const std::string& directory)
{
    int files = 0;
    std::size_t warnings = 0;
    for (const auto& file : written) {
        if (file.error) {
            report_->appendPlainText(toQt("cannot write " + file.path + ": " + systemMessage(file.error)));
            continue;
        }
        ++files;
        report_->appendPlainText(toQt(file.path + ": " + std::to_string(file.registers) + " registers"));
        for (const auto& warning : file.warnings)
            report_->appendPlainText(toQt("  line " + std::to_string(warning.line) + ": " + warning.text));
        warnings += file.warnings.size();
    }
    std::string text = std::to_string(files) + " register files written to " + directory + ".";
    if (written.size() < Ticked().size())
        text += " Stopped after " + std::to_string(written.size()) + " of " + std::to_string(Ticked().size()) + ".";
    if (warnings > 0)
        text += " " + std::to_string(warnings) + " warnings are listed in the dialog.";
    ui_.showMessage(files == static_cast<int>(written.size()) ? MessageKind::Information : MessageKind::Warning, text,
                    MessageButtons::Ok);
}

void TSvdImportDialog::reject()
{
    if (running_) {
        stopRequested_ = true;
        return;
    }
    QDialog::reject();
}

}  // namespace quarry
