#include "highlight/TCM_Compiler.h"

#include "platform/FileFacts.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>

namespace quarry {

namespace {

bool isWordStart(unsigned char c) { return std::isalpha(c) || c == '_'; }
bool isWordChar(unsigned char c) { return std::isalnum(c) || c == '_'; }

std::string lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c + 32);
    return s;
}

struct ReservedWord {
    const char* text;
    int code;
};

const ReservedWord kReserved[] = {
    {"%%language", tk::Language}, {"name", tk::Name}, {"case", tk::Case}, {"options", tk::Options},
    {"%%words", tk::Words}, {"=", tk::Equals}, {"%%handler", tk::Handlers}, {"%%handlers", tk::Handlers},
    {"%%tokens", tk::Tokens}, {"%%map", tk::Map}, {"%%effects", tk::Effects}, {"exampletext", tk::ExampleText},
    {"editablestyles", tk::EditableStyles}, {"(", tk::LParen}, {")", tk::RParen}, {",", tk::Comma},
    {"+", tk::Plus}, {"-", tk::Minus}, {"[", tk::LBracket}, {"]", tk::RBracket}, {"?", tk::Question},
    {"wordwrapcolumn", tk::WordWrapColumn}, {"gutter", tk::Gutter}, {"anchor", tk::Anchor},
    {"%%states", tk::States}, {"indentstep", tk::IndentStep}, {"wrapoverride", tk::WrapOverride},
    {"%%containers", tk::Containers}, {"%%keys", tk::Keys}, {"shift", tk::Shift}, {"ctrl", tk::Ctrl},
    {"alt", tk::Alt}, {"startstate", tk::StartState}, {"seltextcolor", tk::SelTextColor},
    {"seltextback", tk::SelTextBack}, {"rightmargin", tk::RightMargin}, {"fontname", tk::FontName},
    {"fontsize", tk::FontSize}, {"tabcolumns", tk::TabColumns}, {"tabdefault", tk::TabDefault},
    {"contextstates", tk::ContextStates}, {"InState", tk::InState}, {"boundstates", tk::BoundStates},
    {"guttercolor", tk::GutterColor}, {"match", tk::Match}, {"|", tk::Bar}, {"%%autoreplace", tk::AutoReplace},
    {"%%templates", tk::Templates}, {"margincolor", tk::MarginColor}, {"marginwidth", tk::MarginWidth},
    {"*", tk::Star}, {"actionkeys", tk::ActionKeys}, {"hotkey", tk::HotKey}, {"%%kwTables", tk::KwTables},
    {"forstate", tk::ForState}, {"endswith", tk::EndsWith}, {"is", tk::Is}, {"push", tk::Push},
    {"pop", tk::Pop}, {"or", tk::Or}, {"fontcharset", tk::FontCharSet}, {"GutterFontName", tk::GutterFontName},
    {"GutterFontSize", tk::GutterFontSize}, {"GutterFontColor", tk::GutterFontColor},
    {"GutterFontStyle", tk::GutterFontStyle},
};

struct Macro {
    const char* name;
    long long value;
};

