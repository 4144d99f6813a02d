#include "app/ui/ProjectUi.h"

#include "app/ui/EditorWindows.h"
#include "app/ui/ProjectTree.h"
#include "app/ui/TMainForm.h"
#include "app/ui/TRemProjBox.h"
#include "editorwin/ui/TMDIChild.h"

#include <QAction>
#include <QToolButton>
#include <QTreeWidget>

namespace quarry {

namespace {

// The main window enables the items that carry this mark as the project state says.
constexpr const char* kWiredProperty = "quarryWired";

}  // namespace

ProjectUi::ProjectUi(TMainForm& form, EnvironmentSettings& settings, UserInterface& ui)
    : QObject(&form),
      form_(form),
      settings_(settings),
      commands_(settings, form.settingsFile(), form.locator(), ui, form.fileBrowser(), *this),
      tree_(new ProjectTree(*form.findChild<QTreeWidget*>(QStringLiteral("ProjectTree")), this)),
      removeBox_(new TRemProjBox(&form))
{
    tree_->onRootClick = [this] { commands_.RootNodeClicked(); };
    tree_->onFileClick = [this](std::size_t index) { commands_.FileNodeClicked(index); };
    connectCommands();
}

ProjectUi::~ProjectUi() = default;

void ProjectUi::connectCommands()
{
    const std::pair<const char*, void (ProjectCommands::*)()> items[] = {
        {"OpenProject1", &ProjectCommands::OpenProject},
        {"AddFilestoProject1", &ProjectCommands::AddFilesToProject},
        {"RemoveFilefromProject1", &ProjectCommands::RemoveFileFromProject},
    };
    for (const auto& [name, command] : items)
        connect(form_.action(QString::fromLatin1(name)), &QAction::triggered, this, [this, command = command] {
            (commands_.*command)();
        });
    connect(form_.action(QStringLiteral("SaveProject1")), &QAction::triggered, this, [this] { commands_.SaveProject(); });
    connect(form_.action(QStringLiteral("SaveProjectAs1")), &QAction::triggered, this,
            [this] { commands_.SaveProjectAs(); });
    connect(form_.action(QStringLiteral("CloseNewProject1")), &QAction::triggered, this,
            [this] { commands_.CloseNewProject(); });

    const std::pair<const char*, void (ProjectCommands::*)()> buttons[] = {
        {"OpenProjectBtn", &ProjectCommands::OpenProject},
        {"AddtoProjectBtn", &ProjectCommands::AddFilesToProject},
        {"RemoveFromProjectBtn", &ProjectCommands::RemoveFileFromProject},
    };
    for (const auto& [name, command] : buttons)
        connect(form_.toolButton(QString::fromLatin1(name)), &QToolButton::clicked, this, [this, command = command] {
            (commands_.*command)();
        });
    connect(form_.toolButton(QStringLiteral("SavePrjBtn")), &QToolButton::clicked, this,
            [this] { commands_.SaveProjectButton(); });

    // Open and Save As are always there; the rest follow the project state.
    for (const char* name : {"OpenProject1", "SaveProjectAs1"})
        form_.action(QString::fromLatin1(name))->setEnabled(true);
    for (const char* name : {"OpenProjectBtn", "SavePrjBtn"})
        form_.toolButton(QString::fromLatin1(name))->setEnabled(true);
    for (const char* name : {"SaveProject1", "CloseNewProject1", "AddFilestoProject1", "RemoveFilefromProject1"})
        form_.action(QString::fromLatin1(name))->setProperty(kWiredProperty, true);
    for (const char* name : {"AddtoProjectBtn", "RemoveFromProjectBtn"})
        form_.toolButton(QString::fromLatin1(name))->setProperty(kWiredProperty, true);
}

void ProjectUi::RebuildProjectTree() { tree_->RebuildProjectTree(settings_.project.fileNameParts()); }

std::vector<ProjectWindow*> ProjectUi::editorWindows()
{
    listed_.clear();
    std::vector<ProjectWindow*> windows;
    for (auto* child : form_.editorWindows().InOrder()) {
        if (child->isHidden())
            continue;  // closed, waiting to be deleted
        listed_.push_back(std::make_unique<MdiProjectWindow>(child));
        windows.push_back(listed_.back().get());
    }
    return windows;
}

ProjectWindow* ProjectUi::openEditorByName(const std::string& name)
{
    auto* child = form_.editorWindows().OpenByName(name);
    if (!child)
        return nullptr;
    opened_ = std::make_unique<MdiProjectWindow>(child);
    return opened_.get();
}

bool ProjectUi::closeEditorWindow(ProjectWindow& window)
{
    auto* child = static_cast<MdiProjectWindow&>(window).child();
    if (!child)
        return true;
    form_.editorWindows().BringToFront(*child);
    return child->close();
}

std::string ProjectUi::activeEditorFile()
{
    auto* active = form_.editorWindows().Active();
    return active ? active->FileName() : std::string();
}

void ProjectUi::saveAllFiles() { form_.saveAllFiles(); }

void ProjectUi::projectFilesChanged()
{
    RebuildProjectTree();
    updateProjectState();
}

// The project state first, then the buttons that also depend on the file list.
void ProjectUi::updateProjectState()
{
    form_.updateProjectState();
    form_.UpdateButtons();
}

std::optional<std::size_t> ProjectUi::chooseFileToRemove(const std::vector<std::string>& files)
{
    return removeBox_->chooseFile(files);
}

}  // namespace quarry
