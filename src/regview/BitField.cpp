#include "regview/BitField.h"

#include "platform/Text.h"
#include "regview/RegisterColumns.h"
#include "regview/RegisterViewerTexts.h"

namespace quarry {

BitField BitField::Unspecified(int bits)
{
    BitField field;
    field.high = bits - 1;
    field.low = 0;
    field.access = 'B';
    field.line = " B  Unspecified";
    return field;
}

std::string BitField::Description() const
{
    return text::cut(text::trim(columns(line, 5, std::string_view::npos)), kDescriptionLength);
}

std::string BitField::SettingsCaption() const { return " " + std::string(columns(line, 5, 30)) + " "; }

int BitField::MeaningLine(std::uint32_t value) const
{
    for (std::size_t i = 0; i < values.size(); ++i)
        if (values[i].IsRule() || values[i].Value() == value)
            return static_cast<int>(i);
    return -1;
}

std::string BitField::Meaning(std::uint32_t value) const
{
    if (values.empty())
        return kUnspecifiedField;
    const int line = MeaningLine(value);
    if (line < 0)
        return kIllegalFieldValue;
    return text::cut(values[static_cast<std::size_t>(line)].TextFor(value), kMeaningLength);
}

}  // namespace quarry
