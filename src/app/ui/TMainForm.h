#pragma once
#include "app/FileBrowser.h"
#include "app/ShellHost.h"
#include "app/Startup.h"
#include "editorwin/ui/TMDIChildHost.h"
#include "platform/UserInterface.h"
#include "settings/EnvironmentSettings.h"
#include "settings/FileLocator.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsHost.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QSplitter;
class QToolButton;
class QTreeWidget;

namespace quarry {

class EditCommands;
class EditorWindows;
class FileCommands;
class HelpCommands;
class KeyValueStore;
class PersistentEditorStore;
class ProjectUi;
class SearchCommands;
class StatusBarController;
class TCustomCodeMemo;
class TMDIChild;
class TMdiAbout;
class TParserRepository;
class ToolCommands;
class WindowCommands;

// The main window: the frame around the editor windows with its menus, tool bar, project tree
// and status bar. It holds the live settings' window side (SettingsHost) and runs start-up on
// its first show and the exit questions on close (ShellHost). Commands whose work belongs to
// later parts are present and disabled until those parts connect them. The commands live in
// their own classes (FileCommands, WindowCommands, EditCommands, HelpCommands), which connect
// the items they serve; the window keeps the shared services: the editor windows (it is their
// TMDIChildHost), the command states and the status bar.
class TMainForm final : public QMainWindow, public SettingsHost, public ShellHost, public TMDIChildHost {
    Q_OBJECT
public:
    TMainForm(EnvironmentSettings& settings, UserInterface& ui, std::string programDir,
              std::vector<std::string> arguments, QWidget* parent = nullptr);
    ~TMainForm() override;

    void setAboutBox(TMdiAbout* about) { about_ = about; }
    // Set right before the event loop starts; the first show then runs start-up once.
    void setFirstShow(bool on) { firstShow_ = on; }
    bool firstShowPending() const { return firstShow_; }
    bool startupDone() const { return startupDone_; }
    bool terminationRequested() const { return terminationRequested_; }

    QAction* action(const QString& objectName) const;
    QToolButton* toolButton(const QString& objectName) const;
    QLabel* statusPanel(int number) const;  // Panel2..Panel7
    SettingsFile& settingsFile() { return settingsFile_; }
    FileLocator& locator() { return locator_; }
    WindowBounds restoredBounds() const { return restoredBounds_; }

    // A restore request from another program: out of the minimised state, to the front.
    void restoreFromMessage();

    // ---- editor windows
    EditorWindows& editorWindows() { return *windows_; }
    // The active editor window, or null.
    TMDIChild* ActiveEditor() const;
    // Front to back (FILEA first when a project is saved).
    std::vector<TMDIChild*> EditorWindowsInOrder() const;
    // Open by name (start-up, projects, the reopen list, error navigation): null when the file
    // is found nowhere.
    TMDIChild* OpenFileByName(const std::string& name);
    // Brings an editor window to the front and focuses it.
    void BringEditorToFront(TMDIChild& window);
    TParserRepository* parserRepository() { return repository_.get(); }
    PersistentEditorStore* editorStore() { return editorStore_.get(); }
    const std::string& programDir() const { return programDir_; }
    UserInterface& userInterface() { return ui_; }
    EnvironmentSettings& settings() { return settings_; }
    FileBrowser& fileBrowser() { return fileBrowser_; }
    // The file-filter string of the file dialogs ("description|pattern|...").
    std::string fileFilterString() const;

    // ---- command states and the status bar
    void UpdateButtons();
    void FixMenus();
    void RefreshStatusBar();
    // An information message across the status bar until the next key in an editor window;
    // `colour` (blue-green-red, 0 = normal) paints it. An empty text refreshes the status bar.
    void ShowStatusInfo(const std::string& text, int colour = 0);
    bool StatusInfoShowing() const;
    // Sets an item's or button's enabled state if a command is connected to it.
    void SetCommandEnabled(const QString& objectName, bool enabled);
    // A button's hint: "short|long" shows the short part as its tool tip, the long one in the
    // status bar.
    void SetHint(const QString& objectName, const QString& hint);
    // Marks an item or button as served by a command, so that command states apply to it.
    QAction* WireAction(const QString& objectName);
    QToolButton* WireButton(const QString& objectName);

    // ---- file commands shared with other parts
    // Saves every editor window (exit, project save, tools).
    void SaveAll();
    // Asks for each modified window whether to save it (tools).
    void AskSaveAllModified();
    FileCommands& fileCommands() { return *fileCommands_; }
    EditCommands& editCommands() { return *editCommands_; }
    WindowCommands& windowCommands() { return *windowCommands_; }
    HelpCommands& helpCommands() { return *helpCommands_; }
    ProjectUi& projectUi() { return *projectUi_; }
    SearchCommands& searchCommands() { return *searchCommands_; }
    ToolCommands& toolCommands() { return *toolCommands_; }

