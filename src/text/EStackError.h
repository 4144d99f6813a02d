#pragma once
#include <stdexcept>

namespace quarry {

// Popping from an empty stack.
class EStackError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace quarry
