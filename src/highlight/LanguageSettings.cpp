#include "highlight/LanguageSettings.h"

#include "editorsettings/SettingRange.h"
#include "editorsettings/TCM_Settings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <iterator>

namespace quarry {

namespace {

// The editor's own names of its actions, used when a script gives no description.
const char* const kActionDescriptions[] = {
    "Cursor left", "Cursor right", "Line start", "Line end", "Up one line", "Down one line", "Up one page",
    "Down one page", "Move to word before", "Move to word after", "Document start", "Document end",
    "Cut to clipboard", "Copy to clipboard", "Paste from clipboard", "Delete character at cursor",
    "Delete character before caret", "Indent selected block", "Un-indent selected block",
    "Toggle insert/overwrite mode", "Set Bookmark 0", "Set Bookmark 1", "Set Bookmark 2", "Set Bookmark 3",
    "Set Bookmark 4", "Set Bookmark 5", "Set Bookmark 6", "Set Bookmark 7", "Set Bookmark 8", "Set Bookmark 9",
    "Goto Bookmark 0", "Goto Bookmark 1", "Goto Bookmark 2", "Goto Bookmark 3", "Goto Bookmark 4",
    "Goto Bookmark 5", "Goto Bookmark 6", "Goto Bookmark 7", "Goto Bookmark 8", "Goto Bookmark 9",
    "Delete current line", "Undo", "Redo", "Delete previous word", "Print selection", "Delete next word",
    "Scroll display up one line", "Scroll display down one line"};

// The layout numbers of the stream form, in their order, each with the range it must lie in.
const std::pair<int LanguageSettings::*, const SettingRange*> kLayoutNumbers[] = {
    {&LanguageSettings::wrapAtColumn, &kColumnRange},     {&LanguageSettings::gutter, &kGutterRange},
    {&LanguageSettings::indentStep, &kIndentStepRange},   {&LanguageSettings::rightMargin, &kColumnRange},
    {&LanguageSettings::marginWidth, &kMarginWidthRange}, {&LanguageSettings::fontSize, &kFontSizeRange},
    {&LanguageSettings::fontCharset, &kCharSetRange},     {&LanguageSettings::tabDefault, &kTabDefaultRange},
    {&LanguageSettings::gutterFontSize, &kFontSizeRange}, {&LanguageSettings::gutterFontCharset, &kCharSetRange},
};

void writeEffect(ByteWriter& out, const StyleEffect& e)
{
    out.u8(e.fontStyle);
    out.u32(e.foreground);
    out.u32(e.background);
    out.u8(unsigned(e.foregroundDefault) | unsigned(e.backgroundDefault) << 1 | unsigned(e.hotSpot) << 2 |
           unsigned(e.inUse) << 3);
}

StyleEffect readEffect(ByteReader& in)
{
    StyleEffect e;
    e.fontStyle = uint8_t(in.u8());
    e.foreground = in.u32();
    e.background = in.u32();
    unsigned flags = in.u8();
    e.foregroundDefault = flags & 1;
    e.backgroundDefault = flags & 2;
    e.hotSpot = flags & 4;
    e.inUse = flags & 8;
    return e;
}

}  // namespace

TCM_CharGroup defaultKeywordEndGroup()
{
    StateSet word;
    word.addRange('a', 'z');
    word.addRange('A', 'Z');
    word.addRange('0', '9');
    word.add('_');
    return TCM_CharGroup(word, true);
}

LanguageSettings& LanguageSettings::operator=(const LanguageSettings& o)
{
    if (this == &o)
        return *this;
    name = o.name;
    caseSensitive = o.caseSensitive;
    options = o.options;
    exampleText = o.exampleText;
    editableStyles = o.editableStyles;
    wrapAtColumn = o.wrapAtColumn;
    gutter = o.gutter;
    indentStep = o.indentStep;
    wrapOverride = o.wrapOverride;
    selTextColor = o.selTextColor;
    selTextBack = o.selTextBack;
    gutterColor = o.gutterColor;
    marginColor = o.marginColor;
    selTextColorDefault = o.selTextColorDefault;
    selTextBackDefault = o.selTextBackDefault;
    gutterColorDefault = o.gutterColorDefault;
    marginColorDefault = o.marginColorDefault;
    rightMargin = o.rightMargin;
    marginWidth = o.marginWidth;
    fontName = o.fontName;
    fontSize = o.fontSize;
    fontCharset = o.fontCharset;
    tabColumnsText = o.tabColumnsText;
    tabColumns = o.tabColumns;
    tabDefault = o.tabDefault;
    gutterFontName = o.gutterFontName;
    gutterFontSize = o.gutterFontSize;
    gutterFontColor = o.gutterFontColor;
    gutterFontCharset = o.gutterFontCharset;
    gutterFontStyle = o.gutterFontStyle;
    map = o.map;
    effects = o.effects;
    keysDefined = o.keysDefined;
    keyBindings = o.keyBindings;
    actionNames = o.actionNames;
    keywordTables = o.keywordTables;
    autoReplaceTriggers = o.autoReplaceTriggers;
    autoReplace = o.autoReplace;
    templateHotKey = o.templateHotKey;
    templates = o.templates;
    rebuildKeywordTrie();
    return *this;
}

void LanguageSettings::reset()
{
    name = "<Custom language>";
    caseSensitive = false;
    options = kDefaultOptions;
    exampleText.clear();
    editableStyles.clear();
    wrapAtColumn = 0;
    gutter = 34;
    indentStep = 1;
    wrapOverride = ">|:";
    selTextColor = kSysColorHighlightText;
    selTextBack = kSysColorHighlight;
    gutterColor = kSysColorBtnFace;
    marginColor = 0xFFFFFF;
    selTextColorDefault = selTextBackDefault = gutterColorDefault = marginColorDefault = true;
    rightMargin = 80;
    marginWidth = 2;
    fontName = "Courier New";
    fontSize = 10;
    fontCharset = 1;
    tabColumnsText.clear();
    tabColumns.clear();
    tabDefault = 4;
    gutterFontName = "MS Sans Serif";
    gutterFontSize = 8;
    gutterFontColor = 0;
    gutterFontCharset = 1;
    gutterFontStyle = 0;
    map.fill(0);
    effects.fill(StyleEffect{});
    effects[0] = StyleEffect{0, 0, 0xFFFFFF, true, true, false, true};
    keysDefined = false;
    keyBindings.clear();
    actionNames.clear();
    keywordTables.clear();
    keywordTrie_.reset();
    autoReplaceTriggers = ";,:.=()[]\\{Return}\\{Tab}\\{Space}";
    autoReplace.clear();
    templateHotKey = 0;
    templates.clear();
}

std::string LanguageSettings::actionName(int32_t action) const
{
    for (const auto& [code, text] : actionNames)
        if (code == action)
            return text;
    if (action >= 0 && action < int32_t(std::size(kActionDescriptions)))
        return kActionDescriptions[action];
    return {};
}

void LanguageSettings::registerActionName(int32_t action, const std::string& text)
{
    for (auto& entry : actionNames)
        if (entry.first == action) {
            entry.second = text;
            return;
        }
    actionNames.emplace_back(action, text);
}

void LanguageSettings::addKeyBinding(uint16_t first, uint16_t second, int32_t action)
{
    // A second stroke never carries modifiers; a one-stroke binding and a two-stroke binding
    // never share their first stroke.
    second = uint16_t(second & 0xFF);
    for (const ScriptKeyBinding& b : keyBindings) {
        if (b.first != first)
            continue;
        if (second == 0 || b.second == 0 || b.second == second)
            throw KeyTableError("Duplicate key sequence definition for\r\n\"" + actionName(action) + "\" and \"" +
                                actionName(b.action) + "\"");
    }
    keyBindings.push_back({first, second, action});
}

void LanguageSettings::registerKeywordTable(KeywordTable table)
{
    if (table.states.empty())
        table.states = StateSet::of({0});
    for (KeywordTable& old : keywordTables) {
        if (!old.states.meets(table.states))
            continue;
        if (old.states != table.states)
            throw EKeywords("Ambigious key table state definition");
        old = std::move(table);
        rebuildKeywordTrie();
        return;
    }
    if (int(keywordTables.size()) >= kMaxKeywordTables)
        throw EKeywords("Too many keyword tables declared");
    keywordTables.push_back(std::move(table));
    rebuildKeywordTrie();
}

void LanguageSettings::rebuildKeywordTrie()
{
    keywordTrie_.reset();
    if (keywordTables.empty())
        return;
    auto trie = std::make_unique<TKeywords>();
    for (const KeywordTable& table : keywordTables) {
        TCM_CharGroup end = defaultKeywordEndGroup();
        if (!table.endChars.empty()) {
            auto groups = TCM_CharGroup::parseSpecifiers(table.endChars);
            if (!groups.empty())
                end = groups.front();
        }
        uint16_t endIndex = trie->groups().intern(end);
        for (const auto& [word, value] : table.words)
            trie->add(word, table.caseSensitive, value, table.states, endIndex);
    }
    keywordTrie_ = std::move(trie);
}

void LanguageSettings::addTemplate(const CodeTemplate& t)
{
    for (CodeTemplate& old : templates)
        if (old.name == t.name) {
            old = t;
            return;
        }
    templates.push_back(t);
}

std::vector<int> LanguageSettings::parseTabColumns(const std::string& text)
{
    constexpr size_t kMaxTabStops = 32;
    std::vector<int> columns;
    size_t pos = 0;
    auto skipSeparators = [&] {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == ',' || text[pos] == '\t'))
            ++pos;
    };
    skipSeparators();
    while (pos < text.size()) {
        if (!std::isdigit((unsigned char)text[pos]))
            throw std::runtime_error("Tab stop column value expected");
        long value = 0;
        while (pos < text.size() && std::isdigit((unsigned char)text[pos])) {
            value = std::min(value * 10 + (text[pos] - '0'), 1000000L);
            ++pos;
        }
        if (value <= 1)
            throw std::runtime_error("Tab column must be > 1");
        if (!columns.empty() && value <= columns.back())
            throw std::runtime_error("Tab columns must be in order and unique");
        if (columns.size() >= kMaxTabStops)
            throw std::runtime_error("Too many tab stops - maximum of " + std::to_string(kMaxTabStops));
        columns.push_back(int(value));
        skipSeparators();
    }
    return columns;
}

