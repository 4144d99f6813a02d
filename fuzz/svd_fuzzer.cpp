// libFuzzer target for the device description importer: any bytes either are refused as no
// description or give register files that the register viewer reads without a warning.
// Not part of the CMake build; fuzz/build.sh builds it with clang.
#include "regview/RegisterDescription.h"
#include "regview/SvdImport.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    quarry::SvdImport import;
    if (!import.Open(std::string(reinterpret_cast<const char*>(data), size)))
        return 0;
    for (std::size_t i = 0; i < import.Peripherals().size(); ++i) {
        const auto file = import.Convert(i);
        if (!quarry::RegisterDescription::Parse(file.text).warnings.empty())
            std::abort();
    }
    return 0;
}
