#include "model/Game.h"

#include "model/Layout.h"
#include "tests/support/DesignedTable.h"
#include "tests/support/FakeTable.h"
#include "tests/support/Support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

void CollectStack(const TCardStack& Stack, std::multiset<int>& Ids)
{
    int Links = 0;
    for (const TCardNode* Node = Stack.Top; Node; Node = Node->Next, ++Links)
        Ids.insert(Node->Item.Suit * 100 + Node->Item.Rank);
    EXPECT_EQ(Links, Stack.Count) << "Count must match the links";
}

void CollectHand(const THand& Hand, std::multiset<int>& Ids)
{
    for (int I = 0; I < Hand.Count; ++I)
        Ids.insert(Hand.Items[I].Suit * 100 + Hand.Items[I].Rank);
}

// Every one of the 52 cards is in exactly one place.
void ExpectAllCardsAccountedFor(const TGame& Game)
{
    std::multiset<int> Ids;
    CollectStack(Game.FShoe, Ids);
    CollectStack(Game.FPile, Ids);
    CollectStack(Game.FPlayerTricks, Ids);
    CollectStack(Game.FCpuTricks, Ids);
    CollectHand(Game.FPlayerHand, Ids);
    CollectHand(Game.FCpuHand, Ids);
    ASSERT_EQ(Ids.size(), 52u);
    EXPECT_EQ(std::set<int>(Ids.begin(), Ids.end()).size(), 52u);
}

class GameFixture : public ::testing::Test
{
protected:
    void TearDown() override { FreeCards(Game); }

    // Selects the first card of the player's hand by its middle and plays it.
    void PlayFirstCard()
    {
        const TCard& Card = Game.FPlayerHand.Items[0];
        SelectAt(Game, Table, Card.X + 35, Card.Y + 48);
        PlayTurn(Game, Table);
    }

    // Replaces the hands and the pile by the given ranks (hands in slot order,
    // the pile from bottom to top), in suits that keep the cards apart; the
    // computer has seen nothing yet.
    void Arrange(const std::vector<uint8_t>& Player, const std::vector<uint8_t>& Cpu,
                 const std::vector<uint8_t>& PileRanks)
    {
        Game.FPlayerHand.Count = 0;
        int32_t Slot = 1;
        for (uint8_t Rank : Player) {
            TCard Card = MakeCard(Rank, 1);
            PlayerSlotPos(Slot++, TableHeight, Card);
            AddCard(Game.FPlayerHand, Card);
        }
        Game.FCpuHand.Count = 0;
        std::fill(std::begin(Game.FCpuHand.Seen), std::end(Game.FCpuHand.Seen), uint8_t{0});
        Slot = 1;
        for (uint8_t Rank : Cpu) {
            TCard Card = MakeCard(Rank, 2, cfBack);
            CpuSlotPos(Slot++, Card);
            AddCard(Game.FCpuHand, Card);
        }
        ClearStack(Game.FPile);
        InitStack(Game.FPile);
        for (uint8_t Rank : PileRanks) {
            TCard Card = MakeCard(Rank, 3);
            PilePos(TableWidth, TableHeight, Card);
            PushCard(Game.FPile, Card);
        }
    }

    int SelectedCardsHeld() const
    {
        return int(std::count_if(Game.FPlayerHand.Items, Game.FPlayerHand.Items + Game.FPlayerHand.Count,
                                 [](const TCard& Card) { return Card.Face == cfSelected; }));
    }

    TGame Game{};
    TFakeTable Table;
};

} // namespace

TEST_F(GameFixture, NewGameDealsFourEachAndFourToThePile)
{
    StartGame(Game, Table);
    EXPECT_EQ(Game.FShoe.Count, 40);
    EXPECT_EQ(Game.FPlayerHand.Count, 4);
    EXPECT_EQ(Game.FCpuHand.Count, 4);
    EXPECT_EQ(Game.FPile.Count, 4);
    EXPECT_EQ(Game.FPlayerTricks.Count + Game.FCpuTricks.Count, 0);
    EXPECT_EQ(Game.FPlayerTricks.Owner, PlayerOwner);
    EXPECT_EQ(Game.FCpuTricks.Owner, CpuOwner);
    EXPECT_EQ(Game.FShoe.Owner, 0);
    EXPECT_EQ(Game.FDealsLeft, 6);
    EXPECT_EQ(Game.FTurnsLeft, 4);
    EXPECT_EQ(Game.FSelected.Rank, 0);
    EXPECT_FALSE(Game.FTournament);
    EXPECT_TRUE(Table.ScoresShown);
    EXPECT_EQ(Table.GamesDealt, 1);
    for (int I = 0; I < SlotsPerRow; ++I) {
        EXPECT_EQ(Game.FPlayerHand.Items[I].X, SlotLeft(I));
        EXPECT_EQ(Game.FPlayerHand.Items[I].Y, PlayerRowTop);
        EXPECT_EQ(Game.FPlayerHand.Items[I].Face, cfFaceUp);
        EXPECT_EQ(Game.FCpuHand.Items[I].X, SlotLeft(I));
        EXPECT_EQ(Game.FCpuHand.Items[I].Y, CpuRowTop);
        EXPECT_EQ(Game.FCpuHand.Items[I].Face, cfBack);
    }
    ExpectAllCardsAccountedFor(Game);
}