void LanguageSettings::write(ByteWriter& out) const
{
    out.u16(kStreamVersion);
    out.longString(name);
    out.u8(caseSensitive);
    out.u32(options);
    out.longString(exampleText);
    out.u32(uint32_t(editableStyles.size()));
    for (const EditableStyle& s : editableStyles) {
        out.shortString(s.name);
        out.u8(unsigned(s.value));
    }
    for (const auto& [field, range] : kLayoutNumbers)
        out.i32(this->*field);
    out.longString(wrapOverride);
    for (uint32_t c : {selTextColor, selTextBack, gutterColor, marginColor, gutterFontColor})
        out.u32(c);
    out.u8(unsigned(selTextColorDefault) | unsigned(selTextBackDefault) << 1 | unsigned(gutterColorDefault) << 2 |
           unsigned(marginColorDefault) << 3);
    out.longString(fontName);
    out.longString(gutterFontName);
    out.u8(gutterFontStyle);
    out.longString(tabColumnsText);
    out.bytes(std::string_view(reinterpret_cast<const char*>(map.data()), map.size()));
    for (const StyleEffect& e : effects)
        writeEffect(out, e);
    out.u8(keysDefined);
    out.u32(uint32_t(actionNames.size()));
    for (const auto& [code, text] : actionNames) {
        out.i32(code);
        out.longString(text);
    }
    out.u32(uint32_t(keyBindings.size()));
    for (const ScriptKeyBinding& b : keyBindings) {
        out.u16(b.first);
        out.u16(b.second);
        out.i32(b.action);
    }
    out.u32(uint32_t(keywordTables.size()));
    for (const KeywordTable& t : keywordTables) {
        out.set(t.states);
        out.longString(t.endChars);
        out.u8(t.caseSensitive);
        out.u32(uint32_t(t.words.size()));
        for (const auto& [word, value] : t.words) {
            out.longString(word);
            out.i32(value);
        }
    }
    out.longString(autoReplaceTriggers);
    out.u32(uint32_t(autoReplace.size()));
    for (const auto& [word, replacement] : autoReplace) {
        out.longString(word);
        out.longString(replacement);
    }
    out.u16(templateHotKey);
    out.u32(uint32_t(templates.size()));
    for (const CodeTemplate& t : templates) {
        out.longString(t.name);
        out.longString(t.description);
        out.longString(t.text);
    }
}

