#pragma once
// The replacement template of regular-expression replace, read left to right:
//   %%           a percent sign            %n (n = 1..255)  the text of sub-match n
//   %n outside 1..255: nothing             % before anything else: that character
//   \\ backslash   \n CR (the line end)   \r LF   \t TAB   \s blank   \b 8   \f 12
//   \ddd (1 to 3 octal digits) that code; a code above 255 ends the expansion
//   \xhh (1 or 2 hexadecimal digits) that code; \ before anything else: that character
// The letter after a backslash is taken in either case. A lone "%" or "\" at the end stays.
#include <functional>
#include <string>
#include <string_view>

namespace quarry {

class TReplaceTemplate final {
public:
    // subMatch(n) answers the text of sub-match n (1..255).
    static std::string Expand(std::string_view text, const std::function<std::string(int)>& subMatch);
};

}  // namespace quarry
