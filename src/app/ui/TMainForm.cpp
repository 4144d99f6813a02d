#include "app/ui/TMainForm.h"

#include "app/CommandException.h"
#include "app/ExitConfirmation.h"
#include "app/ProjectCommandState.h"
#include "app/StatusPanels.h"
#include "app/ui/EditCommands.h"
#include "app/ui/EditorWindows.h"
#include "app/ui/FileCommands.h"
#include "app/ui/HelpCommands.h"
#include "app/ui/PreferencesCommands.h"
#include "app/ui/ProjectUi.h"
#include "app/ui/RegisterFileCommands.h"
#include "app/ui/StatusBarController.h"
#include "app/ui/TMdiAbout.h"
#include "app/ui/SettingsCommands.h"
#include "app/ui/ToolCommands.h"
#include "app/ui/ToolIcons.h"
#include "app/ui/WindowCommands.h"
#include "editor/ui/TCodeMemo.h"
#include "editorwin/DefaultFileFilters.h"
#include "editorwin/NonameNumbers.h"
#include "editorwin/ui/SearchCommands.h"
#include "editorwin/ui/TMDIChild.h"
#include "highlight/BuiltinParserImages.h"
#include "platform/PersistentEditorStore.h"
#include "highlight/TCodeMemoParser.h"
#include "highlight/TParserRepository.h"
#include "platform/FileFacts.h"
#include "platform/PathStyle.h"
#include "platform/Text.h"
#include "platform/ui/QSettingsKeyValueStore.h"
#include "platform/ui/QtUserInterface.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QStatusTipEvent>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace quarry {

namespace {

struct ToolButtonSpec {
    const char* name;
    const char* hint;  // "short|long" as shown in the tool tip and the status bar
    int tag;           // the tool slot identifier of the tool buttons
};

const ToolButtonSpec kToolButtons[] = {
    {"SpeedButton3", "Assemble/Compile File|Assemble Compile File - Hotkey F4", 1},
    {"SpeedButton1", "Debugger (EXE1)|Run the Debugger (Currently set as Executable #1) - Hotkey F6", 3},
    {"SpeedButton2", "Programmer (EXE2) - Hotkey F7", 4},
    {"SpeedButton4", "EXE3 - Hotkey F8", 13},
    {"SpeedButton5", "EXE4 - Hotkey F9", 14},
    {"UndoButton", "Undo last action", 0},
    {"RedoButton", "Redo last action", 0},
    {"IndentButton", "Indent selected lines", 0},
    {"UndentButton", "Un-indent selected lines", 0},
    {"OpenBtn", "Open file|Open a file for editing", 0},
    {"SaveBtn", "Save file|Save current file - Hotkey F2", 0},
    {"CloseBtn", "Close File|Close currently hilighted editor file", 0},
    {"OpenProjectBtn", "Open Existing Project", 0},
    {"AddtoProjectBtn", "Add File to Project", 0},
    {"RemoveFromProjectBtn", "Remove File From Project", 0},
    {"SavePrjBtn", "Save Project (All Files+Setup)", 0},
    {"SpeedButton6",
     "Register Files|Interpretes onboard peripheral registers. Choose register, set value, and then hit ENTER "
     "to write code. (Shift-F1)",
     0},
};

// Status-bar sub-panels, left to right: object name and width.
const std::pair<const char*, int> kStatusPanels[] = {{"Panel2", 95},  {"Panel3", 65},  {"Panel4", 95},
                                                     {"Panel5", 105}, {"Panel6", 118}, {"Panel7", 65},
                                                     {"Panel8", 95}};

// Buttons and project commands a part has connected; only those follow the enabled states.
const char* const kWiredProperty = "quarryWired";

void setHint(QWidget* widget, const QString& hint)
{
    const auto bar = hint.indexOf(QLatin1Char('|'));
    widget->setToolTip(bar < 0 ? hint : hint.left(bar));
    widget->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

void setEnabledIfWired(QObject* object, bool enabled)
{
    const bool wired = object->property(kWiredProperty).toBool();
    if (auto* action = qobject_cast<QAction*>(object))
        action->setEnabled(wired && enabled);
    else if (auto* widget = qobject_cast<QWidget*>(object))
        widget->setEnabled(wired && enabled);
}

}  // namespace

TMainForm::TMainForm(EnvironmentSettings& settings, UserInterface& ui, std::string programDir,
                     std::vector<std::string> arguments, QWidget* parent)
    : QMainWindow(parent),
      settings_(settings),
      ui_(ui),
      programDir_(programDir),
      arguments_(std::move(arguments)),
      settingsFile_(settings, *this, ui, programDir),
      locator_(settings, programDir),
      startup_(settings, settingsFile_, locator_, ui, *this),
      fileBrowser_(ui, locator_)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    resize(721, 514);
    settings_.project = ProjectState{};
    buildMenus();
    buildToolBar();
    buildClientArea();
    buildStatusBar();
    restoredBounds_ = mainWindowBounds();
    createEditorServices();
}

