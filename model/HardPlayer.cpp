#include "model/HardPlayer.h"

#include "model/Playout.h"
#include "model/ZentoStack.h"

#include <algorithm>
#include <utility>

namespace {

// Games played out for each move, shared among the cards worth trying: as
// many as a move's time allows.
constexpr int32_t PlayoutsPerMove = 1200;
constexpr int32_t LeastDeals = 40;
// A game won is worth more than its margin: a narrow win still wins.
constexpr int32_t WinWorth = 8;

int32_t Worth(int32_t Margin)
{
    return Margin + (Margin > 0 ? WinWorth : Margin < 0 ? -WinWorth : 0);
}

bool SameWorth(const TCard& A, const TCard& B)
{
    TCard PlainA = A, PlainB = B;
    PlainA.Face = PlainB.Face = cfFaceUp;
    return A.Rank == B.Rank && CardPoints(PlainA) == CardPoints(PlainB);
}

// Two cards of a rank that earn the same points play alike: only the first is tried.
int32_t CardsToTry(const TSight& Sight, int32_t (&Tried)[MaxHeld])
{
    int32_t Count = 0;
    for (int32_t I = 0; I < Sight.HandCount; ++I) {
        bool Seen = false;
        for (int32_t J = 0; J < Count && !Seen; ++J)
            Seen = SameWorth(Sight.Hand[Tried[J]], Sight.Hand[I]);
        if (!Seen)
            Tried[Count++] = I;
    }
    return Count;
}

// Every card neither gone nor in the looking side's hand, in the order of their ids.
int32_t UnseenCards(const TSight& Sight, uint8_t (&Unseen)[CardsInDeck])
{
    uint64_t Known = Sight.Gone;
    for (int32_t I = 0; I < Sight.HandCount; ++I)
        Known |= uint64_t{1} << CardId(Sight.Hand[I].Suit, Sight.Hand[I].Rank);
    int32_t Count = 0;
    for (int32_t Id = 0; Id < CardsInDeck; ++Id)
        if (!(Known >> Id & 1u))
            Unseen[Count++] = static_cast<uint8_t>(Id);
    return Count;
}

// One guess at the hidden cards: the other hand takes the first it may hold,
// the shoe the rest. A side that showed it lacks a rank gets none of it while
// the unseen cards allow.
void DealHidden(TPlayout& Table, const TSight& Sight, uint8_t (&Unseen)[CardsInDeck], int32_t Count, TDice& Dice)
{
    for (int32_t I = Count - 1; I > 0; --I)
        std::swap(Unseen[I], Unseen[Dice.Below(I + 1)]);
    const int32_t OtherHeld = std::min({Sight.OtherHeld, Count, MaxHeld});
    int32_t Held = 0;
    int32_t ShoeCount = 0;
    for (int32_t I = 0; I < Count; ++I) {
        const bool Lacked = Sight.OtherLacks >> RankOfId(Unseen[I]) & 1u;
        if (Held < OtherHeld && !Lacked)
            Table.Held[1][Held++] = Unseen[I];
        else
            Table.Shoe[ShoeCount++] = Unseen[I];
    }
    while (Held < OtherHeld && ShoeCount > 0)
        Table.Held[1][Held++] = Table.Shoe[--ShoeCount];
    Table.HeldCount[1] = static_cast<int8_t>(Held);
    Table.ShoeCount = static_cast<int8_t>(std::min(ShoeCount, Sight.ShoeCount));
}

} // namespace

int32_t ChooseHardCard(const TSight& Sight, uint32_t Seed)
{
    int32_t Tried[MaxHeld] = {};
    const int32_t Choices = CardsToTry(Sight, Tried);
    if (Choices <= 1)
        return 0;
    uint8_t Unseen[CardsInDeck];
    const int32_t UnseenCount = UnseenCards(Sight, Unseen);
    TPlayout Start{};
    StartPlayout(Sight, Start);
    TDice Dice{Seed};
    int64_t Total[MaxHeld] = {};
    const int32_t Deals = std::max(LeastDeals, PlayoutsPerMove / Choices);
    for (int32_t Deal = 0; Deal < Deals; ++Deal) {
        DealHidden(Start, Sight, Unseen, UnseenCount, Dice);
        for (int32_t C = 0; C < Choices; ++C) {
            TPlayout Table = Start;
            PlayOut(Table, Tried[C]);
            Total[C] += Worth(FinishPlayout(Table));
        }
    }
    int32_t Best = 0;
    for (int32_t C = 1; C < Choices; ++C)
        if (Total[C] > Total[Best])
            Best = C;
    return Tried[Best];
}
