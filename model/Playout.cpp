#include "model/Playout.h"

#include "model/ZentoStack.h"

#include <algorithm>
#include <array>

namespace {

constexpr int32_t DealSize = MaxHeld;
// A jack takes any pile: using one on little gives up a later, larger take.
constexpr float JackKeepValue = 4.0f;
// Points thrown onto the pile are points the other side may take.
constexpr float ThrownPointsCost = 0.5f;
// Each card taken counts towards the majority.
constexpr float CardCountValue = 0.2f;

int32_t IdPoints(int32_t Id)
{
    TCard Card{};
    InitCard(Card, RankOfId(Id), SuitOfId(Id), cfFaceUp);
    return CardPoints(Card);
}

const std::array<int8_t, CardsInDeck>& PointsOfIds()
{
    static const std::array<int8_t, CardsInDeck> Points = [] {
        std::array<int8_t, CardsInDeck> Made{};
        for (int32_t Id = 0; Id < CardsInDeck; ++Id)
            Made[Id] = static_cast<int8_t>(IdPoints(Id));
        return Made;
    }();
    return Points;
}

// The chance that Drawn cards taken at random from Hidden hold at least one of
// Wanted given cards: 1 - C(Hidden - Wanted, Drawn) / C(Hidden, Drawn).
struct TOddsTable
{
    float Odds[CardsInDeck + 1][MaxHeld * 2 + 1][MaxHeld + 1];
};

const TOddsTable& Odds()
{
    static const TOddsTable Table = [] {
        TOddsTable Made{};
        for (int32_t Hidden = 0; Hidden <= CardsInDeck; ++Hidden)
            for (int32_t Wanted = 0; Wanted <= MaxHeld * 2; ++Wanted)
                for (int32_t Drawn = 0; Drawn <= MaxHeld; ++Drawn) {
                    double None = 1.0;
                    for (int32_t I = 0; I < Drawn; ++I) {
                        const int32_t Left = Hidden - I;
                        None = Left <= 0 ? 0.0 : None * std::max(0, Left - Wanted) / Left;
                    }
                    Made.Odds[Hidden][Wanted][Drawn] = Wanted <= 0 || Drawn <= 0 ? 0.0f : float(1.0 - None);
                }
        return Made;
    }();
    return Table;
}

float ChanceOfAny(int32_t Hidden, int32_t Wanted, int32_t Drawn)
{
    if (Hidden <= 0 || Wanted <= 0 || Drawn <= 0)
        return 0.0f;
    return Odds().Odds[std::min(Hidden, CardsInDeck)][std::min(Wanted, MaxHeld * 2)][std::min(Drawn, MaxHeld)];
}

// A card of the top card's rank takes the pile, and a jack takes any pile.
bool TakesPile(const TPlayout& Playout, int32_t Rank)
{
    return Playout.PileCount > 0 && (Rank == Playout.PileTop || Rank == JackRank);
}

void TakePileBy(TPlayout& Playout, int32_t Side, int32_t Extra)
{
    Playout.Points[Side] = static_cast<int16_t>(Playout.Points[Side] + Playout.PilePoints + Extra);
    Playout.Taken[Side] = static_cast<int8_t>(Playout.Taken[Side] + Playout.PileCount);
    Playout.LastTaker = static_cast<int8_t>(Side);
    Playout.PileCount = 0;
    Playout.PilePoints = 0;
    Playout.PileTop = 0;
}

void DealIfEmpty(TPlayout& Playout)
{
    if (Playout.HeldCount[0] != 0 || Playout.HeldCount[1] != 0)
        return;
    for (int32_t I = 0; I < DealSize && Playout.ShoeCount >= 2; ++I)
        for (int32_t Side : {0, 1})
            Playout.Held[Side][Playout.HeldCount[Side]++] = Playout.Shoe[--Playout.ShoeCount];
}

// The rule of thumb's worth of playing one card, for the side to move.
struct TJudge
{
    const TPlayout& Playout;
    int32_t Side;
    int32_t OwnOfRank[14];
    int32_t Hidden;    // cards neither gone nor in this side's hand
    int32_t NextHand;  // cards the other side gets at the next deal
    bool LastDeal;

