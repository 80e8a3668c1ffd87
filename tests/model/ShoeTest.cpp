#include "model/Shoe.h"

#include "tests/support/Support.h"

#include <QTime>

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>
#include <vector>

namespace {

std::vector<TCard> Cards(const TCardStack& Stack)
{
    std::vector<TCard> Result;
    for (const TCardNode* Node = Stack.Top; Node; Node = Node->Next)
        Result.push_back(Node->Item);
    return Result;
}

// Pushed so that Ids 1..N lie top to bottom; the suit carries the id's high part.
TCardStack NumberedStack(int N)
{
    TCardStack Stack{};
    for (int Id = N; Id >= 1; --Id)
        PushCard(Stack, MakeCard(uint8_t(Id % 13 + 1), uint8_t(Id / 13 + 1), cfFaceUp, Id, 0));
    return Stack;
}

int NowMs()
{
    return QTime::currentTime().msecsSinceStartOfDay();
}

// The generator is reseeded from the clock's milliseconds, so two runs of Work
// within one millisecond must give the same answer. Returns false when no try
// stayed within one millisecond.
template <typename TWork>
bool TwiceInOneMillisecond(TWork Work, decltype(Work())& First, decltype(Work())& Second)
{
    for (int Try = 0; Try < 200; ++Try) {
        const int Start = NowMs();
        First = Work();
        Second = Work();
        if (NowMs() == Start)
            return true;
    }
    return false;
}

std::vector<int32_t> Draws()
{
    std::vector<int32_t> Result;
    for (int I = 0; I < 8; ++I)
        Result.push_back(Random(1000));
    return Result;
}

std::vector<int> Order(const TCardStack& Stack)
{
    std::vector<int> Result;
    for (const TCardNode* Node = Stack.Top; Node; Node = Node->Next)
        Result.push_back(Node->Item.Suit * 100 + Node->Item.Rank);
    return Result;
}

} // namespace

TEST(ShuffleStack, ReseedsFromTheClockEvenWhenThereIsNothingToReorder)
{
    for (int N = 0; N <= 2; ++N) {
        TCardStack Stack = NumberedStack(N);
        std::vector<int32_t> First, Second;
        ASSERT_TRUE(TwiceInOneMillisecond(
            [&] {
                ShuffleStack(Stack);
                return Draws();
            },
            First, Second));
        EXPECT_EQ(First, Second) << N << " cards: the draws after the shuffle start from the same seed";
        ClearStack(Stack);
    }
}

// A deck is laid out suit by suit from the ace up, its joker last, and then
// shuffled. Whatever the clock seeds, the shuffle moves every card of the top
// Count - 2 places away from where the layout put it, so none of them may lie
// there; each build with a new seed checks the layout again.
TEST(BuildShoe, LaysEachDeckSuitBySuitWithItsJokerLastThenShuffles)
{
    // The layout from the top: the joker, then suit 4 from the king down, ..., the ace of suit 1.
    std::vector<int> Layout{JokerRank};
    for (int Suit = 4; Suit >= 1; --Suit)
        for (int Rank = 13; Rank >= 1; --Rank)
            Layout.push_back(Suit * 100 + Rank);
    std::set<std::vector<int>> Seen;
    for (int Build = 0; Build < 20; ++Build) {
        // A new millisecond, a new seed.
        for (const int Start = NowMs(); NowMs() == Start;)
            std::this_thread::yield();
        TCardStack Shoe{};
        BuildShoe(Shoe, 1, TRankSet(AllRanks | (1 << JokerElement)));
        const std::vector<int> Built = Order(Shoe);
        ClearStack(Shoe);
        ASSERT_EQ(Built.size(), Layout.size());
        for (size_t Place = 0; Place + 2 < Built.size(); ++Place)
            ASSERT_NE(Built[Place], Layout[Place]) << "place " << Place + 1 << " of build " << Build;
        Seen.insert(Built);
    }
    EXPECT_GT(Seen.size(), 1u) << "every build had the same seed";
}

TEST(BuildShoe, OneDeckHoldsFiftyTwoDistinctFaceUpCards)
{
    TCardStack Shoe{};
    InitStack(Shoe);
    BuildShoe(Shoe, 1, AllRanks);
    ASSERT_EQ(Shoe.Count, 52);
    std::set<int> Seen;
    int PerSuit[5] = {};
    for (const TCard& Card : Cards(Shoe)) {
        EXPECT_EQ(Card.Face, cfFaceUp);
        EXPECT_GE(Card.Rank, 1);
        EXPECT_LE(Card.Rank, 13);
        ++PerSuit[Card.Suit];
        Seen.insert(Card.Suit * 100 + Card.Rank);
    }
    EXPECT_EQ(Seen.size(), 52u);
    for (int Suit = 1; Suit <= 4; ++Suit)
        EXPECT_EQ(PerSuit[Suit], 13);
    EXPECT_EQ(PerSuit[0], 0);
    ClearStack(Shoe);
}

