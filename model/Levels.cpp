#include "model/Levels.h"

#include "model/EasyPlayer.h"
#include "model/HardPlayer.h"

#include <algorithm>
#include <iterator>

namespace {

// ChooseCpuCard asked for a hand it does not hold: a copy, so that
// its choice leaves the hand as it was.
int32_t NormalChoice(const TGame& Game, const THand& Hand)
{
    TCard Items[MaxHeld];
    TCpuHand Copy{};
    Copy.Items = Items;
    Copy.Capacity = MaxHeld;
    Copy.Count = std::min(Hand.Count, MaxHeld);
    std::copy(Hand.Items, Hand.Items + Copy.Count, Items);
    std::copy(std::begin(Game.FCpuHand.Seen), std::end(Game.FCpuHand.Seen), Copy.Seen);
    TCard Top{};
    PeekTop(Game.FPile, Top);
    TCard Chosen{};
    ChooseCpuCard(Copy, HasOneCard(Game.FPile), Top, Chosen);
    for (int32_t I = 0; I < Hand.Count; ++I)
        if (Hand.Items[I].Rank == Chosen.Rank && Hand.Items[I].Suit == Chosen.Suit)
            return I;
    return 0;
}

void TakeFromHand(THand& Hand, int32_t Index, TCard& Card)
{
    Card = Hand.Items[Index];
    std::copy(Hand.Items + Index + 1, Hand.Items + Hand.Count, Hand.Items + Index);
    --Hand.Count;
    Card.Face = cfFaceUp;
}

void SeeStack(const TCardStack& Stack, uint64_t& Gone)
{
    for (const TCardNode* Node = Stack.Top; Node; Node = Node->Next)
        if (Node->Item.Rank >= 1 && Node->Item.Rank <= 13 && Node->Item.Suit >= 1 && Node->Item.Suit <= 4)
            Gone |= uint64_t{1} << CardId(Node->Item.Suit, Node->Item.Rank);
}

// What the cards are worth, marks included; the majority is decided at the
// end of the game.
int32_t TakenPoints(const TCardStack& Tricks)
{
    int32_t Points = 0;
    for (const TCardNode* Node = Tricks.Top; Node; Node = Node->Next)
        Points += CardPoints(Node->Item);
    return Points;
}

} // namespace

void SightOf(const TGame& Game, TSide Side, TSight& Sight)
{
    Sight = TSight{};
    const bool Computer = Side == TSide::Computer;
    const THand& Own = Computer ? static_cast<const THand&>(Game.FCpuHand) : Game.FPlayerHand;
    const THand& Other = Computer ? Game.FPlayerHand : static_cast<const THand&>(Game.FCpuHand);
    Sight.HandCount = std::min(Own.Count, MaxHeld);
    std::copy(Own.Items, Own.Items + Sight.HandCount, Sight.Hand);
    Sight.OtherHeld = Other.Count;
    Sight.OtherLacks = Computer ? Game.FPlayerLacks : Game.FCpuLacks;
    Sight.ShoeCount = Game.FShoe.Count;
    PeekTop(Game.FPile, Sight.PileTop);
    Sight.PileCount = Game.FPile.Count;
    Sight.PilePoints = TakenPoints(Game.FPile);
    SeeStack(Game.FPile, Sight.Gone);
    SeeStack(Game.FPlayerTricks, Sight.Gone);
    SeeStack(Game.FCpuTricks, Sight.Gone);
    const TCardStack& OwnTricks = Computer ? Game.FCpuTricks : Game.FPlayerTricks;
    const TCardStack& OtherTricks = Computer ? Game.FPlayerTricks : Game.FCpuTricks;
    Sight.OwnPoints = TakenPoints(OwnTricks);
    Sight.OtherPoints = TakenPoints(OtherTricks);
    Sight.OwnTaken = OwnTricks.Count;
    Sight.OtherTaken = OtherTricks.Count;
    const int32_t OwnMark = Computer ? CpuOwner : PlayerOwner;
    Sight.LastTaker = Game.FShoe.Owner == 0         ? TTaker::Nobody
                      : Game.FShoe.Owner == OwnMark ? TTaker::Own
                                                    : TTaker::Other;
}

int32_t LevelChoice(const TGame& Game, TSide Side, TLevel Level)
{
    const THand& Hand = Side == TSide::Computer ? static_cast<const THand&>(Game.FCpuHand) : Game.FPlayerHand;
    if (Level == TLevel::Normal)
        return NormalChoice(Game, Hand);
    TSight Sight{};
    SightOf(Game, Side, Sight);
    const uint32_t Seed = MoveSeed(Game.FSeed, Sight);
    return Level == TLevel::Hard ? ChooseHardCard(Sight, Seed) : ChooseEasyCard(Sight, Seed);
}

void ChooseComputerCard(TGame& Game)
{
    if (Game.FLevel == TLevel::Normal || Game.FCpuHand.Count < 1) {
        ChooseCpuCard(Game.FCpuHand, HasOneCard(Game.FPile), Game.FTopCard, Game.FSelected);
        return;
    }
    TakeFromHand(Game.FCpuHand, LevelChoice(Game, TSide::Computer, Game.FLevel), Game.FSelected);
}
