// A parser's settings in the registry stand-in: value names and layout, the round trip of style
// and key table, the disabled-interface error, missing keys and values without the marker.
#include "highlight/HighlightTestUtil.h"
#include "text/ECodeMemo.h"
#include "editorsettings/TKeyboardActionContoller.h"
#include "editorsettings/VirtualKeys.h"
#include "highlight/ParserRegistry.h"
#include "highlight/StyleString.h"
#include "platform/MemoryKeyValueStore.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

const char* const kKey = "Software\\Talvik Systems\\Quarry";
const char* const kScript = "%%language name = 'Demo' fontsize = 10\r"
                            "%%effects 0 [] clBlack * clWhite * 3 [fsBold] clRed clWhite *\r";

std::unique_ptr<TCodeMemoParser> demoParser()
{
    auto parser = test::compiled(kScript);
    parser->componentName = "DemoParser";
    return parser;
}

class CountingClient final : public TParserClient {
public:
    void ParserDestroyed(TCustomCodeMemoParser&) override {}
    void ParserChanged(TCustomCodeMemoParser&) override { ++changes; }
    int changes = 0;
};

TEST(ParserRegistry, OwnKeyNeedsAKeyAndUseRegistry)
{
    MemoryKeyValueStore store;
    struct Case {
        const char* key;
        bool use;
        bool works;
    } cases[] = {{"", false, false}, {"", true, false}, {kKey, false, false}, {kKey, true, true}};
    for (const Case& c : cases) {
        auto parser = demoParser();
        parser->registryKey = c.key;
        parser->useRegistry = c.use;
        for (bool saving : {true, false}) {
            try {
                if (saving)
                    ParserRegistry::Save(*parser, store);
                else
                    ParserRegistry::Load(*parser, store);
                EXPECT_TRUE(c.works) << c.key << c.use;
            } catch (const ECodeMemo& e) {
                EXPECT_FALSE(c.works) << c.key << c.use;
                EXPECT_STREQ("Registry interface disabled in: DemoParser", e.what());
            }
        }
    }
}

TEST(ParserRegistry, SavingWritesTheStyleStringAndTheMarkedKeyTable)
{
    MemoryKeyValueStore store;
    auto parser = demoParser();
    ParserRegistry::Save(*parser, store, kKey);
    EXPECT_EQ(StyleString::Write(parser->settings()), store.readString(kKey, "Highlighting - Demo"));
    auto keys = store.readBinary(kKey, "Key Assignments - Demo");
    ASSERT_TRUE(keys);
    ASSERT_GT(keys->size(), 9u);
    EXPECT_EQ("\x08" "Corvid6:", std::string(keys->begin(), keys->begin() + 9));
    TKeyboardActionContoller read;
    ASSERT_TRUE(ParserRegistry::ReadKeyAssignmentValue(*keys, read));
    EXPECT_EQ(TKeyboardActionContoller::Default().BindingCount(), read.BindingCount());
}

TEST(ParserRegistry, RoundTripRestoresStylesAndKeyAssignments)
{
    MemoryKeyValueStore store;
    auto saved = demoParser();
    saved->settings().fontSize = 14;
    saved->settings().effects[3].foreground = 0x008000;
    saved->settings().keysDefined = true;
    saved->settings().keyBindings = {{TShortCut(scCtrl | 'K'), 'B', 17}, {TShortCut(VK_F1 + 2), 0, 40}};
    saved->applySettings();
    ParserRegistry::Save(*saved, store, kKey);

    auto loaded = demoParser();
    CountingClient client;
    loaded->AddClient(client);
    ParserRegistry::Load(*loaded, store, kKey);
    EXPECT_EQ(1, client.changes);
    EXPECT_EQ(14, loaded->settings().fontSize);
    EXPECT_EQ(14, loaded->Settings().font.size);
    EXPECT_EQ(0x008000u, loaded->settings().effects[3].foreground);
    EXPECT_EQ(TColor(0x008000), loaded->Settings().effects[3].foreground);
    EXPECT_EQ(2, loaded->Settings().keys.BindingCount());
    EXPECT_EQ(std::make_pair(TShortCut(scCtrl | 'K'), TShortCut('B')), loaded->Settings().keys.KeysOfAction(17, 0));
    EXPECT_EQ(std::make_pair(TShortCut(VK_F1 + 2), TShortCut(0)), loaded->Settings().keys.KeysOfAction(40, 0));
    // The table is part of the language now: a later re-publish keeps it.
    loaded->applySettings();
    EXPECT_EQ(2, loaded->Settings().keys.BindingCount());
    loaded->RemoveClient(client);
}

TEST(ParserRegistry, AMissingKeyLoadsNothing)
{
    MemoryKeyValueStore store;
    auto parser = demoParser();
    CountingClient client;
    parser->AddClient(client);
    ParserRegistry::Load(*parser, store, kKey);
    EXPECT_EQ(0, client.changes);
    EXPECT_EQ(10, parser->settings().fontSize);
    parser->RemoveClient(client);
}

TEST(ParserRegistry, KeyValuesWithoutTheMarkerOrWithDamagedTablesAreIgnored)
{
    auto good = demoParser();
    const auto value = ParserRegistry::KeyAssignmentValue(good->Settings().keys);
    struct Case {
        const char* name;
        KeyValueStore::Bytes bytes;
    } cases[] = {
        {"empty", {}},
        {"no length byte", KeyValueStore::Bytes(value.begin() + 1, value.end())},
        {"other vendor", [&] { auto v = value; v[1] = 'K'; return v; }()},
        {"wrong length byte", [&] { auto v = value; v[0] = 7; return v; }()},
        {"marker only", KeyValueStore::Bytes(value.begin(), value.begin() + 9)},
        {"cut table", KeyValueStore::Bytes(value.begin(), value.begin() + 40)},
        {"huge count", [&] { auto v = value; v[12] = 0x7F; return v; }()},
    };
    for (const Case& c : cases) {
        MemoryKeyValueStore store;
        store.writeString(kKey, "Highlighting - Demo", "Corvid6:FOS#2#12");
        store.writeBinary(kKey, "Key Assignments - Demo", c.bytes);
        auto parser = demoParser();
        parser->settings().keysDefined = true;
        parser->settings().keyBindings = {{TShortCut(VK_F1 + 4), 0, 3}};
        parser->applySettings();
        ParserRegistry::Load(*parser, store, kKey);
        EXPECT_EQ(12, parser->settings().fontSize) << c.name;
        EXPECT_EQ(1, parser->Settings().keys.BindingCount()) << c.name;
        EXPECT_EQ(std::make_pair(TShortCut(VK_F1 + 4), TShortCut(0)), parser->Settings().keys.KeysOfAction(3, 0))
            << c.name;
    }
}

TEST(ParserRegistry, ABadStyleStringRaisesAndChangesNothing)
{
    MemoryKeyValueStore store;
    store.writeString(kKey, "Highlighting - Demo", "Corvid3:FOS#2#12");
    auto other = demoParser();
    other->settings().keysDefined = true;
    other->settings().keyBindings = {{TShortCut(VK_F1 + 4), 0, 3}};
    other->applySettings();
    store.writeBinary(kKey, "Key Assignments - Demo", ParserRegistry::KeyAssignmentValue(other->Settings().keys));
    auto parser = demoParser();
    EXPECT_THROW(ParserRegistry::Load(*parser, store, kKey), ECodeMemo);
    EXPECT_EQ(10, parser->settings().fontSize);
    EXPECT_EQ(TKeyboardActionContoller::Default().BindingCount(), parser->Settings().keys.BindingCount());
}

}  // namespace
}  // namespace quarry
