#include "regview/RegisterDefinition.h"

#include "platform/Text.h"
#include "regview/RegisterColumns.h"

namespace quarry {

std::string RegisterDefinition::Name() const
{
    const std::string text = text::trimLeft(columns(line, 11, std::string_view::npos));
    std::size_t end = 0;
    while (end < text.size() && !isBlank(text[end]))
        ++end;
    return text.substr(0, end);
}

std::string RegisterDefinition::Text() const
{
    const std::string addressText = addressValid ? hexDigits(address, 8) : std::string(columns(line, 3, 8));
    return text::trimRight(addressText + std::string(columns(line, 11, std::string_view::npos)));
}

void RegisterDefinition::Relocate(std::uint32_t mask, std::uint32_t offset)
{
    if (relocatable && addressValid)
        address = (address & mask) + offset;
}

}  // namespace quarry
