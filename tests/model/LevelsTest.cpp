// The computer's levels: the rules of the hard level's fast playout, what a
// side may know, and that a level plays only cards it holds and never looks
// at the cards hidden from it.
#include "model/EasyPlayer.h"
#include "model/Game.h"
#include "model/HardPlayer.h"
#include "model/Levels.h"
#include "model/Playout.h"
#include "model/Shoe.h"
#include "tests/support/FakeTable.h"
#include "tests/support/Support.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// A game dealt from a replayed shuffle: each run sees the same cards.
class LevelGame : public ::testing::Test
{
protected:
    void TearDown() override
    {
        FreeCards(Game);
        ClockSeeds();
    }
    void Deal(uint32_t Seed, TLevel Level)
    {
        FreeCards(Game);
        Game = TGame{};
        Game.FLevel = Level;
        Table.Recording = false;
        ReplaySeeds(Seed);
        StartGame(Game, Table);
    }

    TGame Game{};
    TFakeTable Table;
};

bool Holds(const THand& Hand, const TCard& Card)
{
    for (int32_t I = 0; I < Hand.Count; ++I)
        if (Hand.Items[I].Rank == Card.Rank && Hand.Items[I].Suit == Card.Suit)
            return true;
    return false;
}

std::vector<TCard> Cards(const THand& Hand)
{
    return std::vector<TCard>(Hand.Items, Hand.Items + Hand.Count);
}

// Exchanges the ranks and suits of two cards, each keeping its place on the table.
void SwapFaces(TCard& A, TCard& B)
{
    std::swap(A.Rank, B.Rank);
    std::swap(A.Suit, B.Suit);
}

TSight PileSight(std::initializer_list<TCard> Hand, const TCard& Top, int32_t PileCount)
{
    TSight Sight{};
    for (const TCard& Card : Hand)
        Sight.Hand[Sight.HandCount++] = Card;
    Sight.PileTop = Top;
    Sight.PileCount = PileCount;
    if (PileCount > 0)
        Sight.Gone |= uint64_t{1} << CardId(Top.Suit, Top.Rank);
    Sight.OtherHeld = Sight.HandCount;
    Sight.ShoeCount = CardsInDeck - 2 * Sight.HandCount - PileCount;
    return Sight;
}

} // namespace

// Each card played on the fast table takes or stays by the game's own rules,
// and the takes score as the captured pile would.
TEST(Playout, TakesAndScoresByTheGamesRules)
{
    struct TCase
    {
        const char* What;
        TCard Top;
        int32_t PileCount, PilePoints;
        TCard Played;
        int32_t Points, Taken, PileAfter;
    };
    const TCase Cases[] = {
        {"a lone card taken by its rank earns the mark", MakeCard(7, Hearts), 1, 0, MakeCard(7, Clubs), 10, 2, 0},
        {"a lone jack taken by a jack: the mark and both jacks", MakeCard(11, Hearts), 1, 1, MakeCard(11, Clubs), 12, 2,
         0},
        {"the same rank on a larger pile takes it without the mark", MakeCard(9, Hearts), 3, 1, MakeCard(9, Clubs), 1, 4,
         0},
        {"a jack takes a lone card of another rank without the mark", MakeCard(5, Hearts), 1, 0, MakeCard(11, Clubs), 1,
         2, 0},
        {"a jack on an empty pile takes nothing", MakeCard(0, 0), 0, 0, MakeCard(11, Clubs), 0, 0, 1},
        {"another rank stays on the pile", MakeCard(5, Hearts), 2, 0, MakeCard(6, Clubs), 0, 0, 3},
        {"the two of spades is worth two", MakeCard(2, Hearts), 1, 0, MakeCard(2, Spades), 12, 2, 0},
        {"the ten of diamonds is worth three", MakeCard(10, Hearts), 2, 0, MakeCard(10, Diamonds), 3, 3, 0},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.What);
        TSight Sight = PileSight({C.Played}, C.Top, C.PileCount);
        Sight.PilePoints = C.PilePoints;
        TPlayout Table{};
        StartPlayout(Sight, Table);
        PlayOut(Table, 0);
        EXPECT_EQ(Table.Points[0], C.Points);
        EXPECT_EQ(Table.Taken[0], C.Taken);
        EXPECT_EQ(Table.PileCount, C.PileAfter);
        EXPECT_EQ(Table.LastTaker, C.Taken > 0 ? 0 : -1);
        EXPECT_EQ(Table.ToMove, 1) << "the sides play in turn";
    }
}

// At the end the last taker gets what lies on the pile, and 27 cards or more
// earn the majority's three points.
TEST(Playout, EndGivesThePileToTheLastTakerAndTheMajorityItsPoints)
{
    TSight Sight = PileSight({MakeCard(4, Clubs)}, MakeCard(8, Hearts), 3);
    Sight.PilePoints = 3;
    Sight.OtherHeld = 0;
    Sight.ShoeCount = 0;
    Sight.OtherTaken = 24;
    Sight.LastTaker = TTaker::Other;
    TPlayout Table{};
    StartPlayout(Sight, Table);
    PlayOut(Table, 0);
    EXPECT_EQ(FinishPlayout(Table), -(3 + MajorityPoints)) << "four more cards make the other side's 28";
    EXPECT_EQ(Table.Taken[1], 28);
    EXPECT_EQ(Table.PileCount, 0);
}

