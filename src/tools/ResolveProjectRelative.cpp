#include "tools/ResolveProjectRelative.h"

#include "platform/FileFacts.h"
#include "platform/PathStyle.h"

namespace quarry {

std::string ResolveProjectRelative(const std::string& name, const std::string& projectPath)
{
    const auto style = PathStyle::native();
    if (style.isDriveQualified(name) || !files::directoryExists(projectPath))
        return name;
    return style.join(projectPath, name);
}

}  // namespace quarry
