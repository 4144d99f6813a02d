#include "highlight/TOptionsDialogPresenter.h"

namespace quarry {

namespace {

TOptionsDialogPresenter* current = nullptr;

}  // namespace

TOptionsDialogPresenter* TOptionsDialogPresenter::Current()
{
    return current;
}

void TOptionsDialogPresenter::SetCurrent(TOptionsDialogPresenter* presenter)
{
    current = presenter;
}

}  // namespace quarry
