#pragma once
#include "app/ShellHost.h"
#include "app/Startup.h"
#include "platform/UserInterface.h"
#include "settings/EnvironmentSettings.h"
#include "settings/FileLocator.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsHost.h"

#include <QMainWindow>

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

class TMdiAbout;

// The main window: the frame around the editor windows with its menus, tool bar, project tree
// and status bar. It holds the live settings' window side (SettingsHost) and runs start-up on
// its first show and the exit questions on close (ShellHost). Commands whose work belongs to
// later parts are present and disabled until those parts connect them.
class TMainForm final : public QMainWindow, public SettingsHost, public ShellHost {
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

signals:
    // Start-up has to end the program; the program's entry ends the event loop.
    void terminateRequested();

public slots:
    void Exit1Click();
    void About1Click();

protected:
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

    EnvironmentSettings& settings_;
    UserInterface& ui_;
    std::vector<std::string> arguments_;
    SettingsFile settingsFile_;
    FileLocator locator_;
    Startup startup_;

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