TEST_F(GameFixture, StartingPileIsSeenAndMarkedButTheComputersCardsAreNot)
{
    StartGame(Game, Table);
    ASSERT_EQ(Table.Played.size(), 4u);
    int Seen = 0;
    for (uint8_t Count : Game.FCpuHand.Seen)
        Seen += Count;
    EXPECT_EQ(Seen, 4);
    const QRect Area = PileRect(TableWidth, TableHeight);
    for (const TCardNode* Node = Game.FPile.Top; Node; Node = Node->Next) {
        EXPECT_GE(Game.FCpuHand.Seen[Node->Item.Rank - 1], 1);
        EXPECT_TRUE(Area.contains(QRect(Node->Item.X, Node->Item.Y, CardWidth, CardHeight)));
        EXPECT_EQ(Node->Item.Face, cfFaceUp) << "the pile is laid as it comes, without captures";
    }
}

TEST_F(GameFixture, WholeGameKeepsEveryCardAndEndsWithTheScores)
{
    for (int Round = 0; Round < 25; ++Round) {
        StartGame(Game, Table);
        Table.Messages.clear();
        int Turns = 0;
        while (Game.FPlayerHand.Count > 0) {
            PlayFirstCard();
            ++Turns;
            ASSERT_EQ(Game.FPlayerHand.Count, Game.FCpuHand.Count);
            const int Dealt = 8 * (DealsPerGame - Game.FDealsLeft) + 8;
            if (Game.FPlayerHand.Count > 0) {
                EXPECT_EQ(Game.FShoe.Count, 52 - 4 - Dealt);
                EXPECT_EQ(Game.FPlayerHand.Count, Game.FTurnsLeft);
            }
            ExpectAllCardsAccountedFor(Game);
            if (Game.FPlayerTricks.Count + Game.FCpuTricks.Count > 0) {
                EXPECT_NE(Game.FShoe.Owner, 0);
            }
        }
        EXPECT_EQ(Turns, 24);
        EXPECT_EQ(Game.FShoe.Count, 0);
        EXPECT_EQ(Game.FTurnsLeft, 0);
        EXPECT_EQ(Game.FDealsLeft, 1);
        ASSERT_EQ(Table.Messages, std::vector<std::string>{EndOfGameKey});
        EXPECT_EQ(Table.Played.size(), 52u) << "every card went onto the pile once";
        int Marks = 0;
        for (const TCardStack* Tricks : {&Game.FPlayerTricks, &Game.FCpuTricks})
            for (const TCardNode* Node = Tricks->Top; Node; Node = Node->Next)
                Marks += Node->Item.Face == cfBack;
        const int Total = PlayerPoints(Game) + CpuPoints(Game);
        if (Game.FShoe.Owner == 0) {
            EXPECT_EQ(Game.FPile.Count, 52);
            EXPECT_EQ(Total, 0);
        } else {
            EXPECT_EQ(Game.FPile.Count, 0);
            const int Majority = Game.FPlayerTricks.Count == 26 ? 13 : 16;
            EXPECT_EQ(Total, Majority + 10 * Marks);
        }
        const TCardStack& Last = Game.FShoe.Owner == CpuOwner ? Game.FCpuTricks : Game.FPlayerTricks;
        if (Game.FShoe.Owner != 0) {
            EXPECT_EQ(Last.Owner, Game.FShoe.Owner);
        }
        EXPECT_EQ(Table.Pauses, 2 * Turns) << "one pause for each card played, none for the deals";
        Table.Pauses = 0;
    }
}

