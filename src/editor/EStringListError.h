#pragma once
#include <stdexcept>

namespace quarry {

// A string-list index outside the list.
class EStringListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace quarry
