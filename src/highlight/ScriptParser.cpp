#include "highlight/ScriptParser.h"

#include "highlight/Recognisers.h"

#include <cctype>

namespace quarry {

namespace {

bool isRecogniser(int64_t n) { return n >= 10 && n <= 20; }
bool isCharFunc(int64_t n) { return n >= 0 && n <= 2; }

std::string cut(const std::string& s, size_t n) { return s.size() > n ? s.substr(0, n) : s; }

}  // namespace

void ScriptParser::run()
{
    lex_.setContext("Header");
    next();
    while (tok() != tk::EndOfInput) {
        switch (tok()) {
        case tk::Language: languageSection(); break;
        case tk::Words: wordsSection(); break;
        case tk::Handlers: handlersSection(); break;
        case tk::Tokens: tokensSection(); break;
        case tk::Map: mapSection(); break;
        case tk::Effects: effectsSection(); break;
        case tk::States: statesSection(false); break;
        case tk::Containers: statesSection(true); break;
        case tk::Keys: keysSection(); break;
        case tk::KwTables: kwTablesSection(); break;
        case tk::AutoReplace: autoReplaceSection(); break;
        case tk::Templates: templatesSection(); break;
        default: fail("Script syntax error");
        }
    }
    for (int s = 0; s < 256; ++s)
        if (!tables_.contextGiven[size_t(s)])
            tables_.contexts[size_t(s)] = tables_.startStates;
}

// ---- tokens, expressions and sets ----

void ScriptParser::expect(int token, const char* message)
{
    if (tok() != token)
        fail(message);
    next();
}

bool ScriptParser::startsExpression() const { return tok() == tk::Number || tok() == tk::LParen; }

int64_t ScriptParser::term()
{
    if (tok() == tk::Number) {
        int64_t value = lex_.number();
        next();
        return value;
    }
    if (tok() == tk::LParen) {
        next();
        int64_t value = expression();
        expect(tk::RParen, "')' expected");
        return value;
    }
    fail("Script syntax error");
}

// Strictly left to right: "1 + 2 or 4" is 7 and "8 - 2 - 1" is 5.
int64_t ScriptParser::expressionTail(int64_t value)
{
    for (;;) {
        int op = tok();
        if (op != tk::Plus && op != tk::Minus && op != tk::Or)
            return value;
        next();
        int64_t rhs = term();
        // Kept within 32 bits so hostile scripts cannot overflow the arithmetic.
        if (op == tk::Plus)
            value = int64_t(int32_t(uint32_t(value) + uint32_t(rhs)));
        else if (op == tk::Minus)
            value = int64_t(int32_t(uint32_t(value) - uint32_t(rhs)));
        else
            value = int64_t(int32_t(uint32_t(value) | uint32_t(rhs)));
    }
}

int64_t ScriptParser::expression() { return expressionTail(term()); }

int ScriptParser::inRange(int64_t value, int low, int high)
{
    if (value < low || value > high)
        fail("Range error, value outwith " + std::to_string(low) + " .. " + std::to_string(high));
    return int(value);
}

int ScriptParser::inRange(int64_t value, const SettingRange& range) { return inRange(value, range.low, range.high); }

StateSet ScriptParser::bracketSet()
{
    expect(tk::LBracket, "'[' expected");
    StateSet set;
    if (tok() == tk::RBracket) {
        next();
        return set;
    }
    for (;;) {
        set.add(byteValue());
        if (tok() != tk::Comma)
            break;
        next();
    }
    expect(tk::RBracket, "']' expected");
    return set;
}

StateSet ScriptParser::setOrExpression()
{
    if (tok() == tk::LBracket)
        return bracketSet();
    return StateSet::of({byteValue()});
}

std::string ScriptParser::stringValue()
{
    if (tok() != tk::String)
        fail("String value expected");
    std::string value = lex_.string();
    next();
    return value;
}

std::vector<TCM_CharGroup> ScriptParser::specifiers(const std::string& text)
{
    try {
        return TCM_CharGroup::parseSpecifiers(text);
    } catch (const SpecifierError& e) {
        fail(e.what());
    }
}

TCM_CharGroup ScriptParser::singleSpecifier(const std::string& text)
{
    auto groups = specifiers(text);
    if (groups.size() != 1)
        fail("Single character specifier expected");
    return groups.front();
}

int64_t ScriptParser::matchIndex()
{
    expect(tk::Match, "Script syntax error");
    expect(tk::LParen, "'(' expected");
    int64_t index = expression();
    expect(tk::RParen, "')' expected");
    return index;
}

// An end: "match" "(" expression ")", a string of one to four specifiers, or (in token tables)
// a character function; then the use-flag.
void ScriptParser::endSpecifier(EndSpec& end, bool allowFunction)
{
    if (tok() == tk::Match) {
        end.isMatch = 1;
        end.matchKind = 1;
        end.matchIndex = int32_t(matchIndex());
        tables_.customMatching = true;
    } else if (tok() == tk::String) {
        auto groups = specifiers(stringValue());
        if (groups.size() > 4)
            fail("Maximum of 4 character specifier allowed");
        end.count = uint8_t(groups.size());
        for (size_t i = 0; i < groups.size(); ++i)
            end.groups[i] = intern(groups[i]);
    } else if (allowFunction && startsExpression()) {
        int64_t n = expression();
        if (!isCharFunc(n))
            fail("Script syntax error");
        end.isMatch = 1;
        end.matchKind = 0;
        end.matchIndex = int32_t(n);
    } else {
        fail("Script syntax error");
    }
    end.use = expression() != 0 ? 1 : 0;
}

// ---- %%language ----

void ScriptParser::languageSection()
{
    lex_.setContext("%%Language");
    next();
    for (;;) {
        switch (tok()) {
        case tk::Name: case tk::Case: case tk::Options: case tk::ExampleText: case tk::EditableStyles:
        case tk::WordWrapColumn: case tk::Gutter: case tk::Anchor: case tk::IndentStep: case tk::WrapOverride:
        case tk::StartState: case tk::SelTextColor: case tk::SelTextBack: case tk::GutterColor:
        case tk::MarginColor: case tk::RightMargin: case tk::MarginWidth: case tk::FontName: case tk::FontSize:
        case tk::FontCharSet: case tk::TabColumns: case tk::TabDefault: case tk::ContextStates:
        case tk::BoundStates: case tk::GutterFontName: case tk::GutterFontSize: case tk::GutterFontColor:
        case tk::GutterFontStyle:
            languageProperty();
            break;
        default:
            return;
        }
    }
}

uint32_t ScriptParser::colourValue(bool& isDefault)
{
    isDefault = false;
    if (tok() != tk::LParen)
        return uint32_t(expression());
    next();
    if (tok() == tk::Star) {
        next();
        expect(tk::RParen, "')' expected");
        isDefault = true;
        return uint32_t(expression());
    }
    // "(" began a parenthesised expression, not the default mark.
    int64_t inner = expression();
    expect(tk::RParen, "')' expected");
    return uint32_t(expressionTail(inner));
}

void ScriptParser::languageProperty()
{
    static const std::pair<int, const char*> kContexts[] = {
        {tk::Name, "Name"}, {tk::Case, "Case"}, {tk::Options, "Options"}, {tk::ExampleText, "Example text"},
        {tk::EditableStyles, "Editable styles"}, {tk::WordWrapColumn, "WordWrapColumn"},
        {tk::Gutter, "Gutter width"}, {tk::Anchor, "Anchor"}, {tk::IndentStep, "Indent step"},
        {tk::WrapOverride, "WrapOverride"}, {tk::StartState, "Startstate"}, {tk::SelTextColor, "SelTextColor"},
        {tk::SelTextBack, "SelTextBack"}, {tk::RightMargin, "RightMargin"}, {tk::FontName, "FontName"},
        {tk::FontSize, "FontSize"}, {tk::FontCharSet, "FontCharSet"}, {tk::TabColumns, "TabColumns"},
        {tk::TabDefault, "TabDefault"}, {tk::ContextStates, "ContextState"}, {tk::BoundStates, "BoundStates"},
        {tk::GutterColor, "GutterColor"}, {tk::MarginColor, "MarginColor"}, {tk::MarginWidth, "MarginWidth"},
        {tk::GutterFontName, "GutterFontName"}, {tk::GutterFontSize, "GutterFontSize"},
        {tk::GutterFontColor, "GutterFontColor"}, {tk::GutterFontStyle, "GutterFontStyle"},
    };
    const int property = tok();
    for (const auto& [code, text] : kContexts)
        if (code == property)
            lex_.setContext(std::string("%%Language - ") + text);
    next();
    LanguageSettings& s = settings_;
    if (property == tk::EditableStyles) {
        for (;;) {
            expect(tk::LParen, "'(' expected");
            std::string name = cut(stringValue(), 25);
            expect(tk::Comma, "',' expected");
            int64_t value = expression();
            if (value < 0 || value > 255)
                fail("Value must be 0..255");
            expect(tk::RParen, "')' expected");
            if (int(s.editableStyles.size()) >= LanguageSettings::kMaxEditableStyles)
                fail("Too many editable styles");
            s.editableStyles.push_back({name, int(value)});
            if (tok() != tk::Comma)
                return;
            next();
        }
    }
    expect(tk::Equals, "'=' expected");
    switch (property) {
    case tk::Name: s.name = cut(stringValue(), 35); break;
    case tk::Case: s.caseSensitive = expression() != 0; break;
    case tk::Options: s.options = uint32_t(expression()); break;
    case tk::ExampleText: s.exampleText = stringValue(); break;
    case tk::WordWrapColumn: s.wrapAtColumn = inRange(expression(), kColumnRange); break;
    case tk::Gutter: s.gutter = inRange(expression(), kGutterRange); break;
    case tk::Anchor:
        tables_.anchor = setOrExpression();
        if (tables_.anchor.empty())
            tables_.anchor = StateSet::of({0});
        break;
    case tk::IndentStep: s.indentStep = inRange(expression(), kIndentStepRange); break;
    case tk::WrapOverride: s.wrapOverride = cut(stringValue(), 35); break;
    case tk::StartState:
        tables_.startStates = setOrExpression();
        if (tables_.startStates.empty())
            tables_.startStates = StateSet::of({0});
        break;
    case tk::SelTextColor: s.selTextColor = colourValue(s.selTextColorDefault); break;
    case tk::SelTextBack: s.selTextBack = colourValue(s.selTextBackDefault); break;
    case tk::GutterColor: s.gutterColor = colourValue(s.gutterColorDefault); break;
    case tk::MarginColor: s.marginColor = colourValue(s.marginColorDefault); break;
    case tk::RightMargin: s.rightMargin = inRange(expression(), kColumnRange); break;
    case tk::MarginWidth: s.marginWidth = inRange(expression(), kMarginWidthRange); break;
    case tk::FontName: s.fontName = stringValue(); break;
    case tk::FontSize: s.fontSize = inRange(expression(), kFontSizeRange); break;
    case tk::FontCharSet: s.fontCharset = inRange(expression(), kCharSetRange); break;
    case tk::TabColumns: {
        std::string text = stringValue();
        try {
            s.tabColumns = LanguageSettings::parseTabColumns(text);
        } catch (const std::runtime_error& e) {
            fail(e.what());
        }
        s.tabColumnsText = text;
        break;
    }
    case tk::TabDefault: {
        int64_t value = expression();
        if (value <= 0)
            fail("=Illegal default tab stop value, must be > 0");
        s.tabDefault = int(std::min<int64_t>(value, 1000));
        break;
    }
    case tk::ContextStates:
        for (;;) {
            expect(tk::LParen, "'(' expected");
            StateSet listed = setOrExpression();
            StateSet context;
            if (tok() != tk::RParen)
                context = setOrExpression();
            expect(tk::RParen, "')' expected");
            for (int st = 0; st < 256; ++st) {
                if (!listed.has(st))
                    continue;
                if (tables_.contextGiven[size_t(st)])
                    fail("Token value " + std::to_string(st) + " re-specified in ContextState");
                tables_.contextGiven[size_t(st)] = true;
                tables_.contexts[size_t(st)] = context.empty() ? tables_.startStates : context;
            }
            if (tok() != tk::Comma)
                break;
            next();
        }
        break;
    case tk::BoundStates: tables_.boundStates = setOrExpression(); break;
    case tk::GutterFontName: s.gutterFontName = stringValue(); break;
    case tk::GutterFontSize: s.gutterFontSize = inRange(expression(), kFontSizeRange); break;
    case tk::GutterFontColor: s.gutterFontColor = uint32_t(expression()); break;
    case tk::GutterFontStyle: {
        StateSet styles = bracketSet();
        s.gutterFontStyle = 0;
        for (int bit = 0; bit <= 7; ++bit)
            if (styles.has(bit))
                s.gutterFontStyle |= uint8_t(1u << bit);
        break;
    }
    default: fail("Script syntax error");
    }
    lex_.setContext("%%Language");
}

// ---- %%words and %%handlers ----

void ScriptParser::wordsSection()
{
    lex_.setContext("%%Words");
    next();
    while (tok() == tk::String) {
        std::string word = lex_.string();
        lex_.setContext("%%Words - " + word);
        next();
        TCM_CharGroup end = singleSpecifier(stringValue());
        int value = byteValue();
        StateSet states = StateSet::of({0});
        if (tok() == tk::LBracket || startsExpression())
            states = setOrExpression();
        try {
            tables_.words.addWord(word, settings_.caseSensitive, value, states, end);
        } catch (const EKeywords& e) {
            fail(e.what());
        }
        tables_.record(value).valid |= states;
    }
    lex_.setContext("%%Words");
}

void ScriptParser::handlersSection()
{
    lex_.setContext("%%Handlers");
    next();
    while (startsExpression()) {
        int value = byteValue();
        lex_.setContext("%%Handlers - " + std::to_string(value));
        if (tables_.handlers[size_t(value)])
            fail("Duplicate entry in %%handler table");
        HandlerRecord h;
        bool custom = false;
        if (tok() == tk::Match) {
            custom = true;
            h.start.hasMatch = 1;
            h.start.matchKind = 1;
            h.start.matchIndex = int32_t(matchIndex());
            tables_.customMatching = true;
        } else if (tok() == tk::String) {
            h.start.group = intern(singleSpecifier(stringValue()));
        } else {
            int64_t n = expression();
            if (!isCharFunc(n) && !isRecogniser(n))
                fail("Script syntax error");
            h.start.hasMatch = 1;
            h.start.matchIndex = int32_t(n);
        }
        if (tok() == tk::Question) {
            h.start.testEndFirst = 1;
            next();
        }
        if (!custom && (tok() == tk::Match || tok() == tk::String))
            endSpecifier(h.end, false);
        tables_.handlers[size_t(value)] = h;
    }
    lex_.setContext("%%Handlers");
}

// ---- %%tokens ----

void ScriptParser::tokensSection()
{
    lex_.setContext("%%Tokens");
    next();
    std::optional<int> pending;
    for (;;) {
        if (tok() == tk::InState && !pending) {
            next();
            int state = byteValue();
            expect(tk::LParen, "'(' expected");
            std::optional<int> inner;
            while (inner || startsExpression())
                tokenEntry(state, inner);
            expect(tk::RParen, "')' expected");
        } else if (pending || startsExpression()) {
            tokenEntry(-1, pending);
        } else {
            break;
        }
    }
    lex_.setContext("%%Tokens");
}

// One entry; state -1 is the default table. An expression read after a start string that turns
// out not to be a body is the next entry's token value and comes back through `pending`.
void ScriptParser::tokenEntry(int state, std::optional<int>& pending)
{
    int value = pending ? *pending : byteValue();
    pending.reset();
    lex_.setContext("%%Tokens - " + std::to_string(value));
    TokenDef def;
    def.value = uint8_t(value);
    TCM_CharGroup startGroup;
    bool recogniser = false;
    int startLine = lex_.tokenLine();
    if (tok() == tk::String) {
        startLine = lex_.tokenLine();
        startGroup = singleSpecifier(stringValue());
        def.start.group = intern(startGroup);
    } else {
        int64_t n = expression();
        if (!isRecogniser(n))
            fail("Script syntax error");
        recogniser = true;
        def.start.hasMatch = 1;
        def.start.matchIndex = int32_t(n);
    }
    if (!recogniser) {
        bool hasBody = false;
        if (tok() == tk::Match) {
            def.body.hasMatch = 1;
            def.body.matchKind = 1;
            def.body.matchIndex = int32_t(matchIndex());
            tables_.customMatching = true;
        } else if (tok() == tk::String) {
            def.body.group = intern(singleSpecifier(stringValue()));
            hasBody = true;
        } else if (startsExpression() && lex_.tokenLine() == startLine) {
            // A character function as the body must stand on the start's line and be followed by
            // the rest of the entry; otherwise the number begins the next entry.
            int64_t n = expression();
            bool bodyFollows = tok() == tk::Question || tok() == tk::String || tok() == tk::Match ||
                               startsExpression();
            if (bodyFollows && isCharFunc(n)) {
                def.body.hasMatch = 1;
                def.body.matchIndex = int32_t(n);
                hasBody = true;
            } else {
                pending = inRange(n, 0, 255);
            }
        }
        if (hasBody) {
            if (tok() == tk::Question) {
                def.body.testEndFirst = 1;
                next();
            }
            endSpecifier(def.end, true);
        }
    }
    def.states = StateSet::of({state < 0 ? 0 : state});
    if (!pending && tok() == tk::LBracket)
        def.states |= bracketSet();
    if (recogniser) {
        // A recogniser start is entered under the characters the recogniser can begin with.
        startGroup = TCM_CharGroup(recogniserStartSet(int(def.start.matchIndex)), false);
    }
    enterToken(state, startGroup, def);
    tables_.record(value).valid |= def.states;
}

void ScriptParser::enterToken(int state, const TCM_CharGroup& startGroup, const TokenDef& def)
{
    TokenTable& table = state < 0 ? tables_.defaultTable : tables_.tableFor(state);
    StateSet chars = startGroup.effective();
    if (table.clashes(chars, def.states))
        fail("Ambigious start set in %%token table");
    if (startGroup.isRange()) {
        table.ranges.push_back({uint16_t(startGroup.rangeLow()), uint16_t(startGroup.rangeHigh()), def});
        return;
    }
    for (int c = 0; c < 256; ++c)
        if (chars.has(c))
            table.add(uint8_t(c), def);
}

// ---- %%map and %%effects ----

void ScriptParser::mapSection()
{
    lex_.setContext("%%Map");
    next();
    while (startsExpression()) {
        int value = byteValue();
        lex_.setContext("%%Map - " + std::to_string(value));
        settings_.map[size_t(value)] = uint8_t(byteValue());
    }
    lex_.setContext("%%Map");
}

void ScriptParser::effectsSection()
{
    lex_.setContext("%%Effects");
    next();
    while (startsExpression()) {
        int style = byteValue();
        lex_.setContext("%%Effects - " + std::to_string(style));
        if (style != 0 && effectGiven_[size_t(style)])
            fail("Duplicate %%effect entry");
        effectGiven_[size_t(style)] = true;
        StyleEffect e;
        e.inUse = true;
        if (tok() == tk::LBracket) {
            StateSet styles = bracketSet();
            for (int bit = 0; bit <= 7; ++bit)
                if (styles.has(bit))
                    e.fontStyle |= uint8_t(1u << bit);
        }
        e.foreground = uint32_t(expression());
        e.foregroundDefault = tok() == tk::Star;
        if (e.foregroundDefault)
            next();
        e.background = uint32_t(expression());
        e.backgroundDefault = tok() == tk::Star;
        if (e.backgroundDefault)
            next();
        if (tok() == tk::String) {
            std::string word = lex_.string();
            for (char& c : word)
                c = char(std::tolower((unsigned char)c));
            if (word == "hotspot") {
                e.hotSpot = true;
                next();
            }
        }
        settings_.effects[size_t(style)] = e;
    }
    lex_.setContext("%%Effects");
}

// ---- %%states and %%containers ----

// "+ 1 - 2" adds 1 and removes 2: a state here is a term, not an expression, so that "-" and
// "+" stay the markers (write "(1 + 2)" for a computed state).
StateSet ScriptParser::stateOrSet()
{
    if (tok() == tk::LBracket)
        return bracketSet();
    return StateSet::of({inRange(term(), 0, 255)});
}

void ScriptParser::stateChanges(StateRecord& record)
{
    expect(tk::LParen, "'(' expected");
    for (;;) {
        if (tok() == tk::Plus) {
            next();
            record.add |= stateOrSet();
        } else if (tok() == tk::Minus) {
            next();
            record.remove |= stateOrSet();
        } else {
            break;
        }
    }
    expect(tk::RParen, "')' expected");
}

void ScriptParser::statesSection(bool containers)
{
    const std::string section = containers ? "%%Containers" : "%%States";
    lex_.setContext(section);
    next();
    while (startsExpression()) {
        int value = byteValue();
        lex_.setContext(section + " - " + std::to_string(value));
        StateRecord& record = tables_.record(value);
        if (!containers && (tok() == tk::Push || tok() == tk::Pop)) {
            record.stackOp = tok() == tk::Push ? kPushBefore : kPopBefore;
            next();
        }
        stateChanges(record);
        record.container = record.container || containers;
        if (!containers && (tok() == tk::Push || tok() == tk::Pop)) {
            record.stackOp = tok() == tk::Push ? kPushAfter : kPopAfter;
            if (tok() == tk::Pop) {
                // Popping after the token restores the saved set, so the token changes nothing itself.
                record.add = StateSet();
                record.remove = StateSet();
            }
            next();
        }
        record.noChange = record.add.empty() && record.remove.empty();
    }
    lex_.setContext(section);
}

// ---- %%keys ----

int ScriptParser::keyCode()
{
    if (tok() == tk::String) {
        std::string text = lex_.string();
        if (text.size() != 1)
            fail("Single character specifier expected");
        next();
        return std::toupper((unsigned char)text[0]);
    }
    if (startsExpression())
        return inRange(expression(), 0, 255);
    fail("Key specification required");
}

uint16_t ScriptParser::keyBinding(uint16_t& second)
{
    unsigned modifiers = 0;
    if (tok() == tk::LBracket) {
        next();
        for (;;) {
            if (tok() == tk::Shift)
                modifiers |= 8192;
            else if (tok() == tk::Ctrl)
                modifiers |= 16384;
            else if (tok() == tk::Alt)
                modifiers |= 32768;
            else if (tok() != tk::Comma)
                break;
            next();
        }
        expect(tk::RBracket, "']' expected");
    }
    uint16_t first = uint16_t(keyCode() | modifiers);
    second = 0;
    if (tok() == tk::Comma) {
        next();
        second = uint16_t(keyCode());
    }
    return first;
}

void ScriptParser::keysSection()
{
    lex_.setContext("%%Keys");
    next();
    if (!settings_.keysDefined) {
        // A script that binds keys gives its whole table; the editor's defaults do not mix in.
        settings_.keyBindings.clear();
        settings_.keysDefined = true;
    }
    while (startsExpression()) {
        int32_t action = int32_t(expression());
        lex_.setContext("%%Keys - ");
        expect(tk::LParen, "'(' expected");
        std::vector<std::pair<uint16_t, uint16_t>> bindings;
        for (;;) {
            uint16_t second = 0;
            uint16_t first = keyBinding(second);
            bindings.emplace_back(first, second);
            if (tok() != tk::Bar)
                break;
            next();
        }
        expect(tk::RParen, "')' expected");
        if (tok() == tk::String) {
            std::string description = stringValue();
            if (description.empty())
                fail("Key function name cannot be blank");
            settings_.registerActionName(action, description);
        }
        for (const auto& [first, second] : bindings) {
            try {
                settings_.addKeyBinding(first, second, action);
            } catch (const KeyTableError& e) {
                fail(e.what());
            }
        }
    }
    lex_.setContext("%%Keys");
}

// ---- %%kwTables, %%autoreplace, %%templates ----

void ScriptParser::kwTablesSection()
{
    lex_.setContext("%%KwTables");
    next();
    while (tok() == tk::ForState) {
        next();
        KeywordTable table;
        table.states = setOrExpression();
        expect(tk::EndsWith, "Script syntax error");
        table.endChars = stringValue();
        if (!table.endChars.empty())
            singleSpecifier(table.endChars);
        table.caseSensitive = settings_.caseSensitive;
        expect(tk::LParen, "'(' expected");
        while (startsExpression()) {
            int32_t value = byteValue();
            expect(tk::Is, "Script syntax error");
            for (;;) {
                table.words.emplace_back(stringValue(), value);
                if (tok() != tk::Comma)
                    break;
                next();
            }
        }
        expect(tk::RParen, "')' expected");
        try {
            settings_.registerKeywordTable(std::move(table));
        } catch (const EKeywords& e) {
            fail(e.what());
        }
    }
}

void ScriptParser::autoReplaceSection()
{
    lex_.setContext("%%AutoReplace");
    next();
    settings_.autoReplace.clear();
    for (;;) {
        if (tok() == tk::ActionKeys) {
            next();
            expect(tk::Equals, "'=' expected");
            settings_.autoReplaceTriggers = stringValue();
        } else if (tok() == tk::String) {
            std::string word = stringValue();
            expect(tk::Equals, "'=' expected");
            settings_.autoReplace.emplace_back(word, stringValue());
        } else {
            return;
        }
    }
}

void ScriptParser::templatesSection()
{
    lex_.setContext("%%Templates");
    next();
    settings_.templates.clear();
    for (;;) {
        if (tok() == tk::HotKey) {
            next();
            expect(tk::Equals, "'=' expected");
            expect(tk::LParen, "'(' expected");
            uint16_t second = 0;
            settings_.templateHotKey = keyBinding(second);
            expect(tk::RParen, "')' expected");
        } else if (tok() == tk::String) {
            CodeTemplate t;
            t.name = stringValue();
            if (tok() == tk::LParen) {
                next();
                t.description = stringValue();
                expect(tk::RParen, "')' expected");
            }
            expect(tk::Equals, "'=' expected");
            t.text = stringValue();
            settings_.addTemplate(t);
        } else {
            return;
        }
    }
}

}  // namespace quarry
