#include "model/Game.h"

#include "model/Levels.h"
#include "model/Shoe.h"

#include <algorithm>
#include <limits>

namespace {

void DealTo(TGame& Game, TTable& Table, int32_t Slot)
{
    PopCard(Game.FShoe, Game.FSelected);
    Table.CpuCardPos(Slot, Game.FSelected);
    Game.FSelected.Face = cfBack;
    AddCard(Game.FCpuHand, Game.FSelected);
    PopCard(Game.FShoe, Game.FSelected);
    Table.PlayerCardPos(Slot, Game.FSelected);
    AddCard(Game.FPlayerHand, Game.FSelected);
}

void DealRound(TGame& Game, TTable& Table)
{
    Game.FPlayerLacks = Game.FCpuLacks = 0;
    for (int32_t Slot = 1; Slot <= HandSize; ++Slot)
        DealTo(Game, Table, Slot);
}

// A left click in the middle of the card, where no other card of the row reaches.
void SelectCard(TGame& Game, TTable& Table, const TCard& Card)
{
    SelectAt(Game, Table, Card.X + CardWidth / 2, Card.Y + CardHeight / 2);
}

void LayStartingPile(TGame& Game, TTable& Table)
{
    InitStack(Game.FPile);
    for (int32_t I = 0; I < HandSize; ++I) {
        PopCard(Game.FShoe, Game.FSelected);
        RememberCard(Game.FCpuHand, Game.FSelected);
        Table.PileCardPos(Game.FSelected);
        PushCard(Game.FPile, Game.FSelected);
        Table.StartingCardLaid(Game.FSelected);
    }
}

// A card left on a pile it did not take shows that the side held neither the
// rank under it nor a jack, for the rest of the deal.
void NoteLacks(TGame& Game, TSide By)
{
    if (Game.FPile.Count < 2 || !Game.FPile.Top->Next)
        return;
    const uint16_t Lacks = static_cast<uint16_t>(1u << Game.FPile.Top->Next->Item.Rank | 1u << JackRank);
    (By == TSide::Player ? Game.FPlayerLacks : Game.FCpuLacks) |= Lacks;
}

// Whoever played the card on top takes the pile when one of the capture tests
// holds. The lone-capture test marks the top card, the card just played, and
// no card played ever lies on the pile face down otherwise.
void CaptureTest(TGame& Game, TTable& Table, TCardStack& Tricks, TSide By)
{
    if (!PileCaptured(Game.FPile)) {
        NoteLacks(Game, By);
        return;
    }
    const TTake Take = Game.FPile.Top->Item.Face == cfBack ? TTake::Mark : TTake::Plain;
    TakePile(Game, Table, Tricks);
    Table.PileCaptured(By, Take);
    Table.PileCleared();
}

void CpuMove(TGame& Game, TTable& Table)
{
    PeekTop(Game.FPile, Game.FTopCard);
    ChooseComputerCard(Game);
    if (Game.FSelected.Rank == 0)
        return;
    Table.CardLeftHand(Game.FSelected, TSide::Computer);
    PlayCard(Game, Table, TSide::Computer);
    CaptureTest(Game, Table, Game.FCpuTricks, TSide::Computer);
}

void NextGameOfTournament(TGame& Game, TTable& Table)
{
    Game.FPlayerTotal += ScorePile(Game.FPlayerTricks);
    Game.FCpuTotal += ScorePile(Game.FCpuTricks);
    FreeCards(Game);
    DealCards(Game, Table);
    Table.GameDealt();
}

void EndTournamentGame(TGame& Game, TTable& Table)
{
    switch (DecideTournament(PlayerPoints(Game), CpuPoints(Game), Table.TargetScore())) {
    case TTourOutcome::PlayerWon:
        Table.Message(YouWonKey);
        break;
    case TTourOutcome::ComputerWon:
        Table.Message(ComputerWonKey);
        break;
    case TTourOutcome::GoesOn:
        Table.Message(DealingAgainKey);
        NextGameOfTournament(Game, Table);
        break;
    }
}

void EndGame(TGame& Game, TTable& Table)
{
    if (Game.FShoe.Owner == CpuOwner)
        TakePile(Game, Table, Game.FCpuTricks);
    else if (Game.FShoe.Owner == PlayerOwner)
        TakePile(Game, Table, Game.FPlayerTricks);
    Table.PileCleared();
    Table.Message(EndOfGameKey);
    if (Game.FTournament)
        EndTournamentGame(Game, Table);
}

void EndTurn(TGame& Game, TTable& Table)
{
    if (--Game.FTurnsLeft > 0)
        return;
    if (Game.FDealsLeft > 1) {
        --Game.FDealsLeft;
        Game.FTurnsLeft = HandSize;
        DealHands(Game, Table);
    } else {
        EndGame(Game, Table);
    }
}

} // namespace

