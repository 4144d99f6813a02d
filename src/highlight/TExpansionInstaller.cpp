#include "highlight/TExpansionInstaller.h"

namespace quarry {

namespace {

// Constant-initialised, so an installer set from another file's static initialiser stays set.
TExpansionInstaller* current = nullptr;

}  // namespace

TExpansionInstaller* TExpansionInstaller::Current()
{
    return current;
}

void TExpansionInstaller::SetCurrent(TExpansionInstaller* installer)
{
    current = installer;
}

}  // namespace quarry
