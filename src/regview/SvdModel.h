#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace quarry {

// A device description (CMSIS-SVD) resolved down to what a register file can say: every
// inherited default, derived element, array and cluster already applied.

// Something in the description that was read in a way of its own or left out, and why.
struct SvdWarning {
    int line = 0;  // 1-based line of the element in the description, 0 when unknown
    std::string text;
    bool operator==(const SvdWarning&) const = default;
};

enum class SvdAccess { ReadWrite, ReadOnly, WriteOnly, WriteOnce, ReadWriteOnce };

struct SvdEnumValue {
    std::string name;
    std::string description;
    std::uint64_t value = 0;
    bool isDefault = false;  // stands for every value the others do not name
    bool operator==(const SvdEnumValue&) const = default;
};

struct SvdField {
    std::string name;
    std::string description;
    int lsb = 0;
    int msb = 0;
    SvdAccess access = SvdAccess::ReadWrite;
    std::string usage;  // of the enumerated values chosen: "read", "write" or "read-write"
    std::vector<SvdEnumValue> values;
    int line = 0;
    bool operator==(const SvdField&) const = default;
};

struct SvdRegister {
    std::string name;  // with cluster names, array indices and the peripheral's prefix and suffix
    std::string description;
    std::uint64_t address = 0;  // absolute: base address, cluster offsets and its own offset
    int size = 32;
    SvdAccess access = SvdAccess::ReadWrite;
    std::uint64_t resetValue = 0;
    std::uint64_t resetMask = 0;
    std::vector<SvdField> fields;  // as the description lists them
    int line = 0;
    bool operator==(const SvdRegister&) const = default;
};

struct SvdPeripheral {
    std::string name;
    std::string description;
    std::uint64_t baseAddress = 0;
    std::vector<SvdRegister> registers;  // in address order
    std::vector<SvdWarning> warnings;
};

// A peripheral as the choice of what to import lists it.
struct SvdPeripheralEntry {
    std::string name;
    std::string description;
    std::uint64_t baseAddress = 0;
    std::string fileName;  // the register file it becomes: its name (made safe and unique) + ".reg"
    int line = 0;
};

}  // namespace quarry
