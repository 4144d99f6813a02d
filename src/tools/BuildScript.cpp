#include "tools/BuildScript.h"

#include "platform/PathStyle.h"

namespace quarry {

bool buildscript::isScriptName(const std::string& name)
{
    return PathStyle::native().extension(name) == kExtension;
}

}  // namespace quarry
