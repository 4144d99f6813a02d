#pragma once
// The text form of a language's user-editable settings kept in the registry: "Corvid6:" and then
// tagged fields "TAG#length#value", closed by "#END#". Reading takes the fields in any order,
// applies each as it comes and stops quietly at the first tag it does not know or a field it
// cannot frame, so a cut string keeps what it held and leaves the rest unchanged.
#include <string>
#include <string_view>

namespace quarry {

class LanguageSettings;

class StyleString final {
public:
    static constexpr std::string_view kMarker = "Corvid6:";
    // At most this many styles are listed in "EFF".
    static constexpr int kMaxEffects = 255;

    StyleString() = delete;  // a pair of conversions, nothing to hold

    static std::string Write(const LanguageSettings& settings);
    // Raises ECodeMemo "Invalid data in style string" when the text does not start with the
    // vendor word and a version digit 1..9, or names an old untagged version (1 to 4).
    static void Read(std::string_view text, LanguageSettings& settings);

    // The "EFF" value alone, for tests and the options dialog's preview.
    static std::string WriteEffects(const LanguageSettings& settings);
    // Applies the entries of an "EFF" value up to the first it cannot read; false when it
    // stopped early.
    static bool ReadEffects(std::string_view value, LanguageSettings& settings);
};

}  // namespace quarry
