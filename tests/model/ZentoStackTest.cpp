#include "model/ZentoStack.h"

#include "tests/support/Support.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A pile from bottom to top, of the given ranks in clubs unless a card is given whole.
TCardStack Pile(std::initializer_list<uint8_t> Ranks)
{
    TCardStack Stack{};
    for (uint8_t Rank : Ranks)
        PushCard(Stack, MakeCard(Rank, 1));
    return Stack;
}

struct TCapture { bool Lone, ByRank, ByJack; };

TCapture Tests(TCardStack& Stack)
{
    return {IsLoneCapture(Stack), CanCaptureByRank(Stack), CanCaptureByJack(Stack)};
}

class CpuHandFixture : public ::testing::Test
{
protected:
    void Deal(std::initializer_list<uint8_t> Ranks)
    {
        InitCpuHand(Hand, 4);
        int Slot = 0;
        for (uint8_t Rank : Ranks) {
            AddCard(Hand, MakeCard(Rank, 2, cfBack, Slot * 74 + 3, 3));
            ++Slot;
        }
    }
    uint8_t Choose(bool Lone, uint8_t TopRank)
    {
        TCard Top = MakeCard(TopRank, 3);
        ChooseCpuCard(Hand, Lone, Top, Chosen);
        return Chosen.Rank;
    }
    void TearDown() override { FreeHand(Hand); }

    TCpuHand Hand{};
    TCard Chosen{};
};

} // namespace

TEST(CaptureTests, AnswerByPileShape)
{
    struct TCase { std::vector<uint8_t> Ranks; TCapture Expected; bool TopMarked; };
    const TCase Cases[] = {
        {{}, {false, false, false}, false},
        {{11}, {false, false, false}, false},
        {{7, 7}, {true, false, false}, true},
        {{7, 11}, {false, false, true}, false},
        {{11, 11}, {true, false, true}, true},
        {{3, 7, 7}, {false, true, false}, false},
        {{3, 7, 11}, {false, false, true}, false},
        {{3, 11, 11}, {false, true, true}, false},
        {{7, 3}, {false, false, false}, false},
        {{7, 7, 3}, {false, false, false}, false},
    };
    for (const TCase& C : Cases) {
        TCardStack Stack{};
        for (uint8_t Rank : C.Ranks)
            PushCard(Stack, MakeCard(Rank, 1));
        const TCapture Got = Tests(Stack);
        const std::string Name = ::testing::PrintToString(C.Ranks);
        EXPECT_EQ(Got.Lone, C.Expected.Lone) << Name;
        EXPECT_EQ(Got.ByRank, C.Expected.ByRank) << Name;
        EXPECT_EQ(Got.ByJack, C.Expected.ByJack) << Name;
        if (Stack.Top) {
            EXPECT_EQ(Stack.Top->Item.Face == cfBack, C.TopMarked) << Name;
        }
        ClearStack(Stack);
    }
}

TEST(PileCaptured, LoneCaptureIsAskedFirstSoTheJackOnAJackIsMarked)
{
    TCardStack Jacks = Pile({11, 11});
    EXPECT_TRUE(PileCaptured(Jacks));
    EXPECT_EQ(Jacks.Top->Item.Face, cfBack);
    TCardStack JackOnSeven = Pile({7, 11});
    EXPECT_TRUE(PileCaptured(JackOnSeven));
    EXPECT_EQ(JackOnSeven.Top->Item.Face, cfFaceUp);
    TCardStack JackAlone = Pile({11});
    EXPECT_FALSE(PileCaptured(JackAlone));
    ClearStack(Jacks);
    ClearStack(JackOnSeven);
    ClearStack(JackAlone);
}

TEST(ScorePile, CountsAcesJacksMarksAndSpecialCards)
{
    struct TCase { std::vector<TCard> Cards; int Points; };
    const TCase Cases[] = {
        {{}, 0},
        {{MakeCard(11, 3, cfBack)}, 11},
        {{MakeCard(1, 1, cfBack)}, 11},
        {{MakeCard(2, 4, cfBack)}, 12},
        {{MakeCard(10, 2, cfBack)}, 13},
        {{MakeCard(7, 3, cfBack)}, 10},
        {{MakeCard(2, 4), MakeCard(10, 2), MakeCard(2, 1), MakeCard(10, 3)}, 5},
        {{MakeCard(1, 1), MakeCard(1, 2), MakeCard(11, 3), MakeCard(12, 4), MakeCard(13, 4)}, 3},
    };
    for (const TCase& C : Cases) {
        TCardStack Stack{};
        for (const TCard& Card : C.Cards)
            PushCard(Stack, Card);
        EXPECT_EQ(ScorePile(Stack), C.Points) << ::testing::PrintToString(C.Cards);
        EXPECT_EQ(ScorePile(Stack), C.Points) << "scoring twice gives the same";
        ClearStack(Stack);
    }
}

