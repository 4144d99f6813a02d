#include "regview/SvdResolver.h"

#include "platform/Text.h"
#include "regview/SvdDocument.h"
#include "regview/SvdFieldReader.h"
#include "regview/SvdResolution.h"
#include "regview/SvdText.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

namespace quarry {

namespace {

// An address plus an offset and an array step; nullopt past 64 bits (the writer checks the 32
// a register file takes).
std::optional<std::uint64_t> addOffset(std::optional<std::uint64_t> address, std::uint64_t offset,
                                       std::uint64_t number, std::uint64_t increment)
{
    std::uint64_t step = 0;
    std::uint64_t sum = 0;
    if (!address || __builtin_mul_overflow(number, increment, &step) || __builtin_add_overflow(*address, offset, &sum) ||
        __builtin_add_overflow(sum, step, &sum))
        return std::nullopt;
    return sum;
}

// The registers of one peripheral, clusters flattened into their offsets and names.
class PeripheralWalk final {
public:
    PeripheralWalk(SvdResolution& resolution, SvdPeripheral& out, std::string prefix, std::string suffix)
        : r_(resolution), out_(out), prefix_(std::move(prefix)), suffix_(std::move(suffix))
    {
    }

    void Members(const std::vector<pugi::xml_node>& members, std::optional<std::uint64_t> address,
                 const std::string& namePrefix, const SvdResolver::Properties& properties)
    {
        for (const auto member : members) {
            if (full_)
                return;
            if (std::string_view(member.name()) == "cluster")
                Cluster(member, address, namePrefix, properties);
            else
                Register(member, address, namePrefix, properties);
        }
    }

private:
    void Cluster(pugi::xml_node node, std::optional<std::uint64_t> address, const std::string& namePrefix,
                 const SvdResolver::Properties& inherited)
    {
        const auto chain = r_.ChainOf(node);
        const auto properties = r_.Inherit(inherited, chain);
        const auto offset = Offset(chain);
        std::uint64_t increment = 0;
        const auto elements = r_.Elements(chain, increment);
        const auto name = r_.NamePattern(chain, elements.size());
        const auto members = SvdResolution::Members(chain, "", {"register", "cluster"});
        for (const auto& element : elements)
            Members(members, addOffset(address, offset, element.number, increment),
                    namePrefix + svdtext::withIndex(name, element.index) + ".", properties);
    }

    void Register(pugi::xml_node node, std::optional<std::uint64_t> address, const std::string& namePrefix,
                  const SvdResolver::Properties& inherited)
    {
        const auto chain = r_.ChainOf(node);
        const auto properties = r_.Inherit(inherited, chain);
        const auto offset = Offset(chain);
        std::uint64_t increment = 0;
        const auto elements = r_.Elements(chain, increment);
        const auto name = r_.NamePattern(chain, elements.size());
        const auto fields = readSvdFields(r_, chain, properties);
        for (const auto& element : elements) {
            if (out_.registers.size() == SvdResolver::kMaxRegisters) {
                r_.Warn(node, "more than " + std::to_string(SvdResolver::kMaxRegisters) +
                                  " registers; the rest are left out");
                full_ = true;
                return;
            }
            SvdRegister reg;
            reg.name = prefix_ + namePrefix + svdtext::withIndex(name, element.index) + suffix_;
            const auto at = addOffset(address, offset, element.number, increment);
            if (!at) {
                r_.Warn(node, "register " + text::cut(reg.name, 60) + ": the address is past 64 bits; left out");
                continue;
            }
            reg.description = r_.Description(chain, element.index);
            reg.address = *at;
            reg.size = static_cast<int>(std::min<std::uint64_t>(properties.size, 1024));
            reg.access = properties.access;
            reg.resetValue = properties.resetValue;
            reg.resetMask = properties.resetMask;
            reg.fields = fields;
            reg.line = r_.Document().LineOf(node);
            out_.registers.push_back(std::move(reg));
        }
    }

