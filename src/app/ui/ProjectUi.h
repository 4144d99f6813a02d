#pragma once
#include "app/ProjectCommands.h"
#include "app/ProjectHost.h"
#include "app/ui/MdiProjectWindow.h"

#include <QObject>

#include <memory>
#include <vector>

namespace quarry {

class ProjectTree;
class TMainForm;
class TRemProjBox;

// The project commands in the main window: the Environment menu's project items, the project
// tool buttons and the project tree call the project commands, which reach the editor windows,
// the tree and the remove dialog through this object.
class ProjectUi final : public QObject, private ProjectHost {
    Q_OBJECT
public:
    // Connects the main window's project items, buttons and tree.
    ProjectUi(TMainForm& form, EnvironmentSettings& settings, UserInterface& ui);
    ~ProjectUi() override;

    ProjectCommands& commands() { return commands_; }
    ProjectTree& tree() { return *tree_; }
    TRemProjBox& removeBox() { return *removeBox_; }

    // Shows the project's files in the tree again.
    void RebuildProjectTree();

private:
    void connectCommands();

    // ProjectHost
    std::vector<ProjectWindow*> editorWindows() override;
    ProjectWindow* openEditorByName(const std::string& name) override;
    bool closeEditorWindow(ProjectWindow& window) override;
    std::string activeEditorFile() override;
    void saveAllFiles() override;
    void projectFilesChanged() override;
    void updateProjectState() override;
    std::optional<std::size_t> chooseFileToRemove(const std::vector<std::string>& files) override;

    TMainForm& form_;
    EnvironmentSettings& settings_;
    ProjectCommands commands_;
    ProjectTree* tree_;
    TRemProjBox* removeBox_;
    // Views handed out by the last editorWindows() and openEditorByName() calls.
    std::vector<std::unique_ptr<MdiProjectWindow>> listed_;
    std::unique_ptr<MdiProjectWindow> opened_;
};

}  // namespace quarry
