#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace quarry {

// Appends `in` to `out` with every line end made a single CR: CR LF and LF CR become one CR, a
// lone CR or LF becomes CR (pairs are taken greedily from the left). Other control characters
// but TAB become "." so that no byte below 32 except TAB and CR ever reaches the store.
//
// When `more` is set, input follows `in`: a final CR or LF that could pair with the next byte is
// left unconsumed so that the caller hands it in again with what follows. Returns the number of
// bytes consumed.
std::size_t NormaliseLineEnds(std::string_view in, std::string& out, bool more = false);

}  // namespace quarry
