#include "regview/FieldAccess.h"

namespace quarry {

namespace {
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kNavy = 0x800000;
constexpr std::uint32_t kGray = 0x808080;
constexpr std::uint32_t kGreen = 0x008000;
}  // namespace

FieldAccess accessOf(char code)
{
    switch (code) {
    case 'B': return FieldAccess::ReadWrite;
    case 'R': return FieldAccess::ReadOnly;
    case 'W': return FieldAccess::WriteOnly;
    default: return FieldAccess::Other;
    }
}

std::string accessText(FieldAccess access)
{
    switch (access) {
    case FieldAccess::ReadWrite: return "Read/Write";
    case FieldAccess::ReadOnly: return "Read Only ";
    case FieldAccess::WriteOnly: return "Write Only";
    case FieldAccess::Other: break;
    }
    return std::string(10, ' ');
}

SelectionColours selectionColours(FieldAccess access)
{
    switch (access) {
    case FieldAccess::ReadWrite: return {kWhite, kNavy};
    case FieldAccess::ReadOnly: return {kWhite, kGray};
    case FieldAccess::WriteOnly: return {kWhite, kGreen};
    case FieldAccess::Other: break;
    }
    return {kNavy, kWhite};
}

}  // namespace quarry
