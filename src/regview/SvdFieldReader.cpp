#include "regview/SvdFieldReader.h"

#include "platform/Text.h"
#include "regview/SvdDocument.h"
#include "regview/SvdNumber.h"
#include "regview/SvdText.h"

#include <optional>
#include <utility>

namespace quarry {

namespace {

// Bit positions past this lie outside any register, and keep the arithmetic small.
constexpr std::uint64_t kMaxBit = 1023;
// Don't-care bits in an enumerated value make 2^n values; more than this many are not listed.
constexpr int kMaxDontCareBits = 4;

struct Position {
    int lsb = 0;
    int msb = 0;
};

std::optional<Position> bitRange(SvdResolution& r, pugi::xml_node element)
{
    const std::string text = text::trim(SvdResolution::TextOf(element));
    const auto colon = text.find(':');
    if (text.size() < 5 || text.front() != '[' || text.back() != ']' || colon == std::string::npos) {
        r.Warn(element, "bitRange \"" + text::cut(text, 40) + "\" is not [msb:lsb]");
        return std::nullopt;
    }
    const auto msb = parseSvdNumber(std::string_view(text).substr(1, colon - 1));
    const auto lsb = parseSvdNumber(std::string_view(text).substr(colon + 1, text.size() - colon - 2));
    if (!msb || !lsb || *msb > kMaxBit || *lsb > kMaxBit) {
        r.Warn(element, "bitRange \"" + text::cut(text, 40) + "\" is not [msb:lsb]");
        return std::nullopt;
    }
    return Position{static_cast<int>(*lsb), static_cast<int>(*msb)};
}

// From the first element of the chain that places the field.
std::optional<Position> position(SvdResolution& r, const SvdChain& chain)
{
    const auto bit = [&r](pugi::xml_node element) { return std::min(r.Number(element).value_or(0), kMaxBit + 1); };
    for (const auto node : chain) {
        if (const auto range = node.child("bitRange"))
            return bitRange(r, range);
        if (node.child("lsb") || node.child("msb")) {
            if (!node.child("lsb") || !node.child("msb"))
                break;
            return Position{static_cast<int>(bit(node.child("lsb"))), static_cast<int>(bit(node.child("msb")))};
        }
        if (const auto offset = node.child("bitOffset")) {
            const auto width = node.child("bitWidth") ? std::max<std::uint64_t>(bit(node.child("bitWidth")), 1) : 1;
            return Position{static_cast<int>(bit(offset)), static_cast<int>(bit(offset) + width - 1)};
        }
    }
    r.Warn(chain.front(), SvdResolution::Describe(chain.front()) +
                              " has no bit position (bitOffset and bitWidth, lsb and msb, or bitRange); left out");
    return std::nullopt;
}

// Writing is what a register file composes, so write values come first.
int usageRank(std::string_view usage)
{
    return usage == "write" ? 0 : usage == "read-write" ? 1 : usage == "read" ? 2 : 3;
}

void addValues(SvdResolution& r, pugi::xml_node element, int width, std::vector<SvdEnumValue>& values)
{
    SvdEnumValue value;
    value.name = svdtext::fold(SvdResolution::TextOf(element.child("name")));
    value.description = svdtext::fold(SvdResolution::TextOf(element.child("description")));
    const auto isDefault = SvdResolution::TextOf(element.child("isDefault"));
    if (isDefault == "true" || isDefault == "1") {
        value.isDefault = true;
        values.push_back(std::move(value));
        return;
    }
    const std::string said = "enumerated value " + text::cut(value.name, 60);
    const auto valueText = SvdResolution::TextOf(element.child("value"));
    const auto pattern = parseSvdValuePattern(valueText);
    if (!pattern) {
        r.Warn(element, said + ": value \"" + text::cut(valueText, 40) + "\" is not a number; left out");
        return;
    }
    const std::uint64_t widthMask = width >= 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << width) - 1;
    if (((pattern->value | pattern->dontCare) & ~widthMask) != 0) {
        r.Warn(element, said + ": value \"" + text::cut(valueText, 40) + "\" does not fit the " +
                            std::to_string(width) + "-bit field; left out");
        return;
    }
    if (__builtin_popcountll(pattern->dontCare) > kMaxDontCareBits) {
        r.Warn(element, said + ": \"" + text::cut(valueText, 40) + "\" stands for more than " +
                            std::to_string(1 << kMaxDontCareBits) + " values; left out");
        return;
    }
    // Every value the don't-care bits allow, counting through their subsets.
    for (std::uint64_t free = pattern->dontCare;; free = (free - 1) & pattern->dontCare) {
        value.value = pattern->value | free;
        values.push_back(value);
        if (free == 0)
            break;
    }
}

std::vector<SvdEnumValue> enumeration(SvdResolution& r, const SvdChain& fieldChain, int width, std::string& usage)
{
    const auto holder = SvdResolution::Own(fieldChain, "enumeratedValues");
    if (!holder)
        return {};
    SvdChain chosen;
    int chosenRank = 99;
    for (const auto set : holder.parent().children("enumeratedValues")) {
        auto chain = r.ChainOf(set);
        const auto usageText = SvdResolution::TextOf(SvdResolution::Own(chain, "usage"));
        const std::string_view setUsage = usageText.empty() ? "read-write" : usageText;
        if (usageRank(setUsage) == 3)
            r.Warn(set, "usage \"" + text::cut(setUsage, 40) + "\" is not read, write or read-write; read-write taken");
        const int rank = usageRank(setUsage) == 3 ? 1 : usageRank(setUsage);
        if (rank < chosenRank) {
            chosenRank = rank;
            chosen = std::move(chain);
            usage = usageRank(setUsage) == 3 ? "read-write" : std::string(setUsage);
        }
    }
    std::vector<SvdEnumValue> values;
    for (const auto node : chosen) {
        if (!node.child("enumeratedValue"))
            continue;
        for (const auto element : node.children("enumeratedValue"))
            addValues(r, element, width, values);
        break;
    }
    return values;
}

void addFieldElements(SvdResolution& r, pugi::xml_node node, const SvdResolver::Properties& properties,
                      std::vector<SvdField>& fields)
{
    const auto chain = r.ChainOf(node);
    const auto place = position(r, chain);
    if (!place)
        return;
    SvdField field;
    field.access = r.Access(SvdResolution::Own(chain, "access"), properties.access);
    field.line = r.Document().LineOf(node);
    const int width = place->msb - place->lsb + 1;
    if (width > 0)
        field.values = enumeration(r, chain, width, field.usage);
    std::uint64_t increment = 0;
    const auto elements = r.Elements(chain, increment);
    const auto name = r.NamePattern(chain, elements.size());
    for (const auto& element : elements) {
        const auto shift = static_cast<int>(std::min(element.number * std::min(increment, kMaxBit + 1), kMaxBit + 1));
        field.name = svdtext::withIndex(name, element.index);
        field.description = r.Description(chain, element.index);
        field.lsb = place->lsb + shift;
        field.msb = place->msb + shift;
        fields.push_back(field);
    }
}

std::string bitsOf(const SvdField& field)
{
    return "bits " + std::to_string(field.msb) + ":" + std::to_string(field.lsb);
}

// Fields outside the register or upside down are left out; overlapping ones are kept and named.
void checkPlaces(SvdResolution& r, pugi::xml_node registerNode, std::uint64_t size, std::vector<SvdField>& fields)
{
    const std::string where = " of " + SvdResolution::Describe(registerNode);
    std::vector<int> owner(static_cast<std::size_t>(std::min<std::uint64_t>(size, kMaxBit + 1)), -1);
    std::vector<SvdField> kept;
    for (auto& field : fields) {
        const std::string said = "field " + text::cut(field.name, 60) + " (" + bitsOf(field) + ")" + where;
        if (field.msb < field.lsb) {
            r.WarnAt(field.line, said + ": msb is below lsb; left out");
            continue;
        }
        if (static_cast<std::uint64_t>(field.msb) >= size) {
            r.WarnAt(field.line, said + " lies outside the " + std::to_string(size) + "-bit register; left out");
            continue;
        }
        int overlapped = -1;
        for (int bit = field.lsb; bit <= field.msb; ++bit) {
            auto& at = owner[static_cast<std::size_t>(bit)];
            if (at >= 0 && overlapped < 0)
                overlapped = at;
            at = static_cast<int>(kept.size());
        }
        if (overlapped >= 0)
            r.WarnAt(field.line, said + " overlaps field " + text::cut(kept[static_cast<std::size_t>(overlapped)].name, 60));
        kept.push_back(std::move(field));
    }
    fields = std::move(kept);
}

}  // namespace

std::vector<SvdField> readSvdFields(SvdResolution& resolution, const SvdChain& registerChain,
                                    const SvdResolver::Properties& properties)
{
    std::vector<SvdField> fields;
    for (const auto node : SvdResolution::Members(registerChain, "fields", {"field"}))
        addFieldElements(resolution, node, properties, fields);
    checkPlaces(resolution, registerChain.front(), properties.size, fields);
    return fields;
}

}  // namespace quarry
