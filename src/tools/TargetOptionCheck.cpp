#include "tools/TargetOptionCheck.h"

#include "platform/Text.h"

#include <algorithm>
#include <cctype>

namespace quarry {

bool targetoptions::IsHexAddress(const std::string& text)
{
    constexpr std::size_t kLastExamined = 10;
    if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
        return false;
    const auto end = text.begin() + static_cast<std::ptrdiff_t>(std::min(text.size(), kLastExamined));
    return std::all_of(text.begin() + 2, end, [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

std::string targetoptions::InvalidFieldMessage(const std::string& fieldName)
{
    return "Error in field: " + fieldName + ".  Use this format for hexadecimal input: 0x12345678 .";
}

std::optional<std::size_t> targetoptions::FirstInvalidField(std::span<const Field> fields)
{
    std::optional<std::size_t> first;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        auto& text = *fields[i].text;
        text = text::trim(text);
        if (!first && fields[i].enabled && !text.empty() && !IsHexAddress(text))
            first = i;
    }
    return first;
}

}  // namespace quarry
