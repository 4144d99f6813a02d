#pragma once
// The section parsers of a highlighting script: recursive descent over the tokenizer's tokens,
// building the scanner tables and the language settings. The first fault ends the compilation
// through the tokenizer's error, so it carries line and column.
#include "editorsettings/SettingRange.h"
#include "highlight/LanguageSettings.h"
#include "highlight/ParserTables.h"
#include "highlight/TCM_Compiler.h"

#include <optional>

namespace quarry {

class ScriptParser final {
public:
    ScriptParser(TCM_Compiler& lexer, ParserTables& tables, LanguageSettings& settings)
        : lex_(lexer), tables_(tables), settings_(settings)
    {
    }
    void run();

private:
    int tok() const { return lex_.token(); }
    int next() { return lex_.next(); }
    [[noreturn]] void fail(const std::string& message) const { lex_.fail(message); }
    void expect(int token, const char* message);
    bool startsExpression() const;

    int64_t expression();
    int64_t expressionTail(int64_t value);
    int64_t term();
    int inRange(int64_t value, int low, int high);
    int inRange(int64_t value, const SettingRange& range);
    int byteValue() { return inRange(expression(), 0, 255); }
    StateSet bracketSet();
    StateSet setOrExpression();
    StateSet stateOrSet();
    std::string stringValue();
    TCM_CharGroup singleSpecifier(const std::string& text);
    std::vector<TCM_CharGroup> specifiers(const std::string& text);
    uint16_t intern(const TCM_CharGroup& group) { return tables_.words.groups().intern(group); }
    void endSpecifier(EndSpec& end, bool allowFunction);
    int64_t matchIndex();

    void languageSection();
    void languageProperty();
    uint32_t colourValue(bool& isDefault);
    void wordsSection();
    void handlersSection();
    void tokensSection();
    void tokenEntry(int state, std::optional<int>& pending);
    void enterToken(int state, const TCM_CharGroup& startGroup, const TokenDef& def);
    void mapSection();
    void effectsSection();
    void statesSection(bool containers);
    void stateChanges(StateRecord& record);
    void keysSection();
    uint16_t keyBinding(uint16_t& second);
    int keyCode();
    void kwTablesSection();
    void autoReplaceSection();
    void templatesSection();

    TCM_Compiler& lex_;
    ParserTables& tables_;
    LanguageSettings& settings_;
    std::array<bool, 256> effectGiven_{};
};

}  // namespace quarry
