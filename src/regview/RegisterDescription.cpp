#include "regview/RegisterDescription.h"

#include "platform/Text.h"
#include "regview/RegisterColumns.h"

#include <algorithm>

namespace quarry {

namespace {

constexpr std::string_view kBitDigits = "0123456789ABCDEFGHIJKLMNOPQRSTUV";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

int bitNumber(char c)
{
    const auto at = kBitDigits.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

bool allBlank(std::string_view line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return isBlank(c); });
}

// Walks the lines of a file: CR LF, LF and CR each end one.
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : bytes_(bytes)
    {
        if (bytes_.starts_with(kUtf8Mark))
            bytes_.remove_prefix(kUtf8Mark.size());
    }

    bool Next(std::string_view& line)
    {
        if (at_ >= bytes_.size())
            return false;
        std::size_t end = at_;
        while (end < bytes_.size() && bytes_[end] != '\r' && bytes_[end] != '\n')
            ++end;
        line = bytes_.substr(at_, end - at_);
        at_ = end;
        if (at_ < bytes_.size() && bytes_[at_] == '\r')
            ++at_;
        if (at_ < bytes_.size() && bytes_[at_] == '\n' && (at_ == end || bytes_[at_ - 1] == '\r'))
            ++at_;
        ++number_;
        return true;
    }
    int Number() const { return number_; }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
    int number_ = 0;
};

class Reader {
public:
    explicit Reader(RegisterDescription& out) : out_(out) {}

    void Line(std::string_view line, int number)
    {
        number_ = number;
        const bool cut = line.size() > RegisterDescription::kLineLength;
        line = line.substr(0, RegisterDescription::kLineLength);
        if (allBlank(line))
            return;
        if (!isBlank(column(line, 1)))
            RegisterLine(line);
        else if (!isBlank(column(line, 2)))
            FieldLine(line);
        else
            ValueLine(line);
        if (cut)
            Warn("longer than 255 characters; the rest is left out");
    }

    void Finish()
    {
        for (auto& reg : out_.registers)
            if (reg.fields.empty())
                reg.fields.push_back(BitField::Unspecified(reg.Bits()));
    }

private:
    void Warn(std::string text)
    {
        const int index = static_cast<int>(out_.registers.size()) - 1;
        out_.warnings.push_back({number_, index, std::move(text)});
    }

    void RegisterLine(std::string_view line)
    {
        RegisterDefinition reg;
        reg.line = text::cut(line, RegisterDefinition::kLineLength);
        reg.lineNumber = number_;
        switch (line[0]) {
        case 'B': reg.size = RegisterSize::Byte; break;
        case 'W': reg.size = RegisterSize::Word; break;
        case 'L': reg.size = RegisterSize::Long; break;
        default: reg.size = RegisterSize::CommentOnly; break;
        }
        reg.relocatable = isBlank(column(line, 2)) && line[0] != 'X';
        const auto address = columns(line, 3, 8);
        const auto value = address.size() == 8 ? parseHex(address) : std::nullopt;
        reg.addressValid = value.has_value();
        reg.address = value.value_or(0);
        out_.registers.push_back(std::move(reg));
        field_ = nullptr;
        skippingValues_ = false;
        if (std::string_view("BWLX").find(line[0]) == std::string_view::npos)
            Warn(std::string("size code \"") + line[0] + "\" is not B, W, L or X; read as X (comment only)");
        if (!value)
            Warn("the address in columns 3 to 10 is not 8 hexadecimal digits");
    }

    void FieldLine(std::string_view line)
    {
        field_ = nullptr;
        skippingValues_ = true;
        if (out_.registers.empty())
            return Warn("bit-field line before the first register line; left out");
        auto& reg = out_.registers.back();
        const int high = bitNumber(column(line, 3));
        const int lowDigit = bitNumber(column(line, 4));
        const int low = lowDigit < 0 ? high : lowDigit;
        if (high < 0)
            return Warn("column 3 is not a bit number (0 to 9, A to V); field left out");
        if (high >= reg.Bits())
            return Warn("bit " + std::to_string(high) + " is outside the " + std::to_string(reg.Bits()) +
                        "-bit register; field left out");
        if (high < low)
            return Warn("highest bit " + std::to_string(high) + " is below lowest bit " + std::to_string(low) +
                        "; field left out");
        if (reg.fields.size() >= RegisterDefinition::kMaxFields)
            return Warn("more than 32 bit fields; field left out");
        BitField field;
        field.high = high;
        field.low = low;
        field.access = line[1];
        field.line = text::cut(line, BitField::kLineLength);
        reg.fields.push_back(std::move(field));
        field_ = &reg.fields.back();
        skippingValues_ = false;
    }

    void ValueLine(std::string_view line)
    {
        if (skippingValues_)
            return;  // belongs to a field left out, which said so already
        if (!field_)
            return Warn("value line without a bit-field line above it; left out");
        auto value = FieldValueLine::Parse(line);
        if (!value.IsRule() && (value.Value() & ~field_->WidthMask()) != 0)
            Warn("value " + hexDigits(value.Value(), 8) + " does not fit the " + std::to_string(field_->Width()) +
                 "-bit field; no field value can show it");
        field_->values.push_back(std::move(value));
    }

    RegisterDescription& out_;
    BitField* field_ = nullptr;
    bool skippingValues_ = false;
    int number_ = 0;
};

}  // namespace

RegisterDescription RegisterDescription::Parse(std::string_view bytes)
{
    RegisterDescription description;
    LineReader lines(bytes);
    std::string_view line;
    if (!lines.Next(line))
        return description;
    description.title = text::cut(line, kTitleLength);
    Reader reader(description);
    while (lines.Next(line))
        reader.Line(line, lines.Number());
    reader.Finish();
    return description;
}

std::string RegisterDescription::ReadTitle(std::string_view bytes)
{
    LineReader lines(bytes);
    std::string_view line;
    return lines.Next(line) ? text::cut(line, kTitleLength) : std::string();
}

void RegisterDescription::Relocate(std::uint32_t mask, std::uint32_t offset)
{
    for (auto& reg : registers)
        reg.Relocate(mask, offset);
}

}  // namespace quarry
