#pragma once
// Everything a highlighting script says about its language besides the scanner tables: the
// "%%language" properties, map and effects, key bindings, keyword tables, auto-replace entries
// and templates. Plain data with its own stream form; the editor's settings object takes it over.
#include "text/EditorTypes.h"
#include "highlight/ByteStream.h"
#include "highlight/StateSet.h"
#include "highlight/TKeywords.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quarry {

class TCM_Settings;

// The editor's symbolic system colours, resolved from the palette when painting.
inline constexpr uint32_t kSysColorWindowText = uint32_t(clWindowText);
inline constexpr uint32_t kSysColorWindow = uint32_t(clWindow);
inline constexpr uint32_t kSysColorHighlight = uint32_t(clHighlight);
inline constexpr uint32_t kSysColorHighlightText = uint32_t(clHighlightText);
inline constexpr uint32_t kSysColorBtnFace = uint32_t(clBtnFace);

struct StyleEffect {
    uint8_t fontStyle = 0;  // bit 0 bold, 1 italic, 2 underline, 3 strike-out
    uint32_t foreground = 0;
    uint32_t background = 0xFFFFFF;
    bool foregroundDefault = true;
    bool backgroundDefault = true;
    bool hotSpot = false;
    bool inUse = false;
    bool operator==(const StyleEffect&) const = default;
};

struct EditableStyle {
    std::string name;
    int value = 0;
    bool operator==(const EditableStyle&) const = default;
};

struct ScriptKeyBinding {
    uint16_t first = 0;
    uint16_t second = 0;  // 0: a one-stroke binding
    int32_t action = 0;
    bool operator==(const ScriptKeyBinding&) const = default;
};

struct KeywordTable {
    StateSet states;
    std::string endChars;
    bool caseSensitive = false;
    std::vector<std::pair<std::string, int32_t>> words;  // word and its token value
    bool operator==(const KeywordTable&) const = default;
};

struct CodeTemplate {
    std::string name, description, text;
    bool operator==(const CodeTemplate&) const = default;
};

class KeyTableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class LanguageSettings final {
public:
    static constexpr int kMaxEditableStyles = 50;
    static constexpr int kMaxKeywordTables = 20;
    static constexpr uint32_t kDefaultOptions = 0x3FFDBF0;

    LanguageSettings() { reset(); }
    LanguageSettings(const LanguageSettings& o) { *this = o; }
    LanguageSettings& operator=(const LanguageSettings& o);

    void reset();

    std::string name;
    bool caseSensitive = false;
    uint32_t options = kDefaultOptions;
    std::string exampleText;
    std::vector<EditableStyle> editableStyles;
    int wrapAtColumn = 0;
    int gutter = 34;
    int indentStep = 1;
    std::string wrapOverride;
    uint32_t selTextColor = kSysColorHighlightText, selTextBack = kSysColorHighlight;
    uint32_t gutterColor = kSysColorBtnFace, marginColor = 0xFFFFFF;
    bool selTextColorDefault = true, selTextBackDefault = true, gutterColorDefault = true, marginColorDefault = true;
    int rightMargin = 80;
    int marginWidth = 2;
    std::string fontName;
    int fontSize = 10;
    int fontCharset = 1;
    std::string tabColumnsText;
    std::vector<int> tabColumns;
    int tabDefault = 4;
    std::string gutterFontName;
    int gutterFontSize = 8;
    uint32_t gutterFontColor = 0;
    int gutterFontCharset = 1;
    uint8_t gutterFontStyle = 0;

    std::array<uint8_t, 256> map{};
    std::array<StyleEffect, 256> effects{};

    bool keysDefined = false;  // false: the editor's default key table applies
    std::vector<ScriptKeyBinding> keyBindings;
    std::vector<std::pair<int32_t, std::string>> actionNames;

    std::vector<KeywordTable> keywordTables;  // slot order, at most 20

    std::string autoReplaceTriggers;
    std::vector<std::pair<std::string, std::string>> autoReplace;
    uint16_t templateHotKey = 0;
    std::vector<CodeTemplate> templates;

    // Raises KeyTableError "Duplicate key sequence definition for\r\n"%s" and "%s"" when the
    // sequence collides with one already bound.
    void addKeyBinding(uint16_t first, uint16_t second, int32_t action);
    void registerActionName(int32_t action, const std::string& text);
    std::string actionName(int32_t action) const;

    // Raises EKeywords with "Ambigious key table state definition" or "Too many keyword tables declared".
    void registerKeywordTable(KeywordTable table);
    // The combined trie of all keyword tables; null when there are none.
    const TKeywords* keywordTrie() const { return keywordTrie_.get(); }
    TKeywords* keywordTrie() { return keywordTrie_.get(); }

    void addTemplate(const CodeTemplate& t);

    // Raises std::runtime_error with the tab-stop messages of the editor control.
    static std::vector<int> parseTabColumns(const std::string& text);

    void write(ByteWriter& out) const;
    void read(ByteReader& in);
    static constexpr unsigned kStreamVersion = 51;

    // Copies what the editor control uses into its settings object: name, options, margins,
    // tabs, colours, fonts, map, effects and, when the script gave "%%keys", the key table.
    void applyTo(TCM_Settings& settings) const;

private:
    void rebuildKeywordTrie();
    std::unique_ptr<TKeywords> keywordTrie_;
};

// The group that may follow a keyword whose table gives no end characters: anything that cannot
// continue an identifier.
TCM_CharGroup defaultKeywordEndGroup();

}  // namespace quarry
