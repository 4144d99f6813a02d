// The parser repository: the six built-in parsers in order, built from the images embedded at
// build time; lookup by position and name; settings saved to and loaded from the editor store and
// the registry stand-in, with one damaged language never spoiling the others.
#include "support/ThrownMessage.h"
#include "highlight/HighlightTestUtil.h"
#include "editorsettings/VirtualKeys.h"
#include "highlight/BuiltinLanguages.h"
#include "highlight/BuiltinParserImages.h"
#include "highlight/CustomParseHandlers.h"
#include "highlight/ParserRegistry.h"
#include "platform/PersistentEditorStore.h"
#include "highlight/StyleString.h"
#include "compress/TCompressor.h"
#include "highlight/TParserRepository.h"
#include "platform/MemoryKeyValueStore.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace quarry {
namespace {

const char* const kComponents[] = {"TalvikAssemblyParser", "PascalParser", "CppParser",
                                   "JavaParser",           "HTMLParser",   "TextParser"};
const char* const kLanguages[] = {"Talvik Assembly", "Object Pascal",   "ANSI C",
                                  "Java",            "HTML / JS / VBS", "Plain text"};

TEST(TParserRepository, HoldsTheSixBuiltInParsersInOrder)
{
    TParserRepository repository(builtinParserImages());
    ASSERT_EQ(6, repository.Count());
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(kComponents[i], repository.ComponentName(i));
        EXPECT_EQ(kLanguages[i], repository.LanguageName(i));
        EXPECT_EQ(kComponents[i], repository.Parser(i).componentName);
        EXPECT_EQ(kLanguages[i], repository.Parser(i).languageName());
        EXPECT_FALSE(repository.Parser(i).useRegistry);
    }
    EXPECT_EQ(std::vector<std::string>(std::begin(kLanguages), std::end(kLanguages)), repository.LanguageNames());
}

TEST(TParserRepository, EmbeddedImagesAreTheShippedScriptsCompiled)
{
    TParserRepository repository(builtinParserImages());
    for (int i = 0; i < 6; ++i) {
        TCodeMemoParser fromScript;
        fromScript.compileFile(test::builtinScriptPath(builtinLanguages()[size_t(i)].script));
        EXPECT_EQ(fromScript.compiledForm(), repository.Parser(i).compiledForm()) << kComponents[i];
    }
}

TEST(TParserRepository, EachImageDecompressesToTheSizeItsHeaderGives)
{
    for (const BuiltinParserImage& image : builtinParserImages()) {
        ASSERT_GT(image.property.size(), 6u) << image.script;
        const std::string_view p = image.property;
        const uint32_t size = uint8_t(p[2]) | uint32_t(uint8_t(p[3])) << 8 | uint32_t(uint8_t(p[4])) << 16 |
                              uint32_t(uint8_t(p[5])) << 24;
        EXPECT_EQ("WRZL", p.substr(6, 4)) << image.script;
        EXPECT_EQ(size, TCompressor::DecompressBytes(p.substr(6)).size()) << image.script;
    }
}

TEST(TParserRepository, FindsParsersByPositionAndByName)
{
    TParserRepository repository(builtinParserImages());
    struct Case {
        const char* name;
        int index;
    } cases[] = {{"ANSI C", 2}, {"ansi c", 2}, {"PLAIN TEXT", 5}, {"HTML / JS / VBS", 4},
                 {"Talvik Assembly", 0}, {"C", -1}, {"", -1}, {"CppParser", -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.index, repository.IndexOf(c.name)) << c.name;
        EXPECT_EQ(c.index < 0 ? nullptr : &repository.Parser(c.index), repository.Find(c.name)) << c.name;
    }
    EXPECT_THROW(repository.Parser(6), std::out_of_range);
    EXPECT_THROW(repository.Parser(-1), std::out_of_range);
    EXPECT_THROW(repository.ComponentName(6), std::out_of_range);
}

TEST(TParserRepository, TheCParserContinuesPreprocessorLinesOverBackslashes)
{
    TParserRepository repository(builtinParserImages());
    TCodeMemoParser& c = *repository.Find("ANSI C");
    const std::string dump = test::tokenDump(c, "#define TWICE(x) \\\n  ((x) + (x))\nint y;");
    EXPECT_EQ(0u, dump.find("10:#define TWICE(x) \\|  ((x) + (x))")) << dump;
}

TEST(TParserRepository, AMissingImageIsABrokenBuild)
{
    std::vector<BuiltinParserImage> images(builtinParserImages().begin(), builtinParserImages().end());
    images.erase(images.begin() + 3);
    EXPECT_EQ("JavaParser: no compiled parser was built from java.hl",
              test::thrownMessage<ECodeMemoParserError>([&] { TParserRepository repository(images); }));
}

