// The six shipped scripts: names, editable styles and word lists as the program promises them;
// compiled forms that load back.
#include "highlight/HighlightTestUtil.h"

#include "highlight/BuiltinLanguages.h"
#include "highlight/CustomParseHandlers.h"
#include "highlight/TCM_Compiler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

namespace quarry {
namespace {

std::unique_ptr<TCodeMemoParser> builtin(const BuiltinLanguage& lang)
{
    auto parser = std::make_unique<TCodeMemoParser>();
    parser->compileFile(test::builtinScriptPath(lang.script));
    parser->OnCustomParse = customParseHandlerFor(parser->languageName());
    return parser;
}

std::string readSample(const std::string& name)
{
    std::ifstream in(std::string(QUARRY_SOURCE_DIR) + "/tests/quarryhl/golden/" + name, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return normaliseEditorText(all.str());
}

struct Expected {
    const char* component;
    const char* language;
    const char* styles;  // "name=value;..."
    const char* sample;
};

const Expected kExpected[] = {
    {"TalvikAssemblyParser", "Talvik Assembly",
     "Comment=6;String=4;Reserved word=12;Operator=11;Identifier=3;Directive=10;Number=5;Default=0;", "sample.asm"},
    {"PascalParser", "Object Pascal",
     "Reserved word=7;Comment=5;Identifier=2;String=3;Number=4;Symbols=10;Default=0;", "sample.pas"},
    {"CppParser", "ANSI C",
     "Comment=6;String=4;Reserved word=12;Operator=11;Identifier=3;Directive=10;Number=5;Default=0;", "sample.c"},
    {"JavaParser", "Java", "Reserved word=1;Comment=2;Identifier=7;String=5;Number=8;Symbols=9;Default=30;",
     "Sample.java"},
    {"HTMLParser", "HTML / JS / VBS",
     "Default Text=0;HTML Tags=4;HTML Attributes=7;Comments=12;Strings=2;Numbers=1;Microsoft ASP Tags=104;"
     "HTML Special Characters=17;HTML Anchor Tags=50;HTML Image Tags=70;HTML Table Tags=60;Script Tags=9;"
     "Allaire Cold Fusion Tags=80;HTML Style Tags=120;JavaScript Keywords=30;JavaScript Methods=39;"
     "JavaScript Symbols=38;JavaScript Strings=34;JavaScript Identifiers=36;JavaScript Numbers=37;"
     "StyleSheet Selectors=131;StyleSheet Properties=133;StyleSheet Values=134;",
     "sample.html"},
    {"TextParser", "Plain text", "Default=0;", "sample.txt"},
};

TEST(BuiltinScripts, NamesAndEditableStylesAreThePromisedOnes)
{
    ASSERT_EQ(6u, builtinLanguages().size());
    for (size_t i = 0; i < 6; ++i) {
        const BuiltinLanguage& lang = builtinLanguages()[i];
        EXPECT_STREQ(kExpected[i].component, lang.component);
        auto parser = builtin(lang);
        EXPECT_EQ(kExpected[i].language, parser->languageName());
        std::string styles;
        for (const EditableStyle& s : parser->settings().editableStyles)
            styles += s.name + "=" + std::to_string(s.value) + ";";
        EXPECT_EQ(kExpected[i].styles, styles) << lang.script;
        const LanguageSettings& s = parser->settings();
        EXPECT_EQ("Courier New", s.fontName);
        EXPECT_EQ(10, s.fontSize);
        EXPECT_EQ("MS Sans Serif", s.gutterFontName);
        EXPECT_EQ(8, s.gutterFontSize);
        // Every editable style is painted by some token value or is the default style.
        for (const EditableStyle& style : s.editableStyles)
            EXPECT_TRUE(s.effects[size_t(style.value)].inUse) << lang.script << " " << style.name;
    }
}

std::set<std::string> keywordWords(const TCodeMemoParser& parser)
{
    std::set<std::string> words;
    for (const KeywordTable& t : parser.settings().keywordTables)
        for (const auto& [word, value] : t.words)
            words.insert(word);
    return words;
}

std::set<std::string> split(const std::string& list)
{
    std::set<std::string> words;
    std::istringstream in(list);
    for (std::string w; in >> w;)
        words.insert(w);
    return words;
}

TEST(BuiltinScripts, WordListsAreThePromisedOnes)
{
    auto pascal = builtin(*findBuiltinLanguage("pascal"));
    EXPECT_EQ(split("default read stored write index name resident and array as asm absolute abstract assembler at "
                    "automated begin case const class constructor cdecl div do downto destructor dispid dynamic else "
                    "end except external false file for forward function finalization finally goto if in "
                    "implementation interface inherited initialization inline is label library mod message nil not "
                    "nodefault of or on object override procedure program packed pascal private protected public "
                    "published record repeat raise register resourcestring set string shl shr stdcall then to true "
                    "type threadvar try until unit uses var virtual while with xor exports property"),
              keywordWords(*pascal));
    auto c = builtin(*findBuiltinLanguage("c"));
    EXPECT_EQ(split("auto break case char continue default do double else entry extern float for goto if int long "
                    "register return short sizeof static struct switch typedef union unsigned while based __cdecl "
                    "const dllexport dllimport enum __except __export __far __fastcall __finally __inline "
                    "__interrupt __leave __near __pascal signed __stdcall __try void volatile class delete friend "
                    "inline new operator private protected public this virtual"),
              keywordWords(*c));
    auto java = builtin(*findBuiltinLanguage("java"));
    EXPECT_EQ(split("abstract boolean break byte byvalue case cast catch char class const continue default do "
                    "double else extends false final finally float for future generic goto if implements import "
                    "inner instanceof int interface long native new null operator outer package private protected "
                    "public rest return short static super switch synchronized this throw throws transient true try "
                    "var void volatile while"),
              keywordWords(*java));
    auto assembly = builtin(*findBuiltinLanguage("asm"));
    std::set<std::string> directives;
    for (const auto& w : assembly->tables().words.words())
        if (w.text[0] == ' ')
            directives.insert(w.text.substr(1));
    EXPECT_EQ(split("org ds rmb db fcb dw fdb dl equ align_word align_long"), directives);
    auto html = builtin(*findBuiltinLanguage("html"));
    std::set<std::string> tags;
    for (const auto& w : html->tables().words.words())
        tags.insert(w.text);
    for (const char* opener : {"<!--", "<%", "<a", "<img", "<cf", "<table", "<tr", "<td", "<style", "<script"})
        EXPECT_EQ(1u, tags.count(opener)) << opener;
    EXPECT_LE(85u, html->settings().keywordTables.front().words.size() - 38);
    auto text = builtin(*findBuiltinLanguage("text"));
    EXPECT_TRUE(text->tables().words.words().empty());
    EXPECT_EQ(400u, text->settings().autoReplace.size());
    EXPECT_EQ("\\{Return}", text->settings().autoReplaceTriggers.substr(9, 9));
}

TEST(BuiltinScripts, CompiledFormsLoadBackAndScanTheSame)
{
    for (size_t i = 0; i < 6; ++i) {
        const BuiltinLanguage& lang = builtinLanguages()[i];
        auto parser = builtin(lang);
        const std::string property = parser->parserProperty();
        TCodeMemoParser loaded;
        loaded.loadParserProperty(property);
        loaded.OnCustomParse = parser->OnCustomParse;
        EXPECT_EQ(property, loaded.parserProperty()) << lang.script;
        const std::string text = readSample(kExpected[i].sample);
        EXPECT_EQ(test::tokenDump(*parser, text), test::tokenDump(loaded, text)) << lang.script;
        // The editor's settings object carries the script's language settings.
        EXPECT_EQ(parser->languageName(), loaded.Settings().name);
        EXPECT_EQ(parser->settings().map, loaded.Settings().map);
    }
}

TEST(BuiltinScripts, ExampleTextsScanWithoutUnknownPieces)
{
    for (const BuiltinLanguage& lang : builtinLanguages()) {
        auto parser = builtin(lang);
        const std::string text = normaliseEditorText(parser->settings().exampleText);
        EXPECT_FALSE(text.empty()) << lang.script;
        EXPECT_EQ(text.size(), scanStyles(*parser, text).size());
    }
}

}  // namespace
}  // namespace quarry
