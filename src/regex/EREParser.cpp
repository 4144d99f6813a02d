#include "regex/EREParser.h"

#include <array>
#include <utility>

namespace quarry {

const char* reErrorText(TREError code)
{
    static constexpr std::array<std::pair<TREError, const char*>, 14> texts{{
        {TREError::None, "No errors detected"},
        {TREError::InvalidParameter, "Invalid parameter"},
        {TREError::TooManySubexpressions, "Too many sub-expressions"},
        {TREError::UnmatchedParenthesis, "Unmatched parenthesis"},
        {TREError::InvalidRepeat, "Invalid repeat"},
        {TREError::NestedRepeat, "Nested repeat"},
        {TREError::InvalidRange, "Invalid range"},
        {TREError::UnmatchedBracket, "Unmatched bracket"},
        {TREError::HexDigitExpected, "Hex digit expected"},
        {TREError::UnexpectedEnd, "Unexpected end of input"},
        {TREError::QuoteExpected, "' expected"},
        {TREError::IndexRange, "Index range error"},
        {TREError::Internal, "Internal error"},
        {TREError::TooComplex, "Expression too complex"},
    }};
    for (const auto& [c, text] : texts)
        if (c == code)
            return text;
    return "Internal error";
}

}  // namespace quarry
