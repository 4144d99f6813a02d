#pragma once
// One run of the editor options dialog over a parser: a working copy of the language's settings
// and of its key table. Nothing reaches the parser until Apply, so Cancel is just dropping the
// session.
#include "highlight/LanguageSettings.h"
#include "prefs/KeyAssignments.h"

#include <cstdint>

namespace quarry {

class KeyValueStore;
class TCodeMemoParser;

// The dialog's pages as bits of a page mask.
enum OptionsPage : std::uint32_t {
    ppOPTIONS = 1,
    ppHIGHLIGHTING = 2,
    ppKEYS = 4,
    ppAUTOCORRECT = 8,
    ppTEMPLATES = 16,
};
inline constexpr std::uint32_t kAllOptionsPages = 31;

class OptionsSession final {
public:
    explicit OptionsSession(TCodeMemoParser& parser);

    LanguageSettings& Settings() { return settings_; }
    const LanguageSettings& Settings() const { return settings_; }
    KeyAssignments& Keys() { return keys_; }

    // The copy as the parser will hold it: an edited key table becomes the language's own.
    LanguageSettings Result() const;
    // Puts the result into the parser, whose controls all re-apply it, and saves it under the
    // parser's registry key when the parser keeps its settings there.
    void Apply(TCodeMemoParser& parser, KeyValueStore* registry) const;

private:
    LanguageSettings settings_;
    KeyAssignments keys_;
};

}  // namespace quarry
