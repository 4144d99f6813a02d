#include "regview/RegisterFileWriter.h"

#include "platform/Text.h"
#include "regview/BitField.h"
#include "regview/RegisterColumns.h"
#include "regview/RegisterDefinition.h"
#include "regview/RegisterDescription.h"
#include "regview/SvdText.h"

#include <algorithm>

namespace quarry {

namespace {

constexpr std::string_view kBitDigits = "0123456789ABCDEFGHIJKLMNOPQRSTUV";

char sizeCode(int size) { return size == 8 ? 'B' : size == 16 ? 'W' : size == 32 ? 'L' : 'X'; }

char accessCode(SvdAccess access)
{
    switch (access) {
    case SvdAccess::ReadOnly: return 'R';
    case SvdAccess::WriteOnly:
    case SvdAccess::WriteOnce: return 'W';
    case SvdAccess::ReadWrite:
    case SvdAccess::ReadWriteOnce: return 'B';
    }
    return 'B';
}

std::string joined(const std::string& first, const std::string& separator, const std::string& second)
{
    if (first.empty())
        return second;
    return second.empty() ? first : first + separator + second;
}

std::string line(const std::string& text, std::size_t limit) { return svdtext::cutUtf8(text, limit) + "\n"; }

std::string valueLines(const SvdField& field)
{
    std::string lines;
    std::string otherwise;
    for (const auto& value : field.values) {
        const std::string meaning = joined(value.name, ": ", value.description);
        if (value.isDefault) {
            // A display rule: no shift, the field's hexadecimal digits after the meaning.
            const int digits = std::min(8, (field.msb - field.lsb + 4) / 4);
            otherwise = line("  #00" + std::to_string(digits) + " " + meaning, RegisterDescription::kLineLength);
            continue;
        }
        const auto number = static_cast<std::uint32_t>(value.value);
        lines += line("  " + hexDigits(number, number <= 0xFFFF ? 4 : 8) + " " + meaning,
                      RegisterDescription::kLineLength);
    }
    return lines + otherwise;
}

std::string fieldLine(const SvdField& field)
{
    std::string head = " ";
    head += accessCode(field.access);
    head += kBitDigits[static_cast<std::size_t>(field.msb)];
    head += field.msb == field.lsb ? ' ' : kBitDigits[static_cast<std::size_t>(field.lsb)];
    return line(head + joined(field.name, " ", field.description), BitField::kLineLength);
}

// The fields a register line can carry, highest first.
std::vector<const SvdField*> writableFields(const SvdRegister& reg, std::vector<SvdWarning>& warnings)
{
    std::vector<const SvdField*> fields;
    for (const auto& field : reg.fields) {
        if (field.msb < static_cast<int>(kBitDigits.size()))
            fields.push_back(&field);
        else
            warnings.push_back({field.line, "field " + text::cut(field.name, 60) + " of register " +
                                                text::cut(reg.name, 60) + " lies beyond bit 31, which a register file cannot hold; left out"});
    }
    std::stable_sort(fields.begin(), fields.end(), [](const SvdField* a, const SvdField* b) { return a->msb > b->msb; });
    if (fields.size() > RegisterDefinition::kMaxFields) {
        warnings.push_back({reg.line, "register " + text::cut(reg.name, 60) + " has " + std::to_string(fields.size()) +
                                          " fields; those past the 32 a register holds are left out"});
        fields.resize(RegisterDefinition::kMaxFields);
    }
    return fields;
}

std::string registerLines(const SvdRegister& reg, std::vector<SvdWarning>& warnings)
{
    if (reg.address > 0xFFFFFFFFu) {
        warnings.push_back({reg.line, "register " + text::cut(reg.name, 60) + ": the address 0x" +
                                          hexDigits(static_cast<std::uint32_t>(reg.address >> 32), 8) +
                                          hexDigits(static_cast<std::uint32_t>(reg.address), 8) +
                                          " is past 32 bits; left out"});
        return {};
    }
    std::string head(1, sizeCode(reg.size));
    head += '*';
    std::string lines = line(head + hexDigits(static_cast<std::uint32_t>(reg.address), 8) + " " +
                                 joined(reg.name, " ", reg.description),
                             RegisterDefinition::kLineLength);
    for (const auto* field : writableFields(reg, warnings))
        lines += fieldLine(*field) + valueLines(*field);
    return lines;
}

}  // namespace

RegisterFileText writeRegisterFile(const std::string& deviceName, const SvdPeripheral& peripheral)
{
    RegisterFileText file;
    const std::string title = joined(joined(deviceName, " ", peripheral.name), ": ", peripheral.description);
    file.text = line(title, RegisterDescription::kTitleLength);
    for (const auto& reg : peripheral.registers) {
        const auto lines = registerLines(reg, file.warnings);
        file.registers += lines.empty() ? 0 : 1;
        file.text += lines;
    }
    return file;
}

}  // namespace quarry
