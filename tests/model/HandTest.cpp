#include "model/Hand.h"

#include "tests/support/DesignedTable.h"
#include "tests/support/Support.h"

#include <gtest/gtest.h>

namespace {

class HandFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InitHand(Hand, 4);
        for (int I = 0; I < 4; ++I)
            AddCard(Hand, MakeCard(uint8_t(I + 2), 1, cfFaceUp, SlotLeft(I), PlayerRowTop));
    }
    void TearDown() override { FreeHand(Hand); }

    int SelectedCount() const
    {
        int N = 0;
        for (int I = 0; I < Hand.Count; ++I)
            N += Hand.Items[I].Face == cfSelected;
        return N;
    }

    THand Hand{};
};

} // namespace

TEST_F(HandFixture, AddCardOnAFullHandIsIgnored)
{
    AddCard(Hand, MakeCard(13, 4));
    EXPECT_EQ(Hand.Count, 4);
    EXPECT_EQ(Hand.Items[3].Rank, 5);
}

TEST_F(HandFixture, SelectionMovesFromCardToCard)
{
    TCard Card{};
    SelectCardAt(Hand, 10, 300, Card);
    EXPECT_EQ(Card, MakeCard(2, 1, cfSelected, SlotLeft(0), PlayerRowTop));
    EXPECT_EQ(SelectedCount(), 1);

    SelectCardAt(Hand, 160, 300, Card);
    EXPECT_EQ(Card.Rank, 4);
    EXPECT_EQ(Hand.Items[0].Face, cfFaceUp);
    EXPECT_EQ(Hand.Items[2].Face, cfSelected);
    EXPECT_EQ(SelectedCount(), 1);

    SelectCardAt(Hand, 160, 300, Card);  // the same card again stays selected
    EXPECT_EQ(Hand.Items[2].Face, cfSelected);
    EXPECT_EQ(SelectedCount(), 1);
}

TEST_F(HandFixture, MissAnswersRankZeroAndKeepsTheSelection)
{
    TCard Card{};
    SelectCardAt(Hand, 80, 300, Card);
    Card = MakeCard(9, 3, cfBack, 1, 1);
    SelectCardAt(Hand, 150, 10, Card);
    EXPECT_EQ(Card, MakeCard(0, 3, cfBack, 1, 1));
    EXPECT_EQ(Hand.Items[1].Face, cfSelected);
}

TEST(SelectCardAt, OverlappingCardsGiveTheLaterOne)
{
    THand Hand{};
    InitHand(Hand, 3);
    AddCard(Hand, MakeCard(1, 1, cfFaceUp, 0, 0));
    AddCard(Hand, MakeCard(2, 1, cfFaceUp, 71, 0));  // shares the column X = 71
    AddCard(Hand, MakeCard(3, 1, cfFaceUp, 200, 0));
    TCard Card{};
    SelectCardAt(Hand, 71, 50, Card);
    EXPECT_EQ(Card.Rank, 2);
    EXPECT_EQ(Hand.Items[0].Face, cfFaceUp);
    EXPECT_EQ(Hand.Items[1].Face, cfSelected);
    FreeHand(Hand);
}

TEST_F(HandFixture, RemoveCardKeepsOrderAndPositions)
{
    RemoveCard(Hand, MakeCard(2, 1, cfBack, 999, 999));  // face and position are not compared
    ASSERT_EQ(Hand.Count, 3);
    EXPECT_EQ(Hand.Items[0], MakeCard(3, 1, cfFaceUp, SlotLeft(1), PlayerRowTop));
    EXPECT_EQ(Hand.Items[1], MakeCard(4, 1, cfFaceUp, SlotLeft(2), PlayerRowTop));
    EXPECT_EQ(Hand.Items[2], MakeCard(5, 1, cfFaceUp, SlotLeft(3), PlayerRowTop));

    RemoveCard(Hand, MakeCard(5, 1));
    ASSERT_EQ(Hand.Count, 2);
    EXPECT_EQ(Hand.Items[1].Rank, 4);

    RemoveCard(Hand, MakeCard(4, 2));  // same rank, other suit: not held
    EXPECT_EQ(Hand.Count, 2);
}

TEST(FreeHand, FreedOrNeverInitialisedHandIsEmpty)
{
    THand Hand{};
    FreeHand(Hand);
    TCard Card = MakeCard(1, 1);
    SelectCardAt(Hand, 0, 0, Card);
    EXPECT_EQ(Card.Rank, 0);
    AddCard(Hand, MakeCard(1, 1));
    EXPECT_EQ(Hand.Count, 0);
    InitHand(Hand, 2);
    AddCard(Hand, MakeCard(1, 1));
    FreeHand(Hand);
    EXPECT_EQ(Hand.Items, nullptr);
    EXPECT_EQ(Hand.Count, 0);
    EXPECT_EQ(Hand.Capacity, 0);
    FreeHand(Hand);
    EXPECT_EQ(Hand.Items, nullptr);
}
