#include "editorwin/BackupNames.h"

#include "platform/PathStyle.h"

namespace quarry::backup {

std::string extensionFor(std::string_view extension)
{
    std::string kept(extension);
    if (kept.size() >= 4)
        kept.erase(3, 1);
    if (!kept.empty())
        kept.erase(0, 1);
    return ".~" + kept;
}

std::string fileNameFor(std::string_view fileName)
{
    const auto style = PathStyle::native();
    return style.changeExtension(fileName, extensionFor(style.extension(fileName)));
}

}  // namespace quarry::backup
