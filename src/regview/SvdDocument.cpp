#include "regview/SvdDocument.h"

#include "platform/Text.h"

#include <algorithm>
#include <cstring>

namespace quarry {

namespace {

// A derivedFrom chain longer than this is taken for a cycle.
constexpr int kMaxDerivationDepth = 32;

bool isScope(pugi::xml_node node)
{
    static constexpr std::string_view kScopes[] = {"device", "peripheral", "cluster", "register", "field"};
    const std::string_view name = node.name();
    return std::find(std::begin(kScopes), std::end(kScopes), name) != std::end(kScopes);
}

pugi::xml_node enclosingScope(pugi::xml_node node)
{
    for (auto parent = node.parent(); parent; parent = parent.parent())
        if (isScope(parent))
            return parent;
    return {};
}

std::vector<std::string_view> splitPath(std::string_view reference)
{
    std::vector<std::string_view> parts;
    std::size_t from = 0;
    for (;;) {
        const auto dot = reference.find('.', from);
        parts.push_back(reference.substr(from, dot == std::string_view::npos ? dot : dot - from));
        if (dot == std::string_view::npos)
            return parts;
        from = dot + 1;
    }
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The elements a scope names its members by: where derivedFrom paths step down.
template <typename Visit>
void forEachMember(pugi::xml_node node, Visit visit)
{
    const std::string_view kind = node.name();
    pugi::xml_node container = node;
    if (kind == "device")
        container = node.child("peripherals");
    else if (kind == "peripheral")
        container = node.child("registers");
    else if (kind == "register")
        container = node.child("fields");
    else if (kind != "cluster" && kind != "field")
        return;
    for (auto child : container.children()) {
        const std::string_view name = child.name();
        if (name == "peripheral" || name == "register" || name == "cluster" || name == "field" ||
            name == "enumeratedValues")
            visit(child);
    }
}

// Every element of that name under `root`, in document order, without recursion.
template <typename Visit>
void forEachElement(pugi::xml_node root, std::string_view name, Visit visit)
{
    for (auto node = root.first_child(); node && node != root;) {
        if (name == node.name())
            visit(node);
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node != root && !node.next_sibling())
            node = node.parent();
        if (node != root)
            node = node.next_sibling();
    }
}

// A name within one element, as a key of the look-up tables.
std::string nodeKey(pugi::xml_node node, std::string_view name)
{
    return std::to_string(reinterpret_cast<std::uintptr_t>(node.internal_object())) + "/" + std::string(name);
}

}  // namespace

bool SvdDocument::Load(std::string bytes)
{
    bytes_ = std::move(bytes);
    for (std::size_t at = 0; at <= bytes_.size();) {
        lineStarts_.push_back(static_cast<std::uint32_t>(at));
        const void* end = std::memchr(bytes_.data() + at, '\n', bytes_.size() - at);
        if (!end)
            break;
        at = static_cast<std::size_t>(static_cast<const char*>(end) - bytes_.data()) + 1;
    }
    const auto deviceEnd = bytes_.rfind("</device");
    const auto result = document_.load_buffer_inplace(bytes_.data(), bytes_.size());
    device_ = document_.document_element();
    const auto errorLine = [this, &result] {
        const auto at = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), static_cast<std::uint32_t>(result.offset));
        return static_cast<int>(at - lineStarts_.begin());
    };
    if (!device_) {
        error_ = result || result.status == pugi::status_no_document_element
                     ? "not an SVD file: no XML element in it"
                     : "not an SVD file: " + std::string(result.description()) + " at line " + std::to_string(errorLine());
        return false;
    }
    if (std::string_view(device_.name()) != "device") {
        error_ = "not an SVD file: its first element is <" + text::cut(device_.name(), 40) + ">, not <device>";
        return false;
    }
    if (!result && (deviceEnd == std::string::npos || static_cast<std::size_t>(result.offset) < deviceEnd)) {
        brokeOff_ = true;
        loadWarnings_.push_back(
            {errorLine(), std::string("XML error: ") + result.description() + "; what follows it is left out"});
    }
    return true;
}

