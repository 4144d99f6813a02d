#include "regview/RegisterTexts.h"

#include "regview/RegisterColumns.h"

#include <algorithm>
#include <cstdio>

namespace quarry {

namespace {

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

std::string binary(std::uint32_t value, int bits)
{
    std::string out;
    for (int bit = bits - 1; bit >= 0; --bit)
        out += (value >> bit & 1) ? '1' : '0';
    return out;
}

// Tabs separate the row's columns; one inside a text from the file would shift the rest.
std::string withoutTabs(std::string text)
{
    std::replace(text.begin(), text.end(), '\t', ' ');
    return text;
}

}  // namespace

std::string bitsText(const BitField& field)
{
    return field.Width() == 1 ? twoDigits(field.high) : twoDigits(field.high) + "-" + twoDigits(field.low);
}

std::string fieldValueText(const BitField& field, std::uint32_t value)
{
    std::string text;
    if (field.Width() <= 7) {
        text = "%" + binary(value, field.Width());
    } else {
        text = hexDigits(value, (field.Width() + 3) / 4);
        if (text.size() < 8)
            text = "$" + text;
    }
    text.resize(8, ' ');
    return text;
}

std::string rowText(const BitField& field, std::uint32_t value)
{
    return bitsText(field) + "\t" + withoutTabs(field.Description()) + "\t" + fieldValueText(field, value) + "\t" +
           withoutTabs(field.Meaning(value));
}

std::string registerValueText(std::uint32_t value, int bits)
{
    const std::uint32_t top = 1u << (bits - 1);
    const int decimalDigits = bits == 8 ? 3 : bits == 16 ? 5 : 10;
    char decimal[16];
    std::snprintf(decimal, sizeof decimal, "%0*u", decimalDigits, static_cast<unsigned>(value & (top - 1)));
    return binary(value, bits) + "  $" + hexDigits(value, bits / 4) + "  " + ((value & top) ? "-" : " ") + decimal +
           "T";
}

}  // namespace quarry
