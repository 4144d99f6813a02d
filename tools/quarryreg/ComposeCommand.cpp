// quarryreg compose FILE REGISTER FIELD=VALUE...: sets the fields as the register window's keys
// would and prints the code text that Enter writes (without the leading blanks).
#include "RegCommand.h"

#include "platform/Text.h"
#include "regview/RegisterCode.h"
#include "regview/RegisterColumns.h"
#include "regview/RegisterTexts.h"
#include "regview/RegisterValue.h"

#include <cstdio>

namespace quarry::reg {

namespace {

int findRegister(const RegisterDescription& description, const std::string& wanted)
{
    const auto address = wanted.size() == 8 ? parseHex(wanted) : std::nullopt;
    const auto& registers = description.registers;
    for (std::size_t i = 0; address && i < registers.size(); ++i)
        if (registers[i].addressValid && registers[i].address == *address)
            return static_cast<int>(i);
    for (std::size_t i = 0; i < registers.size(); ++i)
        if (text::equalsIgnoreCase(registers[i].Name(), wanted))
            return static_cast<int>(i);
    return -1;
}

// A bit number as the window writes it, one or two decimal digits.
int bitNumber(const std::string& digits)
{
    if (digits.empty() || digits.size() > 2 || digits.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::stoi(digits);
}

int findField(const RegisterDefinition& reg, const std::string& bits)
{
    const auto dash = bits.find('-');
    const int high = bitNumber(bits.substr(0, dash));
    const int low = dash == std::string::npos ? high : bitNumber(bits.substr(dash + 1));
    for (std::size_t i = 0; i < reg.fields.size(); ++i)
        if (high >= 0 && reg.fields[i].high == high && reg.fields[i].low == low)
            return static_cast<int>(i);
    std::string known;
    for (const auto& field : reg.fields)
        known += " " + bitsText(field);
    throw Refused("register " + reg.Name() + " has no field " + bits + "; its fields are" + known);
}

std::uint32_t parseValue(const std::string& text)
{
    std::string digits = text;
    if (digits.starts_with("0x") || digits.starts_with("0X"))
        digits.erase(0, 2);
    const auto value = parseHex(digits);
    if (!value)
        throw Refused("value '" + text + "' is not hexadecimal");
    return *value;
}

void assign(RegisterValue& value, const std::string& assignment)
{
    const auto equals = assignment.find('=');
    if (equals == std::string::npos)
        throw UsageError("'" + assignment + "' is not FIELD=VALUE");
    const auto& reg = value.Register();
    const int index = findField(reg, assignment.substr(0, equals));
    const auto& field = reg.fields[static_cast<std::size_t>(index)];
    const std::uint32_t wanted = parseValue(assignment.substr(equals + 1));
    if ((wanted & ~field.WidthMask()) != 0)
        throw Refused("value " + assignment.substr(equals + 1) + " does not fit field " + bitsText(field) + " (" +
                      std::to_string(field.Width()) + " bits)");
    if (!value.SetFieldValue(index, wanted))
        throw Refused("field " + bitsText(field) + " of " + reg.Name() + " is read only");
}

}  // namespace

int composeCommand(const std::vector<std::string>& args)
{
    if (args.size() < 2)
        throw UsageError("compose takes a register file, a register and FIELD=VALUE settings");
    const auto description = loadDescription(args[0]);
    const int index = findRegister(description, args[1]);
    if (index < 0)
        throw Refused("no register " + args[1] + " in " + args[0]);
    printWarnings(args[0], description, index);
    const auto& reg = description.registers[static_cast<std::size_t>(index)];
    RegisterValue value(reg);
    for (std::size_t i = 2; i < args.size(); ++i)
        assign(value, args[i]);
    std::printf("%s\n", registerCodeText(reg, value.Value()).c_str());
    return 0;
}

}  // namespace quarry::reg