TEST(BuildShoe, RankSetChoosesRanksJokersAndDecks)
{
    struct TCase { uint8_t Decks; TRankSet Ranks; int Count; int Jokers; int Aces; };
    const TCase Cases[] = {
        {2, TRankSet(AllRanks | (1 << JokerElement)), 106, 2, 8},
        {1, TRankSet(AllRanks | (1 << JokerElement)), 53, 1, 4},
        {1, TRankSet(AllRanks & ~(1 << 1)), 48, 0, 0},
        {3, TRankSet((1 << 5) | (1 << 0) | (1 << 15)), 12, 0, 0},  // elements 0 and 15 mean nothing
        {0, AllRanks, 0, 0, 0},
    };
    for (const TCase& C : Cases) {
        TCardStack Shoe{};
        BuildShoe(Shoe, C.Decks, C.Ranks);
        int Jokers = 0, Aces = 0;
        for (const TCard& Card : Cards(Shoe)) {
            if (Card.Rank == JokerRank) {
                ++Jokers;
                EXPECT_EQ(Card.Suit, 0);
            }
            Aces += Card.Rank == 1;
        }
        EXPECT_EQ(Shoe.Count, C.Count) << "decks " << int(C.Decks) << " ranks " << C.Ranks;
        EXPECT_EQ(int(Cards(Shoe).size()), C.Count);
        EXPECT_EQ(Jokers, C.Jokers);
        EXPECT_EQ(Aces, C.Aces);
        ClearStack(Shoe);
    }
}

TEST(BuildShoe, NoDecksStillShufflesWhatTheStackHolds)
{
    TCardStack Shoe = NumberedStack(10);
    BuildShoe(Shoe, 0, AllRanks);
    ASSERT_EQ(Shoe.Count, 10);
    EXPECT_NE(Cards(Shoe)[0].X, 1) << "the top card always moves";
    ClearStack(Shoe);
}

TEST(ShuffleStack, TwoCardsOrFewerKeepTheirOrder)
{
    for (int N = 0; N <= 2; ++N) {
        TCardStack Stack = NumberedStack(N);
        ShuffleStack(Stack);
        const std::vector<TCard> After = Cards(Stack);
        ASSERT_EQ(int(After.size()), N);
        for (int I = 0; I < N; ++I)
            EXPECT_EQ(After[I].X, I + 1);
        ClearStack(Stack);
    }
}

TEST(ShuffleStack, NoCardOfTheTopFiftyStaysInPlace)
{
    for (int Round = 0; Round < 20; ++Round) {
        TCardStack Stack = NumberedStack(52);
        ShuffleStack(Stack);
        const std::vector<TCard> After = Cards(Stack);
        ASSERT_EQ(After.size(), 52u);
        std::set<int> Ids;
        for (int Position = 1; Position <= 52; ++Position) {
            Ids.insert(After[Position - 1].X);
            if (Position <= 50) {
                EXPECT_NE(After[Position - 1].X, Position) << "round " << Round;
            }
        }
        EXPECT_EQ(Ids.size(), 52u);
        EXPECT_EQ(Stack.Count, 52);
        ClearStack(Stack);
    }
}

TEST(ShuffleStack, ThreeCardsExchangeOnlyTheTopWithTheSecondOrThird)
{
    // The generator is reseeded from the clock in milliseconds, so the rounds are
    // spread over time to see both outcomes.
    int Outcomes[2] = {};
    for (int Round = 0; Round < 400 && (Outcomes[0] < 5 || Outcomes[1] < 5); ++Round) {
        TCardStack Stack = NumberedStack(3);
        ShuffleStack(Stack);
        const std::vector<TCard> After = Cards(Stack);
        const bool WithSecond = After[0].X == 2 && After[1].X == 1 && After[2].X == 3;
        const bool WithThird = After[0].X == 3 && After[1].X == 2 && After[2].X == 1;
        ASSERT_TRUE(WithSecond || WithThird) << After[0].X << After[1].X << After[2].X;
        ++Outcomes[WithSecond ? 0 : 1];
        ClearStack(Stack);
        std::this_thread::sleep_for(std::chrono::microseconds(700));
    }
    EXPECT_GE(Outcomes[0], 5);
    EXPECT_GE(Outcomes[1], 5);
}

TEST(Random, StaysWithinRangeAndAnswersZeroForNoChoice)
{
    Randomize();
    bool Hit[7] = {};
    for (int I = 0; I < 2000; ++I) {
        const int32_t R = Random(7);
        ASSERT_GE(R, 0);
        ASSERT_LT(R, 7);
        Hit[R] = true;
    }
    for (bool H : Hit)
        EXPECT_TRUE(H);
    EXPECT_EQ(Random(1), 0);
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(-3), 0);
}
