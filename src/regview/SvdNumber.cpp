#include "regview/SvdNumber.h"

#include "platform/Text.h"

#include <string>

namespace quarry {

namespace {

std::optional<std::uint64_t> parseDigits(std::string_view digits, unsigned base)
{
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        // Not a digit (-1) turns into a value past every base.
        const auto digit = static_cast<unsigned>(text::hexDigitValue(c));
        if (digit >= base || __builtin_mul_overflow(value, base, &value) || __builtin_add_overflow(value, digit, &value))
            return std::nullopt;
    }
    return value;
}

int scaleShift(char c)
{
    switch (c) {
    case 'k': case 'K': return 10;
    case 'm': case 'M': return 20;
    case 'g': case 'G': return 30;
    case 't': case 'T': return 40;
    default: return -1;
    }
}

std::string_view withoutPlus(std::string_view text)
{
    if (text.starts_with('+'))
        text.remove_prefix(1);
    return text;
}

std::optional<SvdValuePattern> parseBinaryPattern(std::string_view digits)
{
    if (digits.empty() || digits.size() > 64)
        return std::nullopt;
    SvdValuePattern pattern;
    for (const char c : digits) {
        pattern.value <<= 1;
        pattern.dontCare <<= 1;
        if (c == 'x' || c == 'X')
            pattern.dontCare |= 1;
        else if (c == '1')
            pattern.value |= 1;
        else if (c != '0')
            return std::nullopt;
    }
    return pattern;
}

}  // namespace

std::optional<std::uint64_t> parseSvdNumber(std::string_view text)
{
    const std::string trimmed = text::trim(text);
    std::string_view number = withoutPlus(trimmed);
    int shift = 0;
    if (!number.empty() && scaleShift(number.back()) >= 0) {
        shift = scaleShift(number.back());
        number.remove_suffix(1);
    }
    std::optional<std::uint64_t> value;
    if (number.starts_with("0x") || number.starts_with("0X"))
        value = parseDigits(number.substr(2), 16);
    else if (number.starts_with('#'))
        value = parseDigits(number.substr(1), 2);
    else
        value = parseDigits(number, 10);
    if (!value || (shift > 0 && (*value >> (64 - shift)) != 0))
        return std::nullopt;
    return *value << shift;
}

std::optional<SvdValuePattern> parseSvdValuePattern(std::string_view text)
{
    const std::string trimmed = text::trim(text);
    const std::string_view number = withoutPlus(trimmed);
    if (number.starts_with('#'))
        return parseBinaryPattern(number.substr(1));
    if (number.starts_with("0b") || number.starts_with("0B"))
        return parseBinaryPattern(number.substr(2));
    const auto value = parseSvdNumber(number);
    if (!value)
        return std::nullopt;
    return SvdValuePattern{*value, 0};
}

}  // namespace quarry
