#include "app/ExitConfirmation.h"

#include "platform/PathStyle.h"

namespace quarry {

std::string saveProjectQuestion(const std::string& projectName)
{
    return "Do you wish to save project " + PathStyle::native().fileName(projectName) + "?";
}

bool ConfirmExit(const EnvironmentSettings& settings, UserInterface& ui, ShellHost& host)
{
    const auto& general = settings.general;
    if (general.askExitApplication &&
        ui.showMessage(MessageKind::Confirmation, kExitQuestion, MessageButtons::YesNo) != Answer::Yes)
        return false;
    if (settings.project.open && settings.project.hasName()) {
        if (general.exitAutoSaveProject) {
            host.saveProject();
        } else {
            switch (ui.showMessage(MessageKind::Confirmation, saveProjectQuestion(settings.project.name),
                                   MessageButtons::YesNoCancel)) {
            case Answer::Yes: host.saveProject(); break;
            case Answer::No: break;
            default: return false;
            }
        }
    }
    if (general.exitAutoSaveAllFiles || (general.exitAutoSaveProject && general.saveProjectSavesFiles))
        host.saveAllFiles();
    return true;
}

}  // namespace quarry
