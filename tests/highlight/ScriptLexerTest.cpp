// The script tokenizer: escapes, numbers, expressions without precedence, macros and directives.
#include "highlight/HighlightTestUtil.h"

#include "highlight/TCM_Compiler.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

namespace quarry {
namespace {

// The codes of every token of a text, with values: "92'...'", "91=5", "26".
std::string lexDump(const std::string& text, const std::string& dir = ".")
{
    TCM_Compiler lex(normaliseScriptText(text), dir);
    std::string out;
    for (int t = lex.next(); t != tk::EndOfInput; t = lex.next()) {
        if (!out.empty())
            out += ' ';
        out += std::to_string(t);
        if (t == tk::Number)
            out += "=" + std::to_string(lex.number());
        if (t == tk::String) {
            out += "'";
            for (unsigned char c : lex.string())
                out += (c < 32 || c > 126) ? "\\" + std::to_string(c) : std::string(1, char(c));
            out += "'";
        }
    }
    return out;
}

std::string lexError(const std::string& text)
{
    try {
        lexDump(text);
    } catch (const ECodeMemoParserError& e) {
        return e.what();
    }
    return "no error";
}

TEST(ScriptLexer, StringEscapes)
{
    struct Case {
        const char* script;
        const char* dump;
    } cases[] = {
        {R"('\n')", "92'\\13'"},   // "\n" is the carriage return the editor stores
        {R"('\r')", "92'\\10'"},
        {R"('\b\e\s\t')", "92'\\8\\27 \\9'"},
        {R"('\101\x41\x4a')", "92'AAJ'"},
        {R"('\\\'\q')", "92'\\'q'"},
        {R"('\0')", "92'\\0'"},
        {R"('\777')", "92'\\255'"},      // an octal escape keeps the low byte
        {R"('\xZ')", "92'xZ'"},
        {"'a\rb'", "92'a\\13b'"},        // a string may span lines
        {"''", "92''"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.dump, lexDump(c.script)) << c.script;
}

TEST(ScriptLexer, WordsNumbersPunctuationAndComments)
{
    struct Case {
        const char* script;
        const char* dump;
    } cases[] = {
        {"%%language name case", "20 21 22"},
        {"%%handler %%handlers", "26 26"},
        {"( ) , + - [ ] ? * | =", "35 36 37 38 39 40 41 42 72 67 25"},
        {"InState GutterFontStyle or", "63 98 81"},
        {"007 42", "91=7 91=42"},
        {"/* a\r b */ 1 // two\r3", "91=1 91=3"},
        {"fsItalic clNavy caDELNEXTWORD F12 None", "91=1 91=8388608 91=45 91=123 91=0"},
        {"__DEFAULT_OPTIONS __STD_C_STRING_SQ _DEFAULT_START_ANCHOR", "91=67099632 91=20 91=0"},
        {"caSETBOOKMARK0 caGOTOBOOKMARK9 OEM_CHARSET", "91=20 91=39 91=255"},
        {"CLNAVY", "91=8388608"},  // macro names ignore case
        {"\xa0\t\n1", "91=1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.dump, lexDump(c.script)) << c.script;
}

TEST(ScriptLexer, MacrosAndConditionals)
{
    struct Case {
        const char* script;
        const char* dump;
    } cases[] = {
        {"#define X 5\rX", "91=5"},
        {"#define X   1 + 2   \rX", "91=1 38 91=2"},
        {"#define A B\r#define B 7\rA", "91=7"},
        {"#define x x\r#define Y 3\rY", "91=3"},  // a definition of a name as itself is ignored
        {"#define X 1\r#ifdef X\r2\r#else\r3\r#endif", "91=2"},
        {"#ifdef NOPE\rUnknownWord 'unclosed\r#else\r4\r#endif", "91=4"},
        {"#ifndef NOPE\r5\r#endif", "91=5"},
        {"#ifdef A\r#ifdef B\r1\r#endif\r2\r#else\r3\r#endif", "91=3"},
        {"#ifdef A\r#define Z 1\r#endif\r#ifdef Z\r9\r#endif 8", "91=8"},
        {"#define T '\\n'\rT", "92'\\13'"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.dump, lexDump(c.script)) << c.script;
}

TEST(ScriptLexer, FaultsNameLineAndColumn)
{
    struct Case {
        const char* script;
        const char* message;
    } cases[] = {
        {"1\r  foo", "** ERROR near line 2, Column 5: Identifier \"foo\" Unknown"},
        {"  $", "** ERROR near line 1, Column 3: Unknown character in input stream: #$24"},
        {"\r\r\xe9", "** ERROR near line 3, Column 1: Unknown character in input stream: #$e9"},
        {"#pragma", "** ERROR near line 1, Column 7: Unknown character in input stream: #$23"},
        {"%%nosuch", "** ERROR near line 1, Column 8: Unknown character in input stream: #$25"},
        {"#define A B\r#define B A\rA", "** ERROR near line 3, Column 1: Recursive expansion of macro 'A'"},
        {"#define A B\r#define B a\rA", "** ERROR near line 3, Column 1: Recursive expansion of macro 'a'"},
        {"#define A a\rA", "** ERROR near line 2, Column 1: Identifier \"A\" Unknown"},
        {"#define\r", "** ERROR near line 1, Column 7: Macro name expected"},
        {"#define 9", "** ERROR near line 1, Column 9: Macro name expected"},
        {"#ifdef\r", "** ERROR near line 1, Column 6: Macro name expected after #ifdef"},
        {"#ifndef ", "** ERROR near line 1, Column 8: Macro name expected after #ifdef"},
        {"#include foo", "** ERROR near line 1, Column 9: #include filename not enclosed in \"...\" or <...>"},
        {"#include \"foo", "** ERROR near line 1, Column 13: #include filename missing terminating \""},
        {"#include <foo\r", "** ERROR near line 1, Column 13: #include filename missing terminating >"},
        {"#include \"no-such-file.inc\"",
         "** ERROR near line 1, Column 27: Unable to open #include file \"no-such-file.inc\""},
        {"#include <none.inc>", "** ERROR near line 1, Column 19: Unable to open #include file <none.inc>"},
        // Devices and directories are no scripts: neither read without end nor waited for.
        {"#include \"/dev/zero\"", "** ERROR near line 1, Column 20: Unable to open #include file \"/dev/zero\""},
        {"#include </dev/stdin>", "** ERROR near line 1, Column 21: Unable to open #include file </dev/stdin>"},
        {"#include \"/\"", "** ERROR near line 1, Column 12: Unable to open #include file \"/\""},
        {"'open", "** ERROR near line 1, Column 5: Script syntax error"},
        {"#endif", "** ERROR near line 1, Column 6: Script syntax error"},
        {"#ifdef A\r#else\r#else", "** ERROR near line 3, Column 5: Script syntax error"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.message, lexError(c.script)) << c.script;
}

TEST(ScriptLexer, MacroBombIsStoppedByItsBudget)
{
    std::string script;
    for (int i = 0; i < 40; ++i)
        script += "#define M" + std::to_string(i) + " M" + std::to_string(i + 1) + " M" + std::to_string(i + 1) + "\r";
    script += "#define M40 1\rM0";
    EXPECT_NE(std::string::npos, lexError(script).find("Recursive expansion of macro"));
}

TEST(ScriptLexer, IncludeReadsTheFileRelativeToTheScript)
{
    test::TempDir dir;
    dir.write("values.inc", "#define TEN 10\n7\n");
    dir.write("self.inc", "#include \"self.inc\"\n");
    EXPECT_EQ("91=7 91=10", lexDump("#include \"values.inc\"\rTEN", dir.path().string()));
    EXPECT_EQ("91=7", lexDump("#include <values.inc>", dir.path().string()));
    // A FIFO without a writer would block the compiler; an oversized file is no script.
    ASSERT_EQ(0, ::mkfifo((dir.path() / "fifo.inc").c_str(), 0600));
    dir.write("big.inc", "7");
    std::filesystem::resize_file(dir.path() / "big.inc", TCM_Compiler::kMaxScriptBytes + 1);
    // Including a file that is already being read would never end.
    for (const char* name : {"self.inc", "fifo.inc", "big.inc"}) {
        TCM_Compiler lex("#include \"" + std::string(name) + "\"", dir.path().string());
        try {
            lex.next();
            ADD_FAILURE() << name << " included";
        } catch (const ECodeMemoParserError& e) {
            EXPECT_EQ("Unable to open #include file \"" + std::string(name) + "\"", e.reason());
        }
    }
}

}  // namespace
}  // namespace quarry
