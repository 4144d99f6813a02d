// A run of the options dialog over a built-in parser: the copy reaches the parser, its controls
// and the registry only when applied; an edited key table becomes the language's own and comes
// back from the registry.
#include "highlight/TCustomCodeMemoParser.h"
#include "highlight/BuiltinParserImages.h"
#include "highlight/ParserRegistry.h"
#include "highlight/StyleString.h"
#include "highlight/TCodeMemoParser.h"
#include "highlight/TParserRepository.h"
#include "platform/MemoryKeyValueStore.h"
#include "prefs/OptionsSession.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

class CountingClient final : public TParserClient {
public:
    void ParserDestroyed(TCustomCodeMemoParser&) override {}
    void ParserChanged(TCustomCodeMemoParser&) override { ++changes; }
    int changes = 0;
};

std::string StreamOf(const TCodeMemoParser& parser)
{
    ByteWriter out;
    parser.settings().write(out);
    return out.data();
}

constexpr TShortCut kCtrlK = scCtrl | 'K';

class OptionsSessionTest : public ::testing::Test {
protected:
    OptionsSessionTest() { parser.AddClient(client); }
    ~OptionsSessionTest() override { parser.RemoveClient(client); }

    // Edits on every page.
    void EditEverything(OptionsSession& session)
    {
        session.Settings().gutter = 50;
        session.Settings().effects[6].foreground = 0x0000FF;
        session.Settings().autoReplace.emplace_back("teh", "the");
        session.Settings().templates.push_back({"loop", "a loop", "loop:"});
        ASSERT_FALSE(session.Keys().Add(0, {kCtrlK, 'B'}));
    }

    TParserRepository repository{builtinParserImages()};
    TCodeMemoParser& parser = repository.Parser(0);
    CountingClient client;
    MemoryKeyValueStore registry;
};

TEST_F(OptionsSessionTest, ASessionDroppedLeavesTheParserAsItWas)
{
    const std::string before = StreamOf(parser);
    const TKeyboardActionContoller keysBefore = parser.Settings().keys;
    {
        OptionsSession session(parser);
        EditEverything(session);
    }
    EXPECT_EQ(before, StreamOf(parser));
    EXPECT_EQ(keysBefore.BindingCount(), parser.Settings().keys.BindingCount());
    EXPECT_EQ(0, client.changes);
}

TEST_F(OptionsSessionTest, ApplyingReachesTheControlsAndTheRegistryWhenTheParserUsesIt)
{
    const struct {
        bool useRegistry;
        const char* key;
        bool saved;
    } cases[] = {{false, TParserRepository::kRegistryKey, false},
                 {true, "", false},
                 {true, TParserRepository::kRegistryKey, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        TParserRepository repository{builtinParserImages()};
        TCodeMemoParser& parser = repository.Parser(0);
        CountingClient client;
        parser.AddClient(client);
        MemoryKeyValueStore store;
        parser.useRegistry = c.useRegistry;
        parser.registryKey = c.key;
        OptionsSession session(parser);
        EditEverything(session);
        session.Apply(parser, &store);
        EXPECT_EQ(1, client.changes);
        parser.RemoveClient(client);
        EXPECT_EQ(50, parser.Settings().gutter);
        EXPECT_EQ(TColor(0x0000FF), parser.Settings().effects[6].foreground);
        EXPECT_EQ(kCtrlK, parser.Settings().keys.KeysOfAction(0, 1).first);
        EXPECT_EQ(c.saved, store.keyExists(TParserRepository::kRegistryKey));
        if (!c.saved)
            continue;
        // A fresh parser of the language takes it all back from the registry.
        TParserRepository fresh{builtinParserImages()};
        ParserRegistry::Load(fresh.Parser(0), store, TParserRepository::kRegistryKey);
        EXPECT_EQ(StyleString::Write(parser.settings()), StyleString::Write(fresh.Parser(0).settings()));
        EXPECT_EQ(kCtrlK, fresh.Parser(0).Settings().keys.KeysOfAction(0, 1).first);
        EXPECT_EQ(TShortCut('B'), fresh.Parser(0).Settings().keys.KeysOfAction(0, 1).second);
    }
}

TEST_F(OptionsSessionTest, AnUntouchedKeyTableStaysTheDefaultOne)
{
    OptionsSession session(parser);
    session.Settings().gutter = 40;
    EXPECT_FALSE(session.Result().keysDefined);
    ASSERT_FALSE(session.Keys().Add(0, {kCtrlK, 'B'}));
    EXPECT_TRUE(session.Result().keysDefined);
}

}  // namespace
}  // namespace quarry
