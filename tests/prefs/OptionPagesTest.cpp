// The pages' edits on a copy of a language's settings: number fields and their ranges, the
// highlighting elements, the auto-correct pairs and the code templates. A refused edit leaves
// the settings exactly as they were.
#include "highlight/LanguageSettings.h"
#include "highlight/StyleString.h"
#include "prefs/AutoCorrectList.h"
#include "prefs/HighlightElements.h"
#include "prefs/OptionFields.h"
#include "prefs/TemplateList.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

// Everything a page can change, as comparable text.
std::string Dump(const LanguageSettings& s)
{
    std::string out = StyleString::Write(s);
    for (const auto& [word, replacement] : s.autoReplace)
        out += "|" + word + "=" + replacement;
    for (const CodeTemplate& t : s.templates)
        out += "|" + t.name + "/" + t.description + "/" + t.text;
    return out + "|" + s.autoReplaceTriggers + "|" + std::to_string(s.templateHotKey);
}

TEST(OptionFields, NumbersOutsideTheirRangeAreRefusedWithTheRange)
{
    using F = OptionFields;
    const struct {
        F::Field field;
        const char* text;
        std::string refusal;  // empty: accepted
        int value;
    } cases[] = {
        {F::GutterWidth, "200", "0-199 only", 34},  {F::GutterWidth, "199", "", 199},
        {F::GutterWidth, " 0 ", "", 0},             {F::GutterWidth, "-1", "0-199 only", 34},
        {F::GutterWidth, "12a", "0-199 only", 34},  {F::GutterWidth, "", "0-199 only", 34},
        {F::GutterWidth, "99999999999999999999", "0-199 only", 34},
        {F::IndentStep, "21", "0-20 only", 1},      {F::IndentStep, "20", "", 20},
        {F::TabDefault, "0", "1-1000 only", 4},     {F::RightMargin, "120", "", 120},
        {F::WrapColumn, "-5", F::RangeMessage(F::WrapColumn), 0},
    };
    for (const auto& c : cases) {
        LanguageSettings settings;
        const std::string before = Dump(settings);
        const auto refusal = F::Set(settings, c.field, c.text);
        EXPECT_EQ(c.refusal, refusal.value_or("")) << F::Label(c.field) << " " << c.text;
        EXPECT_EQ(c.value, F::Value(settings, c.field)) << F::Label(c.field) << " " << c.text;
        if (refusal) {
            EXPECT_EQ(before, Dump(settings));
        }
    }
}

TEST(OptionFields, TabColumnsTakeTheEditorsOwnMessages)
{
    const struct {
        const char* text;
        const char* refusal;
        std::vector<int> columns;
    } cases[] = {{"4 8,12", "", {4, 8, 12}}, {"", "", {}}, {"8 4", "Tab columns must be in order and unique", {9}},
                 {"1", "Tab column must be > 1", {9}}, {"x", "Tab stop column value expected", {9}}};
    for (const auto& c : cases) {
        LanguageSettings settings;
        settings.tabColumnsText = "9";
        settings.tabColumns = {9};
        EXPECT_EQ(c.refusal, OptionFields::SetTabColumns(settings, c.text).value_or("")) << c.text;
        EXPECT_EQ(c.columns, settings.tabColumns) << c.text;
    }
}

LanguageSettings TwoStyles()
{
    LanguageSettings s;
    s.editableStyles = {{"Comment", 6}, {"String", 4}};
    s.map[17] = 6;
    s.map[18] = 4;
    s.map[19] = 9;
    return s;
}

TEST(HighlightElements, StylesThenTheFixedElementsEachWriteTheirOwnSettings)
{
    LanguageSettings s = TwoStyles();
    HighlightElements elements(s);
    std::vector<std::string> names;
    for (int i = 0; i < elements.Count(); ++i)
        names.push_back(elements.Name(i));
    EXPECT_EQ((std::vector<std::string>{"Comment", "String", "Selected text", "Left margin", "Gutter"}), names);

    const ElementLook look{0x112233, 0x445566, true, false, 5};
    for (int i = 0; i < elements.Count(); ++i)
        elements.SetLook(i, look);
    const StyleEffect string = s.effects[4];
    EXPECT_EQ((StyleEffect{5, 0x112233, 0x445566, true, false, false, true}), string);
    EXPECT_EQ(string, s.effects[6]);
    EXPECT_FALSE(s.effects[9].inUse);
    EXPECT_EQ((std::vector<uint32_t>{0x112233, 0x445566, 0x445566, 0x445566, 0x112233}),
              (std::vector<uint32_t>{s.selTextColor, s.selTextBack, s.marginColor, s.gutterColor, s.gutterFontColor}));
    EXPECT_EQ((std::vector<bool>{true, false, false, false}),
              (std::vector<bool>{s.selTextColorDefault, s.selTextBackDefault, s.marginColorDefault, s.gutterColorDefault}));
    EXPECT_EQ(5, s.gutterFontStyle);
    for (int i = 0; i < elements.Count(); ++i)
        EXPECT_EQ(elements.Look(i).background, 0x445566u) << elements.Name(i);
    EXPECT_FALSE(elements.Look(3).hasForeground);
    EXPECT_FALSE(elements.Look(2).hasFontStyle);
}