    explicit TJudge(const TPlayout& Table) : Playout(Table), Side(Table.ToMove), OwnOfRank{}
    {
        int32_t Gone = 0;
        for (int32_t Rank = 1; Rank <= 13; ++Rank)
            Gone += Playout.GoneOfRank[Rank];
        for (int32_t I = 0; I < Playout.HeldCount[Side]; ++I)
            ++OwnOfRank[RankOfId(Playout.Held[Side][I])];
        Hidden = CardsInDeck - Gone - Playout.HeldCount[Side];
        NextHand = Playout.ShoeCount > 0 ? DealSize : 0;
        LastDeal = Playout.ShoeCount == 0;
    }

    int32_t Elsewhere(int32_t Rank) const { return 4 - Playout.GoneOfRank[Rank] - OwnOfRank[Rank]; }

    bool OtherHolds(int32_t Rank) const
    {
        for (int32_t I = 0; I < Playout.HeldCount[1 - Side]; ++I)
            if (RankOfId(Playout.Held[1 - Side][I]) == Rank)
                return true;
        return false;
    }

    float Worth(int32_t Id) const
    {
        const int32_t Rank = RankOfId(Id);
        const int32_t Points = PointsOfIds()[Id];
        const float JackCost = Rank == JackRank && !LastDeal ? JackKeepValue : 0.0f;
        const bool Matches = Playout.PileCount > 0 && Rank == Playout.PileTop;
        if (TakesPile(Playout, Rank)) {
            const int32_t Mark = Matches && Playout.PileCount == 1 ? MarkPoints : 0;
            return Playout.PilePoints + Points + Mark + CardCountValue * (Playout.PileCount + 1) -
                   (Matches ? 0.0f : JackCost);
        }
        // Left on the pile: the other side takes it with the same rank (a mark
        // on a lone card) or with a jack.
        const float Left = Playout.PilePoints + Points + CardCountValue * (Playout.PileCount + 1);
        float SameRank = 0.0f;
        float ByJack = 0.0f;
        if (Playout.HeldCount[1 - Side] > 0) {
            SameRank = OtherHolds(Rank) ? 1.0f : 0.0f;
            ByJack = Rank != JackRank && OtherHolds(JackRank) ? 1.0f : 0.0f;
        } else {
            SameRank = ChanceOfAny(Hidden, Elsewhere(Rank), NextHand);
            ByJack = Rank == JackRank ? 0.0f : ChanceOfAny(Hidden, Elsewhere(JackRank), NextHand);
        }
        const float Mark = Playout.PileCount == 0 ? MarkPoints : 0.0f;
        const float Taken = SameRank + (1.0f - SameRank) * ByJack;
        return -(SameRank * (Left + Mark) + (Taken - SameRank) * Left) - JackCost - ThrownPointsCost * Points;
    }
};

} // namespace

void StartPlayout(const TSight& Sight, TPlayout& Playout)
{
    Playout = TPlayout{};
    for (int32_t I = 0; I < Sight.HandCount && I < MaxHeld; ++I)
        Playout.Held[0][Playout.HeldCount[0]++] = static_cast<uint8_t>(CardId(Sight.Hand[I].Suit, Sight.Hand[I].Rank));
    Playout.PileTop = Sight.PileCount > 0 ? Sight.PileTop.Rank : 0;
    Playout.PileCount = static_cast<int8_t>(Sight.PileCount);
    Playout.PilePoints = static_cast<int16_t>(Sight.PilePoints);
    Playout.Points[0] = static_cast<int16_t>(Sight.OwnPoints);
    Playout.Points[1] = static_cast<int16_t>(Sight.OtherPoints);
    Playout.Taken[0] = static_cast<int8_t>(Sight.OwnTaken);
    Playout.Taken[1] = static_cast<int8_t>(Sight.OtherTaken);
    Playout.LastTaker = Sight.LastTaker == TTaker::Own ? 0 : Sight.LastTaker == TTaker::Other ? 1 : -1;
    for (int32_t Id = 0; Id < CardsInDeck; ++Id)
        if (Sight.Gone >> Id & 1u)
            ++Playout.GoneOfRank[RankOfId(Id)];
    Playout.ToMove = 0;
}