const Macro kMacros[] = {
    {"pt_DEFAULT", 0}, {"_use_", 1}, {"_discard_", 0}, {"__insensitive", 0}, {"__sensitive", 1}, {"_edge", 0},
    {"_default_gutter", 34}, {"_DEFAULT_START_ANCHOR", 0}, {"__DEFAULT_OPTIONS", 67099632},
    {"__OPT_SHOW_RIGHT_MARGIN", 32768}, {"__OPT_PRINT_WRAP", 32}, {"__OPT_PRINT_LINENOS", 64},
    {"__OPT_PRINT_FILENAME", 128}, {"__OPT_PRINT_DATE", 256}, {"__OPT_PRINT_PAGENOS", 512},
    {"__OPT_WORDWRAP", 1024}, {"__OPT_AUTOINDENT", 2048}, {"__OPT_TABCOLUMN", 4096},
    {"__OPT_WRAP_OVERRIDE", 8192}, {"__WORD_SELECT", 16384}, {"__OPT_SHOW_RMARGIN", 32768},
    {"__OPT_SHOW_GUTTER", 65536}, {"__OPT_SHOW_WRAPCOLUMN", 131072}, {"__OPT_TITLE_AS_FILENAME", 262144},
    {"__OPT_PROCESS_DROP_FILES", 524288}, {"__OPT_BLOCK_CURSOR", 1048576}, {"__OPT_WRAP_GLYPH", 2097152},
    {"__OPT_COLUMN_TRACK", 4194304}, {"__OPT_USE_TAB", 8388608}, {"__OPT_SMART_FILL", 16777216},
    {"__OPT_OLE_DRAG_SOURCE", 33554432}, {"__OPT_SYNTAX_HIGHLIGHT", 16}, {"__OPT_LINE_NUMBERS", 1},
    {"__OPT_CARET_AFTER_EOL", 134217728}, {"__OPT_SHOW_CONTROL_CHARS", 67108864}, {"_PASCAL_CHAR", 0},
    {"_WEB_CHAR", 1}, {"_ORIGINAL_CHAR", 2}, {"__STD_IDENTIFIER", 10}, {"__STD_NUMBER_OR_FP", 11},
    {"__STD_PASCALSTRING", 12}, {"__STD_C_STRING", 13}, {"__STD_C_CHAR", 14}, {"__STD_C_NUMBER_OR_FP_SIGNED", 15},
    {"__STD_NUMBER", 16}, {"__STD_MAIL_URL", 17}, {"__STD_HTML_STRING", 18}, {"__STD_JS_LINE_COMMENT", 19},
    {"__STD_C_STRING_SQ", 20}, {"fsBold", 0}, {"fsItalic", 1}, {"fsUnderline", 2}, {"fsStrikeout", 3},
    {"clBlack", 0}, {"clMaroon", 128}, {"clGreen", 32768}, {"clOlive", 32896}, {"clNavy", 8388608},
    {"clPurple", 8388736}, {"clTeal", 8421376}, {"clGray", 8421504}, {"clSilver", 12632256}, {"clRed", 255},
    {"clLime", 65280}, {"clYellow", 65535}, {"clBlue", 16711680}, {"clFuchsia", 16711935},
    {"clAqua", 16776960}, {"clWhite", 16777215}, {"clDkGray", 8421504}, {"clLtGray", 12632256},
    {"caLEFT", 0}, {"caRIGHT", 1}, {"caLINEHOME", 2}, {"caLINEEND", 3}, {"caUP", 4}, {"caDOWN", 5},
    {"caPAGEUP", 6}, {"caPAGEDOWN", 7}, {"caWORDLEFT", 8}, {"caWORDRIGHT", 9}, {"caDOCSTART", 10},
    {"caDOCEND", 11}, {"caCUT", 12}, {"caCOPY", 13}, {"caPASTE", 14}, {"caDELETE", 15}, {"caBACKSPACE", 16},
    {"caBLOCKIND", 17}, {"caBLOCKUND", 18}, {"caINSTOGGLE", 19}, {"caDELETELINE", 40}, {"caUNDO", 41},
    {"caREDO", 42}, {"caDELPREVWORD", 43}, {"caPRINTSEL", 44}, {"caDELNEXTWORD", 45},
    {"LEFT", 37}, {"RIGHT", 39}, {"UP", 38}, {"DOWN", 40}, {"PGUP", 33}, {"PGDN", 34}, {"HOME", 36},
    {"END", 35}, {"DELETE", 46}, {"BACKSPACE", 8}, {"INSERT", 45}, {"None", 0},
    {"ANSI_CHARSET", 0}, {"DEFAULT_CHARSET", 1}, {"SYMBOL_CHARSET", 2}, {"SHIFTJIS_CHARSET", 128},
    {"HANGEUL_CHARSET", 129}, {"JOHAB_CHARSET", 130}, {"GB2312_CHARSET", 134}, {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161}, {"TURKISH_CHARSET", 162}, {"HEBREW_CHARSET", 177}, {"ARABIC_CHARSET", 178},
    {"BALTIC_CHARSET", 186}, {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222}, {"EASTEUROPE_CHARSET", 238},
    {"MAC_CHARSET", 77}, {"OEM_CHARSET", 255},
};

}  // namespace

