#include "settings/EnvironmentSettings.h"

namespace quarry {

int EditorOptions::defaultSyntaxSlot(int parserCount) const
{
    const int slots = parserCount < 0 ? 1 : parserCount + 1;
    const int slot = defaultSyntax % slots;
    return slot < 0 ? slot + slots : slot;
}

}  // namespace quarry