    // Opens dropped files: a file already open comes to the front, a missing one opens as a
    // new empty window under its name.
    void HandleDroppedFiles(const std::vector<std::string>& names);
    // Every editor window checks its file for changes made outside (application activation).
    void CheckFilesChanged();

    // Refreshes of the Search menu and of Find next, filled in by the search commands.
    std::function<void(TMDIChild* active)> refreshSearchMenu;
    std::function<bool()> hasLastSearchText;

    // SettingsHost
    ScreenSize screenSize() const override;
    WindowState mainWindowState() const override;
    WindowBounds mainWindowBounds() const override;
    WindowBounds mainWindowRestoredBounds() const override { return restoredBounds_; }
    int projectTreeWidth() const override { return treeWidth_; }
    void applyMainWindowLayout(const MainWindowLayout& layout) override;
    std::optional<FontRecord> activeEditorFont() const override;

    // ShellHost
    void openProject(const std::string& projectFile) override;
    void openEditorFile(const std::string& fileName) override;
    void loadParserSettings() override;
    void hideSplash() override;
    void updateProjectState() override;
    void requestTerminate() override;
    bool saveProject() override;
    void saveAllFiles() override;

    // SettingsHost notices
    void storeParsers() override;

    // TMDIChildHost
    void ChildChanged(TMDIChild& child) override;
    void ChildKeyDown(TMDIChild& child) override;
    bool ChildSave(TMDIChild& child) override;
    void ChildClosed(TMDIChild& child) override;
    void ChildDestroyed(TMDIChild& child) override;
    ClipboardStates ChildClipboardStates(TMDIChild& child) override;
    void ChildCut(TMDIChild& child) override;
    void ChildCopy(TMDIChild& child) override;
    void ChildPaste(TMDIChild& child) override;
    void ChildFilesDropped(const std::vector<std::string>& files) override;

signals:
    // Start-up has to end the program; the program's entry ends the event loop.
    void terminateRequested();

public slots:
    void Exit1Click();
    void About1Click();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void buildClientArea();
    QAction* addItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& shortcut = {});
    QAction* addTwin(const char* name, const QKeySequence& shortcut);
    void runStartup();
    void recordRestoredBounds();
    void applyTreeWidth();
    void createEditorServices();
    void closeAllEditorsForShutdown();
    void refreshEditMenu(TMDIChild* active);
    void refreshFileMenu(TMDIChild* active);
    bool CanPaste(TCustomCodeMemo& memo);

    EnvironmentSettings& settings_;
    UserInterface& ui_;
    std::string programDir_;
    std::vector<std::string> arguments_;
    SettingsFile settingsFile_;
    FileLocator locator_;
    Startup startup_;
    FileBrowser fileBrowser_;

    std::unique_ptr<TParserRepository> repository_;
    std::unique_ptr<PersistentEditorStore> editorStore_;
    std::unique_ptr<KeyValueStore> registry_;
    std::unique_ptr<EditorWindows> windows_;
    std::unique_ptr<StatusBarController> status_;
    std::unique_ptr<FileCommands> fileCommands_;
    std::unique_ptr<WindowCommands> windowCommands_;
    std::unique_ptr<EditCommands> editCommands_;
    std::unique_ptr<HelpCommands> helpCommands_;
    ProjectUi* projectUi_ = nullptr;            // child object: project menu, buttons and tree
    SearchCommands* searchCommands_ = nullptr;  // child object: the Search menu and its dialogs
    ToolCommands* toolCommands_ = nullptr;      // child object: tool buttons, Build menu, panels
    bool shuttingDown_ = false;  // editor windows going away with the main window
    bool checkingFiles_ = false;  // a reload question is up; activations meanwhile do not ask again
    bool fixMenusPending_ = false;
    bool canPaste_ = false;       // the clipboard holds text, as last asked
    bool canPasteKnown_ = false;  // cleared whenever the clipboard changes

    TMdiAbout* about_ = nullptr;
    QMdiArea* mdiArea_ = nullptr;
    QTreeWidget* projectTree_ = nullptr;
    QSplitter* splitter_ = nullptr;
    WindowBounds restoredBounds_;
    int treeWidth_ = 150;
    bool firstShow_ = false;
    bool startupDone_ = false;
    bool terminationRequested_ = false;
    bool exitConfirmed_ = false;  // File > Exit asked already; the close that follows must not ask again
};

}  // namespace quarry
