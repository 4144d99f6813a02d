#pragma once
// The script tokenizer: comments, strings with escapes, numbers, words through the macro table
// (predefined and "#define"d) and the reserved-word table, and the directives "#define",
// "#ifdef", "#ifndef", "#else", "#endif" and "#include". Every fault raises
// ECodeMemoParserError "** ERROR near line %d, Column %d: %s".
#include "highlight/ECodeMemoParserError.h"
#include "highlight/TWordStore.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quarry {

namespace tk {
// Token codes shared by the tokenizer and the section parsers.
enum : int {
    Language = 20, Name, Case, Options, Words, Equals, Handlers, Tokens, Map, Effects,
    ExampleText = 33, EditableStyles, LParen, RParen, Comma, Plus, Minus, LBracket, RBracket, Question,
    WordWrapColumn, Gutter, Anchor, States, IndentStep, WrapOverride, Containers, Keys, Shift, Ctrl, Alt,
    StartState, SelTextColor, SelTextBack, RightMargin, FontName, FontSize, TabColumns, TabDefault,
    ContextStates, InState, BoundStates, GutterColor, Match, Bar, AutoReplace, Templates, MarginColor,
    MarginWidth, Star, ActionKeys, HotKey, KwTables, ForState, EndsWith, Is, Push, Pop, Or, FontCharSet,
    Identifier = 90, Number, String, EndOfInput, BadChar,
    GutterFontName = 95, GutterFontSize, GutterFontColor, GutterFontStyle,
};
}  // namespace tk

class TCM_Compiler final {
public:
    // A script or an included file larger than this is refused (scripts are some kilobytes).
    static constexpr size_t kMaxScriptBytes = 4u << 20;

    // The text is the whole script; includeDir is where "#include" looks for relative names.
    TCM_Compiler(std::string text, std::string includeDir);

    // Reads the next token and returns its code.
    int next();
    int token() const { return token_; }
    int64_t number() const { return number_; }
    const std::string& string() const { return string_; }
    const std::string& identifier() const { return identifier_; }
    int line() const { return fileSource().line; }
    // The line on which the current token began.
    int tokenLine() const { return tokenLine_; }
    int column() const { return fileSource().column; }

    [[noreturn]] void fail(const std::string& message) const;
    void setContext(std::string context) { context_ = std::move(context); }
    const std::string& context() const { return context_; }

    TWordStore& macros() { return macros_; }
    static void fillPredefinedMacros(TWordStore& macros);
    static void fillReservedWords(TWordStore& words);

private:
    struct Source {
        std::string text;
        size_t pos = 0;
        std::string macroName;  // empty for a file
        std::string foldedName;  // macroName in lower case, for the recursion test
        std::string dir;        // for files: where its includes are looked up
        std::string path;       // for files: the file itself (an include of it is refused)
        int line = 1;
        int column = 0;
    };
    struct Condition {
        bool taking;
        bool elseSeen;
    };
    // Budgets so that a hostile script cannot make the tokenizer run away.
    static constexpr size_t kMaxSourceDepth = 64;
    static constexpr size_t kMaxExpandedBytes = 4u << 20;
    static constexpr size_t kMaxExpansions = 1u << 18;

    Source& top() { return sources_.back(); }
    bool atSourceEnd() { return top().pos >= top().text.size(); }
    unsigned char peekChar(size_t ahead = 0);
    unsigned char getChar();
    const Source& fileSource() const;
    bool skipping() const;
    bool skipBlanksAndComments();
    std::string readWord();
    void readString();
    void readNumber();
    void directive();
    void includeFile();
    std::string restOfLine();
    void pushMacro(const std::string& name, const std::string& text);

    std::vector<Source> sources_;
    std::vector<Condition> conditions_;
    int token_ = 0;
    int64_t number_ = 0;
    std::string string_;
    std::string identifier_;
    size_t expanded_ = 0;
    size_t expansions_ = 0;
    int tokenLine_ = 1;
    std::string context_ = "Header";
    TWordStore macros_{false};
    TWordStore reserved_{true};
};

// Reads a script file whole, with its line ends made carriage returns.
std::string loadScriptText(const std::string& path);
std::string normaliseScriptText(std::string_view raw);

}  // namespace quarry
