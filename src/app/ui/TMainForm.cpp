#include "app/ui/TMainForm.h"

#include "app/CommandException.h"
#include "app/ExitConfirmation.h"
#include "app/ProjectCommandState.h"
#include "app/ui/TMdiAbout.h"
#include "app/ui/ToolIcons.h"
#include "platform/FileFacts.h"
#include "platform/PathStyle.h"
#include "platform/ui/QtUserInterface.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
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
                                                     {"Panel5", 105}, {"Panel6", 118}, {"Panel7", 65}};

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
      arguments_(std::move(arguments)),
      settingsFile_(settings, *this, ui, programDir),
      locator_(settings, programDir),
      startup_(settings, settingsFile_, locator_, ui, *this)
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
}

TMainForm::~TMainForm() = default;

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
    addItem(file, "CloseFile1", "&Close File       Ctrl+D   or", QKeySequence(Qt::CTRL | Qt::Key_F4));
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
    for (const auto& spec : kToolButtons) {
        auto* button = new QToolButton(toolBar);
        const auto name = QString::fromLatin1(spec.name);
        button->setObjectName(name);
        button->setAutoRaise(true);
        button->setFixedSize(26, 26);
        button->setIcon(ToolIcons::forButton(name));
        button->setProperty("tag", spec.tag);
        setHint(button, QString::fromLatin1(spec.hint));
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
    // Every editor window may refuse (its file has unsaved changes the user keeps).
    mdiArea_->closeAllSubWindows();
    if (!mdiArea_->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    settingsFile_.WriteSettings(kEnvironmentFileName);
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
    return std::nullopt;  // editor windows report their font once they exist
}

void TMainForm::openProject(const std::string&)
{
    // The project reader (file list, window layout) connects here; the settings of the
    // project file are already read by start-up.
}

void TMainForm::openEditorFile(const std::string&)
{
    // Editor windows connect here.
}

void TMainForm::loadParserSettings()
{
    // The parser repository connects here.
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
    // The settings just read own the two check marks.
    action(QStringLiteral("GroupedUndo1"))->setChecked(settings_.editor.groupedUndo);
    action(QStringLiteral("UndoAfterSave1"))->setChecked(settings_.editor.undoAfterSave);
}

void TMainForm::requestTerminate()
{
    terminationRequested_ = true;
    emit terminateRequested();
}

bool TMainForm::saveProject()
{
    // Until the project writer connects here, saving a project keeps at least its settings
    // copy current; a project that cannot be saved in place is left alone.
    const auto& name = settings_.project.name;
    if (!settings_.project.hasName() || !PathStyle::native().isDriveQualified(name) || files::isReadOnly(name))
        return false;
    return settingsFile_.WriteSettings(name);
}

void TMainForm::saveAllFiles()
{
    // Editor windows connect here.
}

}  // namespace quarry
