// The key-assignment page's table over the default key table: reserved single strokes,
// collisions, and the refused change leaving the table as it was.
#include "editorsettings/VirtualKeys.h"
#include "prefs/KeyAssignments.h"
#include "prefs/PrefsTexts.h"
#include "prefs/ShortCutText.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

using Sequence = KeyAssignments::Sequence;

constexpr TShortCut Ctrl(int key) { return TShortCut(scCtrl | key); }
constexpr std::int32_t kCursorLeft = 0, kCut = 12, kUndo = 41, kDeleteLine = 40, kRedo = 42;

std::string Dump(const KeyAssignments& keys, std::int32_t action)
{
    std::string out;
    for (const Sequence& s : keys.SequencesOf(action))
        out += KeySequenceText(s.first, s.second) + ";";
    return out;
}

TEST(KeyAssignments, ChangesAreRefusedForReservedKeysAndCollisions)
{
    enum Op { Add, Delete, Edit };
    const std::string duplicate = "Duplicate key sequence definition for\r\n\"Cursor left\" and \"Indent selected block\"";
    const struct {
        Op op;
        std::int32_t action;
        Sequence old, sequence;
        std::string refusal;  // empty: accepted
        std::string after;    // the action's sequences afterwards
    } cases[] = {
        {Add, kCursorLeft, {}, {Ctrl('S'), 0}, prefstexts::kReservedAdd, "[Left]  [<none>];"},
        {Add, kCursorLeft, {}, {Ctrl('K'), 'B'}, "", "[Left]  [<none>];[Ctrl+K]  [B];"},
        {Add, kCursorLeft, {}, {Ctrl('S'), 'B'}, "", "[Left]  [<none>];[Ctrl+S]  [B];"},
        {Add, kCursorLeft, {}, {TShortCut(scCtrl | scShift | 'S'), 0}, "", "[Left]  [<none>];[Ctrl+Shift+S]  [<none>];"},
        {Add, kCursorLeft, {}, {TShortCut(scCtrl | scShift | 'Z'), 0}, prefstexts::kReservedAdd, "[Left]  [<none>];"},
        {Add, kCursorLeft, {}, {VK_F1, 0}, prefstexts::kReservedAdd, "[Left]  [<none>];"},
        {Add, kCursorLeft, {}, {TShortCut(scAlt | (VK_F1 + 3)), 0}, prefstexts::kReservedAdd, "[Left]  [<none>];"},
        {Add, kCursorLeft, {}, {Ctrl('K'), TShortCut(scShift | 'I')}, duplicate, "[Left]  [<none>];"},
        {Add, kCursorLeft, {}, {}, prefstexts::kNoKey, "[Left]  [<none>];"},
        {Delete, kCut, {}, {Ctrl('X'), 0}, prefstexts::kReservedDelete, "[Ctrl+X]  [<none>];"},
        {Delete, kDeleteLine, {}, {Ctrl('Y'), 0}, "", ""},
        {Edit, kUndo, {Ctrl('Z'), 0}, {Ctrl('U'), 0}, prefstexts::kReservedEdit, "[Ctrl+Z]  [<none>];"},
        {Edit, kRedo, {TShortCut(scCtrl | scShift | 'Z'), 0}, {Ctrl('U'), 0}, prefstexts::kReservedEdit,
         "[Ctrl+Shift+Z]  [<none>];"},
        {Edit, kDeleteLine, {Ctrl('Y'), 0}, {Ctrl('S'), 0}, prefstexts::kReservedEdit, "[Ctrl+Y]  [<none>];"},
        {Edit, kDeleteLine, {Ctrl('Y'), 0}, {Ctrl('K'), 0}, "Duplicate key sequence definition for\r\n"
                                                            "\"Delete current line\" and \"Indent selected block\"",
         "[Ctrl+Y]  [<none>];"},
        {Edit, kDeleteLine, {Ctrl('Y'), 0}, {Ctrl('K'), 'Y'}, "", "[Ctrl+K]  [Y];"},
    };
    for (const auto& c : cases) {
        KeyAssignments keys(TKeyboardActionContoller::Default());
        const auto refusal = c.op == Add      ? keys.Add(c.action, c.sequence)
                             : c.op == Delete ? keys.Delete(c.action, c.sequence)
                                              : keys.Edit(c.action, c.old, c.sequence);
        SCOPED_TRACE(KeySequenceText(c.sequence.first, c.sequence.second));
        EXPECT_EQ(c.refusal, refusal.value_or(""));
        EXPECT_EQ(c.after, Dump(keys, c.action));
        EXPECT_EQ(!refusal, keys.Changed());
        const int delta = refusal ? 0 : c.op == Add ? 1 : c.op == Delete ? -1 : 0;
        EXPECT_EQ(TKeyboardActionContoller::Default().BindingCount() + delta, keys.Keys().BindingCount());
    }
}

TEST(KeyAssignments, StrokesAreNamedWithTheirModifiers)
{
    const struct {
        TShortCut first, second;
        const char* text;
    } cases[] = {
        {Ctrl('K'), 'B', "[Ctrl+K]  [B]"},
        {Ctrl('S'), 0, "[Ctrl+S]  [<none>]"},
        {TShortCut(scShift | (VK_F1 + 2)), 0, "[Shift+F3]  [<none>]"},
        {TShortCut(scCtrl | scShift | scAlt | VK_NEXT), 0, "[Ctrl+Shift+Alt+PgDn]  [<none>]"},
        {Ctrl(0xBA), 0x62, "[Ctrl+;]  [Num 2]"},
        {VK_BACK, 0xFF, "[Backspace]  [Key FF]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, KeySequenceText(c.first, c.second));
}

}  // namespace
}  // namespace quarry
