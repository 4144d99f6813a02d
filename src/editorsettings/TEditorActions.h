#pragma once
#include <cstdint>
#include <string_view>

namespace quarry {

// The numbered editor actions. The names are the highlighting script's constants; the
// descriptions are what the key-assignment lists show.
enum TEditorAction : std::int32_t {
    caLEFT = 0,
    caRIGHT,
    caLINEHOME,
    caLINEEND,
    caUP,
    caDOWN,
    caPAGEUP,
    caPAGEDOWN,
    caWORDLEFT,
    caWORDRIGHT,
    caDOCSTART,
    caDOCEND,
    caCUT,
    caCOPY,
    caPASTE,
    caDELETE,
    caBACKSPACE,
    caBLOCKIND,
    caBLOCKUND,
    caINSTOGGLE,
    caSETBOOKMARK0,
    caGOTOBOOKMARK0 = caSETBOOKMARK0 + 10,
    caDELETELINE = caGOTOBOOKMARK0 + 10,
    caUNDO,
    caREDO,
    caDELPREVWORD,
    caPRINTSEL,
    caDELNEXTWORD,
    caSCROLLUP,    // no script name
    caSCROLLDOWN,  // no script name
};

inline constexpr std::int32_t kActionCount = 48;
// Action descriptions are string resources from this number on (code n is kActionTextBase + n).
inline constexpr std::int32_t kActionTextBase = 4146;

// "caLEFT" .. "caDELNEXTWORD"; empty for the two scroll actions and for unknown codes.
std::string_view ActionScriptName(std::int32_t code);
// "Cursor left" .. "Scroll display down one line"; empty for unknown codes.
std::string_view ActionDescription(std::int32_t code);

}  // namespace quarry