// A jack, or a card of the top card's rank, takes the whole pile; only a lone
// card taken gives the mark. The pile comes over in reverse order.
TEST_F(GameFixture, JackOrTheTopCardsRankTakesThePileAndOnlyALoneCardIsMarked)
{
    struct TCase { uint8_t Played; std::vector<uint8_t> Pile; int32_t Tricks, Points; TTake Take; };
    const TCase Cases[] = {
        {7, {7}, 2, 10, TTake::Mark},
        {11, {7}, 2, 1, TTake::Plain},
        {11, {11}, 2, 12, TTake::Mark},
        {9, {3, 12, 9}, 4, 0, TTake::Plain},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(testing::Message() << int(C.Played) << " onto " << C.Pile.size() << " cards");
        StartGame(Game, Table);
        Arrange({C.Played, 2}, {4, 5}, C.Pile);
        Table.Captures.clear();
        PlayFirstCard();
        ASSERT_EQ(Game.FPlayerTricks.Count, C.Tricks);
        EXPECT_EQ(Game.FPlayerTricks.Top->Item.Rank, C.Pile[0]);
        EXPECT_EQ(Game.FPlayerTricks.Top->Item.Suit, 3) << "the pile's bottom card comes over last";
        EXPECT_EQ(ScorePile(Game.FPlayerTricks), C.Points);
        EXPECT_EQ(Game.FShoe.Owner, PlayerOwner);
        ASSERT_EQ(Table.Captures.size(), 1u);
        EXPECT_EQ(Table.Captures[0].By, TSide::Player);
        EXPECT_EQ(Table.Captures[0].Take, C.Take);
    }
}

TEST_F(GameFixture, JackOntoAnEmptyPileTakesNothingAndTheComputerCaptures)
{
    StartGame(Game, Table);
    Arrange({11, 2}, {4, 13}, {});
    PlayFirstCard();
    EXPECT_EQ(Game.FPlayerTricks.Count, 0);
    EXPECT_EQ(Game.FPile.Count, 2);
    StartGame(Game, Table);
    Arrange({6, 2}, {4, 6}, {});
    PlayFirstCard();
    EXPECT_EQ(Game.FCpuTricks.Count, 2) << "the computer takes the lone six with its six";
    EXPECT_EQ(ScorePile(Game.FCpuTricks), 10);
    EXPECT_EQ(Game.FShoe.Owner, CpuOwner);
    ASSERT_EQ(Table.Captures.size(), 1u);
    EXPECT_EQ(Table.Captures[0].By, TSide::Computer);
    EXPECT_EQ(Table.Captures[0].Take, TTake::Mark);
    EXPECT_EQ(Table.PlayedBy, (std::vector<TSide>{TSide::Player, TSide::Computer, TSide::Player, TSide::Computer}));
}

TEST_F(GameFixture, ComputerAnswersAnEmptyPileAfterThePlayerCaptures)
{
    StartGame(Game, Table);
    Arrange({8, 2}, {11, 3}, {8});
    PlayFirstCard();
    EXPECT_EQ(Game.FTopCard.Rank, 0);
    ASSERT_EQ(Game.FPile.Count, 1);
    EXPECT_EQ(Game.FPile.Top->Item.Rank, 3) << "the computer keeps its jack";
    EXPECT_EQ(Game.FPile.Top->Item.Face, cfFaceUp);
    ASSERT_EQ(Table.LeftHand.size(), 2u);
    EXPECT_EQ(Table.LeftHand[1].X, 77);
    EXPECT_EQ(Table.LeftHand[1].Y, 3);
}