std::string normaliseScriptText(std::string_view raw)
{
    // A carriage return ends a script line; LF and CR LF files count their lines the same way.
    std::string text;
    text.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        char c = raw[i];
        if (c == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n')
            ++i;
        text += c == '\n' ? '\r' : c;
    }
    return text;
}

std::string loadScriptText(const std::string& path)
{
    const std::optional<std::string> content = files::readRegularFile(path, TCM_Compiler::kMaxScriptBytes);
    if (!content)
        throw std::runtime_error("Cannot open script file " + path);
    return normaliseScriptText(*content);
}

void TCM_Compiler::fillPredefinedMacros(TWordStore& macros)
{
    macros.clear();
    macros.set("ver200", "ver200");
    for (const Macro& m : kMacros)
        macros.set(m.name, std::to_string(m.value));
    for (int i = 0; i < 10; ++i) {
        macros.set("caSETBOOKMARK" + std::to_string(i), std::to_string(20 + i));
        macros.set("caGOTOBOOKMARK" + std::to_string(i), std::to_string(30 + i));
    }
    for (int i = 1; i <= 12; ++i)
        macros.set("F" + std::to_string(i), std::to_string(111 + i));
}

void TCM_Compiler::fillReservedWords(TWordStore& words)
{
    words.clear();
    for (const ReservedWord& w : kReserved)
        words.set(w.text, {}, w.code);
}

TCM_Compiler::TCM_Compiler(std::string text, std::string includeDir)
{
    Source main;
    main.text = std::move(text);
    main.dir = std::move(includeDir);
    sources_.push_back(std::move(main));
    fillPredefinedMacros(macros_);
    fillReservedWords(reserved_);
}

const TCM_Compiler::Source& TCM_Compiler::fileSource() const
{
    for (auto it = sources_.rbegin(); it != sources_.rend(); ++it)
        if (it->macroName.empty())
            return *it;
    return sources_.front();
}

void TCM_Compiler::fail(const std::string& message) const
{
    char prefix[96];
    std::snprintf(prefix, sizeof prefix, "** ERROR near line %d, Column %d: ", line(), column());
    throw ECodeMemoParserError(prefix + message, context_, line(), column(), message);
}

unsigned char TCM_Compiler::peekChar(size_t ahead)
{
    const Source& s = top();
    return s.pos + ahead < s.text.size() ? (unsigned char)s.text[s.pos + ahead] : 0;
}

unsigned char TCM_Compiler::getChar()
{
    Source& s = top();
    if (s.pos >= s.text.size())
        return 0;
    unsigned char c = (unsigned char)s.text[s.pos++];
    if (s.macroName.empty()) {
        if (c == '\r') {
            ++s.line;
            s.column = 0;
        } else {
            ++s.column;
        }
    }
    return c;
}

bool TCM_Compiler::skipping() const
{
    for (const Condition& c : conditions_)
        if (!c.taking)
            return true;
    return false;
}

// Skips white space and comments within the current source; returns false at its end.
bool TCM_Compiler::skipBlanksAndComments()
{
    for (;;) {
        if (atSourceEnd())
            return false;
        unsigned char c = peekChar();
        if (c == ' ' || c == '\t' || c == 160 || c == '\n' || c == '\r') {
            getChar();
        } else if (c == '/' && peekChar(1) == '*') {
            getChar();
            getChar();
            while (!atSourceEnd() && !(peekChar() == '*' && peekChar(1) == '/'))
                getChar();
            getChar();
            getChar();
        } else if (c == '/' && peekChar(1) == '/') {
            while (!atSourceEnd() && peekChar() != '\r')
                getChar();
        } else {
            return true;
        }
    }
}

