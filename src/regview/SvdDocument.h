#pragma once
#include "regview/SvdModel.h"

#include <pugixml.hpp>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quarry {

// A device description read into memory: the XML tree, the line of every element, and the
// look-up of what a derivedFrom attribute names. Bytes that stop being well-formed XML part way
// keep what came before them: the elements the parser finished are usable, the rest is left out
// with one warning.
class SvdDocument final {
public:
    SvdDocument() = default;
    SvdDocument(const SvdDocument&) = delete;  // the tree points into the held bytes
    SvdDocument& operator=(const SvdDocument&) = delete;

    // False, with Error() telling why, when the bytes hold no <device> element to read.
    bool Load(std::string bytes);
    const std::string& Error() const { return error_; }
    // The warning for XML that broke off, if it did.
    const std::vector<SvdWarning>& LoadWarnings() const { return loadWarnings_; }

    pugi::xml_node Device() const { return device_; }
    int LineOf(pugi::xml_node node) const;
    // Whether the parser passed the element's end tag (always, unless the XML broke off).
    bool Complete(pugi::xml_node node) const;

    // The element's <name>, blanks around it left out.
    static std::string_view NameOf(pugi::xml_node node);
    // The element of the same kind that a derivedFrom value names: looked for from the
    // element's own surroundings outwards ("CR", "TIMER0.CR", "REG.FIELD"); for enumerated
    // values also anywhere in the description. Null when there is none.
    pugi::xml_node FindDerived(pugi::xml_node node, std::string_view reference) const;

private:
    using Members = std::unordered_map<std::string_view, pugi::xml_node>;
    const Members& MembersOf(pugi::xml_node node) const;
    pugi::xml_node Member(pugi::xml_node node, std::string_view name, int depth) const;
    pugi::xml_node Walk(pugi::xml_node scope, const std::vector<std::string_view>& path) const;
    pugi::xml_node Search(pugi::xml_node node, std::string_view reference) const;
    pugi::xml_node FindEnumeration(pugi::xml_node node, std::string_view name) const;

    std::string bytes_;
    pugi::xml_document document_;
    pugi::xml_node device_;
    std::string error_;
    std::vector<SvdWarning> loadWarnings_;
    std::vector<std::uint32_t> lineStarts_;
    bool brokeOff_ = false;
    mutable std::unordered_map<const void*, Members> members_;
    mutable std::unordered_map<std::string, pugi::xml_node> derived_;
    // Enumerated-value sets by name: within their register, and the first in the description.
    mutable bool enumerationsIndexed_ = false;
    mutable std::unordered_map<std::string, pugi::xml_node> enumerations_;
};

}  // namespace quarry