void FreeCards(TGame& Game)
{
    ClearStack(Game.FShoe);
    ClearStack(Game.FPile);
    ClearStack(Game.FPlayerTricks);
    ClearStack(Game.FCpuTricks);
    FreeHand(Game.FPlayerHand);
    FreeHand(Game.FCpuHand);
}

void DealCards(TGame& Game, TTable& Table)
{
    InitStack(Game.FShoe);
    BuildShoe(Game.FShoe, 1, AllRanks);
    Game.FSeed = static_cast<uint32_t>(Random(std::numeric_limits<int32_t>::max()));
    InitHand(Game.FPlayerHand, HandSize);
    InitCpuHand(Game.FCpuHand, HandSize);
    DealRound(Game, Table);
    Table.DealStarted();
    LayStartingPile(Game, Table);
    Table.StartingPileLaid();
    InitStack(Game.FPlayerTricks);
    SetStackOwner(Game.FPlayerTricks, PlayerOwner);
    InitStack(Game.FCpuTricks);
    SetStackOwner(Game.FCpuTricks, CpuOwner);
    Game.FShoe.Owner = 0;
    InitCard(Game.FLastSelected, 0, 0, cfNone);
    Game.FDealsLeft = DealsPerGame;
    Game.FTurnsLeft = HandSize;
    Game.FSelected.Rank = 0;
    Table.ScoringStarted();
}

void DealHands(TGame& Game, TTable& Table)
{
    DealRound(Game, Table);
    Table.HandsDealt();
}

void SelectAt(TGame& Game, TTable& Table, int32_t X, int32_t Y)
{
    SelectCardAt(Game.FPlayerHand, X, Y, Game.FSelected);
    // A miss leaves the hand's own copy selected; the hand, the drawing and
    // what assistive technology reads must agree that nothing is.
    if (Game.FSelected.Rank == 0)
        UnselectCards(Game.FPlayerHand);
    else
        Table.HandCardChanged(Game.FSelected);
    const bool OtherCard =
        Game.FLastSelected.Rank != Game.FSelected.Rank || Game.FLastSelected.Suit != Game.FSelected.Suit;
    if (Game.FLastSelected.Rank != 0 && OtherCard) {
        Game.FLastSelected.Face = cfFaceUp;
        Table.HandCardChanged(Game.FLastSelected);
    }
    Game.FLastSelected = Game.FSelected;
}

int32_t SelectedIndex(const TGame& Game)
{
    if (Game.FSelected.Rank == 0)
        return -1;
    for (int32_t I = 0; I < Game.FPlayerHand.Count; ++I) {
        const TCard& Card = Game.FPlayerHand.Items[I];
        if (Card.Rank == Game.FSelected.Rank && Card.Suit == Game.FSelected.Suit)
            return I;
    }
    return -1;
}

void StepSelection(TGame& Game, TTable& Table, TStep Step)
{
    const int32_t Count = Game.FPlayerHand.Count;
    if (Count <= 0)
        return;
    const int32_t Current = SelectedIndex(Game);
    int32_t Next = 0;
    if (Current < 0)
        Next = Step == TStep::Next ? 0 : Count - 1;
    else
        Next = (Current + (Step == TStep::Next ? 1 : Count - 1)) % Count;
    SelectCard(Game, Table, Game.FPlayerHand.Items[Next]);
}

