#include "regview/FieldValueLine.h"

#include "platform/Text.h"
#include "regview/RegisterColumns.h"

namespace quarry {

namespace {

// Columns 4 and 5: a shift of 0 to 31 written in decimal (a blank may stand for a leading zero).
int ParseShift(std::string_view line)
{
    const std::string text = text::trim(columns(line, 4, 2));
    if (text.empty())
        return -1;
    int shift = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return -1;
        shift = shift * 10 + (c - '0');
    }
    return shift <= 31 ? shift : -1;
}

int ParseDigits(std::string_view line)
{
    const char c = column(line, 6);
    return c >= '1' && c <= '8' ? c - '0' : -1;
}

}  // namespace

FieldValueLine FieldValueLine::Parse(std::string_view line)
{
    FieldValueLine parsed;
    const std::size_t width = line.size() <= 6 || isBlank(column(line, 7)) ? 4 : 8;
    const auto value = parseHex(text::trim(columns(line, 3, width)));
    parsed.rule_ = !value;
    parsed.value_ = value.value_or(0);
    parsed.unselectable_ = column(line, 3) == 'N';
    parsed.meaning_ = text::trimRight(columns(line, 4 + width, std::string_view::npos));
    if (parsed.rule_) {
        parsed.shift_ = ParseShift(line);
        parsed.digits_ = ParseDigits(line);
        if (parsed.shift_ < 0 || parsed.digits_ < 0)
            parsed.shift_ = parsed.digits_ = -1;
    }
    return parsed;
}

std::string FieldValueLine::TextFor(std::uint32_t fieldValue) const
{
    if (!rule_)
        return meaning_;
    if (!RuleValid())
        return meaning_ + " " + std::to_string(fieldValue);
    return meaning_ + " $" + hexDigits(fieldValue << shift_, digits_);
}

}  // namespace quarry