TMainForm::~TMainForm()
{
    closeAllEditorsForShutdown();
    qApp->removeEventFilter(this);
    if (editorStore_) {
        try {
            editorStore_->WriteBack();
        } catch (const std::exception&) {
            // The store keeps lists and preferences; losing this write must not stop the exit.
        }
    }
}

// The parsers, their store, the editor windows and the commands that act on them.
void TMainForm::createEditorServices()
{
    const auto style = PathStyle::native();
    repository_ = std::make_unique<TParserRepository>(builtinParserImages());
    const auto storeFile = style.join(programDir_, PersistentEditorStore::kFileName);
    try {
        editorStore_ = std::make_unique<PersistentEditorStore>(storeFile);
    } catch (const EditorStoreError&) {
        // An unreadable store is started afresh in memory; it is not written over the old one.
        editorStore_ = std::make_unique<PersistentEditorStore>();
    }
    seedDefaultFilters(*editorStore_, repository_->LanguageNames());

    windows_ = std::make_unique<EditorWindows>(*mdiArea_, *this, ui_, settings_, locator_);
    windows_->SetParsers(repository_.get(), editorStore_.get());
    windows_->OnWindowsChanged = [this] { FixMenus(); };
    status_ = std::make_unique<StatusBarController>(*statusBar());
    fileCommands_ = std::make_unique<FileCommands>(*this);
    windowCommands_ = std::make_unique<WindowCommands>(*this);
    editCommands_ = std::make_unique<EditCommands>(*this);
    helpCommands_ = std::make_unique<HelpCommands>(*this);
    projectUi_ = new ProjectUi(*this, settings_, ui_);
    new RegisterFileCommands(*this);
    searchCommands_ = new SearchCommands(this, ui_, *editorStore_);
    searchCommands_->activeEditor = [this]() -> TCodeMemo* {
        auto* active = ActiveEditor();
        return active ? active->SEditor1 : nullptr;
    };
    searchCommands_->goToRow = [this](int row) {
        if (auto* active = ActiveEditor())
            active->SetCaret(row, 1);
    };
    searchCommands_->connectActions(findChild<QMenu*>(QStringLiteral("Search1")), action(QStringLiteral("Find1")),
                                    action(QStringLiteral("Replace1")), action(QStringLiteral("FindNext1")),
                                    action(QStringLiteral("GotoLine1")));
    refreshSearchMenu = [this](TMDIChild*) { searchCommands_->updateActions(); };
    hasLastSearchText = [this] { return searchCommands_->lastSearch().exists(); };
    toolCommands_ = new ToolCommands(*this);
    new SettingsCommands(*this);
    new PreferencesCommands(*this);
    fileCommands_->RebuildReopenMenu();

    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] { UpdateButtons(); });
    for (const char* name : {"File1", "Edit1", "Search1"})
        connect(findChild<QMenu*>(QString::fromLatin1(name)), &QMenu::aboutToShow, this, [this] { FixMenus(); });
    connect(findChild<QMenu*>(QStringLiteral("Environment1")), &QMenu::aboutToShow, this,
            [this] { SetCommandEnabled(QStringLiteral("EditorOptions1"), ActiveEditor() != nullptr); });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        canPasteKnown_ = false;
        UpdateButtons();
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            CheckFilesChanged();
    });
    setAcceptDrops(true);
    qApp->installEventFilter(this);
    UpdateButtons();
    FixMenus();
}

void TMainForm::closeAllEditorsForShutdown()
{
    shuttingDown_ = true;
    // Every editor window, also those closed already and waiting for deletion: none may call
    // back into this window while it is being taken apart.
    const auto windows = findChildren<TMDIChild*>();
    for (auto* window : windows)
        window->DetachHost();
    for (auto* window : windows)
        delete window;
}