void LanguageSettings::read(ByteReader& in)
{
    std::array<int, std::size(kLayoutNumbers)> held;
    for (size_t i = 0; i < held.size(); ++i)
        held[i] = this->*kLayoutNumbers[i].first;
    reset();
    if (in.u16() != kStreamVersion)
        throw CorruptFormError("Compiled parser data is damaged");
    name = in.longString();
    caseSensitive = in.u8() != 0;
    options = in.u32();
    exampleText = in.longString();
    for (uint32_t n = in.count(2), i = 0; i < n; ++i) {
        EditableStyle s;
        s.name = in.shortString();
        s.value = int(in.u8());
        editableStyles.push_back(s);
    }
    // A number outside its range keeps the value held before the read.
    for (size_t i = 0; i < held.size(); ++i) {
        const auto& [field, range] = kLayoutNumbers[i];
        const int32_t value = in.i32();
        this->*field = range->holds(value) ? value : held[i];
    }
    wrapOverride = in.longString();
    for (uint32_t* c : {&selTextColor, &selTextBack, &gutterColor, &marginColor, &gutterFontColor})
        *c = in.u32();
    unsigned flags = in.u8();
    selTextColorDefault = flags & 1;
    selTextBackDefault = flags & 2;
    gutterColorDefault = flags & 4;
    marginColorDefault = flags & 8;
    fontName = in.longString();
    gutterFontName = in.longString();
    gutterFontStyle = uint8_t(in.u8());
    tabColumnsText = in.longString();
    try {
        tabColumns = parseTabColumns(tabColumnsText);
    } catch (const std::runtime_error&) {
        tabColumns.clear();
    }
    std::string mapBytes = in.bytes(256);
    std::copy(mapBytes.begin(), mapBytes.end(), map.begin());
    for (StyleEffect& e : effects)
        e = readEffect(in);
    keysDefined = in.u8() != 0;
    for (uint32_t n = in.count(8), i = 0; i < n; ++i) {
        int32_t code = in.i32();
        actionNames.emplace_back(code, in.longString());
    }
    for (uint32_t n = in.count(8), i = 0; i < n; ++i) {
        ScriptKeyBinding b;
        b.first = uint16_t(in.u16());
        b.second = uint16_t(in.u16());
        b.action = in.i32();
        keyBindings.push_back(b);
    }
    for (uint32_t n = in.count(41), i = 0; i < n; ++i) {
        KeywordTable t;
        t.states = in.set();
        t.endChars = in.longString();
        t.caseSensitive = in.u8() != 0;
        for (uint32_t w = in.count(8), j = 0; j < w; ++j) {
            std::string word = in.longString();
            t.words.emplace_back(std::move(word), in.i32());
        }
        keywordTables.push_back(std::move(t));
    }
    autoReplaceTriggers = in.longString();
    for (uint32_t n = in.count(8), i = 0; i < n; ++i) {
        std::string word = in.longString();
        autoReplace.emplace_back(std::move(word), in.longString());
    }
    templateHotKey = uint16_t(in.u16());
    for (uint32_t n = in.count(12), i = 0; i < n; ++i) {
        CodeTemplate t;
        t.name = in.longString();
        t.description = in.longString();
        t.text = in.longString();
        templates.push_back(std::move(t));
    }
    try {
        rebuildKeywordTrie();
    } catch (const std::exception&) {
        throw CorruptFormError("Compiled parser data is damaged");
    }
}

}  // namespace quarry

