#include "tools/ToolSlotIds.h"

namespace quarry {

std::optional<int> toolslots::exeIndexOf(int tag)
{
    for (std::size_t i = 0; i < kExeTags.size(); ++i)
        if (kExeTags[i] == tag)
            return static_cast<int>(i);
    return std::nullopt;
}

}  // namespace quarry
