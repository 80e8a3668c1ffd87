#include "model/Layout.h"

#include "model/Shoe.h"
#include "tests/support/DesignedTable.h"

#include <gtest/gtest.h>

TEST(Layout, SlotsLieAtTheDesignedPlaces)
{
    for (int32_t Slot = 1; Slot <= SlotsPerRow; ++Slot) {
        TCard Cpu{}, Player{};
        CpuSlotPos(Slot, Cpu);
        PlayerSlotPos(Slot, TableHeight, Player);
        EXPECT_EQ(Cpu.X, SlotLeft(Slot - 1));
        EXPECT_EQ(Cpu.Y, CpuRowTop);
        EXPECT_EQ(Player.X, Cpu.X);
        EXPECT_EQ(Player.Y, PlayerRowTop);
    }
}

TEST(Layout, PileStaysInsideItsAreaAndClearOfBothHands)
{
    const QRect Area = PileRect(TableWidth, TableHeight);
    EXPECT_EQ(Area, QRect(QPoint(114, 107), QPoint(219, 250)));
    int MinX = 1000, MaxX = 0, MinY = 1000, MaxY = 0;
    Randomize();
    for (int I = 0; I < 5000; ++I) {
        TCard Card{};
        PilePos(TableWidth, TableHeight, Card);
        MinX = std::min(MinX, Card.X);
        MaxX = std::max(MaxX, Card.X);
        MinY = std::min(MinY, Card.Y);
        MaxY = std::max(MaxY, Card.Y);
        ASSERT_TRUE(Area.contains(QRect(Card.X, Card.Y, CardWidth, CardHeight)));
    }
    EXPECT_EQ(MinX, 114);
    EXPECT_EQ(MaxX, 148);
    EXPECT_EQ(MinY, 107);
    EXPECT_EQ(MaxY, 154);
    EXPECT_GT(MinY, 3 + CardHeight) << "below the computer's row";
    EXPECT_LT(MaxY + CardHeight, 260) << "above the player's row";
}

TEST(Layout, LargerTableMovesThePileAndThePlayersRow)
{
    TCard Player{};
    PlayerSlotPos(1, 800, Player);
    EXPECT_EQ(Player.Y, 800 - 19 - 99);
    EXPECT_EQ(PileRect(1000, 800).topLeft(), QPoint((1000 - 71) / 2, (800 - 96 - 19) / 2 - 24));
}
