#include "tools/ResolveProjectRelative.h"

#include "platform/FileFacts.h"

namespace quarry {

std::string ResolveProjectRelative(const std::string& name, const std::string& projectPath, PathStyle style)
{
    if (style.isDriveQualified(name) || !files::directoryExists(projectPath))
        return name;
    return style.join(projectPath, name);
}

}  // namespace quarry