// The steps of keyboard play and of clicks on one hand, each leaving exactly
// the card it chose selected, or none: stepping goes round the hand, from
// nothing Next takes the first card and Previous the last, the selected card
// clicked again stays selected, and Escape or a click beside the cards clears.
TEST_F(GameFixture, StepsGoRoundTheHandAndEscapeOrAMissClears)
{
    StartGame(Game, Table);
    // N and P step to the next and previous card, E is Escape, M a click
    // beside the cards, A a click on the selected card.
    struct TCase { char Move; int Selected; };
    const TCase Cases[] = {{'N', 0},  {'N', 1}, {'P', 0},  {'P', 3}, {'N', 0},  {'E', -1}, {'P', 3},
                           {'A', 3}, {'M', -1}, {'N', 0}, {'A', 0}, {'E', -1}, {'E', -1}};
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(testing::Message() << Case.Move << " to " << Case.Selected);
        if (Case.Move == 'N' || Case.Move == 'P')
            StepSelection(Game, Table, Case.Move == 'N' ? TStep::Next : TStep::Previous);
        else if (Case.Move == 'E')
            ClearSelection(Game, Table);
        else if (Case.Move == 'M')
            SelectAt(Game, Table, 150, 150);
        else
            SelectAt(Game, Table, Game.FSelected.X + 5, Game.FSelected.Y + 5);
        EXPECT_EQ(SelectedIndex(Game), Case.Selected);
        EXPECT_EQ(SelectedCardsHeld(), Case.Selected < 0 ? 0 : 1);
        if (Case.Selected >= 0)
            EXPECT_EQ(Game.FPlayerHand.Items[Case.Selected].Face, cfSelected);
        else
            EXPECT_EQ(Game.FSelected.Rank, 0);
    }
    EXPECT_EQ(Game.FPlayerHand.Count, 4) << "no step plays";
    Game.FPlayerHand.Count = 0;
    StepSelection(Game, Table, TStep::Next);
    EXPECT_EQ(SelectedIndex(Game), -1) << "an empty hand selects nothing";
}

// One click plays the card under the point as a left and a right click
// would; beside the cards it changes nothing, not even a selection made by keys.
TEST_F(GameFixture, OneClickPlaysTheCardUnderThePointAndAMissChangesNothing)
{
    StartGame(Game, Table);
    StepSelection(Game, Table, TStep::Next);
    PlayAt(Game, Table, 150, 150);
    EXPECT_EQ(SelectedIndex(Game), 0) << "a click beside the cards keeps the selection";
    EXPECT_EQ(Game.FPlayerHand.Count, 4);
    EXPECT_EQ(Game.FTurnsLeft, 4);

    const TCard Third = Game.FPlayerHand.Items[2];
    PlayAt(Game, Table, Third.X + 5, Third.Y + 5);
    EXPECT_EQ(Game.FPlayerHand.Count, 3);
    EXPECT_EQ(Game.FTurnsLeft, 3);
    for (int I = 0; I < Game.FPlayerHand.Count; ++I)
        EXPECT_FALSE(Game.FPlayerHand.Items[I].Rank == Third.Rank && Game.FPlayerHand.Items[I].Suit == Third.Suit);
    EXPECT_EQ(SelectedCardsHeld(), 0);
    EXPECT_EQ(Game.FLastSelected.Rank, 0) << "no highlight is left to remove";
    ExpectAllCardsAccountedFor(Game);

    // The gap the card left is beside the cards now.
    PlayAt(Game, Table, Third.X + 5, Third.Y + 5);
    EXPECT_EQ(Game.FPlayerHand.Count, 3);
    while (Game.FPlayerHand.Count > 0 || Game.FDealsLeft > 1) {
        const TCard& First = Game.FPlayerHand.Items[0];
        PlayAt(Game, Table, First.X + CardWidth / 2, First.Y + CardHeight / 2);
    }
    EXPECT_EQ(Game.FPlayerHand.Count, 0);
    ExpectAllCardsAccountedFor(Game);
}

TEST_F(GameFixture, LastPileGoesToTheLastTakerOrStaysWhenNobodyTook)
{
    StartGame(Game, Table);
    Game.FDealsLeft = 1;
    Game.FTurnsLeft = 1;
    Arrange({2}, {3}, {4, 5});
    Game.FShoe.Owner = CpuOwner;
    PlayFirstCard();
    EXPECT_EQ(Game.FPile.Count, 0);
    EXPECT_EQ(Game.FCpuTricks.Count, 4);
    EXPECT_EQ(Table.Messages, std::vector<std::string>{EndOfGameKey});
    EXPECT_TRUE(Table.Captures.empty()) << "the rest of the pile at the end is no capture";

    StartGame(Game, Table);
    Game.FDealsLeft = 1;
    Game.FTurnsLeft = 1;
    Arrange({2}, {3}, {4, 5});
    PlayFirstCard();
    EXPECT_EQ(Game.FPile.Count, 4);
    EXPECT_EQ(Game.FPlayerTricks.Count + Game.FCpuTricks.Count, 0);
}

