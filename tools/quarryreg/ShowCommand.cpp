// quarryreg show FILE: the file as the register viewer reads it, one register after another
// with its fields and value lines; lines left out are named on standard error.
#include "RegCommand.h"

#include "regview/FieldAccess.h"
#include "regview/RegisterTexts.h"

#include <cstdio>
#include <string>

namespace quarry::reg {

namespace {

std::string registerFacts(const RegisterDefinition& reg)
{
    std::string facts = std::to_string(reg.Bits()) + " bits";
    if (reg.size == RegisterSize::CommentOnly)
        facts += ", comment only";
    else if (reg.relocatable)
        facts += ", relocatable";
    if (!reg.addressValid)
        facts += ", address not valid";
    return facts;
}

std::string valueLineText(const BitField& field, const FieldValueLine& line)
{
    std::string text;
    if (!line.IsRule())
        text = fieldValueText(field, line.Value()) + "  " + line.Meaning();
    else if (line.RuleValid())
        text = "rule      " + line.Meaning() + " $ (value shifted left " + std::to_string(line.Shift()) + ", last " +
               std::to_string(line.Digits()) + " digits)";
    else
        text = "rule      " + line.Meaning() + " (value in decimal)";
    return line.MarkedUnselectable() ? text + "  [not selectable]" : text;
}

}  // namespace

int showCommand(const std::vector<std::string>& args)
{
    if (args.size() != 1)
        throw UsageError("show takes one register file");
    const auto description = loadDescription(args[0]);
    std::printf("%s\n", description.title.c_str());
    for (const auto& reg : description.registers) {
        std::printf("\n%c %s  [%s]\n", reg.line[0], reg.Text().c_str(), registerFacts(reg).c_str());
        for (const auto& field : reg.fields) {
            std::printf("  %-6s %s  %s\n", bitsText(field).c_str(), accessText(accessOf(field.access)).c_str(),
                        field.Description().c_str());
            for (const auto& line : field.values)
                std::printf("         %s\n", valueLineText(field, line).c_str());
        }
    }
    printWarnings(args[0], description);
    return 0;
}

}  // namespace quarry::reg
