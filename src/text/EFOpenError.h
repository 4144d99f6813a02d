#pragma once
#include <stdexcept>

namespace quarry {

// A file could not be opened; the message names the file.
class EFOpenError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace quarry
