#pragma once
#include <stdexcept>

namespace quarry {

// Faults of the editor control: bad arguments, bad undo log state, unknown track IDs.
class ECodeMemo : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace quarry
