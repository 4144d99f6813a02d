#pragma once
// The Highlighting page's element list over a language's settings: its editable styles (each
// names an effect number) followed by "Selected text", "Left margin" and "Gutter". An element
// shows and takes colours, "use defaults" marks and font styles; what an element does not have
// (a margin has no text colour) is left out of its look.
#include <cstdint>
#include <string>

namespace quarry {

class LanguageSettings;

struct ElementLook {
    std::uint32_t foreground = 0;
    std::uint32_t background = 0xFFFFFF;
    bool foregroundDefault = false;
    bool backgroundDefault = false;
    std::uint8_t fontStyle = 0;  // bit 0 bold, 1 italic, 2 underline, 3 strike-out
    bool hasForeground = true;
    bool hasForegroundDefault = true;  // "Use defaults for" foreground applies
    bool hasFontStyle = true;
    bool operator==(const ElementLook&) const = default;
};

class HighlightElements final {
public:
    explicit HighlightElements(LanguageSettings& settings) : settings_(settings) {}

    int Count() const;
    std::string Name(int element) const;
    ElementLook Look(int element) const;
    // Takes the parts of the look the element has; an editable style's effect comes into use.
    void SetLook(int element, const ElementLook& look);
    // The editable style whose effect a token value paints with, or -1.
    int ElementOfToken(std::uint8_t token) const;

private:
    enum class Kind { Style, SelectedText, LeftMargin, Gutter };
    Kind KindOf(int element) const;

    LanguageSettings& settings_;
};

}  // namespace quarry
