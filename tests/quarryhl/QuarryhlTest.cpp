// quarryhl as a user runs it: golden token lists and HTML pages for one sample per built-in
// language, and clear failures for bad scripts, files and options.
#include "RunQuarryhl.h"
#include "support/Golden.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using quarry::test::ToolRun;

// Standard output and error of quarryhl reading the shipped data.
ToolRun quarryhl(const std::string& args)
{
    return quarry::test::runQuarryhl(args + " --data '" + QUARRY_DATA_DIR + "'", "2>&1");
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

const std::string kGolden = std::string(QUARRY_SOURCE_DIR) + "/tests/quarryhl/golden/";

void expectGolden(const std::string& goldenName, const std::string& actual)
{
    quarry::test::expectGolden(kGolden + goldenName, actual);
}

const char* const kSamples[] = {"sample.asm", "sample.pas", "sample.c", "Sample.java", "sample.html", "sample.txt"};

TEST(QuarryhlGolden, TokensAndHtmlPerLanguage)
{
    for (const char* sample : kSamples) {
        for (const auto& [command, suffix] : {std::pair{"tokens", ".tokens"}, {"html --date 'golden date'", ".html"}}) {
            ToolRun run = quarryhl(std::string(command) + " '" + kGolden + sample + "'");
            ASSERT_EQ(0, run.status) << run.out;
            expectGolden(std::string(sample) + suffix, run.out);
        }
    }
}

TEST(Quarryhl, RtfStartsWithTheHeaderAndEndsTheGroups)
{
    ToolRun run = quarryhl("rtf --lang c '" + kGolden + "sample.c'");
    ASSERT_EQ(0, run.status) << run.out;
    EXPECT_EQ(0u, run.out.find("{\\rtf1 \\deff1{\\fonttbl {\\f1 \\fnil\\fcharset1 Courier New;}}\r\n{\\colortbl"));
    EXPECT_EQ("}}", run.out.substr(run.out.size() - 2));
}

TEST(Quarryhl, LanguageOptionsScriptAndCompiledFormAgree)
{
    quarry::test::TempDir dir;
    const std::string compiled = dir.file("c.parser");
    ToolRun compile = quarryhl("compile '" + std::string(QUARRY_DATA_DIR) + "/highlight/c.hl' -o '" + compiled + "'");
    ASSERT_EQ(0, compile.status) << compile.out;
    const std::string input = "'" + kGolden + "sample.c'";
    ToolRun byType = quarryhl("tokens " + input);
    ToolRun byName = quarryhl("tokens --lang 'ANSI C' " + input);
    ToolRun byScript = quarryhl("tokens --script '" + std::string(QUARRY_DATA_DIR) + "/highlight/c.hl' " + input);
    ToolRun byForm = quarryhl("tokens --compiled '" + compiled + "' " + input);
    EXPECT_EQ(byType.out, byName.out);
    EXPECT_EQ(byType.out, byScript.out);
    EXPECT_EQ(byType.out, byForm.out);
}

TEST(Quarryhl, LangsListsTheSixLanguagesInOrder)
{
    ToolRun run = quarryhl("langs");
    ASSERT_EQ(0, run.status);
    EXPECT_EQ("TalvikAssemblyParser\tTalvik Assembly\tasm.hl\n"
              "PascalParser\tObject Pascal\tpascal.hl\n"
              "CppParser\tANSI C\tc.hl\n"
              "JavaParser\tJava\tjava.hl\n"
              "HTMLParser\tHTML / JS / VBS\thtml.hl\n"
              "TextParser\tPlain text\ttext.hl\n",
              run.out);
}

TEST(Quarryhl, FailuresSayWhatAndExitNonZero)
{
    quarry::test::TempDir dir;
    const std::string bad = dir.write("bad.hl", "%%language\nname = 'x'\n%%map 1\n");
    const std::string text = dir.write("a.txt", "abc");
    const auto edits = [&](const std::string& name, const std::string& lines) {
        return "edit '" + text + "' '" + dir.write(name, lines) + "'";
    };
    struct Case {
        std::string args;
        int status;
        std::string message;
    } cases[] = {
        {"tokens --script '" + bad + "' '" + text + "'", 1,
         "quarryhl tokens: " + bad + ": ** ERROR near line 4, Column 0: Script syntax error (in %%Map - 1)\n"},
        {"compile '" + bad + "' -o '" + dir.file("x") + "'", 1,
         "quarryhl compile: " + bad + ": ** ERROR near line 4, Column 0: Script syntax error (in %%Map - 1)\n"},
        {"tokens '" + dir.file("missing.c") + "'", 1,
         "quarryhl tokens: cannot open " + dir.file("missing.c") + ": No such file or directory\n"},
        {"html --lang cobol '" + text + "'", 2, "quarryhl html: unknown language 'cobol' (see quarryhl langs)\n"},
        {"tokens", 2, "quarryhl tokens: usage: quarryhl tokens [--lang NAME | --script FILE | --compiled FILE] [--encoding E] FILE "
                      "[-o OUT]\n"},
        {"rtf --frob '" + text + "'", 2, "quarryhl rtf: unknown option --frob\n"},
        {"compile '" + bad + "'", 2, "quarryhl compile: usage: quarryhl compile SCRIPT -o FILE\n"},
        {"tokens --compiled '" + text + "' '" + text + "'", 1,
         "quarryhl tokens: Compiled parser data is damaged\n"},
        {edits("q", "0 0 \\q"), 1,
         "quarryhl edit: " + dir.file("q") + ":1: unknown escape \\q (use \\n, \\t, \\\\ or \\xHH)\n"},
        {edits("x", "1 0 a\n0 0 \\x4"), 1, "quarryhl edit: " + dir.file("x") + ":2: \\x needs two hexadecimal digits\n"},
        {edits("far", "\n1 1 a\n3 1 b"), 1,
         "quarryhl edit: " + dir.file("far") + ":3: the edit reaches past the end of the text (3 characters)\n"},
        {edits("nan", "x 0 a"), 1, "quarryhl edit: " + dir.file("nan") + ":1: OFFSET is not a number: x\n"},
        {edits("short", "1"), 1,
         "quarryhl edit: " + dir.file("short") + ":1: expected DELETE: a line is OFFSET DELETE TEXT\n"},
        {"edit '" + text + "'", 2, "quarryhl edit: usage: quarryhl edit [--lang NAME | --script FILE | --compiled "
                                   "FILE] FILE EDITS [-o OUT]\n"},
    };
    for (const Case& c : cases) {
        ToolRun run = quarryhl(c.args);
        EXPECT_EQ(c.status, run.status) << c.args;
        EXPECT_EQ(c.message, run.out) << c.args;
    }
}

// The edits land where they say, escapes included, and the tokens of the result are those a
// whole scan of the final text lists.
TEST(Quarryhl, EditListsTheTokensOfTheEditedText)
{
    struct Case {
        const char* lang;
        const char* text;
        const char* edits;
        const char* result;
    } cases[] = {
        {"html", "<style>\nh1 { color: red;\n/* note\n   more */\np { }\n</style>\n", "24 0  }\n",
         "<style>\nh1 { color: red; }\n/* note\n   more */\np { }\n</style>\n"},
        {"c", "int a;\nint b;\n", "0 0 /*\\n\n3 4 \\t\\\\\\x41*/\n", "/*\n\t\\A*/a;\nint b;\n"},
        {"text", "abc", "\r\n1 1 x\r\n\n2 1\n", "ax"},
    };
    for (const Case& c : cases) {
        quarry::test::TempDir dir;
        const std::string file = dir.write("in", c.text);
        const std::string edits = dir.write("edits", c.edits);
        const std::string result = dir.write("result", c.result);
        ToolRun edited = quarryhl(std::string("edit --lang ") + c.lang + " '" + file + "' '" + edits + "'");
        ToolRun whole = quarryhl(std::string("tokens --lang ") + c.lang + " '" + result + "'");
        ASSERT_EQ(0, edited.status) << edited.out;
        EXPECT_FALSE(edited.out.empty());
        EXPECT_EQ(whole.out, edited.out) << c.edits;
    }
}

TEST(Quarryhl, OutputFileReceivesTheExport)
{
    quarry::test::TempDir dir;
    const std::string out = dir.file("page.html");
    ToolRun run = quarryhl("html --date d --title T -o '" + out + "' '" + kGolden + "sample.txt'");
    ASSERT_EQ(0, run.status) << run.out;
    EXPECT_EQ("", run.out);
    EXPECT_NE(std::string::npos, readFile(out).find("<TITLE>T</TITLE>"));
}

}  // namespace