TEST(HighlightElements, ATokenSelectsTheStyleOfItsEffect)
{
    LanguageSettings s = TwoStyles();
    const HighlightElements elements(s);
    const struct {
        uint8_t token;
        int element;
    } cases[] = {{17, 0}, {18, 1}, {19, -1}, {0, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(c.element, elements.ElementOfToken(c.token)) << int(c.token);
}

TEST(AutoCorrectAndTemplates, EmptyAndDuplicateNamesAreRefusedAndNothingIsLost)
{
    enum Op { AddPair, ReplacePair, DeletePair, AddTemplate, ReplaceTemplate, DeleteTemplate };
    const struct {
        Op op;
        int index;
        const char* name;
        bool caseSensitive;
        const char* refusal;
        const char* listed;  // the rows afterwards
    } cases[] = {
        {AddPair, -1, " teh ", false, "", "begni\tbegin,hte\tthe,teh\tx,"},
        {AddPair, -1, "hte", false, "\"hte\" is in the list already; choose it and press Replace to change it.",
         "begni\tbegin,hte\tthe,"},
        {AddPair, -1, "HTE", false, "", "begni\tbegin,hte\tthe,HTE\tx,"},
        {AddPair, -1, "  ", false, "Enter the word to replace.", "begni\tbegin,hte\tthe,"},
        {ReplacePair, 1, "begni", false, "\"begni\" is in the list already; choose it and press Replace to change it.",
         "begni\tbegin,hte\tthe,"},
        {ReplacePair, 1, "hte", false, "", "begni\tbegin,hte\tx,"},
        {ReplacePair, 2, "new", false, "Choose an entry in the list first.", "begni\tbegin,hte\tthe,"},
        {DeletePair, 0, "", false, "", "hte\tthe,"},
        {AddTemplate, -1, "", false, "A code template needs a name.", "if\tif block,for\tfor loop,"},
        {AddTemplate, -1, "IF", false,
         "A template named \"IF\" exists already; choose it and press Replace to change it.", "if\tif block,for\tfor loop,"},
        {AddTemplate, -1, "IF", true, "", "if\tif block,for\tfor loop,IF\tx,"},
        {ReplaceTemplate, 0, "For", false,
         "A template named \"For\" exists already; choose it and press Replace to change it.",
         "if\tif block,for\tfor loop,"},
        {ReplaceTemplate, 0, " while ", false, "", "while\tx,for\tfor loop,"},
        {ReplaceTemplate, -1, "while", false, "Choose an entry in the list first.", "if\tif block,for\tfor loop,"},
        {DeleteTemplate, 1, "", false, "", "if\tif block,"},
    };
    for (const auto& c : cases) {
        LanguageSettings s;
        s.caseSensitive = c.caseSensitive;
        s.autoReplace = {{"begni", "begin"}, {"hte", "the"}};
        s.templates = {{"if", "if block", "if (|) {}"}, {"for", "for loop", "for (;;) {}"}};
        const std::string before = Dump(s);
        AutoCorrectList pairs(s);
        TemplateList templates(s);
        std::optional<std::string> refusal;
        switch (c.op) {
        case AddPair: refusal = pairs.Add(c.name, "x"); break;
        case ReplacePair: refusal = pairs.Replace(c.index, c.name, "x"); break;
        case DeletePair: refusal = pairs.Delete(c.index); break;
        case AddTemplate: refusal = templates.Add({c.name, "x", "text"}); break;
        case ReplaceTemplate: refusal = templates.Replace(c.index, {c.name, "x", "text"}); break;
        case DeleteTemplate: refusal = templates.Delete(c.index); break;
        }
        SCOPED_TRACE(std::to_string(c.op) + " " + c.name);
        EXPECT_EQ(c.refusal, refusal.value_or(""));
        std::string listed;
        const bool onPairs = c.op <= DeletePair;
        for (int i = 0; i < (onPairs ? pairs.Count() : templates.Count()); ++i)
            listed += (onPairs ? pairs.RowText(i) : templates.RowText(i)) + ",";
        EXPECT_EQ(c.listed, listed);
        if (refusal) {
            EXPECT_EQ(before, Dump(s));
        }
    }
}

}  // namespace
}  // namespace quarry
