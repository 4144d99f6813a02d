#pragma once
#include "regview/SvdModel.h"
#include "regview/SvdResolver.h"

#include <pugixml.hpp>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace quarry {

class SvdDocument;

using SvdChain = std::vector<pugi::xml_node>;

// One expansion of an element that may be an array: its index text and its number.
struct SvdElement {
    std::string index;
    std::uint64_t number = 0;
};

// The work of resolving one peripheral (or listing the peripherals): the warnings it collects
// (unknown elements summed up per kind when it ends) and the look-ups every level shares.
class SvdResolution final {
public:
    SvdResolution(const SvdDocument& document, std::vector<SvdWarning>& warnings);
    ~SvdResolution();
    SvdResolution(const SvdResolution&) = delete;
    SvdResolution& operator=(const SvdResolution&) = delete;

    const SvdDocument& Document() const { return document_; }
    void Warn(pugi::xml_node at, std::string text);
    void WarnAt(int line, std::string text);

    // The element and those it derives from, nearest first; a missing base or a cycle is
    // reported and cuts the chain. The element's children are checked against the format.
    SvdChain ChainOf(pugi::xml_node node);
    // The first of the chain's elements that has the child.
    static pugi::xml_node Own(const SvdChain& chain, const char* child);
    static std::string_view TextOf(pugi::xml_node element);
    // "register CR1": the element's kind and name, for messages.
    static std::string Describe(pugi::xml_node node);

    // The element's number; nullopt (with a warning when it is there but no number) otherwise.
    std::optional<std::uint64_t> Number(pugi::xml_node element);
    SvdResolver::Properties Inherit(SvdResolver::Properties properties, const SvdChain& chain);
    SvdAccess Access(pugi::xml_node element, SvdAccess inherited);
    // The element's array indices (one empty index when it is no array), or none when the
    // array cannot be made; `increment` gets dimIncrement.
    std::vector<SvdElement> Elements(const SvdChain& chain, std::uint64_t& increment);
    // The name, with "%s" where an array puts its index (appended when an array's name lacks it).
    std::string NamePattern(const SvdChain& chain, std::size_t elementCount);
    std::string Description(const SvdChain& chain, const std::string& index);
    // The members (registers and clusters, or fields) of an element and of those it derives
    // from: the base's first, a member of the same name replaced by the derived one's.
    // `container` is the child that holds them, empty for the element itself.
    static std::vector<pugi::xml_node> Members(const SvdChain& chain, const char* container,
                                               std::initializer_list<std::string_view> kinds);

private:
    void CheckChildren(pugi::xml_node node);
    void ReportUnknownElements();

    struct Unknown {
        int line = 0;
        std::size_t count = 0;
    };
    const SvdDocument& document_;
    std::vector<SvdWarning>& warnings_;
    std::map<std::string, Unknown> unknown_;
    std::unordered_set<const void*> checked_;
    std::size_t warningsLeftOut_ = 0;
};

}  // namespace quarry