int SvdDocument::LineOf(pugi::xml_node node) const
{
    const auto offset = node.offset_debug();
    if (offset < 0)
        return 0;
    const auto at = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), static_cast<std::uint32_t>(offset));
    return static_cast<int>(at - lineStarts_.begin());
}

bool SvdDocument::Complete(pugi::xml_node node) const
{
    if (!brokeOff_)
        return true;
    for (auto at = node; at; at = at.parent())
        if (at.next_sibling())
            return true;
    return false;
}

std::string_view SvdDocument::NameOf(pugi::xml_node node) { return trimmed(node.child_value("name")); }

const SvdDocument::Members& SvdDocument::MembersOf(pugi::xml_node node) const
{
    auto [at, added] = members_.try_emplace(node.internal_object());
    if (added)
        forEachMember(node, [&members = at->second](pugi::xml_node member) { members.try_emplace(NameOf(member), member); });
    return at->second;
}

// A member of a scope; one that its scope only inherits is looked for in the scope it derives from.
pugi::xml_node SvdDocument::Member(pugi::xml_node node, std::string_view name, int depth) const
{
    const auto& members = MembersOf(node);
    if (const auto at = members.find(name); at != members.end())
        return at->second;
    const auto base = node.attribute("derivedFrom");
    if (!base || depth >= kMaxDerivationDepth)
        return {};
    const auto baseNode = FindDerived(node, trimmed(base.value()));
    return baseNode ? Member(baseNode, name, depth + 1) : pugi::xml_node();
}

pugi::xml_node SvdDocument::Walk(pugi::xml_node scope, const std::vector<std::string_view>& path) const
{
    for (const auto part : path) {
        scope = Member(scope, part, 0);
        if (!scope)
            return {};
    }
    return scope;
}

// Each answer is kept: derived scopes look members up again and again, and a look-up that comes
// back to itself (a cycle of scopes) finds nothing instead of going round.
pugi::xml_node SvdDocument::FindDerived(pugi::xml_node node, std::string_view reference) const
{
    const auto key = nodeKey(node, reference);
    if (const auto known = derived_.find(key); known != derived_.end())
        return known->second;
    derived_.emplace(key, pugi::xml_node());
    const auto found = Search(node, reference);
    derived_[key] = found;
    return found;
}

pugi::xml_node SvdDocument::Search(pugi::xml_node node, std::string_view reference) const
{
    const auto path = splitPath(reference);
    for (auto scope = enclosingScope(node); scope; scope = enclosingScope(scope)) {
        const auto found = Walk(scope, path);
        if (found && found != node && std::string_view(found.name()) == node.name())
            return found;
    }
    if (std::string_view(node.name()) == "enumeratedValues" && path.size() == 1)
        return FindEnumeration(node, reference);
    return {};
}

// An enumerated-value set named without its field: in the same register first, then anywhere.
pugi::xml_node SvdDocument::FindEnumeration(pugi::xml_node node, std::string_view name) const
{
    if (!enumerationsIndexed_) {
        enumerationsIndexed_ = true;
        forEachElement(device_, "enumeratedValues", [this](pugi::xml_node set) {
            if (NameOf(set).empty())
                return;
            enumerations_.try_emplace(std::string(NameOf(set)), set);
            enumerations_.try_emplace(nodeKey(enclosingScope(enclosingScope(set)), NameOf(set)), set);
        });
    }
    const auto registerNode = enclosingScope(enclosingScope(node));
    for (const auto& key : {nodeKey(registerNode, name), std::string(name)})
        if (const auto at = enumerations_.find(key); at != enumerations_.end() && at->second != node)
            return at->second;
    return {};
}

}  // namespace quarry