TEST(DecideTournament, SidesAtTheTargetWinAndTiesGoToThePlayer)
{
    struct TCase { int32_t Player, Cpu, Target; TTourOutcome Outcome; };
    const TCase Cases[] = {
        {33, 20, 31, TTourOutcome::PlayerWon},   {20, 33, 31, TTourOutcome::ComputerWon},
        {40, 40, 31, TTourOutcome::PlayerWon},   {31, 31, 31, TTourOutcome::PlayerWon},
        {20, 25, 31, TTourOutcome::GoesOn},      {30, 30, 31, TTourOutcome::GoesOn},
        {31, 40, 31, TTourOutcome::ComputerWon}, {200, 150, 1001, TTourOutcome::GoesOn},
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(DecideTournament(C.Player, C.Cpu, C.Target), C.Outcome)
            << C.Player << " vs " << C.Cpu << " at " << C.Target;
}

TEST_F(GameFixture, TournamentGoesOnUntilASideReachesTheTarget)
{
    StartTournament(Game, Table);
    Table.Target = 31;
    int Games = 1;
    int32_t LastTotals = 0;
    Table.OnMessage = [&](const std::string& Key) {
        if (Key == DealingAgainKey)
            ++Games;
    };
    while (Game.FPlayerHand.Count > 0 && Games < 40) {
        PlayFirstCard();
        ExpectAllCardsAccountedFor(Game);
        const int32_t Totals = Game.FPlayerTotal + Game.FCpuTotal;
        EXPECT_GE(Totals, LastTotals) << "totals only grow";
        LastTotals = Totals;
    }
    ASSERT_FALSE(Table.Messages.empty());
    const std::string Last = Table.Messages.back();
    EXPECT_TRUE(Last == YouWonKey || Last == ComputerWonKey) << Last;
    EXPECT_TRUE(Game.FTournament) << "a decided tournament stays on the table";
    const int32_t P = PlayerPoints(Game), C = CpuPoints(Game);
    EXPECT_TRUE(Last == YouWonKey ? P >= 31 && P >= C : C >= 31 && C >= P) << P << " vs " << C;
    EXPECT_EQ(Table.GamesDealt, Games);
}

// The totals are compared with the table's target, whatever number it holds:
// the last game gives the player 10 points (a lone capture) and the computer
// none. A tournament that goes on adds them and deals the next game at once.
TEST_F(GameFixture, EndOfATournamentGameComparesThePointsWithTheTablesTarget)
{
    struct TCase { int32_t Target, PlayerTotal, CpuTotal; const char* Outcome; };
    const TCase Cases[] = {
        {100, 90, 0, YouWonKey},       {100, 89, 0, DealingAgainKey},
        {100, 0, 100, ComputerWonKey}, {100, 0, 99, DealingAgainKey},
        {1001, 991, 0, YouWonKey},     {31, 21, 31, YouWonKey},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.PlayerTotal << " + 10 and " << C.CpuTotal << " at " << C.Target);
        StartTournament(Game, Table);
        Table.Target = C.Target;
        Table.Messages.clear();
        Game.FDealsLeft = 1;
        Game.FTurnsLeft = 1;
        Arrange({7}, {3}, {7});
        Game.FPlayerTotal = C.PlayerTotal;
        Game.FCpuTotal = C.CpuTotal;
        PlayFirstCard();
        EXPECT_EQ(Table.Messages, (std::vector<std::string>{EndOfGameKey, C.Outcome}));
        EXPECT_TRUE(Game.FTournament);
        const bool GoesOn = C.Outcome == DealingAgainKey;
        EXPECT_EQ(Game.FPlayerHand.Count, GoesOn ? 4 : 0) << "the next game is dealt at once, or none";
        EXPECT_EQ(Game.FPlayerTotal, C.PlayerTotal + (GoesOn ? 10 : 0)) << "a decided tournament keeps its totals";
        EXPECT_EQ(Game.FCpuTotal, C.CpuTotal);
        EXPECT_EQ(PlayerPoints(Game), C.PlayerTotal + 10);
    }
}

TEST_F(GameFixture, NewGameEndsATournamentAndANewTournamentStartsFromNothing)
{
    for (const bool Tournament : {false, true}) {
        StartTournament(Game, Table);
        Game.FPlayerTotal = 50;
        Game.FCpuTotal = 60;
        (Tournament ? StartTournament : StartGame)(Game, Table);
        EXPECT_EQ(Game.FTournament, Tournament);
        EXPECT_EQ(Game.FPlayerTotal, 0);
        EXPECT_EQ(Game.FCpuTotal, 0);
    }
}

