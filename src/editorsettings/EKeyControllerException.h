#pragma once
#include <stdexcept>

namespace quarry {

// Faults of a key controller.
class EKeyControllerException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace quarry
