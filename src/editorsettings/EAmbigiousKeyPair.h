#pragma once
#include "editorsettings/EKeyControllerException.h"

namespace quarry {

// A key sequence collides with one already bound (the name keeps its historic spelling).
class EAmbigiousKeyPair : public EKeyControllerException {
public:
    using EKeyControllerException::EKeyControllerException;
};

}  // namespace quarry
