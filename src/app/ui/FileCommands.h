#pragma once
#include <QObject>

#include <string>

namespace quarry {

class TMDIChild;
class TMainForm;

// The File menu and its buttons: New, Open, the Re-open list, Save, Save As; and the saves
// other parts run (Save all, the save question before tools, the close query's save).
class FileCommands final : public QObject {
    Q_OBJECT
public:
    explicit FileCommands(TMainForm& form);

    void NewFile1Click();
    void OpenFile1Click();
    void SaveFile1Click();
    void SaveFileAs1Click();
    void ReopenEncoding1Click();
    void ReopenItemClick(const std::string& name);

    // Save File on one window: "NONAME" files and read-only files go through Save As. True
    // when the text was written.
    bool SaveWindow(TMDIChild& window);
    // Save File As on one window; true when the text was written.
    bool SaveWindowAs(TMDIChild& window);
    void SaveAll();
    void AskSaveAllModified();

    // The closed window's file at the top of the reopen list, and the menu rebuilt.
    void RememberClosedFile(const std::string& caption);
    void RebuildReopenMenu();
    // All reopen items but the first go (the main window closing).
    void ClearReopenMenu();

private:
    // Says so and answers true when `name` is a directory, device, pipe or socket.
    bool RefuseNonRegularFile(const std::string& name);
    // A Re-open entry whose file is gone: says so and offers to take it off the list.
    void OfferToForget(const std::string& name);
    bool SaveNamed(TMDIChild& window, bool checkReadOnly);
    bool WriteWithBackup(TMDIChild& window, const std::string& name);

    TMainForm& form_;
};

}  // namespace quarry