void PlayOut(TPlayout& Playout, int32_t Index)
{
    const int32_t Side = Playout.ToMove;
    int8_t& Count = Playout.HeldCount[Side];
    if (Index < 0 || Index >= Count)
        return;
    const uint8_t Id = Playout.Held[Side][Index];
    // The hand keeps its order, as at the table: ChooseCpuCard looks in hand order.
    for (int32_t I = Index + 1; I < Count; ++I)
        Playout.Held[Side][I - 1] = Playout.Held[Side][I];
    --Count;
    const uint8_t Rank = RankOfId(Id);
    ++Playout.GoneOfRank[Rank];
    const bool Matches = Playout.PileCount > 0 && Rank == Playout.PileTop;
    const int32_t Points = PointsOfIds()[Id];
    if (TakesPile(Playout, Rank)) {
        ++Playout.PileCount;
        TakePileBy(Playout, Side, Points + (Matches && Playout.PileCount == 2 ? MarkPoints : 0));
    } else {
        ++Playout.PileCount;
        Playout.PilePoints = static_cast<int16_t>(Playout.PilePoints + Points);
        Playout.PileTop = Rank;
    }
    Playout.ToMove = static_cast<int8_t>(1 - Side);
    DealIfEmpty(Playout);
}

int32_t PlainChoice(const TPlayout& Playout)
{
    const int32_t Side = Playout.ToMove;
    TCard Items[MaxHeld];
    TCpuHand Hand{};
    Hand.Items = Items;
    Hand.Capacity = MaxHeld;
    for (int32_t I = 0; I < Playout.HeldCount[Side]; ++I)
        InitCard(Items[Hand.Count++], RankOfId(Playout.Held[Side][I]), SuitOfId(Playout.Held[Side][I]), cfBack);
    std::copy(Playout.GoneOfRank + 1, Playout.GoneOfRank + 14, Hand.Seen);
    TCard Top{};
    Top.Rank = Playout.PileTop;
    TCard Chosen{};
    ChooseCpuCard(Hand, Playout.PileCount == 1, Top, Chosen);
    for (int32_t I = 0; I < Playout.HeldCount[Side]; ++I)
        if (Playout.Held[Side][I] == CardId(Chosen.Suit, Chosen.Rank))
            return I;
    return 0;
}

int32_t QuickChoice(const TPlayout& Playout)
{
    const TJudge Judge(Playout);
    const int32_t Side = Playout.ToMove;
    int32_t Best = 0;
    float BestWorth = 0.0f;
    for (int32_t I = 0; I < Playout.HeldCount[Side]; ++I) {
        const float Worth = Judge.Worth(Playout.Held[Side][I]);
        if (I == 0 || Worth > BestWorth) {
            Best = I;
            BestWorth = Worth;
        }
    }
    return Best;
}

int32_t FinishPlayout(TPlayout& Playout)
{
    while (Playout.HeldCount[Playout.ToMove] > 0)
        PlayOut(Playout, Playout.ToMove == 0 ? QuickChoice(Playout) : PlainChoice(Playout));
    if (Playout.LastTaker >= 0)
        TakePileBy(Playout, Playout.LastTaker, 0);
    return PlayoutMargin(Playout);
}

int32_t PlayoutMargin(const TPlayout& Playout)
{
    int32_t Margin = Playout.Points[0] - Playout.Points[1];
    if (Playout.Taken[0] >= MajorityCount)
        Margin += MajorityPoints;
    if (Playout.Taken[1] >= MajorityCount)
        Margin -= MajorityPoints;
    return Margin;
}
