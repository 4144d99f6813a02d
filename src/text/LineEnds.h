#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace quarry {

// Line-end normalisation for text that enters the store: CR LF and LF CR become one CR, a lone
// CR or LF becomes CR (pairs are taken greedily from the left). Every other byte, NUL and the
// other control characters included, is kept: a file saved unedited comes back byte for byte, and
// only the view shows control characters differently.
//
// When `more` is set, input follows: a final CR or LF that could pair with the next byte is left
// unconsumed so that the caller hands it in again with what follows.

// Normalises data[0, size) in place (the result is never longer). Returns the bytes consumed;
// *length receives the length of the result.
std::size_t NormaliseInPlace(char* data, std::size_t size, bool more, std::size_t* length);

// Appends the normalised form of `in` to `out`; returns the bytes of `in` consumed.
std::size_t NormaliseLineEnds(std::string_view in, std::string& out, bool more = false);

// The stored text as other programs read it (the clipboard, a dragged selection, a caller of the
// message interface): every CR becomes CR LF.
std::string WithPlatformLineEnds(std::string_view stored);

}  // namespace quarry
