#include "tools/ErrorFileNames.h"

#include "platform/PathStyle.h"

namespace quarry {

std::string TalvikErrorFile(const std::string& sourceFile)
{
    return PathStyle::native().changeExtension(sourceFile, ".ERR");
}

std::string ErrorFileBackup(const std::string& errorFile)
{
    return PathStyle::native().changeExtension(errorFile, ".TVTMPBAK");
}

}  // namespace quarry
