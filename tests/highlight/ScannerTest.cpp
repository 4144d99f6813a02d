// The scanner over compiled scripts: words, handlers, token tables, recognisers, state records,
// the stack, containers, per-state tables and keyword tables, as token dumps.
#include "support/ThrownMessage.h"
#include "highlight/HighlightTestUtil.h"

#include "highlight/CustomParseHandlers.h"
#include "highlight/Recognisers.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

struct ScanCase {
    const char* name;
    std::string script;
    const char* text;
    const char* dump;
};

const char* const kIdent = "3 '[a-z]' '[a-z0-9]' ? '[^a-z0-9]' _discard_\r";

TEST(Scanner, ScriptConstructsProduceTheseTokens)
{
    const std::string ident = kIdent;
    const std::string tokens = "%%tokens\r" + ident;
    const ScanCase cases[] = {
        {"empty parser gives token 0 per character", "", "ab", "0:a 0:b"},
        {"start-only token is one character", "%%tokens 11 '[-+]'", "+a-", "11:+ 0:a 11:-"},
        {"body with test-end-first takes a one-letter word", "%%tokens 3 '[a-z]' '[a-z]' ? ' ' _discard_",
         "a bc", "3:a 0:  3:bc"},
        {"body without test-end-first needs a second character",
         "%%tokens 3 '[a-z]' '[a-z]' ' ' _discard_", "a bc ", "0:a 0:  3:bc 0: "},
        {"use-flag keeps the end characters", "%%tokens 4 '\"' '[^\"]' ? '\"' _use_", "\"ab\"c",
         "4:\"ab\" 0:c"},
        {"unterminated body runs to the end of the text", "%%tokens 4 '\"' '[^\"]' ? '\"' _use_", "\"ab",
         "4:\"ab"},
        {"a body that meets nothing fails the whole token", "%%tokens 5 '$' '[0-9a-f]' '[^0-9a-f]' _discard_",
         "$x$1f ", "0:$ 0:x 5:$1f 0: "},
        {"range start sits in the range list", "%%tokens 5 '0-9' '[0-9]' ? '[^0-9]' _discard_", "42+7",
         "5:42 0:+ 5:7"},
        {"recogniser start", "%%tokens 5 __STD_NUMBER_OR_FP 4 __STD_C_STRING", "1.5e3. \"a\\\"b\"",
         "5:1.5e3 0:. 0:  4:\"a\\\"b\""},
        {"word then handler to a two-character end",
         "%%words '/*' '[\\x00-\\xff]' 6 %%handlers 6 '[\\x00-\\xff]' ? '*/' _use_", "/**/x/* a\nb */",
         "6:/**/ 0:x 6:/* a|b */"},
        {"handler without test-end-first consumes one character before testing",
         "%%words '/*' '[\\x00-\\xff]' 6 %%handlers 6 '[\\x00-\\xff]' '*/' _use_", "/**/ */",
         "6:/**/ */"},
        {"handler end left for the next token", "%%words '//' '[\\x00-\\xff]' 7 %%handlers 7 '[^\\n]' ? '\\n' _discard_",
         "// a\nb", "7:// a 0:| 0:b"},
        {"handler without end completes after one step", "%%words 'x' '[\\x00-\\xff]' 7 %%handlers 7 '[0-9]'",
         "x12", "7:x1 0:2"},
        {"the end is tested before the character function, so a doubled quote ends the token", "%%words '\\'' '[\\x00-\\xff]' 4 %%handlers 4 _PASCAL_CHAR ? '\\'' _use_",
         "'it''s' x", "4:'it' 4:'s' 0:  0:x"},
        {"handler with a standard recogniser",
         "%%words '//' '[\\x00-\\xff]' 14 %%handlers 14 __STD_JS_LINE_COMMENT", "// a -->\nx",
         "14:// a  0:- 0:- 0:> 0:| 0:x"},
        {"words end groups decide", "%%words 'begin' '[ ;(]' 12" + std::string("\r") + tokens, "begin;beginner",
         "12:begin 0:; 3:beginner"},
        {"longest word wins", "%%words 'end' ' ' 1 'endif' ' ' 2", "endif end ", "2:endif 0:  1:end 0: "},
        {"keyword table after the words table",
         "%%kwTables forstate [] endswith '[^a-z]' ( 12 is 'if', 'else' )\r" + tokens, "if x elsewhere else",
         "12:if 0:  3:x 0:  3:elsewhere 0:  12:else"},
        {"state change selects the state's token table",
         "%%tokens 1 '<'\r2 '>'\rInState 1 ( 7 '[a-z]'\r5 '>' )\r%%states 1 ( + 1 - 0 ) 5 ( + 0 - 1 )",
         "a<b>a", "0:a 1:< 7:b 5:> 0:a"},
        {"a token whose record does not allow the state is token 0",
         "%%tokens 1 '<'\rInState 1 ( 9 '!' )\r8 '!'\r%%states 1 ( + 1 - 0 )", "!<!", "8:! 1:< 9:!"},
        {"word valid only in its states", "%%words 'go' ' ' 5 [1] 'in' ' ' 1\r%%states 1 ( + 1 )",
         "go in go ", "0:g 0:o 0:  1:in 0:  5:go 0: "},
        {"push and pop restore the saved states",
         "%%tokens 1 '('\rInState 1 ( 7 'x'\r2 ')' )\r%%states 1 push ( + 1 - 0 ) 2 ( ) pop", "x(x)x",
         "0:x 1:( 7:x 2:) 0:x"},
        {"pop before the change",
         "%%tokens 1 '('\rInState 1 ( 7 'x'\r2 ')' )\rInState 2 ( 8 'y' )\r%%states 1 push ( + 1 - 0 ) 2 pop ( + 2 - 0 )",
         "(x)y", "1:( 7:x 2:) 8:y"},
        {"container change holds for one following token",
         "%%tokens 1 '='\rInState 1 ( 7 'x' )\r%%containers 1 ( + 1 - 0 )", "=xx", "1:= 7:x 0:x"},
        {"container change ends after the next token of any kind",
         "%%tokens 1 '='\rInState 1 ( 7 'x'\r8 'y' )\r%%containers 1 ( + 1 - 0 )", "=yx", "1:= 8:y 0:x"},
        {"keyword tables follow the state", "%%kwTables forstate [1] endswith ' ' ( 30 is 'var' )\r"
         "%%tokens 1 '<'\rInState 1 ( 2 '>' )\r%%states 1 ( + 1 - 0 ) 2 ( + 0 - 1 )",
         "var <var >var ", "0:v 0:a 0:r 0:  1:< 30:var 0:  2:> 0:v 0:a 0:r 0: "},
        {"a number after a start on its line, followed by an end, is a character-function body",
         "%%tokens 4 '[a-z]' 2 '.' _use_", "ab.", "4:ab."},
        {"a number after a start on the next line begins the next entry", "%%tokens 4 '[a-z]'\r2 '.'", "ab.",
         "4:a 4:b 2:."},
        {"state tables pick the lowest state",
         "%%tokens InState 2 ( 2 'a' ) InState 5 ( 5 'a' )\r%%language startstate = [5, 2]", "a", "2:a"},
    };
    for (const ScanCase& c : cases) {
        SCOPED_TRACE(c.name);
        TCodeMemoParser parser;
        try {
            parser.compile(c.script);
        } catch (const ECodeMemoParserError& e) {
            ADD_FAILURE() << e.what();
            continue;
        }
        EXPECT_EQ(c.dump, test::tokenDump(parser, c.text));
    }
}

