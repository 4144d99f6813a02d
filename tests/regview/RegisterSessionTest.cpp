// The register window's run without a window: keys and clicks from the queue, the rows, the
// value and the access it shows, and "show all settings" through the pick list.
#include "RegisterTestDoubles.h"

#include "regview/RegisterDescription.h"
#include "regview/RegisterKeyQueue.h"
#include "regview/RegisterSession.h"

namespace quarry {
namespace {

using test::key;
using test::typed;

const char kControl[] = "t\n"
                        "B*00000010 CTRL control\n"
                        " B74mode\n"
                        "  0000 Idle\n"
                        "  0001 Run\n"
                        "  N002 Reserved\n"
                        " R3 busy\n"
                        "  0000 Idle\n"
                        "  0001 Busy\n"
                        " W20low\n";

class RegisterSessionTest : public ::testing::Test {
protected:
    RegisterDescription description = RegisterDescription::Parse(kControl);
    test::ScriptedView view;
    test::ScriptedPicker picker;
    RegisterSession session{description.registers.at(0), view, picker};
};

TEST_F(RegisterSessionTest, OpensOnTheFirstFieldForValueZeroAndClosesOnEsc)
{
    EXPECT_FALSE(session.Run());
    EXPECT_EQ("00000010 CTRL control", view.registerText);
    EXPECT_EQ((std::vector<std::string>{"07-04\tmode\t%0000   \tIdle", "03\tbusy\t%0      \tIdle",
                                        "02-00\tlow\t%000    \tUnspecified Field"}),
              view.rows);
    EXPECT_EQ(0, view.current);
    EXPECT_EQ(FieldAccess::ReadWrite, view.access);
    EXPECT_EQ("00000000  $00   000T", view.valueText);
    EXPECT_FALSE(view.open);
}

TEST_F(RegisterSessionTest, LeftRefreshesTheRowAndTheValue)
{
    view.Type({key(RegisterKey::Left), key(RegisterKey::Enter)});
    EXPECT_TRUE(session.Run());
    EXPECT_EQ("07-04\tmode\t%1111   \tReserved $0F", view.rows[0]);
    EXPECT_EQ("11110000  $F0  -112T", view.valueText);
}

struct KeyCase {
    const char* name;
    std::vector<QueuedKey> keys;
    std::vector<std::optional<int>> picks;  // answers to the settings lists, nullopt = Esc
    std::uint32_t value;
    int current;
    bool writeCode;
};

TEST_F(RegisterSessionTest, KeysAndClicks)
{
    using K = RegisterKey;
    const std::vector<KeyCase> cases = {
        {"Enter writes code", {key(K::Enter)}, {}, 0x00, 0, true},
        {"Esc does not", {key(K::Right), key(K::Escape)}, {}, 0x10, 0, false},
        {"Down, Down, Right", {key(K::Down), key(K::Down), key(K::Right), key(K::Enter)}, {}, 0x01, 2, true},
        {"Up stops at the first field", {key(K::Up), key(K::Right), key(K::Enter)}, {}, 0x10, 0, true},
        {"Down stops at the last field", {key(K::Down), key(K::Down), key(K::Down), key(K::Enter)}, {}, 0x00, 2, true},
        {"a click selects, read-only ignores Right", {key(K::Click, 1), key(K::Right), key(K::Enter)}, {}, 0x00, 1,
         true},
        {"a click past the last row selects the last", {key(K::Click, 7), key(K::Left), key(K::Enter)}, {}, 0x07, 2,
         true},
        {"letters are ignored between digits", {typed('1'), typed('F'), typed('a'), key(K::Enter)}, {}, 0x10, 0, true},
        {"1, 2 on a 4-bit field leaves 2", {typed('1'), typed('2'), key(K::Enter)}, {}, 0x20, 0, true},
        {"Insert does nothing", {key(K::Insert), key(K::Enter)}, {}, 0x00, 0, true},
        {"a setting chosen", {key(K::Space), key(K::Enter)}, {1}, 0x10, 0, true},
        {"a setting marked N is not taken", {key(K::Right), key(K::Space), key(K::Enter)}, {2}, 0x10, 0, true},
        {"a setting cancelled", {key(K::Space), key(K::Enter)}, {std::nullopt}, 0x00, 0, true},
        {"read-only fields take no setting", {key(K::Down), key(K::Space), key(K::Enter)}, {1}, 0x00, 1, true},
        {"a field without value lines has no list", {key(K::Click, 2), key(K::Space), key(K::Enter)}, {}, 0x00, 2,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::ScriptedView view;
        test::ScriptedPicker picker;
        for (const auto& answer : c.picks)
            answer ? picker.Choose(*answer) : picker.Cancel();
        view.Type(c.keys);
        RegisterSession session(description.registers.at(0), view, picker);
        EXPECT_EQ(c.writeCode, session.Run());
        EXPECT_EQ(c.value, session.Value().Value());
        EXPECT_EQ(c.current, view.current);
        EXPECT_EQ(c.picks.size(), picker.shown().size());
    }
}

TEST_F(RegisterSessionTest, AllSettingsListShowsEachLineWithTheCurrentChoicePreselected)
{
    view.Type({key(RegisterKey::Right), key(RegisterKey::Space), key(RegisterKey::Down), key(RegisterKey::Space),
               key(RegisterKey::Enter)});
    picker.Choose(0);
    picker.Choose(1);
    EXPECT_TRUE(session.Run());
    ASSERT_EQ(2u, picker.shown().size());
    EXPECT_EQ(" mode ", picker.shown()[0].caption);
    EXPECT_EQ((std::vector<std::string>{"%0000     Idle", "%0001     Run", "%0001     Reserved $01"}),
              picker.shown()[0].items);
    EXPECT_EQ(1, picker.shown()[0].preselected);
    EXPECT_EQ(FieldAccess::ReadOnly, view.access);
    EXPECT_EQ(0x00u, session.Value().Value()) << "Idle was chosen; the read-only field kept its 0";
}

TEST(RegisterKeyQueue, KeepsOrderAndDropsKeysWhenFull)
{
    RegisterKeyQueue queue;
    for (int i = 0; i < static_cast<int>(RegisterKeyQueue::kCapacity); ++i)
        EXPECT_TRUE(queue.Push(test::key(RegisterKey::Click, i)));
    EXPECT_FALSE(queue.Push(test::key(RegisterKey::Enter)));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(test::key(RegisterKey::Click, i), queue.Pop());
    EXPECT_TRUE(queue.Push(test::key(RegisterKey::Enter)));
    for (int i = 3; i < static_cast<int>(RegisterKeyQueue::kCapacity); ++i)
        EXPECT_EQ(test::key(RegisterKey::Click, i), queue.Pop());
    EXPECT_EQ(test::key(RegisterKey::Enter), queue.Pop());
    EXPECT_EQ(std::nullopt, queue.Pop());
    EXPECT_TRUE(queue.Empty());
}

}  // namespace
}  // namespace quarry
