#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ThrownMessage.h"
#include "editor/MemoFixture.h"
#include "editorsettings/EAmbigiousKeyPair.h"
#include "editorsettings/TCodeMemoKeyHook.h"
#include "editorsettings/TEditorActions.h"
#include "editorsettings/TKeyNameTable.h"
#include "editorsettings/TKeyboardActionContoller.h"
#include "text/TMemoryStream.h"

namespace quarry {
namespace {

struct Stroke {
    std::uint16_t key;
    TShiftState shift;
};

struct BindingCase {
    const char* keys;
    std::vector<Stroke> strokes;
    std::int32_t code;
};

constexpr TShiftState kCtrl = ssCtrl;

// The default table, written out from the key list of the documentation rather than taken from
// the code, so that a wrong or missing binding shows.
std::vector<BindingCase> DefaultTable() {
    std::vector<BindingCase> table = {
        {"Left", {{VK_LEFT, 0}}, 0},
        {"Right", {{VK_RIGHT, 0}}, 1},
        {"Home", {{VK_HOME, 0}}, 2},
        {"End", {{VK_END, 0}}, 3},
        {"Up", {{VK_UP, 0}}, 4},
        {"Down", {{VK_DOWN, 0}}, 5},
        {"PageUp", {{VK_PRIOR, 0}}, 6},
        {"PageDown", {{VK_NEXT, 0}}, 7},
        {"Ctrl+Left", {{VK_LEFT, kCtrl}}, 8},
        {"Ctrl+Right", {{VK_RIGHT, kCtrl}}, 9},
        {"Ctrl+Home", {{VK_HOME, kCtrl}}, 10},
        {"Ctrl+End", {{VK_END, kCtrl}}, 11},
        {"Ctrl+X", {{'X', kCtrl}}, 12},
        {"Ctrl+C", {{'C', kCtrl}}, 13},
        {"Ctrl+V", {{'V', kCtrl}}, 14},
        {"Delete", {{VK_DELETE, 0}}, 15},
        {"Backspace", {{VK_BACK, 0}}, 16},
        {"Ctrl+K, I", {{'K', kCtrl}, {'I', 0}}, 17},
        {"Ctrl+K, U", {{'K', kCtrl}, {'U', 0}}, 18},
        {"Insert", {{VK_INSERT, 0}}, 19},
        {"Ctrl+Y", {{'Y', kCtrl}}, 40},
        {"Ctrl+Z", {{'Z', kCtrl}}, 41},
        {"Ctrl+Shift+Z", {{'Z', static_cast<TShiftState>(kCtrl | ssShift)}}, 42},
        {"Ctrl+Backspace", {{VK_BACK, kCtrl}}, 43},
        {"Ctrl+K, P", {{'K', kCtrl}, {'P', 0}}, 44},
        {"Ctrl+Delete", {{VK_DELETE, kCtrl}}, 45},
        {"Ctrl+Up", {{VK_UP, kCtrl}}, 46},
        {"Ctrl+Down", {{VK_DOWN, kCtrl}}, 47},
    };
    for (int n = 0; n < 10; ++n) {
        const auto digit = static_cast<std::uint16_t>('0' + n);
        table.push_back({"Ctrl+K, digit", {{'K', kCtrl}, {digit, 0}}, 20 + n});
        table.push_back({"Ctrl+Q, digit", {{'Q', kCtrl}, {digit, 0}}, 30 + n});
    }
    return table;
}

TEST(KeyBindings, EveryDefaultBindingReachesItsAction) {
    const auto table = DefaultTable();
    std::vector<bool> seen(kActionCount, false);
    for (const auto& c : table) {
        SCOPED_TRACE(std::string(c.keys) + " -> " + std::to_string(c.code));
        test::FixedPitchHost host;
        TCustomCodeMemo memo(host);
        std::vector<std::int32_t> recognised;
        memo.OnCommandRecognised = [&](std::int32_t& code) {
            recognised.push_back(code);
            code = -1;  // the handler may change the code; -1 runs nothing
        };
        for (const Stroke& s : c.strokes) EXPECT_TRUE(memo.KeyDown(s.key, s.shift));
        EXPECT_EQ(std::vector<std::int32_t>{c.code}, recognised);
        seen[static_cast<std::size_t>(c.code)] = true;
    }
    for (std::int32_t code = 0; code < kActionCount; ++code) EXPECT_TRUE(seen[static_cast<std::size_t>(code)]) << code;
    EXPECT_EQ(static_cast<int>(table.size()), TKeyboardActionContoller::Default().BindingCount());
}

TEST(KeyBindings, ActionNamesAndDescriptions) {
    struct Case {
        std::int32_t code;
        const char* name;
        const char* description;
    };
    const std::vector<Case> cases = {
        {0, "caLEFT", "Cursor left"},
        {7, "caPAGEDOWN", "Down one page"},
        {16, "caBACKSPACE", "Delete character before caret"},
        {19, "caINSTOGGLE", "Toggle insert/overwrite mode"},
        {23, "caSETBOOKMARK3", "Set Bookmark 3"},
        {39, "caGOTOBOOKMARK9", "Goto Bookmark 9"},
        {40, "caDELETELINE", "Delete current line"},
        {45, "caDELNEXTWORD", "Delete next word"},
        {46, "", "Scroll display up one line"},
        {47, "", "Scroll display down one line"},
        {48, "", ""},
        {-1, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(c.name, ActionScriptName(c.code));
        EXPECT_EQ(c.description, ActionDescription(c.code));
        EXPECT_EQ(c.description, TKeyboardActionContoller::Default().ActionName(c.code));
    }
}

TEST(KeyBindings, KeyNameTableIsCaseInsensitive) {
    struct Case {
        const char* name;
        int key;
    };
    const std::vector<Case> cases = {
        {"backspace", 8}, {"Delete", 46},  {"DOWN", 40},     {"end", 35},    {"home", 36},   {"insert", 45},
        {"left", 37},     {"f1", 112},     {"F12", 123},     {"f7", 118},    {"pagedown", 34}, {"PageUp", 33},
        {"Return", 13},   {"right", 39},   {"space", 32},    {"up", 38},     {"Tab", 9},     {"enter", -1},
        {"f13", -1},      {"", -1},
    };
    const TKeyNameTable& table = TKeyNameTable::Instance();
    for (const auto& c : cases) EXPECT_EQ(c.key, table.Find(c.name)) << c.name;
    EXPECT_EQ(26u, table.Entries().size());
    for (std::size_t i = 1; i < table.Entries().size(); ++i)
        EXPECT_LT(table.Entries()[i - 1].first, table.Entries()[i].first);
}

using TwoStroke = test::MemoFixture;

TEST_F(TwoStroke, ModifiersOfTheSecondStrokeAreIgnored) {
    memo.OwnSettings().indentStep = 2;
    Load("line");
    EXPECT_TRUE(memo.KeyDown('K', ssCtrl));
    EXPECT_TRUE(memo.KeyDown('I', ssShift));
    EXPECT_EQ("  line", Shown());
}

TEST_F(TwoStroke, AKeyThatContinuesNothingIsPassedOnAndTheMatchRestarts) {
    Load("ab");
    EXPECT_TRUE(memo.KeyDown('K', ssCtrl));
    Press('X', 0, 'x');  // not a second stroke of Ctrl+K: typed
    EXPECT_EQ("xab", Shown());
    Press('I', 0, 'i');  // the match is back at the root: typed too
    EXPECT_EQ("xiab", Shown());
}

TEST_F(TwoStroke, ShiftIsDroppedForMovementKeysAndMeansExtend) {
    Load("abc");
    memo.ExecuteAction(caDOCEND);
    std::vector<std::int32_t> codes;
    memo.OnCommandRecognised = [&](std::int32_t& code) { codes.push_back(code); };
    EXPECT_TRUE(memo.KeyDown(VK_HOME, ssShift));
    EXPECT_EQ(std::vector<std::int32_t>{caLINEHOME}, codes);
    EXPECT_EQ("abc", memo.SelText());
}

TEST_F(TwoStroke, HandlerMayChangeTheRecognisedCode) {
    Load("abc");
    memo.OnCommandRecognised = [](std::int32_t& code) {
        if (code == caLEFT) code = caDOCEND;
    };
    Press(VK_LEFT);
    EXPECT_EQ(3, memo.Caret());
}

TEST_F(TwoStroke, OnKeyDownCanSwallowAKey) {
    memo.OnKeyDown = [](std::uint16_t& key, TShiftState&) {
        if (key == VK_DELETE) key = 0;
    };
    Load("abc");
    EXPECT_TRUE(memo.KeyDown(VK_DELETE, 0));
    EXPECT_EQ("abc", Shown());
}

// A hook that takes F3 (as a code template would) and counts what it sees.
class CountingHook final : public TCodeMemoKeyHook {
public:
    explicit CountingHook(bool takesF3) : takesF3_(takesF3) {}
    bool KeyDown(TCustomCodeMemo&, std::uint16_t& key, TShiftState&) override {
        ++seen;
        return takesF3_ && key == VK_F1 + 2;
    }
    int seen = 0;

private:
    bool takesF3_;
};

TEST_F(TwoStroke, TemplatesMayTakeAKeyBeforeAutoReplaceAndTheKeyController) {
    auto templates = std::make_shared<CountingHook>(true);
    auto autoReplace = std::make_shared<CountingHook>(false);
    memo.OwnSettings().templateHook = templates;
    memo.OwnSettings().autoReplaceHook = autoReplace;
    memo.OwnSettings().keys.AddBinding(VK_F1 + 2, 0, caDOCEND);
    Load("abc");
    EXPECT_TRUE(memo.KeyDown(VK_F1 + 2, 0));
    EXPECT_EQ(0, memo.Caret()) << "the template took F3: no action ran";
    EXPECT_EQ(1, templates->seen);
    EXPECT_EQ(0, autoReplace->seen);
    Press(VK_RIGHT);
    EXPECT_EQ(1, memo.Caret());
    EXPECT_EQ(2, templates->seen);
    EXPECT_EQ(1, autoReplace->seen);
}

TEST(KeyBindings, CollidingBindingsAreRefusedWithBothNames) {
    struct Case {
        const char* name;
        TShortCut first;
        TShortCut second;
        std::int32_t action;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"first stroke alone while a pair exists", scCtrl | 'K', 0, caUNDO,
         "Duplicate key sequence definition for\r\n\"Undo\" and \"Indent selected block\""},
        {"a pair whose first stroke is bound alone", scCtrl | 'Z', 'A', caLEFT,
         "Duplicate key sequence definition for\r\n\"Cursor left\" and \"Undo\""},
        {"the same pair again", scCtrl | 'K', 'I', caREDO,
         "Duplicate key sequence definition for\r\n\"Redo\" and \"Indent selected block\""},
        {"the same single key again", VK_LEFT, 0, caRIGHT,
         "Duplicate key sequence definition for\r\n\"Cursor right\" and \"Cursor left\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TKeyboardActionContoller keys = TKeyboardActionContoller::Default();
        EXPECT_EQ(c.message,
                  test::thrownMessage<EAmbigiousKeyPair>([&] { keys.AddBinding(c.first, c.second, c.action); }));
        EXPECT_EQ(TKeyboardActionContoller::Default().BindingCount(), keys.BindingCount());
    }
}

TEST(KeyBindings, StoredFormRoundTripsAndIsInTreeOrder) {
    TKeyboardActionContoller keys;
    keys.RegisterAction(1, "One");
    keys.RegisterAction(2, "Two");
    keys.RegisterAction(1, "Uno");  // same code: replaced
    keys.AddBinding(scCtrl | 'K', 'A', 1);
    keys.AddBinding(VK_F1, 0, 2);
    keys.AddBinding(scCtrl | 'K', 'B', 2);
    TMemoryStream stream;
    keys.SaveToStream(stream);
    const std::string expected = std::string("\x02\0\0\0", 4) + std::string("\x01\0\0\0", 4) + std::string("\x03\0\0\0", 4) +
                                 "Uno" + std::string("\x02\0\0\0", 4) + std::string("\x03\0\0\0", 4) + "Two" +
                                 std::string("\x03\0\0\0", 4) +
                                 std::string("\x4b\x40\x41\x00\x01\0\0\0", 8) +  // Ctrl+K, A -> 1
                                 std::string("\x4b\x40\x42\x00\x02\0\0\0", 8) +  // Ctrl+K, B -> 2
                                 std::string("\x70\x00\x00\x00\x02\0\0\0", 8);   // F1 -> 2
    EXPECT_EQ(expected, stream.Bytes());
    stream.SetPosition(0);
    TKeyboardActionContoller loaded;
    loaded.LoadFromStream(stream);
    EXPECT_EQ(3, loaded.BindingCount());
    EXPECT_EQ("Uno", loaded.ActionName(1));
    EXPECT_EQ((std::pair<TShortCut, TShortCut>{scCtrl | 'K', 'B'}), loaded.KeysOfAction(2, 0));
    EXPECT_EQ((std::pair<TShortCut, TShortCut>{VK_F1, 0}), loaded.KeysOfAction(2, 1));
    EXPECT_EQ((std::pair<TShortCut, TShortCut>{0, 0}), loaded.KeysOfAction(2, 2));
}

TEST(KeyBindings, PendingStrokeSwallowsTheKey) {
    TKeyboardActionContoller keys = TKeyboardActionContoller::Default();
    std::uint16_t key = 'K';
    TShiftState shift = ssCtrl;
    bool handled = false;
    EXPECT_EQ(TKeyboardActionContoller::TMatch::Pending, keys.ProcessKey(key, shift, handled));
    EXPECT_EQ(0, key);
    EXPECT_EQ(0, shift);
    EXPECT_TRUE(handled);
    std::int32_t fired = -1;
    keys.OnAction = [&](std::int32_t code) { fired = code; };
    key = 'U';
    shift = ssCtrl | ssAlt;
    EXPECT_EQ(TKeyboardActionContoller::TMatch::Recognised, keys.ProcessKey(key, shift, handled));
    EXPECT_EQ(caBLOCKUND, fired);
}

}  // namespace
}  // namespace quarry