TEST(Scanner, PoppingAnEmptyStackRaisesStackUnderflow)
{
    auto parser = test::compiled("%%tokens 2 ')'\r%%states 2 ( ) pop");
    BufferCursor cursor(")");
    int length = 0;
    EXPECT_EQ("Stack underflow",
              test::thrownMessage<ECodeMemoParserError>([&] { parser->nextToken(cursor, length); }));
}

TEST(Scanner, ResetStateInstallsTheContextOfTheState)
{
    auto parser = test::compiled("%%language startstate = [0] contextstates = (40 [3]), (41 [])\r"
                                 "%%tokens 1 'a' InState 3 ( 3 'a' )");
    parser->resetState(40);
    EXPECT_EQ("{3}", parser->currentStates().dump());
    parser->resetState(41);  // an empty context is the start-state set
    EXPECT_EQ("{0}", parser->currentStates().dump());
    parser->resetState(7);
    EXPECT_EQ("{0}", parser->currentStates().dump());
}

TEST(Scanner, CustomMatchGoesThroughTheEvent)
{
    auto parser = test::compiled("%%tokens 10 '#' match(1) 11 '!' match(2)");
    EXPECT_TRUE(parser->tables().customMatching);
    // Without a handler a custom match fails.
    EXPECT_EQ("0:# 0:a", test::tokenDump(*parser, "#a"));
    parser->OnCustomParse = CppParserCustomParse;
    EXPECT_EQ("10:#define A \\|  1 0:| 0:x", test::tokenDump(*parser, "#define A \\\n  1\nx"));
    EXPECT_EQ("10:# a \\\\|b", test::tokenDump(*parser, "# a \\\\\nb"));  // a run of backslashes continues too
    EXPECT_EQ("0:! 0:a", test::tokenDump(*parser, "!a"));                // other indices are refused
}