TEST(HardLevel, TakesALoneCardWithItsRankForTheMark)
{
    const TSight Sight = PileSight({MakeCard(5, Clubs), MakeCard(13, Hearts), MakeCard(7, Spades), MakeCard(12, Clubs)},
                                   MakeCard(7, Hearts), 1);
    for (uint32_t Seed : {1u, 2u, 3u})
        EXPECT_EQ(ChooseHardCard(Sight, Seed), 2) << Seed;
}

// Easy takes most piles it can take, but not all; with nothing to take it
// throws any of its cards.
TEST(EasyLevel, TakesMostPilesItCanAndThrowsAnyCardOtherwise)
{
    const TSight Takes =
        PileSight({MakeCard(5, Clubs), MakeCard(9, Hearts), MakeCard(13, Spades)}, MakeCard(9, Diamonds), 3);
    const TSight Nothing =
        PileSight({MakeCard(5, Clubs), MakeCard(9, Hearts), MakeCard(13, Spades)}, MakeCard(4, Diamonds), 3);
    int Taken = 0;
    int Thrown[3] = {};
    for (uint32_t Seed = 0; Seed < 400; ++Seed) {
        Taken += ChooseEasyCard(Takes, Seed) == 1;
        const int32_t Card = ChooseEasyCard(Nothing, Seed);
        ASSERT_TRUE(Card >= 0 && Card < 3);
        ++Thrown[Card];
    }
    EXPECT_GT(Taken, 260);
    EXPECT_LT(Taken, 400) << "now and then it misses";
    for (int Count : Thrown)
        EXPECT_GT(Count, 60);
}

// The hard level decides from what its side may know: with the same cards in
// sight, whatever the other hand holds and however the shoe lies, it plays the
// same card for the same seed. The hint, for the player, likewise.
TEST_F(LevelGame, HardChoosesTheSameWhateverTheHiddenCardsAre)
{
    int Compared = 0;
    for (uint32_t Seed = 1; Seed <= 6; ++Seed) {
        Deal(Seed, TLevel::Normal);
        while (Game.FPlayerHand.Count > 0) {
            for (TSide Side : {TSide::Computer, TSide::Player}) {
                THand& Hidden = Side == TSide::Computer ? Game.FPlayerHand : static_cast<THand&>(Game.FCpuHand);
                if (Hidden.Count == 0 || Game.FShoe.Count < 2)
                    continue;
                const int32_t Chosen = LevelChoice(Game, Side, TLevel::Hard);
                // The other hand's first card into the shoe, and the shoe's top two exchanged.
                SwapFaces(Hidden.Items[0], Game.FShoe.Top->Item);
                SwapFaces(Game.FShoe.Top->Item, Game.FShoe.Top->Next->Item);
                EXPECT_EQ(LevelChoice(Game, Side, TLevel::Hard), Chosen) << "seed " << Seed;
                SwapFaces(Game.FShoe.Top->Item, Game.FShoe.Top->Next->Item);
                SwapFaces(Hidden.Items[0], Game.FShoe.Top->Item);
                ++Compared;
            }
            PlayLevelTurn(Game, Table, TLevel::Normal);
        }
    }
    EXPECT_GT(Compared, 200);
}

// Whole games at each level, the player's side played by another: every card
// a side plays is one it held, every card of the deck ends with a side or on
// the pile, and a seed replays the game card for card.
TEST_F(LevelGame, LevelsPlayOnlyCardsTheyHoldAndASeedReplaysTheGame)
{
    const std::pair<TLevel, TLevel> Pairings[] = {
        {TLevel::Hard, TLevel::Easy}, {TLevel::Easy, TLevel::Hard}, {TLevel::Hard, TLevel::Normal}};
    for (const auto& [Computer, Player] : Pairings) {
        std::vector<std::vector<TCard>> Plays;
        for (int Run = 0; Run < 2; ++Run) {
            Deal(11, Computer);
            Table.Recording = true;
            std::vector<TCard> Played;
            int Turns = 0;
            while (Game.FPlayerHand.Count > 0) {
                const std::vector<TCard> CpuHeld = Cards(Game.FCpuHand), PlayerHeld = Cards(Game.FPlayerHand);
                Table.LeftHand.clear();
                PlayLevelTurn(Game, Table, Player);
                ++Turns;
                ASSERT_EQ(Table.LeftHand.size(), 2u);
                THand Before{const_cast<TCard*>(PlayerHeld.data()), int32_t(PlayerHeld.size()), 4};
                EXPECT_TRUE(Holds(Before, Table.LeftHand[0])) << "the player's card";
                Before = THand{const_cast<TCard*>(CpuHeld.data()), int32_t(CpuHeld.size()), 4};
                EXPECT_TRUE(Holds(Before, Table.LeftHand[1])) << "the computer's card";
                Played.insert(Played.end(), Table.LeftHand.begin(), Table.LeftHand.end());
            }
            EXPECT_EQ(Turns, HandSize * DealsPerGame);
            EXPECT_EQ(Game.FPlayerTricks.Count + Game.FCpuTricks.Count + Game.FPile.Count, CardsInDeck);
            Plays.push_back(Played);
        }
        EXPECT_EQ(Plays[0], Plays[1]);
    }
}
