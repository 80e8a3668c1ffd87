#include "model/Hand.h"

#include <algorithm>

namespace {

bool SameCard(const TCard& A, const TCard& B)
{
    return A.Rank == B.Rank && A.Suit == B.Suit;
}

} // namespace

void InitHand(THand& Hand, int32_t Capacity)
{
    Hand.Capacity = std::max(Capacity, 0);
    Hand.Count = 0;
    Hand.Items = new TCard[Hand.Capacity];
}

void FreeHand(THand& Hand)
{
    if (!Hand.Items)
        return;
    delete[] Hand.Items;
    Hand.Items = nullptr;
    Hand.Capacity = 0;
    Hand.Count = 0;
}

void AddCard(THand& Hand, const TCard& Card)
{
    if (!Hand.Items || Hand.Count >= Hand.Capacity)
        return;
    Hand.Items[Hand.Count++] = Card;
}

void RemoveCard(THand& Hand, const TCard& Card)
{
    TCard* const End = Hand.Items + Hand.Count;
    TCard* const Found = std::find_if(Hand.Items, End, [&](const TCard& Held) { return SameCard(Held, Card); });
    if (Found == End)
        return;
    std::copy(Found + 1, End, Found);
    --Hand.Count;
}

void SelectCardAt(THand& Hand, int32_t X, int32_t Y, TCard& Card)
{
    Card.Rank = 0;
    for (int32_t I = 0; I < Hand.Count; ++I) {
        if (!CardAt(Hand.Items[I], X, Y))
            continue;
        UnselectCards(Hand);
        Hand.Items[I].Face = cfSelected;
        Card = Hand.Items[I];
    }
}

void UnselectCards(THand& Hand)
{
    for (int32_t I = 0; I < Hand.Count; ++I)
        if (Hand.Items[I].Face == cfSelected)
            Hand.Items[I].Face = cfFaceUp;
}

void DrawHand(const THand& Hand, TCanvas& Canvas)
{
    for (int32_t I = 0; I < Hand.Count; ++I)
        DrawCard(Hand.Items[I], Canvas);
}
