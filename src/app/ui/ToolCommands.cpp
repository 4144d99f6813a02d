#include "app/ui/ToolCommands.h"

#include "app/ui/HelpCommands.h"
#include "app/ui/TMainForm.h"
#include "app/ui/EditorWindows.h"
#include "editor/ui/TCodeMemo.h"
#include "editorwin/ui/TMDIChild.h"
#include "platform/ExecutableSearch.h"
#include "platform/FileFacts.h"
#include "platform/Text.h"
#include "platform/ui/QtUserInterface.h"
#include "tools/ToolButtonRules.h"
#include "tools/ToolRunner.h"
#include "tools/ui/TBuildOutput.h"
#include "tools/ui/TConfirmParams1.h"
#include "tools/ui/TErrorListPanel.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include <tuple>

namespace quarry {

namespace {

// The tool buttons and the hidden menu items that carry their keys.
const struct {
    const char* button;
    const char* item;
} kToolCommands[] = {
    {"SpeedButton3", "Assemble1"},   {"SpeedButton1", "RunDebugger1"}, {"SpeedButton2", "RunProgrammer1"},
    {"SpeedButton4", "RunF81"},      {"SpeedButton5", "RunF91"},
};
const char* const kExeButtons[] = {"SpeedButton1", "SpeedButton2", "SpeedButton4", "SpeedButton5"};

// How often running tools are looked after while nobody waits for them.
constexpr int kPumpMs = 20;

}  // namespace

ToolCommands::ToolCommands(TMainForm& form) : QObject(&form), form_(form)
{
    runner_ = std::make_unique<ToolRunner>(form_.settings(), form_.locator(), form_.userInterface(), *this, processes_);
    confirm_ = new TConfirmParams1(&form_);
    confirm_->onHelp = [this] { form_.helpCommands().Contents1Click(); };
    BuildPanels();
    BuildMenu();
    WireToolButtons();
    processes_.SetListener(output_);
    pump_.setInterval(kPumpMs);
    connect(&pump_, &QTimer::timeout, this, &ToolCommands::PumpTools);
}

ToolCommands::~ToolCommands()
{
    processes_.SetListener(nullptr);
    while (busy_ > 0)
        SetBusyCursor(false);
}

void ToolCommands::WireToolButtons()
{
    for (const auto& command : kToolCommands) {
        auto* button = form_.WireButton(QString::fromLatin1(command.button));
        auto* item = form_.WireAction(QString::fromLatin1(command.item));
        connect(button, &QToolButton::clicked, this, [this, button] { SpeedButtonIdeClick(button); });
        connect(item, &QAction::triggered, this, [this, button] { SpeedButtonIdeClick(button); });
    }
    UpdateToolButtons();
}

void ToolCommands::BuildPanels()
{
    output_ = new TBuildOutput;
    outputDock_ = new QDockWidget(QStringLiteral("Build Output"), &form_);
    outputDock_->setObjectName(QStringLiteral("BuildOutputDock"));
    outputDock_->setWidget(output_);
    errorPanel_ = new TErrorListPanel;
    errorDock_ = new QDockWidget(QStringLiteral("Error List"), &form_);
    errorDock_->setObjectName(QStringLiteral("ErrorListDock"));
    errorDock_->setWidget(errorPanel_);
    form_.addDockWidget(Qt::BottomDockWidgetArea, errorDock_);
    form_.splitDockWidget(errorDock_, outputDock_, Qt::Horizontal);
    // The frame looks as before until a tool first runs.
    outputDock_->hide();
    errorDock_->hide();
    connect(output_, &TBuildOutput::toolStarted, this, [this] {
        ShowPanel(outputDock_);
        output_->SetRunning(true);
        if (stopItem_)
            stopItem_->setEnabled(true);
        pump_.start();
    });
    connect(output_, &TBuildOutput::stopRequested, this, &ToolCommands::StopTool);
    connect(errorPanel_, &TErrorListPanel::entryActivated, this,
            [this](std::size_t index) { runner_->GoToListEntry(index); });
}

void ToolCommands::BuildMenu()
{
    auto* menu = new QMenu(QStringLiteral("&Build"), &form_);
    menu->setObjectName(QStringLiteral("Build1"));
    const auto add = [menu](const char* name, const char* caption, const QKeySequence& shortcut) {
        auto* item = menu->addAction(QString::fromLatin1(caption));
        item->setObjectName(QString::fromLatin1(name));
        item->setShortcut(shortcut);
        // Connected here: Stop is disabled only while no tool runs, not because it is missing.
        item->setProperty("quarryWired", true);
        return item;
    };
    connect(add("NextError1", "&Next Error", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Down)), &QAction::triggered,
            this, &ToolCommands::NextError);
    connect(add("PreviousError1", "&Previous Error", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Up)),
            &QAction::triggered, this, &ToolCommands::PreviousError);
    stopItem_ = add("StopTool1", "&Stop Tool", {});
    stopItem_->setEnabled(false);
    connect(stopItem_, &QAction::triggered, this, &ToolCommands::StopTool);
    menu->addSeparator();
    for (auto [dock, name, caption] : {std::tuple{outputDock_, "BuildOutput1", "Build &Output"},
                                       std::tuple{errorDock_, "ErrorList1", "&Error List"}}) {
        auto* toggle = dock->toggleViewAction();
        toggle->setObjectName(QString::fromLatin1(name));
        toggle->setText(QString::fromLatin1(caption));
        menu->addAction(toggle);
    }
    auto* window = form_.findChild<QMenu*>(QStringLiteral("Window1"));
    form_.menuBar()->insertMenu(window ? window->menuAction() : nullptr, menu);
}

