// Every fault of the section parsers ends the compilation with its message, line and column,
// and leaves the context of the section that was being read.
#include "highlight/HighlightTestUtil.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

struct ErrorCase {
    const char* script;
    const char* message;
    const char* context;
};

TEST(ScriptErrors, EachFaultHasItsMessage)
{
    const ErrorCase cases[] = {
        {"name", "** ERROR near line 1, Column 4: Script syntax error", "Header"},
        {"%%language\rname 'x'", "** ERROR near line 2, Column 8: '=' expected", "%%Language - Name"},
        {"%%language\rname = 5", "** ERROR near line 2, Column 8: String value expected", "%%Language - Name"},
        {"%%language options = 1 +", "** ERROR near line 1, Column 24: Script syntax error", "%%Language - Options"},
        {"%%language options = (1 + 2", "** ERROR near line 1, Column 27: ')' expected", "%%Language - Options"},
        {"%%language editablestyles 'a', 1", "** ERROR near line 1, Column 29: '(' expected",
         "%%Language - Editable styles"},
        {"%%language editablestyles ('a' 1)", "** ERROR near line 1, Column 32: ',' expected",
         "%%Language - Editable styles"},
        {"%%language editablestyles ('a', 1", "** ERROR near line 1, Column 33: ')' expected",
         "%%Language - Editable styles"},
        {"%%language editablestyles ('a', 256)", "** ERROR near line 1, Column 36: Value must be 0..255",
         "%%Language - Editable styles"},
        {"%%language indentstep = 21", "** ERROR near line 1, Column 26: Range error, value outwith 0 .. 20",
         "%%Language - Indent step"},
        {"%%language wordwrapcolumn = 2048", "** ERROR near line 1, Column 32: Range error, value outwith 0 .. 2047",
         "%%Language - WordWrapColumn"},
        {"%%language gutter = 200", "** ERROR near line 1, Column 23: Range error, value outwith 0 .. 199",
         "%%Language - Gutter width"},
        {"%%language rightmargin = 2147483647",
         "** ERROR near line 1, Column 35: Range error, value outwith 0 .. 2047", "%%Language - RightMargin"},
        {"%%language marginwidth = 0 - 1", "** ERROR near line 1, Column 30: Range error, value outwith 0 .. 199",
         "%%Language - MarginWidth"},
        {"%%language fontsize = 1073741824", "** ERROR near line 1, Column 32: Range error, value outwith 1 .. 1600",
         "%%Language - FontSize"},
        {"%%language GutterFontSize = 0", "** ERROR near line 1, Column 29: Range error, value outwith 1 .. 1600",
         "%%Language - GutterFontSize"},
        {"%%language anchor = [1, 256]", "** ERROR near line 1, Column 28: Range error, value outwith 0 .. 255",
         "%%Language - Anchor"},
        {"%%language anchor = [1 2]", "** ERROR near line 1, Column 24: ']' expected", "%%Language - Anchor"},
        {"%%language GutterFontStyle = 1", "** ERROR near line 1, Column 30: '[' expected",
         "%%Language - GutterFontStyle"},
        {"%%language contextstates = (1 [2]), (1 [3])",
         "** ERROR near line 1, Column 43: Token value 1 re-specified in ContextState", "%%Language - ContextState"},
        {"%%language tabcolumns = '8, 4'", "** ERROR near line 1, Column 30: Tab columns must be in order and unique",
         "%%Language - TabColumns"},
        {"%%language tabcolumns = '1'", "** ERROR near line 1, Column 27: Tab column must be > 1",
         "%%Language - TabColumns"},
        {"%%language tabcolumns = 'x'", "** ERROR near line 1, Column 27: Tab stop column value expected",
         "%%Language - TabColumns"},
        {"%%language tabdefault = 0",
         "** ERROR near line 1, Column 25: =Illegal default tab stop value, must be > 0", "%%Language - TabDefault"},
        {"%%words 'if' 'ab' 1", "** ERROR near line 1, Column 19: Single character specifier expected",
         "%%Words - if"},
        {"%%words 'if' '' 1", "** ERROR near line 1, Column 17: Single character specifier expected",
         "%%Words - if"},
        {"%%words 'if' 'z-a' 1", "** ERROR near line 1, Column 20: Characters not in correct order for range specifier",
         "%%Words - if"},
        {"%%words 'if' ' ' 1 'IF' ' ' 2", "** ERROR near line 1, Column 29: Duplicate keyword - 'IF'", "%%Words - IF"},
        {"%%words 'if' ' ' 300", "** ERROR near line 1, Column 20: Range error, value outwith 0 .. 255",
         "%%Words - if"},
        {"%%words 'if' 1", "** ERROR near line 1, Column 14: String value expected", "%%Words - if"},
        {"%%handlers 5 'a' 6 'b' 5 'c'", "** ERROR near line 1, Column 28: Duplicate entry in %%handler table",
         "%%Handlers - 5"},
        {"%%handlers 5 'a' 'abcde' 1", "** ERROR near line 1, Column 26: Maximum of 4 character specifier allowed",
         "%%Handlers - 5"},
        {"%%handlers 5 'ab'", "** ERROR near line 1, Column 17: Single character specifier expected",
         "%%Handlers - 5"},
        {"%%handlers 5 7", "** ERROR near line 1, Column 14: Script syntax error", "%%Handlers - 5"},
        {"%%handlers 5 match 1", "** ERROR near line 1, Column 20: '(' expected", "%%Handlers - 5"},
        {"%%tokens 5 'a' 6 'a'", "** ERROR near line 1, Column 20: Ambigious start set in %%token table",
         "%%Tokens - 6"},
        {"%%tokens 5 'a-z' 6 '[m]'", "** ERROR near line 1, Column 24: Ambigious start set in %%token table",
         "%%Tokens - 6"},
        {"%%tokens 5 9", "** ERROR near line 1, Column 12: Script syntax error", "%%Tokens - 5"},
        {"%%tokens 5 'a' 'b' 'c'", "** ERROR near line 1, Column 22: Script syntax error", "%%Tokens - 5"},
        {"%%tokens InState 3 5 'a'", "** ERROR near line 1, Column 20: '(' expected", "%%Tokens"},
        {"%%map 1", "** ERROR near line 1, Column 7: Script syntax error", "%%Map - 1"},
        {"%%effects 3 [] 0 0 3 [] 0 0", "** ERROR near line 1, Column 22: Duplicate %%effect entry", "%%Effects - 3"},
        {"%%states 3 push 1", "** ERROR near line 1, Column 17: '(' expected", "%%States - 3"},
        {"%%states 3 ( + 1 ", "** ERROR near line 1, Column 17: ')' expected", "%%States - 3"},
        {"%%keys caLEFT ( LEFT ) ''", "** ERROR near line 1, Column 25: Key function name cannot be blank",
         "%%Keys - "},
        {"%%keys caLEFT ( [ctrl] )", "** ERROR near line 1, Column 24: Key specification required", "%%Keys - "},
        {"%%keys caLEFT ( 'ab' )", "** ERROR near line 1, Column 20: Single character specifier expected",
         "%%Keys - "},
        {"%%keys caLEFT ( 300 )", "** ERROR near line 1, Column 21: Range error, value outwith 0 .. 255", "%%Keys - "},
        {"%%keys caLEFT ( [ctrl] 'K' ) caRIGHT ( [ctrl] 'K', 'I' ) 'Right'",
         "** ERROR near line 1, Column 64: Duplicate key sequence definition for\r\n\"Right\" and \"Cursor left\"",
         "%%Keys - "},
        {"%%kwTables forstate [1, 2] endswith ' ' ( 1 is 'a' ) forstate [2, 3] endswith ' ' ( 1 is 'b' )",
         "** ERROR near line 1, Column 94: Ambigious key table state definition", "%%KwTables"},
        {"%%kwTables forstate 0 endswith 'ab' ( 1 is 'a' )",
         "** ERROR near line 1, Column 37: Single character specifier expected", "%%KwTables"},
        {"%%kwTables forstate 0 endswith ' ' ( 1 'a' )", "** ERROR near line 1, Column 42: Script syntax error",
         "%%KwTables"},
        {"%%autoreplace 'a' 'b'", "** ERROR near line 1, Column 21: '=' expected", "%%AutoReplace"},
        {"%%templates hotkey = [ctrl] 'J'", "** ERROR near line 1, Column 22: '(' expected", "%%Templates"},
        {"%%templates 'n' ('d' = 'x'", "** ERROR near line 1, Column 22: ')' expected", "%%Templates"},
    };
    for (const ErrorCase& c : cases) {
        TCodeMemoParser parser;
        try {
            parser.compile(c.script);
            ADD_FAILURE() << "compiled: " << c.script;
        } catch (const ECodeMemoParserError& e) {
            EXPECT_EQ(c.message, std::string(e.what())) << c.script;
            EXPECT_EQ(c.context, parser.lastContext()) << c.script;
        }
    }
}