TEST(ScorePile, TwentySevenCardsEarnThreeAndTwentySixDoNot)
{
    TCardStack Stack{};
    for (int I = 0; I < 26; ++I)
        PushCard(Stack, MakeCard(uint8_t(3 + I % 7), uint8_t(I % 4 + 1)));
    EXPECT_EQ(ScorePile(Stack), 0);
    PushCard(Stack, MakeCard(9, 1));
    EXPECT_EQ(ScorePile(Stack), 3);
    ClearStack(Stack);
}

TEST(ScorePile, WholeDeckIsSixteenPointsWithoutMarks)
{
    TCardStack Deck{};
    for (uint8_t Suit = 1; Suit <= 4; ++Suit)
        for (uint8_t Rank = 1; Rank <= 13; ++Rank)
            PushCard(Deck, MakeCard(Rank, Suit));
    EXPECT_EQ(ScorePile(Deck), 16);
    ClearStack(Deck);
}

TEST_F(CpuHandFixture, FirstCardThatTakesThePileWhenNotLone)
{
    Deal({5, 11, 7, 9});
    EXPECT_EQ(Choose(false, 7), 11);
    EXPECT_EQ(Chosen.X, 77) << "the jack was at slot 2";
}

TEST_F(CpuHandFixture, LonePilePrefersTheMatchingRankToAJack)
{
    Deal({11, 7});
    EXPECT_EQ(Choose(true, 7), 7);
}

TEST_F(CpuHandFixture, LonePileWithoutMatchTakesWithAJack)
{
    Deal({11, 5});
    EXPECT_EQ(Choose(true, 7), 11);
}

TEST_F(CpuHandFixture, MatchingRankInTheLastPlace)
{
    Deal({5, 9, 7});
    EXPECT_EQ(Choose(false, 7), 7);
}

TEST_F(CpuHandFixture, EmptyPileThrowsTheMostSeenNonJackTiesToTheLater)
{
    Deal({5, 9, 11});
    for (int I = 0; I < 2; ++I) {
        RememberCard(Hand, MakeCard(5, 1));
        RememberCard(Hand, MakeCard(9, 1));
    }
    EXPECT_EQ(Choose(false, 0), 9);
}

TEST_F(CpuHandFixture, NoTakingCardThrowsTheMostSeen)
{
    Deal({4, 8, 6});
    RememberCard(Hand, MakeCard(8, 1));
    EXPECT_EQ(Choose(true, 12), 8);
}

TEST_F(CpuHandFixture, OnlyJacksGiveTheFirst)
{
    Deal({11, 11});
    Hand.Items[1].Suit = 3;
    EXPECT_EQ(Choose(false, 0), 11);
    EXPECT_EQ(Chosen.Suit, 2);
}

TEST_F(CpuHandFixture, SingleCardIsAlwaysChosen)
{
    for (uint8_t Top : {uint8_t(0), uint8_t(4), uint8_t(11)}) {
        Deal({6});
        EXPECT_EQ(Choose(Top != 0, Top), 6);
        EXPECT_EQ(Hand.Count, 0);
        FreeHand(Hand);
    }
}

TEST_F(CpuHandFixture, ChosenCardLeavesFaceUpAndTheRestCloseUp)
{
    Deal({5, 7, 9, 10});
    Choose(false, 7);
    EXPECT_EQ(Chosen, MakeCard(7, 2, cfFaceUp, 77, 3));
    ASSERT_EQ(Hand.Count, 3);
    EXPECT_EQ(Hand.Items[0], MakeCard(5, 2, cfBack, 3, 3));
    EXPECT_EQ(Hand.Items[1], MakeCard(9, 2, cfBack, 151, 3));
    EXPECT_EQ(Hand.Items[2], MakeCard(10, 2, cfBack, 225, 3));
}

TEST_F(CpuHandFixture, SeenCountersStartAtZeroAndCountRanks)
{
    Hand.Seen[6] = 9;
    Deal({});
    for (uint8_t Count : Hand.Seen)
        EXPECT_EQ(Count, 0);
    RememberCard(Hand, MakeCard(7, 1));
    RememberCard(Hand, MakeCard(7, 3));
    RememberCard(Hand, MakeCard(14, 0));  // a joker is not counted and harms nothing
    EXPECT_EQ(Hand.Seen[6], 2);
}