// Changes the C and Java settings the way a user would in the options dialog.
void editUserSettings(TParserRepository& repository)
{
    TCodeMemoParser& c = *repository.Find("ANSI C");
    c.settings().fontSize = 16;
    c.settings().gutterFontStyle = fsBold | fsStrikeOut;
    c.settings().effects[6].foreground = 0x00FF00;
    c.applySettings();
    TCodeMemoParser& java = *repository.Find("Java");
    java.settings().tabDefault = 2;
    java.settings().keysDefined = true;
    java.settings().keyBindings = {{TShortCut(scCtrl | 'Q'), 'F', 41}};
    java.applySettings();
}

void expectEdited(TParserRepository& repository)
{
    TCodeMemoParser& c = *repository.Find("ANSI C");
    EXPECT_EQ(16, c.Settings().font.size);
    EXPECT_EQ(fsBold | fsStrikeOut, c.Settings().gutterFont.style);  // what the editor paints with
    EXPECT_EQ(TColor(0x00FF00), c.Settings().effects[6].foreground);
    TCodeMemoParser& java = *repository.Find("Java");
    EXPECT_EQ(2, java.Settings().TabDefault());
    EXPECT_EQ(1, java.Settings().keys.BindingCount());
    EXPECT_EQ(std::make_pair(TShortCut(scCtrl | 'Q'), TShortCut('F')), java.Settings().keys.KeysOfAction(41, 0));
}

TEST(TParserRepository, SettingsRoundTripThroughTheStore)
{
    PersistentEditorStore store;
    {
        TParserRepository repository(builtinParserImages());
        editUserSettings(repository);
        repository.SaveAllSettings(store);
    }
    for (const char* language : kLanguages)
        EXPECT_TRUE(store.SettingsStream(language)) << language;
    TParserRepository repository(builtinParserImages());
    EXPECT_TRUE(repository.LoadAllSettings(store).empty());
    expectEdited(repository);
    EXPECT_EQ(10, repository.Find("Object Pascal")->Settings().font.size);
}

TEST(TParserRepository, SettingsRoundTripThroughTheRegistry)
{
    MemoryKeyValueStore registry;
    {
        TParserRepository repository(builtinParserImages());
        editUserSettings(repository);
        repository.SaveAllSettings(registry);
    }
    EXPECT_TRUE(registry.readString("Software\\Talvik Systems\\Quarry", "Highlighting - HTML / JS / VBS"));
    TParserRepository repository(builtinParserImages());
    EXPECT_TRUE(repository.LoadAllSettings(registry).empty());
    expectEdited(repository);
}

TEST(TParserRepository, TheUseRegistryFlagChoosesWhereSettingsGo)
{
    for (bool useRegistry : {false, true}) {
        PersistentEditorStore store;
        MemoryKeyValueStore registry;
        TParserRepository repository(builtinParserImages());
        repository.useRegistry = useRegistry;
        repository.SaveAllSettings(store, registry);
        EXPECT_EQ(!useRegistry, store.HasSection("UISettings: java"));
        EXPECT_EQ(useRegistry, registry.keyExists("Software\\Talvik Systems\\Quarry"));
    }
}

// A number out of range in the editor store or in the registry keeps the value the parser held,
// and the rest of the language's settings still load.
TEST(TParserRepository, LayoutNumbersOutsideTheirRangeKeepTheHeldValues)
{
    struct Case {
        const char* what;
        int LanguageSettings::*field;
        int value;  // stored
        int held;   // by the parser that loads
    } cases[] = {
        {"wrap column", &LanguageSettings::wrapAtColumn, 2147483647, 72},
        {"gutter", &LanguageSettings::gutter, 200, 50},
        {"right margin", &LanguageSettings::rightMargin, -1, 100},
        {"margin width", &LanguageSettings::marginWidth, 1 << 20, 5},
        {"font size", &LanguageSettings::fontSize, 1073741824, 14},
        {"gutter font size", &LanguageSettings::gutterFontSize, 0, 9},
        {"indent step", &LanguageSettings::indentStep, 21, 3},
        {"tab default", &LanguageSettings::tabDefault, 2147483647, 8},
    };
    for (bool useRegistry : {false, true}) {
        PersistentEditorStore store;
        MemoryKeyValueStore registry;
        TParserRepository saving(builtinParserImages());
        saving.useRegistry = useRegistry;
        LanguageSettings& edited = saving.Find("ANSI C")->settings();
        for (const Case& c : cases)
            edited.*c.field = c.value;
        edited.fontName = "Edited";
        saving.SaveAllSettings(store, registry);
        TParserRepository loading(builtinParserImages());
        loading.useRegistry = useRegistry;
        for (const Case& c : cases)
            loading.Find("ANSI C")->settings().*c.field = c.held;
        EXPECT_TRUE(loading.LoadAllSettings(store, registry).empty());
        const LanguageSettings& loaded = loading.Find("ANSI C")->settings();
        for (const Case& c : cases)
            EXPECT_EQ(c.held, loaded.*c.field) << c.what << (useRegistry ? " from the registry" : " from the store");
        EXPECT_EQ("Edited", loaded.fontName);
    }
}

