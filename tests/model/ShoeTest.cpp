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

// The shoe a deck makes is the deck laid out suit by suit, one joker after each
// deck, then shuffled: shuffling that layout in the same millisecond gives the
// same order.
TEST(BuildShoe, LaysEachDeckSuitBySuitWithItsJokerLastThenShuffles)
{
    const TRankSet Ranks = TRankSet(AllRanks | (1 << JokerElement));
    std::vector<int> Built, Expected;
    ASSERT_TRUE(TwiceInOneMillisecond(
        [&, Turn = 0]() mutable {
            TCardStack Stack{};
            if (Turn++ % 2 == 0) {
                BuildShoe(Stack, 2, Ranks);
            } else {
                for (int Deck = 1; Deck <= 2; ++Deck) {
                    for (uint8_t Suit = 1; Suit <= 4; ++Suit)
                        for (uint8_t Rank = 1; Rank <= 13; ++Rank)
                            PushCard(Stack, MakeCard(Rank, Suit));
                    PushCard(Stack, MakeCard(JokerRank, 0));
                }
                ShuffleStack(Stack);
            }
            const std::vector<int> Result = Order(Stack);
            ClearStack(Stack);
            return Result;
        },
        Built, Expected));
    ASSERT_EQ(Built.size(), 106u);
    EXPECT_EQ(Built, Expected);
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
