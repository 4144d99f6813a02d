#pragma once
#include <string>
#include <string_view>

namespace quarry {

// Appends `in` to `out` with every line end made a single CR: CR LF and LF CR become one CR, a
// lone CR or LF becomes CR. Other control characters but TAB become "." so that no byte below 32
// except TAB and CR ever reaches the store.
void NormaliseLineEnds(std::string_view in, std::string& out);

}  // namespace quarry
