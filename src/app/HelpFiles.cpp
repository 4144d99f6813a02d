#include "app/HelpFiles.h"

#include "platform/FileFacts.h"
#include "platform/PathStyle.h"

namespace quarry {

std::vector<std::string> helpFilesIn(const std::string& programDir)
{
    const auto style = PathStyle::native();
    std::vector<std::string> out;
    for (const auto& name : files::findFiles(style.join(programDir, "*.hlp")))
        out.push_back(style.join(programDir, name));
    return out;
}

}  // namespace quarry
