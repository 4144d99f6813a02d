#pragma once
// The failure of compiling or running a regular expression: the message of a numbered error text
// plus the code and the position in the expression where it was found.
#include <stdexcept>
#include <string>

namespace quarry {

// Error codes of the regular-expression engine; the message table lives with EREParser.
enum class TREError : int {
    None = 4246,                  // "No errors detected"
    InvalidParameter = 4247,
    TooManySubexpressions = 4248,
    UnmatchedParenthesis = 4249,
    InvalidRepeat = 4250,
    NestedRepeat = 4251,
    InvalidRange = 4252,
    UnmatchedBracket = 4253,
    HexDigitExpected = 4254,
    UnexpectedEnd = 4255,
    QuoteExpected = 4256,
    IndexRange = 4257,
    Internal = 4258,
    TooComplex = 4259,            // step budget of one search, or a program over 64 KB
};

// The message text of a code; unknown codes give "Internal error".
const char* reErrorText(TREError code);

class EREParser final : public std::runtime_error {
public:
    EREParser(TREError code, int position)
        : std::runtime_error(reErrorText(code)), code_(code), position_(position)
    {
    }
    TREError code() const { return code_; }
    // Character index in the expression (for search errors, -1).
    int position() const { return position_; }

private:
    TREError code_;
    int position_;
};

}  // namespace quarry