QAction* TMainForm::addItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& shortcut)
{
    auto* item = menu->addAction(QString::fromLatin1(caption));
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(shortcut);
    item->setEnabled(false);
    return item;
}

// A hidden item that only carries a second shortcut for a visible one.
QAction* TMainForm::addTwin(const char* name, const QKeySequence& shortcut)
{
    auto* twin = new QAction(this);
    twin->setObjectName(QString::fromLatin1(name));
    twin->setShortcut(shortcut);
    twin->setEnabled(false);
    addAction(twin);
    return twin;
}

void TMainForm::buildMenus()
{
    auto* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    auto* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    addItem(file, "NewFile1", "&New File", QKeySequence(Qt::CTRL | Qt::Key_N));
    addItem(file, "OpenFile1", "&Open File...", QKeySequence(Qt::CTRL | Qt::Key_O));
    auto* reopen = file->addMenu(QStringLiteral("&Re-open..."));
    reopen->setObjectName(QStringLiteral("Reopen1"));
    addItem(reopen, "NoEntries1", "<No entries>");
    addItem(file, "SaveFile1", "&Save File", QKeySequence(Qt::CTRL | Qt::Key_S));
    addTwin("SaveFile2", QKeySequence(Qt::Key_F2));
    addItem(file, "SaveFileAs1", "Save File &As...");
    addItem(file, "ReopenEncoding1", "Reopen in Other &Encoding");
    addItem(file, "CloseFile1", "&Close File       Ctrl+D   or", QKeySequence(Qt::CTRL | Qt::Key_F4));
    addTwin("CloseFile2", QKeySequence(Qt::CTRL | Qt::Key_D));
    file->addSeparator();
    addItem(file, "Print1", "&Print...", QKeySequence(Qt::CTRL | Qt::Key_P));
    addItem(file, "PrintSetup1", "P&rint setup...");
    file->addSeparator();
    auto* exit = addItem(file, "Exit1", "E&xit", QKeySequence(Qt::ALT | Qt::Key_F4));
    exit->setEnabled(true);
    connect(exit, &QAction::triggered, this, &TMainForm::Exit1Click);

    auto* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("Edit1"));
    addItem(edit, "Undo1", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    addTwin("Undo2", QKeySequence(Qt::ALT | Qt::Key_Backspace));
    addItem(edit, "Redo1", "&Redo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    addTwin("Redo2", QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Backspace));
    edit->addSeparator();
    addItem(edit, "Cut1", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X));
    addTwin("Cut2", QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    addItem(edit, "Copy1", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
    addTwin("Copy2", QKeySequence(Qt::CTRL | Qt::Key_Insert));
    addItem(edit, "Paste1", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
    addTwin("Paste2", QKeySequence(Qt::SHIFT | Qt::Key_Insert));
    addItem(edit, "Delete1", "&Delete");
    addItem(edit, "SelectAll1", "&Select All", QKeySequence(Qt::CTRL | Qt::Key_A));

    // Never shown: carries the tool and register short-cuts for the whole window.
    auto* special = new QMenu(QStringLiteral("Special"), this);
    special->setObjectName(QStringLiteral("Special1"));
    for (auto* item : {addItem(special, "Assemble1", "Assemble", QKeySequence(Qt::Key_F4)),
                       addItem(special, "RunDebugger1", "Run Debugger", QKeySequence(Qt::Key_F6)),
                       addItem(special, "RunProgrammer1", "Run Programmer", QKeySequence(Qt::Key_F7)),
                       addItem(special, "RunF81", "Run F8", QKeySequence(Qt::Key_F8)),
                       addItem(special, "RunF91", "Run F9", QKeySequence(Qt::Key_F9)),
                       addItem(special, "RegisterFiles1", "Register Files", QKeySequence(Qt::SHIFT | Qt::Key_F1))})
        addAction(item);

    auto* environment = bar->addMenu(QStringLiteral("E&nvironment"));
    environment->setObjectName(QStringLiteral("Environment1"));
    addItem(environment, "OpenProject1", "&Open Project");
    addItem(environment, "AddFilestoProject1", "Add &Files to Project");
    addItem(environment, "RemoveFilefromProject1", "&Remove File from Project");
    addItem(environment, "SaveProject1", "&Save Project");
    addItem(environment, "SaveProjectAs1", "S&ave Project As...");
    addItem(environment, "CloseNewProject1", "&Close/New Project");
    environment->addSeparator();
    addItem(environment, "EnvironmentSettings1", "&Environment Settings...");
    addItem(environment, "EditorOptions1", "E&ditor Options...");
    addItem(environment, "SyntaxPreferences1", "Syntax &Preferences");
    environment->addSeparator();
    auto* grouped = addItem(environment, "GroupedUndo1", "&Grouped Undo");
    auto* afterSave = addItem(environment, "UndoAfterSave1", "&Undo after save");
    for (auto* check : {grouped, afterSave}) {
        check->setCheckable(true);
        check->setChecked(true);
        check->setEnabled(true);
    }
    connect(grouped, &QAction::toggled, this, [this](bool on) { settings_.editor.groupedUndo = on; });
    connect(afterSave, &QAction::toggled, this, [this](bool on) { settings_.editor.undoAfterSave = on; });

    auto* search = bar->addMenu(QStringLiteral("&Search"));
    search->setObjectName(QStringLiteral("Search1"));
    addItem(search, "Find1", "&Find...", QKeySequence(Qt::CTRL | Qt::Key_F));
    addItem(search, "Replace1", "&Replace...", QKeySequence(Qt::CTRL | Qt::Key_R));
    addItem(search, "FindNext1", "Find &next", QKeySequence(Qt::Key_F3));
    addItem(search, "GotoLine1", "&Go to line...");

    auto* window = bar->addMenu(QStringLiteral("&Window"));
    window->setObjectName(QStringLiteral("Window1"));
    addItem(window, "Cascade1", "&Cascade");
    addItem(window, "Tile1", "&Tile");
    addItem(window, "ArrangeIcons1", "&Arrange Icons");
    addItem(window, "MinimizeAll1", "&Minimize All");
    window->addSeparator();
    for (int k = 1; k <= 9; ++k) {
        const auto name = "WindowItem" + std::to_string(k);
        const auto caption = k == 1 ? std::string("&1 - Do Not Change Caption") : "&" + std::to_string(k);
        addItem(window, name.c_str(), caption.c_str())->setVisible(false);
    }
    addItem(window, "MoreWindows1", "&More Windows...")->setVisible(false);

    auto* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    addItem(help, "Contents1", "&Contents", QKeySequence(Qt::Key_F1));
    auto* about = addItem(help, "About1", "&About...");
    about->setEnabled(true);
    connect(about, &QAction::triggered, this, &TMainForm::About1Click);
}

void TMainForm::buildToolBar()
{
    auto* toolBar = addToolBar(QStringLiteral("Tool bar"));
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setMovable(false);
    toolBar->setFixedHeight(32);
    toolBar->setIconSize(QSize(ToolIcons::kSize, ToolIcons::kSize));
    for (const auto& entry : kToolButtons) {
        auto* button = new QToolButton(toolBar);
        const auto name = QString::fromLatin1(entry.name);
        button->setObjectName(name);
        button->setAutoRaise(true);
        button->setFixedSize(26, 26);
        button->setIcon(ToolIcons::forButton(name));
        button->setProperty("tag", entry.tag);
        setHint(button, QString::fromLatin1(entry.hint));
        button->setEnabled(false);
        toolBar->addWidget(button);
    }
}

void TMainForm::buildClientArea()
{
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("Splitter1"));
    mdiArea_ = new QMdiArea(splitter_);
    mdiArea_->setObjectName(QStringLiteral("MdiArea"));
    mdiArea_->setBackground(QColor(0, 128, 128));  // teal
    projectTree_ = new QTreeWidget(splitter_);
    projectTree_->setObjectName(QStringLiteral("ProjectTree"));
    projectTree_->setHeaderHidden(true);
    projectTree_->setMinimumWidth(30);
    auto* root = new QTreeWidgetItem(projectTree_, QStringList(QStringLiteral("Project Files")));
    root->setExpanded(true);
    splitter_->addWidget(mdiArea_);
    splitter_->addWidget(projectTree_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    splitter_->setCollapsible(1, false);
    connect(splitter_, &QSplitter::splitterMoved, this, [this] { treeWidth_ = splitter_->sizes().value(1, treeWidth_); });
    setCentralWidget(splitter_);
    applyTreeWidth();
}

void TMainForm::buildStatusBar()
{
    auto* panel = new QStatusBar(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(25);
    panel->setSizeGripEnabled(false);
    for (const auto& [name, width] : kStatusPanels) {
        auto* label = new QLabel(panel);
        label->setObjectName(QString::fromLatin1(name));
        label->setFixedWidth(width);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->addWidget(label);  // a hint or message in the status bar hides these
    }
    setStatusBar(panel);
}

QAction* TMainForm::action(const QString& objectName) const { return findChild<QAction*>(objectName); }

QToolButton* TMainForm::toolButton(const QString& objectName) const { return findChild<QToolButton*>(objectName); }

QLabel* TMainForm::statusPanel(int number) const
{
    return findChild<QLabel*>(QStringLiteral("Panel") + QString::number(number));
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!firstShow_)
        return;
    firstShow_ = false;
    // After the window is on screen, so the start-up questions appear over it.
    QTimer::singleShot(0, this, &TMainForm::runStartup);
}

void TMainForm::runStartup()
{
    try {
        startup_.FirstShow(arguments_);
    } catch (const CommandException&) {
        // Termination is already requested; the rest of start-up is abandoned.
    }
    startupDone_ = true;
}

void TMainForm::Exit1Click()
{
    if (!ConfirmExit(settings_, ui_, *this))
        return;
    exitConfirmed_ = true;
    close();
    exitConfirmed_ = false;
}

void TMainForm::About1Click()
{
    if (!about_)
        return;
    about_->endSplash();
    about_->exec();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!exitConfirmed_ && !ConfirmExit(settings_, ui_, *this)) {
        event->ignore();
        return;
    }
    // Every editor window may refuse (its file has unsaved changes the user keeps): all are
    // asked before any closes, so that a refusal leaves every window open.
    const auto windows = EditorWindowsInOrder();
    for (auto* window : windows)
        if (!window->QueryClose()) {
            event->ignore();
            return;
        }
    for (auto* window : windows)
        window->CloseAnswered();
    settingsFile_.WriteSettings(kEnvironmentFileName);
    fileCommands_->ClearReopenMenu();
    event->accept();
}

void TMainForm::recordRestoredBounds()
{
    if (windowState() == Qt::WindowNoState)
        restoredBounds_ = mainWindowBounds();
}

void TMainForm::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    recordRestoredBounds();
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    recordRestoredBounds();
    applyTreeWidth();
}

void TMainForm::applyTreeWidth()
{
    const int total = splitter_->width();
    const int tree = std::clamp(treeWidth_, 30, std::max(30, total - 30));
    splitter_->setSizes({std::max(0, total - tree), tree});
}

void TMainForm::restoreFromMessage()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

ScreenSize TMainForm::screenSize() const
{
    const auto* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    return {screen->size().width(), screen->size().height()};
}

WindowState TMainForm::mainWindowState() const
{
    if (isMinimized())
        return WindowState::Minimized;
    if (isMaximized())
        return WindowState::Maximized;
    return WindowState::Normal;
}

WindowBounds TMainForm::mainWindowBounds() const { return {x(), y(), width(), height()}; }

void TMainForm::applyMainWindowLayout(const MainWindowLayout& layout)
{
    move(layout.bounds.left, layout.bounds.top);
    resize(layout.bounds.width, layout.bounds.height);
    ui_.processPendingEvents();
    restoredBounds_ = mainWindowBounds();
    treeWidth_ = std::max(30, layout.treeWidth);
    applyTreeWidth();
    switch (layout.state) {
    case WindowState::Minimized: setWindowState(Qt::WindowMinimized); break;
    case WindowState::Maximized: setWindowState(Qt::WindowMaximized); break;
    case WindowState::Normal: setWindowState(Qt::WindowNoState); break;
    }
}

std::optional<FontRecord> TMainForm::activeEditorFont() const
{
    auto* window = ActiveEditor();
    if (!window)
        return std::nullopt;
    const auto& font = window->SEditor1->Memo().Font();
    FontRecord record;
    record.name = font.name;
    record.size = font.size;
    record.color = (font.color & clSystemColor) == clSystemColor ? 0 : font.color;
    record.bold = (font.style & fsBold) != 0;
    record.italic = (font.style & fsItalic) != 0;
    record.underline = (font.style & fsUnderline) != 0;
    record.strikeOut = (font.style & fsStrikeOut) != 0;
    return record;
}

void TMainForm::openProject(const std::string& projectFile)
{
    // The settings of the project file are read by start-up itself.
    projectUi_->commands().ReadProject(projectFile);
}

void TMainForm::openEditorFile(const std::string& fileName) { OpenFileByName(fileName); }

void TMainForm::loadParserSettings()
{
    if (repository_->useRegistry && !registry_)
        registry_ = std::make_unique<QSettingsKeyValueStore>(QStringLiteral("Talvik Systems"), QStringLiteral("Quarry"));
    if (repository_->useRegistry)
        repository_->LoadAllSettings(*registry_);
    else
        repository_->LoadAllSettings(*editorStore_);
}

void TMainForm::storeParsers()
{
    if (repository_->useRegistry && registry_)
        repository_->SaveAllSettings(*registry_);
    else if (!repository_->useRegistry)
        repository_->SaveAllSettings(*editorStore_);
}

void TMainForm::hideSplash()
{
    if (about_)
        about_->endSplash();
}

void TMainForm::updateProjectState()
{
    const auto state = ProjectCommandState::of(settings_, locator_);
    for (const char* name : {"SaveProject1", "CloseNewProject1", "AddFilestoProject1", "RemoveFilefromProject1"})
        setEnabledIfWired(action(QString::fromLatin1(name)), state.projectCommandsEnabled);
    for (const char* name : {"AddtoProjectBtn", "RemoveFromProjectBtn"})
        setEnabledIfWired(toolButton(QString::fromLatin1(name)), state.projectCommandsEnabled);
    setWindowTitle(toQt(state.caption));
    setHint(toolButton(QStringLiteral("SavePrjBtn")), toQt(state.saveProjectHint));
    if (toolCommands_)
        toolCommands_->RefreshToolHints();
    // The settings just read own the two check marks.
    action(QStringLiteral("GroupedUndo1"))->setChecked(settings_.editor.groupedUndo);
    action(QStringLiteral("UndoAfterSave1"))->setChecked(settings_.editor.undoAfterSave);
}

void TMainForm::requestTerminate()
{
    terminationRequested_ = true;
    emit terminateRequested();
}

bool TMainForm::saveProject() { return projectUi_->commands().SaveProject(); }

void TMainForm::saveAllFiles() { SaveAll(); }

}  // namespace quarry