void ToolCommands::SpeedButtonIdeClick(QToolButton* sender)
{
    if (!sender || !sender->isEnabled())
        return;
    runner_->SpeedButtonIdeClick(sender->property("tag").toInt());
    UpdateToolButtons();
}

void ToolCommands::RefreshToolHints()
{
    const auto& tools = form_.settings().tools;
    for (int slot = 0; slot < 4; ++slot) {
        const auto& tool = tools[static_cast<std::size_t>(slot)];
        const auto found = findExecutable(text::trim(tool.name));
        const auto hint = toolbuttons::Hint(slot, tool, found ? files::absolutePath(*found) : std::string());
        form_.SetHint(QString::fromLatin1(kExeButtons[slot]), toQt(hint));
    }
}

void ToolCommands::UpdateToolButtons()
{
    const bool assemble = toolbuttons::AssembleEnabled(form_.settings(), form_.ActiveEditor() != nullptr);
    for (const auto& command : kToolCommands) {
        const bool on = std::string_view(command.button) != "SpeedButton3" || assemble;
        form_.SetCommandEnabled(QString::fromLatin1(command.button), on);
        form_.SetCommandEnabled(QString::fromLatin1(command.item), on);
    }
}

void ToolCommands::ShowPanel(QDockWidget* dock)
{
    dock->show();
    if (panelsPlaced_)
        return;
    panelsPlaced_ = true;
    errorDock_->show();
    outputDock_->show();
    // Once the dock area has laid the panels out.
    QTimer::singleShot(0, this, [this] {
        const int width = form_.width();
        form_.resizeDocks({errorDock_}, {width * 11 / 20}, Qt::Horizontal);
        form_.resizeDocks({errorDock_}, {form_.height() / 3}, Qt::Vertical);
    });
}

void ToolCommands::NextError() { runner_->NextError(); }

void ToolCommands::PreviousError() { runner_->PreviousError(); }

void ToolCommands::StopTool() { processes_.StopAll(); }

void ToolCommands::PumpTools()
{
    processes_.PumpAll();
    const bool running = processes_.AnyRunning();
    output_->SetRunning(running);
    stopItem_->setEnabled(running);
    if (!running)
        pump_.stop();
}

// ---------------------------------------------------------------- ToolShell

std::optional<std::string> ToolCommands::ConfirmParameters(const std::string& executable,
                                                           const std::string& parameters)
{
    return confirm_->Confirm(executable, parameters);
}

// A closed main window ends every wait: nothing runs after the user quit.
bool ToolCommands::Terminating() { return form_.terminationRequested() || !form_.isVisible(); }

std::optional<std::string> ToolCommands::ActiveEditorFile()
{
    auto* active = form_.ActiveEditor();
    return active ? std::optional<std::string>(active->FileName()) : std::nullopt;
}

void ToolCommands::SaveAll() { form_.SaveAll(); }

void ToolCommands::AskSaveAllModified() { form_.AskSaveAllModified(); }

void ToolCommands::ClearErrorMarks()
{
    for (auto* window : form_.EditorWindowsInOrder())
        window->ClearErrorLine();
}

void ToolCommands::ForceReloadCheck(const std::string& fileName)
{
    for (auto* window : form_.EditorWindowsInOrder())
        if (window->FileName() == fileName)
            window->ForceReloadCheck();
}

void ToolCommands::CheckFilesChanged() { form_.CheckFilesChanged(); }

void ToolCommands::OpenByName(const std::string& fileName) { form_.OpenFileByName(fileName); }

int ToolCommands::ActiveLineCount()
{
    auto* active = form_.ActiveEditor();
    return active ? active->LineCount() : 0;
}

void ToolCommands::ShowErrorLine(int row)
{
    auto* active = form_.ActiveEditor();
    if (!active)
        return;
    active->SetCaret(row, 1);
    active->MarkErrorLine(row);
    active->SEditor1->viewport()->update();
}

void ToolCommands::ErrorShown(const std::string& fileName)
{
    if (auto* window = form_.editorWindows().Find(fileName))
        window->SEditor1->viewport()->update();
    form_.RefreshStatusBar();
}

void ToolCommands::RepaintEditors()
{
    for (auto* window : form_.EditorWindowsInOrder())
        window->SEditor1->viewport()->update();
}

void ToolCommands::ShowStatus(const std::string& text, int colour) { form_.ShowStatusInfo(text, colour); }

void ToolCommands::SetBusyCursor(bool busy)
{
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++busy_;
    } else if (busy_ > 0) {
        QApplication::restoreOverrideCursor();
        --busy_;
    }
}

void ToolCommands::Beep() { QApplication::beep(); }

void ToolCommands::ErrorListChanged(const ErrorList& list)
{
    errorPanel_->SetList(list);
    if (!list.Entries().empty())
        ShowPanel(errorDock_);
}

void ToolCommands::CurrentErrorChanged(std::size_t index) { errorPanel_->SetCurrent(index); }

}  // namespace quarry
