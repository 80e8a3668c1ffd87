// The table by touch, as Qt hands a finger to the program: a tap comes as a
// left press from the touch screen, nothing comes of a long press.
#include "forms/Main.h"
#include "forms/Memory.h"
#include "forms/TableArea.h"
#include "platform/TestSeams.h"
#include "tests/support/Support.h"
#include "tests/support/TableWindows.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointingDevice>
#include <QStyleHints>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Serves events for as long as a finger would have to stay still, and more.
void ServeBeyondALongPress()
{
    ServeEventsUntil([] { return false; }, 3 * TTableArea::LongPressMilliseconds);
}

class TouchFixture : public DealtTableFixture
{
protected:
    QPoint MiddleOf(int Slot) const
    {
        const TCard& Card = Main->Game().FPlayerHand.Items[Slot];
        return {Card.X + 30, Card.Y + 40};
    }
    void Press(QPoint At) { QTest::touchEvent(Main->TableArea(), Finger).press(0, At); }
    void Move(QPoint To) { QTest::touchEvent(Main->TableArea(), Finger).move(0, To); }
    void Release(QPoint At) { QTest::touchEvent(Main->TableArea(), Finger).release(0, At); }
    // A second tap within Qt's double-click interval would come as a double
    // click, and a test could pass for that reason alone.
    void Tap(QPoint At)
    {
        Press(At);
        Release(At);
        ServeEventsUntil([] { return false; }, QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
    }
    int Held() const { return Main->Game().FPlayerHand.Count; }

    // Qt keeps every device it is given until the program ends: one for all tests.
    QPointingDevice* const Finger = [] {
        static QPointingDevice* const Device = QTest::createTouchDevice();
        return Device;
    }();
};

} // namespace

// A tap selects the card as a left click does; a second tap elsewhere beside
// the cards selects nothing, and no tap ever plays.
TEST_F(TouchFixture, TapSelectsAsALeftClick)
{
    Tap(MiddleOf(2));
    EXPECT_EQ(SelectedIndex(Main->Game()), 2);
    Tap(MiddleOf(0));
    EXPECT_EQ(SelectedIndex(Main->Game()), 0);
    Tap(QPoint(5, 5));
    EXPECT_EQ(SelectedIndex(Main->Game()), -1);
    EXPECT_EQ(Held(), 4);
}

// A finger held still on a card plays it; one that moves away plays nothing,
// and neither does a mouse button held as long.
TEST_F(TouchFixture, LongPressPlaysAndAMovedFingerOrAMouseDoesNot)
{
    const TCard Card = Main->Game().FPlayerHand.Items[1];
    Press(MiddleOf(1));
    EXPECT_TRUE(ServeEventsUntil([&] { return Held() == 3; })) << "held still, the finger plays the card";
    Release(MiddleOf(1));
    EXPECT_EQ(Memory->Played(Card.Suit, Card.Rank), 1);

    const QPoint Other = MiddleOf(2);
    Press(Other);
    Move(Other + QPoint(0, -40));
    ServeBeyondALongPress();
    Release(Other + QPoint(0, -40));
    EXPECT_EQ(Held(), 3) << "a finger that moved away cancels";
    EXPECT_EQ(SelectedIndex(Main->Game()), 2) << "its tap still selected";

    QTest::mousePress(Main->TableArea(), Qt::LeftButton, Qt::NoModifier, MiddleOf(0));
    ServeBeyondALongPress();
    QTest::mouseRelease(Main->TableArea(), Qt::LeftButton, Qt::NoModifier, MiddleOf(0));
    EXPECT_EQ(Held(), 3) << "a mouse is never held";
    EXPECT_EQ(SelectedIndex(Main->Game()), 0);
}

// With one click a tap plays the card at once, and a long press adds
// nothing: held beside the cards, it leaves the card selected by keys.
TEST_F(TouchFixture, OneClickTapPlaysAndALongPressPlaysNothingMore)
{
    Main->menuLeft->trigger();
    Tap(MiddleOf(3));
    EXPECT_EQ(Held(), 3);
    Press(MiddleOf(0));
    ServeBeyondALongPress();
    Release(MiddleOf(0));
    EXPECT_EQ(Held(), 2);
    PressKey(Main->TableArea(), Qt::Key_Right);
    Press(QPoint(5, 5));
    ServeBeyondALongPress();
    Release(QPoint(5, 5));
    EXPECT_EQ(Held(), 2);
    EXPECT_EQ(SelectedIndex(Main->Game()), 0);
}

// Taps given in the middle of a turn reach the game once it is over, in order.
TEST_F(TouchFixture, TapsDuringATurnWaitForItsEnd)
{
    Tap(MiddleOf(0));
    const QPoint Second = MiddleOf(1);
    int Pause = 0;
    bool Mid = true;
    SetDelayWatcher([&](int) {
        if (++Pause == 1) {
            Press(Second);
            Release(Second);
        }
        Mid = Mid && SelectedIndex(Main->Game()) < 0;
    });
    PressKey(Main->TableArea(), Qt::Key_Return);
    SetDelayWatcher({});
    EXPECT_EQ(Pause, 2);
    EXPECT_TRUE(Mid) << "nothing was selected mid-turn";
    EXPECT_EQ(Held(), 3);
    EXPECT_EQ(SelectedIndex(Main->Game()), 0) << "the card in the second slot, now the first";
}
