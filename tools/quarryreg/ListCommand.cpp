// quarryreg list DIR: one line per register file, its name and title separated by a tab.
#include "RegCommand.h"

#include "platform/FileFacts.h"
#include "platform/PathStyle.h"
#include "regview/RegisterLibrary.h"
#include "regview/RegisterViewerTexts.h"

#include <cstdio>

namespace quarry::reg {

int listCommand(const std::vector<std::string>& args)
{
    if (args.size() != 1)
        throw UsageError("list takes one directory");
    if (!files::directoryExists(args[0]))
        throw Refused("no directory " + args[0]);
    const auto entries = RegisterDirectory(args[0]).List();
    if (entries.empty())
        throw Refused(kNoRegisterFiles);
    const auto style = PathStyle::native();
    for (const auto& entry : entries)
        std::printf("%s\t%s\n", style.fileName(entry.path).c_str(), entry.title.c_str());
    return 0;
}

}  // namespace quarry::reg
