#pragma once
#include <QDialog>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace quarry {

class SvdImport;
struct SvdWrittenFile;
class UserInterface;

// Import SVD: choose a device description, tick its peripherals and write a register file for
// each into the program directory or into the register directory (which the register command
// searches too, and which this dialog keeps in the environment file). Reading a large
// description and writing many files show their progress, and Close stops a run between files.
class TSvdImportDialog final : public QDialog {
    Q_OBJECT
public:
    TSvdImportDialog(UserInterface& ui, std::string programDir, std::string environmentFile,
                     QWidget* parent = nullptr);
    ~TSvdImportDialog() override;

    // Reads a description and lists its peripherals, all ticked; false (after an error box)
    // when it cannot be read or is none.
    bool OpenFile(const std::string& path);
    // Writes the ticked peripherals; false when nothing was written.
    bool Import();

    QLineEdit* FileEdit() const { return fileEdit_; }
    QTreeWidget* PeripheralList() const { return list_; }
    QRadioButton* ProgramDirButton() const { return programDirButton_; }
    QRadioButton* RegisterDirButton() const { return registerDirButton_; }
    QLineEdit* RegisterDirEdit() const { return registerDirEdit_; }
    QProgressBar* Progress() const { return progress_; }
    QPlainTextEdit* Report() const { return report_; }
    QPushButton* ImportButton() const { return importButton_; }
    QLabel* DeviceLabel() const { return deviceLabel_; }

protected:
    void reject() override;

private:
    void BuildLayout();
    void Browse();
    void BrowseDirectory();
    void TickAll(bool ticked);
    void FillList();
    void UpdateButtons();
    std::vector<std::size_t> Ticked() const;
    std::string TargetDirectory() const;
    bool ConfirmReplacing(const std::vector<std::size_t>& chosen, const std::string& directory);
    void ReportWritten(const std::vector<SvdWrittenFile>& written, const std::string& directory);
    bool ShowProgress(std::size_t done, std::size_t total);
    std::optional<std::string> ReadWithProgress(const std::string& path);

    UserInterface& ui_;
    std::string programDir_;
    std::string environmentFile_;
    std::string openedPath_;
    std::unique_ptr<SvdImport> import_;
    bool running_ = false;
    bool stopRequested_ = false;

    QLineEdit* fileEdit_;
    QLabel* deviceLabel_;
    QTreeWidget* list_;
    QRadioButton* programDirButton_;
    QRadioButton* registerDirButton_;
    QLineEdit* registerDirEdit_;
    QProgressBar* progress_;
    QPlainTextEdit* report_;
    QPushButton* importButton_;
};

}  // namespace quarry
