#pragma once
#include <stdexcept>

namespace quarry {

// A text would overflow the 32-bit character offset; it is refused, never truncated.
class EFileTooLarge : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace quarry
