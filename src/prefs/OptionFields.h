#pragma once
// The Options page: the check boxes, each bound to one option bit, and the number fields with
// the ranges the editor takes for them. A number outside its range is refused with a message
// naming the range ("0-199 only" for the gutter), and the field keeps the value held.
#include "text/EditorTypes.h"
#include "editorsettings/SettingRange.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quarry {

class LanguageSettings;

struct OptionCheckBox {
    const char* caption;
    TCodeMemoOptions bit;
};

// In the order the page shows them.
inline constexpr OptionCheckBox kOptionCheckBoxes[] = {
    {"Wrap long lines", smoPrintWrap},
    {"Line numbers", smoPrintLineNos},
    {"Title in header", smoPrintFilename},
    {"Date in header", smoPrintDate},
    {"Page numbers", smoPrintPageNos},
    {"Word wrap", smoWordWrap},
    {"Auto-indent", smoAutoIndent},
    {"Smart tabs", smoTabToColumn},
    {"Override wrapping", smoWrapOverride},
    {"Word select", smoWordSelect},
    {"Syntax highlighting", smoSyntaxHighlight},
    {"Visible Right margin", smoShowRMargin},
    {"Visible Gutter", smoShowGutter},
    {"Show word-wrap column", smoShowWrapColumn},
    {"Title as filename", smoTitleAsFilename},
    {"Block cursor for Overwrite", smoBlockOverwriteCursor},
    {"Mark wrapped lines", smoShowWrapGlyph},
    {"Use TAB character", smoUseTAB},
    {"Smart fill", smoSmartFill},
    {"Cursor beyond EOL", smoCaretAfterEOL},
    {"Line numbers in gutter", smoLineNumbers},
    {"Show all characters", smoShowAllChars},
};

class OptionFields final {
public:
    enum Field { IndentStep, WrapColumn, TabDefault, RightMargin, GutterWidth, FieldCount };

    OptionFields() = delete;  // the page's table, nothing to hold

    static const char* Label(Field field);
    static SettingRange Range(Field field);
    // "low-high only".
    static std::string RangeMessage(Field field);
    static int Value(const LanguageSettings& settings, Field field);
    // The number a field's text gives, or the message that refuses it; the settings change only
    // when the text is accepted.
    static std::optional<std::string> Set(LanguageSettings& settings, Field field, std::string_view text);
    // Tab columns are a list ("4 8 12"): the editor's own message when it cannot take it.
    static std::optional<std::string> SetTabColumns(LanguageSettings& settings, std::string_view text);
};

}  // namespace quarry