std::string TCM_Compiler::readWord()
{
    std::string word;
    while (!atSourceEnd() && isWordChar(peekChar()))
        word += char(getChar());
    return word;
}

std::string TCM_Compiler::restOfLine()
{
    std::string text;
    while (!atSourceEnd() && peekChar() != '\r')
        text += char(getChar());
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

void TCM_Compiler::readString()
{
    getChar();  // the opening quote
    string_.clear();
    for (;;) {
        if (atSourceEnd())
            fail("Script syntax error");
        unsigned char c = getChar();
        if (c == '\'')
            return;
        if (c != '\\') {
            string_ += char(c);
            continue;
        }
        if (atSourceEnd())
            fail("Script syntax error");
        unsigned char e = getChar();
        switch (e) {
        case 'b': string_ += char(8); break;
        case 'e': string_ += char(27); break;
        case 'n': string_ += char(13); break;  // the stored line break, not a line feed
        case 'r': string_ += char(10); break;
        case 's': string_ += ' '; break;
        case 't': string_ += char(9); break;
        case 'x': {
            unsigned value = 0;
            int digits = 0;
            while (digits < 2 && std::isxdigit(peekChar())) {
                unsigned char h = getChar();
                value = value * 16 + unsigned(std::isdigit(h) ? h - '0' : (h | 32) - 'a' + 10);
                ++digits;
            }
            string_ += digits ? char(value) : 'x';
            break;
        }
        default:
            if (e >= '0' && e <= '7') {
                unsigned value = e - '0';
                for (int digits = 1; digits < 3 && peekChar() >= '0' && peekChar() <= '7'; ++digits)
                    value = value * 8 + (getChar() - '0');
                string_ += char(value & 0xFF);
            } else {
                string_ += char(e);
            }
        }
    }
}

void TCM_Compiler::readNumber()
{
    number_ = 0;
    while (!atSourceEnd() && std::isdigit(peekChar())) {
        int digit = getChar() - '0';
        // Saturate instead of overflowing; the range checks report such values.
        if (number_ < (int64_t(1) << 40))
            number_ = number_ * 10 + digit;
    }
}

void TCM_Compiler::pushMacro(const std::string& name, const std::string& text)
{
    const std::string folded = lower(name);
    for (const Source& s : sources_)
        if (s.foldedName == folded)
            fail("Recursive expansion of macro '" + name + "'");
    // Macros that expand to several copies of each other grow without recursion; a budget on
    // the expanded text stops them like a recursion.
    expanded_ += text.size();
    if (sources_.size() >= kMaxSourceDepth || expanded_ > kMaxExpandedBytes || ++expansions_ > kMaxExpansions)
        fail("Recursive expansion of macro '" + name + "'");
    Source s;
    s.text = text;
    s.macroName = name;
    s.foldedName = folded;
    sources_.push_back(std::move(s));
}

void TCM_Compiler::includeFile()
{
    while (!atSourceEnd() && (peekChar() == ' ' || peekChar() == '\t'))
        getChar();
    unsigned char open = peekChar();
    if (open != '"' && open != '<')
        fail("#include filename not enclosed in \"...\" or <...>");
    char close = open == '"' ? '"' : '>';
    getChar();
    std::string name;
    while (!atSourceEnd() && peekChar() != '\r' && peekChar() != (unsigned char)close)
        name += char(getChar());
    if (peekChar() != (unsigned char)close)
        fail(std::string("#include filename missing terminating ") + close);
    getChar();
    std::filesystem::path path(name);
    if (path.is_relative())
        path = std::filesystem::path(fileSource().dir) / path;
    std::string full = path.lexically_normal().string();
    bool active = false;
    for (const Source& s : sources_)
        active = active || (!s.path.empty() && s.path == full);
    // Only a regular file of a script's size: a device or a FIFO could never end.
    std::optional<std::string> content;
    if (!active && sources_.size() < kMaxSourceDepth)
        content = files::readRegularFile(full, kMaxScriptBytes);
    if (!content)
        fail(std::string("Unable to open #include file ") + char(open) + name + close);
    Source s;
    s.text = normaliseScriptText(*content);
    s.dir = path.parent_path().string();
    s.path = full;
    sources_.push_back(std::move(s));
}

void TCM_Compiler::directive()
{
    std::string word = readWord();
    if (word == "define") {
        if (skipping()) {
            restOfLine();
            return;
        }
        while (!atSourceEnd() && (peekChar() == ' ' || peekChar() == '\t'))
            getChar();
        std::string name = readWord();
        if (name.empty() || !isWordStart((unsigned char)name[0]))
            fail("Macro name expected");
        std::string text = restOfLine();
        if (lower(text) != lower(name))
            macros_.set(name, text);
    } else if (word == "ifdef" || word == "ifndef") {
        while (!atSourceEnd() && (peekChar() == ' ' || peekChar() == '\t'))
            getChar();
        std::string name = readWord();
        if (name.empty() || !isWordStart((unsigned char)name[0]))
            fail("Macro name expected after #ifdef");
        bool defined = macros_.has(name);
        conditions_.push_back({word == "ifdef" ? defined : !defined, false});
    } else if (word == "else") {
        if (conditions_.empty() || conditions_.back().elseSeen)
            fail("Script syntax error");
        conditions_.back().taking = !conditions_.back().taking;
        conditions_.back().elseSeen = true;
    } else if (word == "endif") {
        if (conditions_.empty())
            fail("Script syntax error");
        conditions_.pop_back();
    } else if (word == "include") {
        if (skipping())
            restOfLine();
        else
            includeFile();
    } else if (!skipping()) {
        fail("Unknown character in input stream: #$23");
    }
}

int TCM_Compiler::next()
{
    for (;;) {
        if (!skipBlanksAndComments()) {
            if (sources_.size() == 1)
                return token_ = tk::EndOfInput;
            sources_.pop_back();
            continue;
        }
        unsigned char c = peekChar();
        tokenLine_ = line();
        if (c == '#' && isWordStart(peekChar(1))) {
            getChar();
            directive();
            continue;
        }
        if (isWordStart(c)) {
            std::string word = readWord();
            if (skipping())
                continue;
            if (const std::string* text = macros_.text(word)) {
                pushMacro(word, *text);
                continue;
            }
            if (auto code = reserved_.code(word))
                return token_ = *code;
            identifier_ = word;
            token_ = tk::Identifier;
            fail("Identifier \"" + word + "\" Unknown");
        }
        if (std::isdigit(c)) {
            readNumber();
            if (skipping())
                continue;
            return token_ = tk::Number;
        }
        if (c == '\'') {
            if (skipping()) {
                // Quotes in skipped text need not pair up.
                getChar();
                continue;
            }
            readString();
            return token_ = tk::String;
        }
        if (c == '%' && peekChar(1) == '%' && isWordStart(peekChar(2))) {
            getChar();
            getChar();
            std::string word = "%%" + readWord();
            if (skipping())
                continue;
            if (auto code = reserved_.code(word))
                return token_ = *code;
            token_ = tk::BadChar;
            fail("Unknown character in input stream: #$25");
        }
        getChar();
        if (skipping())
            continue;
        if (auto code = reserved_.code(std::string(1, char(c))))
            return token_ = *code;
        token_ = tk::BadChar;
        char message[64];
        std::snprintf(message, sizeof message, "Unknown character in input stream: #$%.2x", c);
        fail(message);
    }
}

}  // namespace quarry
