// What each script section puts into the settings and tables, read back through dumps.
#include "highlight/HighlightTestUtil.h"

#include <gtest/gtest.h>

#include <functional>

namespace quarry {
namespace {

struct PropertyCase {
    const char* script;
    std::function<std::string(const TCodeMemoParser&)> read;
    const char* expected;
};

std::string num(long long v) { return std::to_string(v); }

TEST(ScriptSections, LanguagePropertiesLandInTheSettings)
{
    using P = const TCodeMemoParser&;
    const PropertyCase cases[] = {
        {"name = 'A name longer than thirty-five characters in all'", [](P p) { return p.settings().name; },
         "A name longer than thirty-five char"},
        {"case = __sensitive", [](P p) { return num(p.settings().caseSensitive); }, "1"},
        {"options = 1 + 2 or 4", [](P p) { return num(p.settings().options); }, "7"},
        {"options = 8 - 2 - 1", [](P p) { return num(p.settings().options); }, "5"},
        {"options = 2 or 1 + 1", [](P p) { return num(p.settings().options); }, "4"},  // left to right
        {"options = 8 - (2 - 1)", [](P p) { return num(p.settings().options); }, "7"},
        {"options = __OPT_WORDWRAP or __OPT_LINE_NUMBERS", [](P p) { return num(p.settings().options); }, "1025"},
        {"", [](P p) { return num(p.settings().options); }, "67099632"},
        {"exampletext = 'a\\nb'", [](P p) { return p.settings().exampleText; }, "a\rb"},
        {"editablestyles ('A style name of more than 25 chars', 3), ('B', 255)",
         [](P p) {
             std::string out;
             for (auto& s : p.settings().editableStyles)
                 out += s.name + "=" + num(s.value) + ";";
             return out;
         },
         "A style name of more than=3;B=255;"},
        {"wordwrapcolumn = 72", [](P p) { return num(p.settings().wrapAtColumn); }, "72"},
        {"gutter = _default_gutter + 6", [](P p) { return num(p.settings().gutter); }, "40"},
        {"anchor = []", [](P p) { return p.tables().anchor.dump(); }, "{0}"},
        {"anchor = 7", [](P p) { return p.tables().anchor.dump(); }, "{7}"},
        {"anchor = [1, 40, 255]", [](P p) { return p.tables().anchor.dump(); }, "{1,40,255}"},
        {"indentstep = 20", [](P p) { return num(p.settings().indentStep); }, "20"},
        {"wrapoverride = '>'", [](P p) { return p.settings().wrapOverride; }, ">"},
        {"startstate = [2, 3]", [](P p) { return p.tables().startStates.dump(); }, "{2,3}"},
        {"seltextcolor = (*) clRed",
         [](P p) { return num(p.settings().selTextColor) + (p.settings().selTextColorDefault ? "*" : ""); }, "255*"},
        {"seltextback = clNavy",
         [](P p) { return num(p.settings().selTextBack) + (p.settings().selTextBackDefault ? "*" : ""); },
         "8388608"},
        {"guttercolor = (clRed or clLime)", [](P p) { return num(p.settings().gutterColor); }, "65535"},
        {"margincolor = (1) + 2", [](P p) { return num(p.settings().marginColor); }, "3"},
        {"rightmargin = 100", [](P p) { return num(p.settings().rightMargin); }, "100"},
        {"marginwidth = 4", [](P p) { return num(p.settings().marginWidth); }, "4"},
        {"fontname = 'Lucida'", [](P p) { return p.settings().fontName; }, "Lucida"},
        {"fontsize = 12", [](P p) { return num(p.settings().fontSize); }, "12"},
        {"fontcharset = GREEK_CHARSET", [](P p) { return num(p.settings().fontCharset); }, "161"},
        {"tabcolumns = '10, 20 30'",
         [](P p) {
             std::string out;
             for (int c : p.settings().tabColumns)
                 out += num(c) + ";";
             return out;
         },
         "10;20;30;"},
        {"tabdefault = 8", [](P p) { return num(p.settings().tabDefault); }, "8"},
        {"startstate = [5] contextstates = (1 [2, 3]), ([4, 6] 7), (9)",
         [](P p) {
             return p.tables().contexts[1].dump() + p.tables().contexts[4].dump() + p.tables().contexts[6].dump() +
                    p.tables().contexts[9].dump() + p.tables().contexts[0].dump();
         },
         "{2,3}{7}{7}{5}{5}"},
        {"boundstates = [1, 2]", [](P p) { return p.tables().boundStates.dump(); }, "{1,2}"},
        {"GutterFontName = 'Tahoma' GutterFontSize = 9 GutterFontColor = clGray",
         [](P p) {
             return p.settings().gutterFontName + num(p.settings().gutterFontSize) + "/" +
                    num(p.settings().gutterFontColor);
         },
         "Tahoma9/8421504"},
        {"GutterFontStyle = [fsBold, fsUnderline, 9]", [](P p) { return num(p.settings().gutterFontStyle); }, "5"},
        {"GutterFontStyle = [fsBold] GutterFontStyle = []", [](P p) { return num(p.settings().gutterFontStyle); },
         "0"},
    };
    for (const PropertyCase& c : cases) {
        TCodeMemoParser parser;
        const std::string script = std::string("%%language\r") + c.script;
        try {
            parser.compile(script);
        } catch (const ECodeMemoParserError& e) {
            ADD_FAILURE() << c.script << ": " << e.what();
            continue;
        }
        EXPECT_EQ(c.expected, c.read(parser)) << c.script;
    }
}

TEST(ScriptSections, MapAndEffectsDescribeStyles)
{
    auto parser = test::compiled("%%map 3 5 4 5\r"
                                 "%%effects 0 [] clBlack * clWhite *\r"
                                 "5 [fsBold, fsItalic, fsStrikeout, 12] clRed clYellow * 'HotSpot'\r"
                                 "6 [] 1 2 0 [] 0 0\r");
    const LanguageSettings& s = parser->settings();
    EXPECT_EQ(5, s.map[3]);
    EXPECT_EQ(5, s.map[4]);
    EXPECT_EQ(0, s.map[6]);  // values without an entry paint in style 0
    const StyleEffect& e = s.effects[5];
    EXPECT_EQ((StyleEffect{1 | 2 | 8, 255, 65535, false, true, true, true}), e);
    EXPECT_FALSE(s.effects[6].hotSpot);
    EXPECT_EQ(0u, s.effects[0].foreground);  // style 0 may be given again
    // Any other string is not part of the entry, so it stands where a section word must.
    EXPECT_EQ("** ERROR near line 1, Column 26: Script syntax error",
              test::compileError("%%effects 6 [] 1 2 'other' 7 [] 0 0"));
    EXPECT_FALSE(s.effects[0].foregroundDefault);
    EXPECT_FALSE(s.effects[7].inUse);
}

TEST(ScriptSections, StatesAndContainersFillStateRecords)
{
    auto parser = test::compiled("%%words 'w' ' ' 9 [4]\r"
                                 "%%states 1 push ( + 2 + [3, 4] - 0 ) 5 ( ) pop 6 pop ( - 2 ) 7 ( + 1 ) push\r"
                                 "%%containers 8 ( + 1 - [0] )");
    const auto& states = parser->tables().states;
    ASSERT_TRUE(states[1] && states[5] && states[6] && states[7] && states[8] && states[9]);
    EXPECT_EQ("{2,3,4}", states[1]->add.dump());
    EXPECT_EQ("{0}", states[1]->remove.dump());
    EXPECT_EQ(kPushBefore, states[1]->stackOp);
    EXPECT_FALSE(states[1]->noChange);
    EXPECT_EQ(kPopAfter, states[5]->stackOp);
    EXPECT_TRUE(states[5]->noChange);
    EXPECT_EQ(kPopBefore, states[6]->stackOp);
    EXPECT_EQ(kPushAfter, states[7]->stackOp);
    EXPECT_TRUE(states[8]->container);
    EXPECT_EQ("{0,4}", states[9]->valid.dump());  // a word's states join the record's valid set
    EXPECT_FALSE(states[2].has_value());
}

TEST(ScriptSections, HandlersAndTokenDefinitionsAreStored)
{
    auto parser = test::compiled("%%handlers 3 '[a-z]' ? '*/' _use_ 4 match(7) 5 __STD_C_STRING 6 'x' match(2) 0\r"
                                 "%%tokens 7 '[ab]' '[a-z]' ? 'z' _discard_ [2]\r8 __STD_NUMBER\rInState 9 ( 10 'q' )");
    const ParserTables& t = parser->tables();
    ASSERT_TRUE(t.handlers[3] && t.handlers[4] && t.handlers[5] && t.handlers[6]);
    EXPECT_EQ(1, t.handlers[3]->start.testEndFirst);
    EXPECT_EQ(2, t.handlers[3]->end.count);
    EXPECT_EQ(1, t.handlers[3]->end.use);
    EXPECT_EQ(1, t.handlers[4]->start.matchKind);
    EXPECT_EQ(7, t.handlers[4]->start.matchIndex);
    EXPECT_EQ(0, t.handlers[5]->start.matchKind);
    EXPECT_EQ(13, t.handlers[5]->start.matchIndex);
    EXPECT_EQ(1, t.handlers[6]->end.isMatch);
    EXPECT_EQ(2, t.handlers[6]->end.matchIndex);
    EXPECT_TRUE(t.customMatching);
    const TokenDef* a = t.defaultTable.find('a', StateSet::of({2}));
    ASSERT_NE(nullptr, a);
    EXPECT_EQ(7, a->value);
    EXPECT_EQ("{0,2}", a->states.dump());
    EXPECT_EQ(nullptr, t.defaultTable.find('c', StateSet::of({0})));
    const TokenDef* digit = t.defaultTable.find('5', StateSet::of({0}));
    ASSERT_NE(nullptr, digit);
    EXPECT_EQ(16, digit->start.matchIndex);
    ASSERT_TRUE(t.stateTables[9]);
    EXPECT_TRUE(t.hasStateTables);
    EXPECT_EQ(10, t.stateTables[9]->find('q', StateSet::of({9}))->value);
}

TEST(ScriptSections, KeysBuildTheLanguageKeyTable)
{
    auto parser = test::compiled("%%keys\r"
                                 "caLEFT ( LEFT | [ctrl] 's' ) 'Go left'\r"
                                 "caBLOCKIND ( [ctrl, shift] 'K', 'i' )\r"
                                 "caUNDO ( [alt] BACKSPACE )");
    const LanguageSettings& s = parser->settings();
    EXPECT_TRUE(s.keysDefined);
    const std::vector<ScriptKeyBinding> expected = {
        {37, 0, 0}, {uint16_t(16384 | 'S'), 0, 0}, {uint16_t(16384 | 8192 | 'K'), 'I', 17}, {uint16_t(32768 | 8), 0, 41}};
    EXPECT_EQ(expected, s.keyBindings);
    EXPECT_EQ("Go left", s.actionName(0));
    EXPECT_EQ("Undo", s.actionName(41));
    // The editor's settings object gets the same table.
    const auto keys = const_cast<TCodeMemoParser&>(*parser).Settings().keys.KeysOfAction(17, 0);
    EXPECT_EQ(uint16_t(16384 | 8192 | 'K'), keys.first);
    EXPECT_EQ('I', keys.second);
    EXPECT_EQ("Go left", const_cast<TCodeMemoParser&>(*parser).Settings().keys.ActionName(0));
}

TEST(ScriptSections, KeywordTablesAutoReplaceAndTemplates)
{
    auto parser = test::compiled("%%language case = __sensitive\r"
                                 "%%kwTables forstate [] endswith '' ( 12 is 'if', 'else' 13 is 'int' )\r"
                                 "forstate [2, 3] endswith ' ' ( 5 is 'x' )\r"
                                 "%%autoreplace 'old' = 'x' actionkeys = '\\\\s' 'teh' = 'the'\r"
                                 "%%autoreplace 'recieve' = 'receive'\r"
                                 "%%templates 'x' = 'gone'\r%%templates hotkey = ([ctrl] 'J')\r"
                                 "'if' ('if block') = 'if (|)' 'for' = 'for' 'if' = 'if again'");
    const LanguageSettings& s = parser->settings();
    ASSERT_EQ(2u, s.keywordTables.size());
    EXPECT_EQ("{0}", s.keywordTables[0].states.dump());
    EXPECT_TRUE(s.keywordTables[0].caseSensitive);
    EXPECT_EQ((std::vector<std::pair<std::string, int32_t>>{{"if", 12}, {"else", 12}, {"int", 13}}),
              s.keywordTables[0].words);
    // A later section empties the list first.
    EXPECT_EQ((std::vector<std::pair<std::string, std::string>>{{"recieve", "receive"}}), s.autoReplace);
    EXPECT_EQ("\\s", s.autoReplaceTriggers);
    EXPECT_EQ(uint16_t(16384 | 'J'), s.templateHotKey);
    ASSERT_EQ(2u, s.templates.size());
    EXPECT_EQ((CodeTemplate{"if", "", "if again"}), s.templates[0]);  // a template of the same name replaces
    EXPECT_EQ((CodeTemplate{"for", "", "for"}), s.templates[1]);
    EXPECT_EQ("12:if 0:  0:I 0:F", test::tokenDump(const_cast<TCodeMemoParser&>(*parser), "if IF"));
}

TEST(ScriptSections, SettingsReachTheEditorsSettingsObject)
{
    auto parser = test::compiled("%%language name = 'Demo' options = 1 gutter = 40 tabdefault = 3 fontname = 'X'\r"
                                 "tabcolumns = '5 9' seltextcolor = clRed GutterFontStyle = [fsItalic, fsUnderline]\r"
                                 "%%map 1 2\r%%effects 2 [fsBold] clRed clWhite *");
    TCM_Settings& t = parser->Settings();
    EXPECT_EQ("Demo", t.name);
    EXPECT_EQ(1u, t.options);
    EXPECT_EQ(40, t.gutter);
    EXPECT_EQ(3, t.TabDefault());
    EXPECT_EQ(5, t.NextTabStop(1));
    EXPECT_EQ("X", t.font.name);
    EXPECT_EQ(fsItalic | fsUnderline, t.gutterFont.style);
    EXPECT_EQ(255, t.selTextColor);
    EXPECT_EQ(2, t.map[1]);
    EXPECT_EQ(1, t.effects[2].fontStyle);
    EXPECT_EQ(255, t.effects[2].foreground);
    EXPECT_TRUE(t.effects[2].defaultBackground);
    EXPECT_TRUE(parser->tables().anchor.has(0));
}

}  // namespace
}  // namespace quarry
