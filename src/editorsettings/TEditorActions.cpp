#include "editorsettings/TEditorActions.h"

#include <array>

namespace quarry {

namespace {
struct ActionText {
    std::string_view name;
    std::string_view description;
};

constexpr std::array<ActionText, kActionCount> kActions{{
    {"caLEFT", "Cursor left"},
    {"caRIGHT", "Cursor right"},
    {"caLINEHOME", "Line start"},
    {"caLINEEND", "Line end"},
    {"caUP", "Up one line"},
    {"caDOWN", "Down one line"},
    {"caPAGEUP", "Up one page"},
    {"caPAGEDOWN", "Down one page"},
    {"caWORDLEFT", "Move to word before"},
    {"caWORDRIGHT", "Move to word after"},
    {"caDOCSTART", "Document start"},
    {"caDOCEND", "Document end"},
    {"caCUT", "Cut to clipboard"},
    {"caCOPY", "Copy to clipboard"},
    {"caPASTE", "Paste from clipboard"},
    {"caDELETE", "Delete character at cursor"},
    {"caBACKSPACE", "Delete character before caret"},
    {"caBLOCKIND", "Indent selected block"},
    {"caBLOCKUND", "Un-indent selected block"},
    {"caINSTOGGLE", "Toggle insert/overwrite mode"},
    {"caSETBOOKMARK0", "Set Bookmark 0"},
    {"caSETBOOKMARK1", "Set Bookmark 1"},
    {"caSETBOOKMARK2", "Set Bookmark 2"},
    {"caSETBOOKMARK3", "Set Bookmark 3"},
    {"caSETBOOKMARK4", "Set Bookmark 4"},
    {"caSETBOOKMARK5", "Set Bookmark 5"},
    {"caSETBOOKMARK6", "Set Bookmark 6"},
    {"caSETBOOKMARK7", "Set Bookmark 7"},
    {"caSETBOOKMARK8", "Set Bookmark 8"},
    {"caSETBOOKMARK9", "Set Bookmark 9"},
    {"caGOTOBOOKMARK0", "Goto Bookmark 0"},
    {"caGOTOBOOKMARK1", "Goto Bookmark 1"},
    {"caGOTOBOOKMARK2", "Goto Bookmark 2"},
    {"caGOTOBOOKMARK3", "Goto Bookmark 3"},
    {"caGOTOBOOKMARK4", "Goto Bookmark 4"},
    {"caGOTOBOOKMARK5", "Goto Bookmark 5"},
    {"caGOTOBOOKMARK6", "Goto Bookmark 6"},
    {"caGOTOBOOKMARK7", "Goto Bookmark 7"},
    {"caGOTOBOOKMARK8", "Goto Bookmark 8"},
    {"caGOTOBOOKMARK9", "Goto Bookmark 9"},
    {"caDELETELINE", "Delete current line"},
    {"caUNDO", "Undo"},
    {"caREDO", "Redo"},
    {"caDELPREVWORD", "Delete previous word"},
    {"caPRINTSEL", "Print selection"},
    {"caDELNEXTWORD", "Delete next word"},
    {"", "Scroll display up one line"},
    {"", "Scroll display down one line"},
}};
}  // namespace

std::string_view ActionScriptName(std::int32_t code) {
    return code >= 0 && code < kActionCount ? kActions[static_cast<std::size_t>(code)].name : std::string_view{};
}

std::string_view ActionDescription(std::int32_t code) {
    return code >= 0 && code < kActionCount ? kActions[static_cast<std::size_t>(code)].description
                                            : std::string_view{};
}

}  // namespace quarry
