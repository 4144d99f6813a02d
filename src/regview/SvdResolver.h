#pragma once
#include "regview/SvdModel.h"

#include <pugixml.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace quarry {

class SvdDocument;

// Resolves a loaded device description: the device's defaults (size, access, reset value and
// mask) inherited down to peripherals, clusters, registers and fields; derivedFrom on each of
// them and on enumerated values; dim arrays and lists; clusters flattened into their offsets and
// names; field positions from bitOffset and bitWidth, lsb and msb, or bitRange; the enumerated
// values a user writes (usage "write", else "read-write", else "read"). Whatever cannot be
// resolved is left out with a warning and the rest stays usable.
class SvdResolver final {
public:
    // More registers than this in one peripheral are left out: nobody picks from such a list.
    static constexpr std::size_t kMaxRegisters = 65536;
    // Warnings beyond this many per peripheral are summed up in one.
    static constexpr std::size_t kMaxWarnings = 500;

    explicit SvdResolver(const SvdDocument& document);

    std::string DeviceName() const;
    // The peripherals, arrays of them expanded.
    const std::vector<SvdPeripheralEntry>& Peripherals() const { return entries_; }
    // What the device level and the list of peripherals gave cause to say.
    const std::vector<SvdWarning>& DeviceWarnings() const { return deviceWarnings_; }
    SvdPeripheral Resolve(std::size_t index) const;

    // What an element inherits when nothing above it says otherwise.
    struct Properties {
        std::uint64_t size = 32;
        SvdAccess access = SvdAccess::ReadWrite;
        std::uint64_t resetValue = 0;
        std::uint64_t resetMask = ~std::uint64_t(0);
    };

private:
    struct Instance {
        pugi::xml_node node;
        std::string index;  // the array index that replaces "%s"; empty for a single peripheral
    };
    void ListPeripherals();

    const SvdDocument& document_;
    Properties deviceProperties_;
    std::vector<SvdPeripheralEntry> entries_;
    std::vector<Instance> instances_;
    std::vector<SvdWarning> deviceWarnings_;
};

}  // namespace quarry