    std::uint64_t Offset(const SvdChain& chain)
    {
        const auto element = SvdResolution::Own(chain, "addressOffset");
        if (!element)
            r_.Warn(chain.front(), SvdResolution::Describe(chain.front()) + " has no addressOffset; 0 is taken");
        return r_.Number(element).value_or(0);
    }

    SvdResolution& r_;
    SvdPeripheral& out_;
    std::string prefix_;
    std::string suffix_;
    bool full_ = false;
};

// File names compare without letter case, as on the systems that ignore it.
std::string uniqueFileName(const std::string& stem, std::unordered_set<std::string>& taken)
{
    std::string name = stem + ".reg";
    for (int n = 2; !taken.insert(text::ansiUpperCase(name)).second; ++n)
        name = stem + "_" + std::to_string(n) + ".reg";
    return name;
}

}  // namespace

SvdResolver::SvdResolver(const SvdDocument& document) : document_(document) { ListPeripherals(); }

std::string SvdResolver::DeviceName() const { return svdtext::fold(SvdDocument::NameOf(document_.Device())); }

void SvdResolver::ListPeripherals()
{
    deviceWarnings_ = document_.LoadWarnings();
    SvdResolution r(document_, deviceWarnings_);
    deviceProperties_ = r.Inherit(deviceProperties_, r.ChainOf(document_.Device()));
    // Each peripheral's own resolution reports its derivation; listing them says it once.
    std::vector<SvdWarning> saidAgainLater;
    SvdResolution quiet(document_, saidAgainLater);
    std::unordered_set<std::string> fileNames;
    for (const auto node : document_.Device().child("peripherals").children("peripheral")) {
        if (!document_.Complete(node))
            break;
        const auto chain = quiet.ChainOf(node);
        std::uint64_t increment = 0;
        const auto elements = r.Elements(chain, increment);
        const auto name = r.NamePattern(chain, elements.size());
        const auto baseElement = SvdResolution::Own(chain, "baseAddress");
        if (!baseElement)
            r.Warn(node, SvdResolution::Describe(node) + " has no baseAddress; 0 is taken");
        const auto base = r.Number(baseElement).value_or(0);
        for (const auto& element : elements) {
            SvdPeripheralEntry entry;
            entry.name = svdtext::fold(svdtext::withIndex(name, element.index));
            entry.description = r.Description(chain, element.index);
            entry.baseAddress = addOffset(base, 0, element.number, increment).value_or(~std::uint64_t(0));
            entry.line = document_.LineOf(node);
            entry.fileName = uniqueFileName(svdtext::safeFileStem(entry.name), fileNames);
            if (entry.fileName != svdtext::safeFileStem(entry.name) + ".reg")
                r.Warn(node, "a second peripheral " + text::cut(entry.name, 60) + " is written to " + entry.fileName);
            entries_.push_back(std::move(entry));
            instances_.push_back({node, element.index});
        }
    }
}

SvdPeripheral SvdResolver::Resolve(std::size_t index) const
{
    const auto& entry = entries_.at(index);
    SvdPeripheral peripheral;
    peripheral.name = entry.name;
    peripheral.description = entry.description;
    peripheral.baseAddress = entry.baseAddress;
    {
        SvdResolution r(document_, peripheral.warnings);
        const auto chain = r.ChainOf(instances_[index].node);
        const auto properties = r.Inherit(deviceProperties_, chain);
        const auto affix = [&chain](const char* name) {
            return std::string(SvdResolution::TextOf(SvdResolution::Own(chain, name)));
        };
        PeripheralWalk walk(r, peripheral, affix("prependToName"), affix("appendToName"));
        walk.Members(SvdResolution::Members(chain, "registers", {"register", "cluster"}), entry.baseAddress, "",
                     properties);
    }
    std::stable_sort(peripheral.registers.begin(), peripheral.registers.end(),
                     [](const SvdRegister& a, const SvdRegister& b) { return a.address < b.address; });
    return peripheral;
}

}  // namespace quarry
