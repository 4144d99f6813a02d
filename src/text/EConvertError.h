#pragma once
#include <stdexcept>

namespace quarry {

// Assigning an object of an unsuitable class.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace quarry
