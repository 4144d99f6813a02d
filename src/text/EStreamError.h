#pragma once
#include <stdexcept>

namespace quarry {

// A stream could not deliver or take the bytes a stored form needs.
class EStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace quarry