// Every card lies inside the table, so a point above and left of it misses them all.
void ClearSelection(TGame& Game, TTable& Table)
{
    SelectAt(Game, Table, -1, -1);
}

void PlayTurn(TGame& Game, TTable& Table)
{
    if (Game.FSelected.Rank == 0)
        return;
    InitCard(Game.FLastSelected, 0, 0, cfNone);
    RemoveCard(Game.FPlayerHand, Game.FSelected);
    Table.CardLeftHand(Game.FSelected, TSide::Player);
    Game.FSelected.Face = cfFaceUp;
    PlayCard(Game, Table, TSide::Player);
    CaptureTest(Game, Table, Game.FPlayerTricks, TSide::Player);
    CpuMove(Game, Table);
    EndTurn(Game, Table);
    Table.TurnEnded();
    Game.FSelected.Rank = 0;
}

void PlayAt(TGame& Game, TTable& Table, int32_t X, int32_t Y)
{
    const THand& Hand = Game.FPlayerHand;
    const bool OnACard = std::any_of(Hand.Items, Hand.Items + std::max(Hand.Count, 0),
                                     [X, Y](const TCard& Card) { return CardAt(Card, X, Y); });
    if (!OnACard)
        return;
    SelectAt(Game, Table, X, Y);
    PlayTurn(Game, Table);
}

void PlayCard(TGame& Game, TTable& Table, TSide By)
{
    Table.PileCardPos(Game.FSelected);
    RememberCard(Game.FCpuHand, Game.FSelected);
    PushCard(Game.FPile, Game.FSelected);
    Table.CardPlayed(Game.FSelected, By);
    Table.Pause();
}

void TakePile(TGame& Game, TTable& Table, TCardStack& Tricks)
{
    TCard Card{};
    while (!StackEmpty(Game.FPile)) {
        PopCard(Game.FPile, Card);
        PushCard(Tricks, Card);
    }
    Table.PileTaken();
    Game.FShoe.Owner = Tricks.Owner;
}

int32_t PlayerPoints(const TGame& Game)
{
    return ScorePile(Game.FPlayerTricks) + Game.FPlayerTotal;
}

int32_t CpuPoints(const TGame& Game)
{
    return ScorePile(Game.FCpuTricks) + Game.FCpuTotal;
}

TTourOutcome DecideTournament(int32_t Player, int32_t Cpu, int32_t Target)
{
    if (Player >= Target && Player >= Cpu)
        return TTourOutcome::PlayerWon;
    if (Cpu >= Target && Cpu >= Player)
        return TTourOutcome::ComputerWon;
    return TTourOutcome::GoesOn;
}

bool GameInProgress(const TGame& Game)
{
    return Game.FTurnsLeft > 0;
}

void StartGame(TGame& Game, TTable& Table)
{
    FreeCards(Game);
    DealCards(Game, Table);
    Table.GameDealt();
    Game.FPlayerTotal = 0;
    Game.FCpuTotal = 0;
    Game.FTournament = false;
}

void StartTournament(TGame& Game, TTable& Table)
{
    FreeCards(Game);
    DealCards(Game, Table);
    Table.GameDealt();
    Game.FTournament = true;
    Game.FPlayerTotal = 0;
    Game.FCpuTotal = 0;
}

void SelectHint(TGame& Game, TTable& Table)
{
    if (Game.FPlayerHand.Count >= 1)
        SelectCard(Game, Table, Game.FPlayerHand.Items[LevelChoice(Game, TSide::Player, TLevel::Hard)]);
}

void PlayLevelTurn(TGame& Game, TTable& Table, TLevel Level)
{
    if (Game.FPlayerHand.Count < 1)
        return;
    SelectCard(Game, Table, Game.FPlayerHand.Items[LevelChoice(Game, TSide::Player, Level)]);
    PlayTurn(Game, Table);
}
