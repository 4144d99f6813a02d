#pragma once
#include <stdexcept>

namespace quarry {

// Saving text to a stream failed.
class EFileSaveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace quarry
