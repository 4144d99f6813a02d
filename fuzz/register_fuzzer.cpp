// libFuzzer target for the register description reader: any bytes must read into registers
// whose fields stay inside the register and the 32-entry table, and everything the register
// window and the code line make of them must come out without a fault.
// Not part of the CMake build; fuzz/build.sh builds it with clang.
#include "regview/RegisterCode.h"
#include "regview/RegisterDescription.h"
#include "regview/RegisterTexts.h"
#include "regview/RegisterValue.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto description = quarry::RegisterDescription::Parse(bytes);
    for (const auto& reg : description.registers) {
        if (reg.fields.empty() || reg.fields.size() > quarry::RegisterDefinition::kMaxFields)
            std::abort();
        quarry::RegisterValue value(reg);
        for (int i = 0; i < value.FieldCount(); ++i) {
            const auto& field = value.Field(i);
            if (field.low < 0 || field.low > field.high || field.high >= reg.Bits())
                std::abort();
            value.StepField(i, -1);
            value.ShiftInDigit(i, 9);
            (void)quarry::rowText(field, value.FieldValue(i));
        }
        (void)quarry::registerValueText(value.Value(), reg.Bits());
        (void)quarry::registerCodeText(reg, value.Value());
    }
    return 0;
}