TEST(Scanner, IniCustomParseTellsKeysFromSections)
{
    TCodeMemoParser parser;
    struct Case {
        const char* text;
        bool result;
        int value, length;
        long long position;
    } cases[] = {
        {"key=1", true, 3, 3, 3},
        {"[section]", true, 8, 0, 0},
        {"x", true, 0, 1, 1},
    };
    for (const Case& c : cases) {
        BufferCursor cursor(c.text);
        int length = 0, value = 5;
        EXPECT_EQ(c.result, IniParserCustomParse(parser, 1, cursor, length, value)) << c.text;
        EXPECT_EQ(c.value, value) << c.text;
        if (c.value != 0) {
            EXPECT_EQ(c.length, length) << c.text;
            EXPECT_EQ(c.position, cursor.position()) << c.text;
        }
    }
    BufferCursor cursor("a=b");
    int length = 0, value = 0;
    EXPECT_FALSE(IniParserCustomParse(parser, 2, cursor, length, value));
}

struct RecogniserCase {
    int index;
    const char* text;
    long long start;  // where the token began (for the line-start test)
    bool result;
    long long end;  // where the cursor stands afterwards (on success)
};

TEST(Recognisers, ConsumeWhatTheyRecognise)
{
    const RecogniserCase cases[] = {
        {kPascalChar, "a", 0, true, 1},
        {kPascalChar, "''x", 0, true, 2},
        {kPascalChar, "'x", 0, false, 0},
        {kPascalChar, "\r", 0, false, 0},
        {kWebChar, "www.x.org/a?b=1. ", 0, true, 15},
        {kWebChar, " x", 0, false, 0},
        {kOriginalChar, "ab\rc", 0, true, 2},
        {kOriginalChar, "\rab\rc", 1, true, 3},
        {kOriginalChar, " ab", 1, false, 0},
        {kStdIdentifier, "_a1+", 0, true, 3},
        {kStdIdentifier, "1a", 0, false, 0},
        {kStdNumberOrFp, "12.5e-3x", 0, true, 7},
        {kStdNumberOrFp, "12.x", 0, true, 2},
        {kStdNumberOrFp, "1e+", 0, true, 1},
        {kStdNumberOrFp, "x", 0, false, 0},
        {kStdPascalString, "'it''s' x", 0, true, 7},
        {kStdPascalString, "'open\rx", 0, true, 5},
        {kStdCString, "\"a\\\"b\" x", 0, true, 6},
        {kStdCString, "\"open\rx", 0, true, 5},
        {kStdCString, "x", 0, false, 0},
        {kStdCChar, "'\\''x", 0, true, 4},
        {kStdCNumberOrFpSigned, "-3.5 ", 0, true, 4},
        {kStdCNumberOrFpSigned, "-x", 0, false, 0},
        {kStdNumber, "123a", 0, true, 3},
        {kStdNumber, "a", 0, false, 0},
        {kStdMailUrl, "me@x.org. ", 0, true, 8},
        {kStdMailUrl, "www.x.org ", 0, false, 0},
        {kStdHtmlString, "\"a b\" c", 0, true, 5},
        {kStdHtmlString, "\"a\rb", 0, true, 2},
        {kStdJsLineComment, "// a --> b", 0, true, 5},
        {kStdJsLineComment, "// a\rb", 0, true, 4},
        {kStdJsLineComment, "// a -> b", 0, true, 9},
        {kStdCStringSq, "'a\\'b' x", 0, true, 6},
    };
    for (const RecogniserCase& c : cases) {
        BufferCursor cursor(c.text);
        cursor.seek(c.start);
        bool result = runRecogniser(c.index, cursor, c.start);
        EXPECT_EQ(c.result, result) << c.index << " " << c.text;
        if (result) {
            EXPECT_EQ(c.end, cursor.position()) << c.index << " " << c.text;
        }
    }
    // Without an at sign the reader is restored.
    BufferCursor cursor("abc def");
    EXPECT_FALSE(runRecogniser(kStdMailUrl, cursor, 0));
    EXPECT_EQ(0, cursor.position());
}

}  // namespace
}  // namespace quarry
