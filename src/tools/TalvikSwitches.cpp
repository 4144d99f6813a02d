#include "tools/TalvikSwitches.h"

namespace quarry {

std::string TalvikParameters(const CompilerSettings& c)
{
    const struct {
        bool on;
        const char* text;
    } switches[] = {
        {c.outputS19, " S"},      {c.outputDwarf, " W"},    {c.output695, " P"},
        {c.outputDebug, " D"},    {c.outputListing, " L"},  {c.showCycles, " C"},
        {c.expandIncludes, " I"}, {c.expandMacros, " M"},   {!c.showAssembler, " Q"},
        {!c.waitFor, " ^"},
    };
    std::string parameters = "%FILE%";
    for (const auto& s : switches)
        if (s.on)
            parameters += s.text;
    return parameters;
}

}  // namespace quarry