// A store whose C settings were edited and whose Java settings are then damaged by `damage`.
PersistentEditorStore storeWithDamagedJava(const std::function<void(PersistentEditorStore&)>& damage)
{
    PersistentEditorStore store;
    TParserRepository repository(builtinParserImages());
    editUserSettings(repository);
    repository.SaveAllSettings(store);
    damage(store);
    return store;
}

TEST(TParserRepository, ADamagedStoredLanguageKeepsItsBuiltInSettingsAndTheRestLoad)
{
    auto java = [](PersistentEditorStore& s) { return *s.SettingsStream("Java"); };
    struct Case {
        const char* what;
        std::function<void(PersistentEditorStore&)> damage;
    } cases[] = {
        {"a bad hexadecimal digit",
         [](PersistentEditorStore& s) {
             auto lines = s.Section("UISettings: java");
             lines[2][5] = 'z';
             s.SetSection("UISettings: java", lines);
         }},
        {"a line lost",
         [](PersistentEditorStore& s) {
             auto lines = s.Section("UISettings: java");
             lines.erase(lines.begin() + 1);
             s.SetSection("UISettings: java", lines);
         }},
        {"cut short", [&](PersistentEditorStore& s) { s.SetSettingsStream("Java", java(s).substr(0, 100)); }},
        {"bytes added", [&](PersistentEditorStore& s) { s.SetSettingsStream("Java", java(s) + "junk"); }},
        {"another language's stream",
         [](PersistentEditorStore& s) { s.SetSettingsStream("Java", *s.SettingsStream("Object Pascal")); }},
        {"a wrong version",
         [&](PersistentEditorStore& s) {
             std::string b = java(s);
             b[0] = 50;
             s.SetSettingsStream("Java", b);
         }},
        {"a huge count",
         [&](PersistentEditorStore& s) {
             std::string b = java(s);
             b[18] = char(0x7F);  // the high byte of the example text's length (version, name, case, options before it)
             s.SetSettingsStream("Java", b);
         }},
        {"empty", [](PersistentEditorStore& s) { s.SetSection("UISettings: java", {}); }},
    };
    for (const Case& c : cases) {
        PersistentEditorStore store = storeWithDamagedJava(c.damage);
        TParserRepository repository(builtinParserImages());
        EXPECT_EQ((std::vector<std::string>{"Java"}), repository.LoadAllSettings(store)) << c.what;
        TCodeMemoParser& java = *repository.Find("Java");
        EXPECT_EQ(4, java.Settings().TabDefault()) << c.what;
        EXPECT_EQ(TKeyboardActionContoller::Default().BindingCount(), java.Settings().keys.BindingCount()) << c.what;
        EXPECT_EQ("Java", java.languageName()) << c.what;
        EXPECT_EQ(16, repository.Find("ANSI C")->Settings().font.size) << c.what;
    }
}

TEST(TParserRepository, RandomlyDamagedStreamsNeverCrashTheLoad)
{
    PersistentEditorStore good;
    {
        TParserRepository repository(builtinParserImages());
        repository.SaveAllSettings(good);
    }
    const std::string stream = *good.SettingsStream("ANSI C");
    std::mt19937 rng(17);
    TParserRepository repository(builtinParserImages());
    for (int round = 0; round < 400; ++round) {
        std::string damaged = stream;
        for (int flips = 0; flips < 1 + int(rng() % 3); ++flips)
            damaged[rng() % damaged.size()] = char(rng());
        PersistentEditorStore store;
        store.SetSettingsStream("ANSI C", damaged);
        const auto failed = repository.LoadAllSettings(store);
        EXPECT_LE(failed.size(), 1u);
        // Whatever was accepted still scans.
        test::tokenDump(*repository.Find("ANSI C"), "int x = 1; /* c */\n#define A 1\n");
    }
}

TEST(TParserRepository, ABadStyleStringInTheRegistrySpoilsOnlyItsLanguage)
{
    MemoryKeyValueStore registry;
    {
        TParserRepository repository(builtinParserImages());
        editUserSettings(repository);
        repository.SaveAllSettings(registry);
    }
    registry.writeString(TParserRepository::kRegistryKey, "Highlighting - Java", "Corvid2:TBD#1#8");
    TParserRepository repository(builtinParserImages());
    EXPECT_EQ((std::vector<std::string>{"Java"}), repository.LoadAllSettings(registry));
    EXPECT_EQ(4, repository.Find("Java")->Settings().TabDefault());
    EXPECT_EQ(16, repository.Find("ANSI C")->Settings().font.size);
}

TEST(TParserRepository, FiltersAreKeptPerLanguageInTheStore)
{
    TParserRepository repository(builtinParserImages());
    PersistentEditorStore store;
    store.SetFilters(repository.LanguageName(0), {"*.asm;*.s;*.inc"});
    EXPECT_EQ((std::vector<std::string>{"[Filters: talvik assembly]", "*.asm;*.s;*.inc"}), store.Lines());
}

}  // namespace
}  // namespace quarry
