// The register window's handlers: which keys and mouse actions reach the key queue, and as what.
#include "regview/ui/TRegisterWindow.h"

#include <QApplication>
#include <QFontInfo>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace quarry {
namespace {

std::vector<QueuedKey> keysUntilEscape(TRegisterWindow& window)
{
    std::vector<QueuedKey> keys;
    for (QueuedKey key = window.NextKey(); key.key != RegisterKey::Escape; key = window.NextKey())
        keys.push_back(key);
    return keys;
}

TEST(RegisterWindow, KeysAndMouseFillTheQueue)
{
    using K = RegisterKey;
    TRegisterWindow window;
    window.Open("00000000 R", {"07\ta\t%0\tx", "06\tb\t%0\tx", "05\tc\t%0\tx"});
    window.SetCurrent(0, FieldAccess::ReadWrite);
    auto* list = window.ListBox1();
    const struct {
        std::function<void()> act;
        std::vector<QueuedKey> keys;
    } cases[] = {
        {[&] {
             for (const auto key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Space,
                                    Qt::Key_Return, Qt::Key_Enter, Qt::Key_Insert})
                 QTest::keyClick(list, key);
         },
         {{K::Up}, {K::Down}, {K::Left}, {K::Right}, {K::Space}, {K::Enter}, {K::Enter}, {K::Insert}}},
        {[&] { QTest::keyClicks(list, "7a"); }, {{K::Character, '7'}, {K::Character, 'a'}}},
        {[&] { QTest::keyClick(list, Qt::Key_F5); }, {}},
        {[&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center()); },
         {{K::Click, 1}}},
        {[&] { QTest::mouseClick(list->viewport(), Qt::RightButton, {}, list->visualItemRect(list->item(2)).center()); },
         {{K::Click, 2}, {K::Space}}},
        {[&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->viewport()->height() - 2)); },
         {}},
    };
    for (const auto& c : cases) {
        c.act();
        QTest::keyClick(list, Qt::Key_Escape);
        EXPECT_EQ(c.keys, keysUntilEscape(window));
    }
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QTest::keyClick(list, Qt::Key_Escape);
    const auto keys = keysUntilEscape(window);
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(QueuedKey{K::Right}, keys.back()) << "a double click counts up";
    EXPECT_EQ(0, list->currentRow()) << "only the run moves the selection";
}

TEST(RegisterWindow, ClosingEndsTheWaitAndTheListFontIsFixedPitch)
{
    TRegisterWindow window;
    window.Open("00000000 R", {"07\ta\t%0\tx"});
    QTimer::singleShot(0, &window, [&] { window.close(); });
    EXPECT_EQ(QueuedKey{RegisterKey::Escape}, window.NextKey());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(QueuedKey{RegisterKey::Escape}, window.NextKey()) << "a hidden window does not wait";
    EXPECT_TRUE(QFontInfo(TRegisterWindow::ListFont()).fixedPitch());
    EXPECT_TRUE(QFontInfo(window.ListBox1()->font()).fixedPitch());
}

}  // namespace
}  // namespace quarry