TEST(ScriptErrors, TheFiftyFirstEditableStyleIsRefused)
{
    std::string script = "%%language editablestyles ";
    for (int i = 0; i < 50; ++i)
        script += "('s" + std::to_string(i) + "', " + std::to_string(i) + "), ";
    EXPECT_EQ("", test::compileError(script.substr(0, script.size() - 2)));
    script += "('one more', 1)";
    const std::string error = test::compileError(script);
    EXPECT_EQ(": Too many editable styles", error.substr(error.find(':')));
}

TEST(ScriptErrors, TheTwentyFirstKeywordTableIsRefused)
{
    std::string script = "%%kwTables\r";
    for (int i = 0; i < 20; ++i)
        script += "forstate " + std::to_string(i) + " endswith ' ' ( 1 is 'w' )\r";
    EXPECT_EQ("", test::compileError(script));
    script += "forstate 20 endswith ' ' ( 1 is 'w' )";
    EXPECT_EQ("** ERROR near line 22, Column 37: Too many keyword tables declared", test::compileError(script));
}

TEST(ScriptErrors, TablesKeepWhatWasReadBeforeTheFault)
{
    TCodeMemoParser parser;
    EXPECT_THROW(parser.compile("%%language name = 'Partial'\r%%map 1 2 3"), ECodeMemoParserError);
    EXPECT_EQ("Partial", parser.languageName());
    EXPECT_EQ(2, parser.settings().map[1]);
}

}  // namespace
}  // namespace quarry