namespace quarry {

void LanguageSettings::applyTo(TCM_Settings& t) const
{
    t.Reset();
    t.name = name;
    t.exampleText = exampleText;
    t.editableStyles.clear();
    for (const EditableStyle& s : editableStyles)
        t.editableStyles.push_back({s.name, uint8_t(s.value)});
    t.options = options;
    t.margin = marginWidth;
    t.wrapAtColumn = wrapAtColumn;
    t.wrapOverride = wrapOverride;
    t.gutter = gutter;
    t.indentStep = indentStep;
    t.marginColor = TColor(marginColorDefault ? uint32_t(clWhite) : marginColor);
    t.gutterColor = TColor(gutterColorDefault ? uint32_t(clBtnFace) : gutterColor);
    t.selTextColor = TColor(selTextColorDefault ? uint32_t(clHighlightText) : selTextColor);
    t.selTextBack = TColor(selTextBackDefault ? uint32_t(clHighlight) : selTextBack);
    t.rightMargin = rightMargin;
    t.font.name = fontName;
    t.font.size = fontSize;
    t.font.charSet = fontCharset;
    t.gutterFont.name = gutterFontName;
    t.gutterFont.size = gutterFontSize;
    t.gutterFont.charSet = gutterFontCharset;
    t.gutterFont.color = TColor(gutterFontColor);
    t.gutterFont.style = gutterFontStyle;
    if (tabDefault > 0)
        t.SetTabDefault(tabDefault);
    try {
        t.SetTabColumnsText(tabColumnsText);
    } catch (const std::exception&) {
        // The compiler checked the text already; a stored form from elsewhere keeps the default.
    }
    t.map = map;
    for (size_t i = 0; i < effects.size(); ++i) {
        const StyleEffect& e = effects[i];
        t.effects[i] = {e.fontStyle, TColor(e.foreground), TColor(e.background), e.foregroundDefault,
                        e.backgroundDefault, e.hotSpot};
    }
    if (keysDefined) {
        t.keys.Clear();
        for (const auto& [code, text] : TKeyboardActionContoller::Default().ActionNames())
            t.keys.RegisterAction(code, text);
        for (const auto& [code, text] : actionNames)
            t.keys.RegisterAction(code, text);
        for (const ScriptKeyBinding& b : keyBindings)
            t.keys.AddBinding(b.first, b.second, b.action);
    }
}

}  // namespace quarry
