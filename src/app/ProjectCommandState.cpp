#include "app/ProjectCommandState.h"

#include "platform/PathStyle.h"

namespace quarry {

ProjectCommandState ProjectCommandState::of(EnvironmentSettings& settings, FileLocator& locator)
{
    ProjectCommandState state;
    const auto& project = settings.project;
    state.projectCommandsEnabled = project.open;
    std::string located = project.name;
    if (project.open && locator.LocateFile(located))
        state.caption = std::string(kApplicationTitle) + " - [" + PathStyle::native().fileName(project.name) + "]";
    else
        state.caption = kNoProjectCaption;
    state.saveProjectHint = settings.general.saveProjectSavesFiles ? kSaveProjectWithFilesHint : kSaveProjectHint;
    return state;
}

}  // namespace quarry
