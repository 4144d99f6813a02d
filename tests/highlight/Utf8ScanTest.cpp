// In UTF-8 text the shipped scripts read bytes from 0x80 on as letters: a name or a keyword-like
// word with such letters is one token, and strings and comments run on through them.
#include "highlight/HighlightTestUtil.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

TEST(Utf8Scan, LettersBeyondAsciiBelongToTheirWord)
{
    const struct {
        const char* script;
        bool utf8;
        std::string text;
        std::string tokens;
    } cases[] = {
        // "grüße" is one name; "intä" is a name, not the keyword and a letter.
        {"c.hl", true, "int gr\xC3\xBC\xC3\x9F" "e;", "12:int 0:  3:gr\xC3\xBC\xC3\x9F" "e 11:;"},
        {"c.hl", true, "int\xC3\xA4", "3:int\xC3\xA4"},
        {"c.hl", true, "\"\xC2\xB5s\" // \xC2\xB0" "C", "4:\"\xC2\xB5s\" 0:  7:// \xC2\xB0" "C"},
        // The same bytes as Windows-1252 stay what they were: no letters.
        {"c.hl", false, "int\xC3\xA4", "12:int 0:\xC3 0:\xA4"},
        {"pascal.hl", true, "begin \xC3\xA4nd end", "7:begin 0:  2:\xC3\xA4nd 0:  7:end"},
    };
    for (const auto& c : cases) {
        TCodeMemoParser parser;
        parser.compileFile(test::builtinScriptPath(c.script));
        parser.SetUtf8Letters(c.utf8);
        EXPECT_EQ(c.tokens, test::tokenDump(parser, c.text)) << c.script << " " << testing::PrintToString(c.text);
    }
}

}  // namespace
}  // namespace quarry