// The computer's counters against the memory aid's marks, which receive every
// card that reaches the pile, over a whole game and its five redeals.
TEST_F(GameFixture, ComputerCountsEveryCardEitherSidePlaysThroughTheRedeals)
{
    StartGame(Game, Table);
    int Turns = 0;
    while (Game.FPlayerHand.Count > 0) {
        PlayFirstCard();
        ++Turns;
        int Marked[13] = {};
        for (const TCard& Card : Table.Played)
            ++Marked[Card.Rank - 1];
        for (int Rank = 1; Rank <= 13; ++Rank)
            ASSERT_EQ(Game.FCpuHand.Seen[Rank - 1], Marked[Rank - 1]) << "rank " << Rank << " after turn " << Turns;
    }
    EXPECT_EQ(Turns, 24);
    for (uint8_t Seen : Game.FCpuHand.Seen)
        EXPECT_EQ(Seen, 4) << "the whole deck was seen";
}

TEST_F(GameFixture, ComputerIsToldOfALoneCardAndTakesItWithItsRankRatherThanAJack)
{
    StartGame(Game, Table);
    Arrange({5, 2}, {11, 5}, {});
    PlayFirstCard();
    ASSERT_EQ(Game.FCpuTricks.Count, 2);
    EXPECT_EQ(ScorePile(Game.FCpuTricks), 10) << "the five with the mark, not the jack";
    ASSERT_EQ(Game.FCpuHand.Count, 1);
    EXPECT_EQ(Game.FCpuHand.Items[0].Rank, 11);
}

TEST_F(GameFixture, PlayedCardsLieFaceUpOnThePile)
{
    StartGame(Game, Table);
    Arrange({5, 2}, {4, 13}, {3, 9});
    PlayFirstCard();
    ASSERT_EQ(Game.FPile.Count, 4);
    const TCard& Player = Game.FPile.Top->Next->Item;
    EXPECT_EQ(Player.Rank, 5);
    EXPECT_EQ(Player.Face, cfFaceUp) << "the selection frame does not follow the card";
    EXPECT_EQ(Game.FPile.Top->Item.Face, cfFaceUp);
    ASSERT_EQ(Table.Played.size(), 6u);
    EXPECT_EQ(Table.Played[4].Face, cfFaceUp);
}

// Where and how the dealt cards lie is checked with the new game.
TEST_F(GameFixture, ComputerGetsTheFirstCardAndTheSidesAlternate)
{
    StartGame(Game, Table);
    Game.FPlayerHand.Count = 0;
    Game.FCpuHand.Count = 0;
    ClearStack(Game.FShoe);
    InitStack(Game.FShoe);
    for (uint8_t Rank = 8; Rank >= 1; --Rank)  // rank 1 on top
        PushCard(Game.FShoe, MakeCard(Rank, 1));
    DealHands(Game, Table);
    ASSERT_EQ(Game.FCpuHand.Count, 4);
    ASSERT_EQ(Game.FPlayerHand.Count, 4);
    for (int Slot = 1; Slot <= 4; ++Slot) {
        const TCard& Cpu = Game.FCpuHand.Items[Slot - 1];
        const TCard& Player = Game.FPlayerHand.Items[Slot - 1];
        EXPECT_EQ(Cpu.Rank, 2 * Slot - 1);
        EXPECT_EQ(Player.Rank, 2 * Slot);
    }
}

// Moving the highlight between cards that share a rank or a suit must still
// draw the old card without its frame.
TEST_F(GameFixture, OldHighlightGoesWhenRankOrSuitDiffers)
{
    StartGame(Game, Table);
    Game.FPlayerHand.Count = 0;
    const TCard Hand[] = {MakeCard(7, 1), MakeCard(7, 2), MakeCard(9, 2)};
    for (int Slot = 1; Slot <= 3; ++Slot) {
        TCard Card = Hand[Slot - 1];
        PlayerSlotPos(Slot, TableHeight, Card);
        AddCard(Game.FPlayerHand, Card);
    }
    auto ClickSlot = [&](int Slot) { SelectAt(Game, Table, SlotLeft(Slot - 1) + 30, PlayerRowTop + 40); };
    ClickSlot(1);
    ClickSlot(2);
    ASSERT_EQ(Table.Changed.size(), 3u);
    EXPECT_EQ(Table.Changed[2].Suit, 1);
    EXPECT_EQ(Table.Changed[2].Face, cfFaceUp) << "same rank, other suit";
    ClickSlot(3);
    ASSERT_EQ(Table.Changed.size(), 5u);
    EXPECT_EQ(Table.Changed[4].Rank, 7);
    EXPECT_EQ(Table.Changed[4].Suit, 2);
    EXPECT_EQ(Table.Changed[4].Face, cfFaceUp) << "same suit, other rank";
}