namespace quarry {

// ---------------------------------------------------------------- editor windows

TMDIChild* TMainForm::ActiveEditor() const { return windows_ ? windows_->Active() : nullptr; }

std::vector<TMDIChild*> TMainForm::EditorWindowsInOrder() const
{
    return windows_ ? windows_->InOrder() : std::vector<TMDIChild*>{};
}

TMDIChild* TMainForm::OpenFileByName(const std::string& name) { return windows_->OpenByName(name); }

void TMainForm::BringEditorToFront(TMDIChild& window) { windows_->BringToFront(window); }

std::string TMainForm::fileFilterString() const
{
    std::string filter;
    for (const auto& entry : settings_.editor.fileFilters) {
        if (!filter.empty())
            filter += '|';
        filter += entry;
    }
    return filter;
}

void TMainForm::SaveAll() { fileCommands_->SaveAll(); }

void TMainForm::AskSaveAllModified() { fileCommands_->AskSaveAllModified(); }

void TMainForm::HandleDroppedFiles(const std::vector<std::string>& names)
{
    for (const auto& dropped : names) {
        const auto name = text::cut(dropped, 255);
        if (name.empty() || files::directoryExists(name))
            continue;
        if (auto* open = windows_->Find(name)) {
            windows_->BringToFront(*open);
            continue;
        }
        const bool missing = text::containsWildcard(name) || !files::fileExists(name);
        windows_->OpenEditorWindow(name, missing);
    }
    if (isMinimized())
        showNormal();
    else
        raise();
    activateWindow();
}

void TMainForm::CheckFilesChanged()
{
    // The question's own box takes and gives back the activation; no second round meanwhile.
    if (checkingFiles_)
        return;
    checkingFiles_ = true;
    for (auto* window : EditorWindowsInOrder())
        window->CheckFileChanged();
    checkingFiles_ = false;
}

// ---------------------------------------------------------------- command states

QAction* TMainForm::WireAction(const QString& objectName)
{
    auto* item = action(objectName);
    item->setProperty(kWiredProperty, true);
    return item;
}

QToolButton* TMainForm::WireButton(const QString& objectName)
{
    auto* button = toolButton(objectName);
    button->setProperty(kWiredProperty, true);
    return button;
}

void TMainForm::SetHint(const QString& objectName, const QString& hint)
{
    if (auto* button = toolButton(objectName))
        setHint(button, hint);
}

void TMainForm::SetCommandEnabled(const QString& objectName, bool enabled)
{
    if (auto* item = action(objectName))
        setEnabledIfWired(item, enabled);
    else if (auto* button = toolButton(objectName))
        setEnabledIfWired(button, enabled);
}

void TMainForm::UpdateButtons()
{
    if (shuttingDown_)
        return;
    const bool any = windows_->Count() > 0;
    SetCommandEnabled(QStringLiteral("SaveBtn"), any);
    SetCommandEnabled(QStringLiteral("CloseBtn"), any);
    SetCommandEnabled(QStringLiteral("RemoveFromProjectBtn"),
                      settings_.project.open && !settings_.project.files.empty());
    auto* active = ActiveEditor();
    bool selection = false, undo = false, redo = false, paste = false;
    if (active) {
        auto& memo = active->SEditor1->Memo();
        selection = memo.HasSelection();
        undo = memo.CanUndo();
        redo = memo.CanRedo();
        paste = CanPaste(memo);
    }
    for (const char* name : {"IndentButton", "UndentButton", "Cut1", "Cut2", "Copy1", "Copy2"})
        SetCommandEnabled(QString::fromLatin1(name), selection);
    for (const char* name : {"UndoButton", "Undo1", "Undo2"})
        SetCommandEnabled(QString::fromLatin1(name), undo);
    for (const char* name : {"RedoButton", "Redo1", "Redo2"})
        SetCommandEnabled(QString::fromLatin1(name), redo);
    for (const char* name : {"Paste1", "Paste2"})
        SetCommandEnabled(QString::fromLatin1(name), paste);
    SetCommandEnabled(QStringLiteral("FindNext1"), active && hasLastSearchText && hasLastSearchText());
    if (toolCommands_)
        toolCommands_->UpdateToolButtons();
    RefreshStatusBar();
}

void TMainForm::refreshFileMenu(TMDIChild* active)
{
    const bool on = active != nullptr;
    SetCommandEnabled(QStringLiteral("Print1"), on && !editCommands_->printing());
    for (const char* name : {"SaveFile1", "SaveFile2", "SaveFileAs1", "ReopenEncoding1", "CloseFile1", "CloseFile2"})
        SetCommandEnabled(QString::fromLatin1(name), on);
}

void TMainForm::refreshEditMenu(TMDIChild* active)
{
    bool selection = false, undo = false, redo = false, paste = false, rows = false;
    if (active) {
        auto& memo = active->SEditor1->Memo();
        selection = memo.HasSelection();
        undo = memo.CanUndo();
        redo = memo.CanRedo();
        paste = CanPaste(memo);
        rows = active->LineCount() >= 1;
    }
    for (const char* name : {"Undo1", "Undo2"})
        SetCommandEnabled(QString::fromLatin1(name), undo);
    for (const char* name : {"Redo1", "Redo2"})
        SetCommandEnabled(QString::fromLatin1(name), redo);
    for (const char* name : {"Cut1", "Cut2", "Copy1", "Copy2", "Delete1"})
        SetCommandEnabled(QString::fromLatin1(name), selection);
    for (const char* name : {"Paste1", "Paste2"})
        SetCommandEnabled(QString::fromLatin1(name), paste);
    SetCommandEnabled(QStringLiteral("SelectAll1"), rows);
}

// Asking the clipboard means a round trip to the program that owns it; the answer is kept until
// the clipboard changes, so that a keystroke never waits for another program.
bool TMainForm::CanPaste(TCustomCodeMemo& memo)
{
    if (!canPasteKnown_) {
        canPaste_ = memo.Perform(cm::EM_CANPASTE) != 0;
        canPasteKnown_ = true;
    }
    return canPaste_;
}

void TMainForm::FixMenus()
{
    if (shuttingDown_)
        return;
    auto* active = ActiveEditor();
    refreshFileMenu(active);
    refreshEditMenu(active);
    if (refreshSearchMenu)
        refreshSearchMenu(active);
    windowCommands_->Window1Click();
}

void TMainForm::RefreshStatusBar()
{
    if (shuttingDown_)
        return;
    status_->ApplyPendingReset();
    auto* active = ActiveEditor();
    if (!active) {
        status_->ClearPanels();
        return;
    }
    auto& memo = active->SEditor1->Memo();
    StatusSnapshot snapshot;
    const auto caret = active->GetCaret();
    snapshot.row = caret.row;
    snapshot.column = active->Document().CaretCharacterColumn();
    snapshot.modified = active->IsModified();
    snapshot.rows = active->LineCount();
    snapshot.topRow = memo.FirstVisibleLine() + 1;
    if (auto* parser = memo.ActiveParserObject())
        snapshot.parserName = parser->Settings().name;
    snapshot.overwrite = memo.Overwrite();
    snapshot.encoding = std::string(encodingName(memo.Encoding()));
    const bool wasModified = !status_->PanelText(1).isEmpty();
    status_->ShowPanels(statusTextsFor(snapshot));
    if (snapshot.modified && !wasModified)
        FixMenus();
    refreshEditMenu(active);
}

void TMainForm::ShowStatusInfo(const std::string& text, int colour)
{
    const auto message = text::trim(text);
    if (message.empty()) {
        RefreshStatusBar();
        return;
    }
    ui_.processPendingEvents();
    status_->ShowInfo(message, colour);
}

bool TMainForm::StatusInfoShowing() const { return status_->InfoShowing(); }

// ---------------------------------------------------------------- TMDIChildHost

void TMainForm::ChildChanged(TMDIChild& child)
{
    if (&child == ActiveEditor())
        UpdateButtons();
}

void TMainForm::ChildKeyDown(TMDIChild& child)
{
    if (!status_->InfoShowing())
        return;
    status_->EndInfo();
    RefreshStatusBar();
    child.ClearErrorLine();
}

bool TMainForm::ChildSave(TMDIChild& child) { return fileCommands_->SaveWindow(child); }

void TMainForm::ChildClosed(TMDIChild& child)
{
    if (shuttingDown_)
        return;
    const auto caption = fromQt(child.windowTitle());
    if (NonameNumbers::IsNoname(caption))
        windows_->ReleaseNoname(caption);
    fileCommands_->RememberClosedFile(text::trim(caption));
}

void TMainForm::ChildDestroyed(TMDIChild&)
{
    if (shuttingDown_ || fixMenusPending_)
        return;
    // The window is half gone now; the menus follow once it has left the document area.
    fixMenusPending_ = true;
    QTimer::singleShot(0, this, [this] {
        fixMenusPending_ = false;
        UpdateButtons();
        FixMenus();
    });
}

TMDIChildHost::ClipboardStates TMainForm::ChildClipboardStates(TMDIChild& child)
{
    auto& memo = child.SEditor1->Memo();
    return {memo.HasSelection(), memo.HasSelection(), CanPaste(memo)};
}

void TMainForm::ChildCut(TMDIChild&) { editCommands_->Cut1Click(); }

void TMainForm::ChildCopy(TMDIChild&) { editCommands_->Copy1Click(); }

void TMainForm::ChildPaste(TMDIChild&) { editCommands_->Paste1Click(); }

void TMainForm::ChildFilesDropped(const std::vector<std::string>& files) { HandleDroppedFiles(files); }

// ---------------------------------------------------------------- events

bool TMainForm::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip && status_) {
        status_->HintChanged(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

// The menu short-cuts come before the editor's own keys, as they do for the window's menu:
// a key that an enabled item of this window carries is left to the short-cut, not the editor.
bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) {
            auto* key = static_cast<QKeyEvent*>(event);
            const QKeySequence pressed(key->keyCombination());
            for (auto* item : findChildren<QAction*>())
                if (item->isEnabled() && item->shortcut() == pressed) {
                    event->ignore();
                    return true;
                }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    std::vector<std::string> names;
    for (const auto& url : event->mimeData()->urls())
        if (url.isLocalFile())
            names.push_back(fromQt(url.toLocalFile()));
    event->acceptProposedAction();
    QTimer::singleShot(0, this, [this, names] { HandleDroppedFiles(names); });
}

}  // namespace quarry
