#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/EditorTypes.h"
#include "editorsettings/TKeyboardActionContoller.h"

namespace quarry {

class TCodeMemoKeyHook;

// Font style bits of an effect.
enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TCM_Font {
    std::string name = "Courier New";
    std::int32_t size = 10;       // points
    std::int32_t charSet = 1;     // DEFAULT_CHARSET
    TColor color = clWindowText;
    std::uint8_t style = 0;       // TFontStyle bits; an effect's style adds to the text font's
    bool operator==(const TCM_Font&) const = default;
};

// How one effect number paints: font style, colours, and whether the colours fall back to
// effect 0 (and effect 0's to the system window colours).
struct TCM_Effect {
    std::uint8_t fontStyle = 0;
    TColor foreground = clBlack;
    TColor background = clWhite;
    bool defaultForeground = true;
    bool defaultBackground = true;
    bool hotSpot = false;
    bool operator==(const TCM_Effect&) const = default;
};

struct TCM_EditableStyle {
    std::string name;
    std::uint8_t value = 0;
    bool operator==(const TCM_EditableStyle&) const = default;
};

// The per-language settings shared by a control and its parser: option word, tabs, margins,
// gutter, colours, fonts, the token-to-effect map, the effects and the key table. A control owns
// one for itself; every parser owns one. Copying copies everything (the key table included).
//
// The highlighting engine extends this class with the language data it compiles (keyword
// tables, auto-replace, templates, the stored form); those members go in the marked section at
// the end so that both sides can add fields without touching each other's lines.
class TCM_Settings {
public:
    static constexpr int kMaxTabColumns = 32;
    static constexpr std::size_t kMaxEditableStyles = 50;

    TCM_Settings();
    virtual ~TCM_Settings() = default;
    TCM_Settings(const TCM_Settings&) = default;
    TCM_Settings& operator=(const TCM_Settings&) = default;

    // Back to the defaults, with the process-wide default key table.
    virtual void Reset();

    // ---- tabs
    std::int32_t TabDefault() const { return tabDefault_; }
    // ECodeMemo "=Illegal default tab stop value, must be > 0" for values below 1.
    void SetTabDefault(std::int32_t columns);
    const std::array<std::int32_t, kMaxTabColumns>& TabColumns() const { return tabColumns_; }
    // Explicit stops as text: numbers separated by blanks, commas or line breaks, ascending, > 1.
    void SetTabColumnsText(std::string_view text);
    std::string TabColumnsText() const;
    // The first stop after a 0-based display column.
    std::int32_t NextTabStop(std::int32_t column) const;

    // ---- appearance and behaviour
    std::string name = "<Custom language>";
    std::string exampleText;
    std::vector<TCM_EditableStyle> editableStyles;
    TCodeMemoOptions options = kDefaultOptions;
    std::int32_t margin = 2;
    std::int32_t wrapAtColumn = 0;
    std::string wrapOverride = ">|:";
    std::int32_t gutter = 34;
    std::int32_t indentStep = 1;
    TColor marginColor = clWhite;
    TColor gutterColor = clBtnFace;
    TColor selTextColor = clHighlightText;
    TColor selTextBack = clHighlight;
    std::int32_t rightMargin = 80;
    TCM_Font font;
    TCM_Font gutterFont{"MS Sans Serif", 8, 1, clWindowText};
    std::array<std::uint8_t, 256> map{};      // token value -> effect number
    std::array<TCM_Effect, 256> effects{};    // per effect number
    TKeyboardActionContoller keys;

    // Key hooks that see a key before the key controller: code templates may take it, the
    // auto-replace list watches it. Installed when a parser publishes its settings; empty by
    // default.
    std::shared_ptr<TCodeMemoKeyHook> templateHook;
    std::shared_ptr<TCodeMemoKeyHook> autoReplaceHook;

    // ---- language data of the highlighting engine (added by that engine below this line)

private:
    std::int32_t tabDefault_ = 4;
    std::array<std::int32_t, kMaxTabColumns> tabColumns_{};
};

}  // namespace quarry
