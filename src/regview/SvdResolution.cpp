#include "regview/SvdResolution.h"

#include "platform/Text.h"
#include "regview/SvdDimension.h"
#include "regview/SvdDocument.h"
#include "regview/SvdNumber.h"
#include "regview/SvdText.h"

#include <algorithm>
#include <unordered_map>

namespace quarry {

namespace {

using Names = std::vector<std::string_view>;

Names with(Names names, std::initializer_list<const Names*> groups)
{
    for (const auto* group : groups)
        names.insert(names.end(), group->begin(), group->end());
    return names;
}

// The child elements each kind of element may have; others are named in a warning.
const std::map<std::string_view, Names>& knownChildren()
{
    static const Names dim = {"dim", "dimIncrement", "dimIndex", "dimName", "dimArrayIndex"};
    static const Names properties = {"size", "access", "protection", "resetValue", "resetMask"};
    static const std::map<std::string_view, Names> known = {
        {"device", with({"vendor", "vendorID", "name", "series", "version", "description", "licenseText", "cpu",
                         "headerSystemFilename", "headerDefinitionsPrefix", "addressUnitBits", "width", "peripherals",
                         "vendorExtensions"},
                        {&properties})},
        {"peripherals", {"peripheral"}},
        {"peripheral", with({"name", "version", "description", "alternatePeripheral", "groupName", "prependToName",
                             "appendToName", "headerStructName", "disableCondition", "baseAddress", "addressBlock",
                             "interrupt", "registers", "vendorExtensions"},
                            {&dim, &properties})},
        {"registers", {"register", "cluster"}},
        {"cluster", with({"name", "description", "alternateCluster", "headerStructName", "addressOffset", "register",
                          "cluster", "vendorExtensions"},
                         {&dim, &properties})},
        {"register", with({"name", "displayName", "description", "alternateGroup", "alternateRegister",
                           "addressOffset", "dataType", "modifiedWriteValues", "writeConstraint", "readAction",
                           "fields", "vendorExtensions"},
                          {&dim, &properties})},
        {"fields", {"field"}},
        {"field", with({"name", "description", "bitOffset", "bitWidth", "lsb", "msb", "bitRange", "access",
                        "modifiedWriteValues", "writeConstraint", "readAction", "enumeratedValues", "vendorExtensions"},
                       {&dim})},
        {"enumeratedValues", {"name", "headerEnumName", "usage", "enumeratedValue"}},
        {"enumeratedValue", {"name", "description", "value", "isDefault"}},
    };
    return known;
}

constexpr std::size_t kMaxChain = 32;

std::optional<SvdAccess> parseAccess(std::string_view text)
{
    static constexpr std::pair<std::string_view, SvdAccess> kAccess[] = {
        {"read-write", SvdAccess::ReadWrite}, {"read-only", SvdAccess::ReadOnly},
        {"write-only", SvdAccess::WriteOnly}, {"writeOnce", SvdAccess::WriteOnce},
        {"read-writeOnce", SvdAccess::ReadWriteOnce}};
    for (const auto& [name, access] : kAccess)
        if (text == name)
            return access;
    return std::nullopt;
}

}  // namespace

SvdResolution::SvdResolution(const SvdDocument& document, std::vector<SvdWarning>& warnings)
    : document_(document), warnings_(warnings)
{
}

SvdResolution::~SvdResolution() { ReportUnknownElements(); }

void SvdResolution::Warn(pugi::xml_node at, std::string text) { WarnAt(document_.LineOf(at), std::move(text)); }

void SvdResolution::WarnAt(int line, std::string text)
{
    if (warnings_.size() < SvdResolver::kMaxWarnings)
        warnings_.push_back({line, std::move(text)});
    else
        ++warningsLeftOut_;
}

SvdChain SvdResolution::ChainOf(pugi::xml_node node)
{
    CheckChildren(node);
    SvdChain chain{node};
    for (auto at = node; at.attribute("derivedFrom");) {
        const std::string reference = text::trim(at.attribute("derivedFrom").value());
        const auto base = document_.FindDerived(at, reference);
        const std::string said = Describe(at) + " derives from \"" + text::cut(reference, 80) + "\", which ";
        if (!base || !document_.Complete(base)) {
            Warn(at, said + "is not there; read without it");
            break;
        }
        if (std::find(chain.begin(), chain.end(), base) != chain.end() || chain.size() >= kMaxChain) {
            Warn(at, said + "derives from it again; the cycle is cut there");
            break;
        }
        chain.push_back(base);
        at = base;
    }
    return chain;
}

pugi::xml_node SvdResolution::Own(const SvdChain& chain, const char* child)
{
    for (const auto node : chain)
        if (const auto found = node.child(child))
            return found;
    return {};
}

std::string_view SvdResolution::TextOf(pugi::xml_node element)
{
    std::string_view text = element.child_value();
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string SvdResolution::Describe(pugi::xml_node node)
{
    const auto name = SvdDocument::NameOf(node);
    return std::string(node.name()) + (name.empty() ? "" : " " + text::cut(name, 60));
}

std::optional<std::uint64_t> SvdResolution::Number(pugi::xml_node element)
{
    if (!element)
        return std::nullopt;
    const auto value = parseSvdNumber(TextOf(element));
    if (!value)
        Warn(element, "<" + std::string(element.name()) + "> \"" + text::cut(TextOf(element), 40) + "\" of " +
                          Describe(element.parent()) + " is not a number; ignored");
    return value;
}

SvdResolver::Properties SvdResolution::Inherit(SvdResolver::Properties properties, const SvdChain& chain)
{
    if (const auto size = Number(Own(chain, "size")))
        properties.size = *size;
    if (const auto value = Number(Own(chain, "resetValue")))
        properties.resetValue = *value;
    if (const auto mask = Number(Own(chain, "resetMask")))
        properties.resetMask = *mask;
    properties.access = Access(Own(chain, "access"), properties.access);
    return properties;
}

SvdAccess SvdResolution::Access(pugi::xml_node element, SvdAccess inherited)
{
    if (!element)
        return inherited;
    if (const auto access = parseAccess(TextOf(element)))
        return *access;
    Warn(element, "access \"" + text::cut(TextOf(element), 40) + "\" of " + Describe(element.parent()) +
                      " is not read-only, write-only, read-write, writeOnce or read-writeOnce; the inherited access is used");
    return inherited;
}

std::vector<SvdElement> SvdResolution::Elements(const SvdChain& chain, std::uint64_t& increment)
{
    increment = 0;
    const auto dim = Own(chain, "dim");
    if (!dim)
        return {SvdElement{}};
    const auto count = Number(dim);
    const auto indexText = Own(chain, "dimIndex");
    const auto dimension =
        SvdDimension::Make(count.value_or(0), indexText ? std::optional(TextOf(indexText)) : std::nullopt);
    if (!dimension.Problem().empty())
        Warn(dim, Describe(chain.front()) + ": " + dimension.Problem() + (dimension.Indices().empty() ? "; left out" : ""));
    if (const auto step = Own(chain, "dimIncrement"))
        increment = Number(step).value_or(0);
    else if (dimension.Indices().size() > 1)
        Warn(dim, Describe(chain.front()) + " has dim but no dimIncrement; its elements share one place");
    std::vector<SvdElement> elements;
    for (std::size_t i = 0; i < dimension.Indices().size(); ++i)
        elements.push_back({dimension.Indices()[i], i});
    return elements;
}

std::string SvdResolution::NamePattern(const SvdChain& chain, std::size_t elementCount)
{
    std::string name;
    for (const auto node : chain)
        if (!(name = std::string(SvdDocument::NameOf(node))).empty())
            break;
    if (elementCount > 1 && name.find("%s") == std::string::npos) {
        Warn(chain.front(), Describe(chain.front()) + " is an array but its name has no %s; the index is appended");
        name += "%s";
    }
    return name;
}

std::string SvdResolution::Description(const SvdChain& chain, const std::string& index)
{
    return svdtext::fold(svdtext::withIndex(TextOf(Own(chain, "description")), index));
}

std::vector<pugi::xml_node> SvdResolution::Members(const SvdChain& chain, const char* container,
                                                   std::initializer_list<std::string_view> kinds)
{
    std::vector<pugi::xml_node> members;
    std::unordered_map<std::string_view, std::size_t> byName;
    for (auto node = chain.rbegin(); node != chain.rend(); ++node) {
        const auto holder = *container ? node->child(container) : *node;
        for (const auto child : holder.children()) {
            if (std::find(kinds.begin(), kinds.end(), std::string_view(child.name())) == kinds.end())
                continue;
            const auto name = SvdDocument::NameOf(child);
            const auto [at, added] = byName.try_emplace(name, members.size());
            if (added || name.empty())
                members.push_back(child);
            else
                members[at->second] = child;
        }
    }
    return members;
}

// The element's own children and those of the element that holds them (<registers>, <fields>),
// once each however often arrays and derived elements visit them.
void SvdResolution::CheckChildren(pugi::xml_node node)
{
    const auto& known = knownChildren();
    for (const auto element : {node, node.parent()}) {
        const auto kind = known.find(element.name());
        if (kind == known.end() || !checked_.insert(element.internal_object()).second)
            continue;
        for (const auto child : element.children()) {
            if (child.type() != pugi::node_element)
                continue;
            const std::string_view name = child.name();
            if (std::find(kind->second.begin(), kind->second.end(), name) != kind->second.end())
                continue;
            auto& unknown = unknown_[std::string(element.name()) + ">" + std::string(name)];
            if (unknown.count++ == 0)
                unknown.line = document_.LineOf(child);
        }
    }
}

void SvdResolution::ReportUnknownElements()
{
    for (const auto& [key, unknown] : unknown_) {
        const auto split = key.find('>');
        std::string text = "unknown element <" + key.substr(split + 1) + "> in <" + key.substr(0, split) + ">";
        if (unknown.count > 1)
            text += " (" + std::to_string(unknown.count) + " times)";
        warnings_.push_back({unknown.line, text + "; ignored"});
    }
    if (warningsLeftOut_ > 0)
        warnings_.push_back({0, std::to_string(warningsLeftOut_) + " further warnings left out"});
}

}  // namespace quarry
