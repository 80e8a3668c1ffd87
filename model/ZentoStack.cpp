#include "model/ZentoStack.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr uint8_t Ace = 1;
constexpr uint8_t Jack = 11;
bool TopTwoSameRank(const TCardStack& Pile)
{
    return Pile.Top && Pile.Top->Next && Pile.Top->Item.Rank == Pile.Top->Next->Item.Rank;
}

// First position from 0 whose card satisfies Wanted, or -1.
template <typename TPredicate>
int32_t FindInHand(const THand& Hand, TPredicate Wanted)
{
    for (int32_t I = 0; I < Hand.Count; ++I)
        if (Wanted(Hand.Items[I]))
            return I;
    return -1;
}

// The non-jack whose rank was seen most often, ties to the later card; the
// first card when every card held is a jack.
int32_t MostSeenNonJack(const TCpuHand& Hand)
{
    int32_t Chosen = 0;
    int32_t Best = 0;
    for (int32_t I = 0; I < Hand.Count; ++I) {
        const TCard& Card = Hand.Items[I];
        if (Card.Rank == Jack || Card.Rank < 1 || Card.Rank > 13)
            continue;
        if (Hand.Seen[Card.Rank - 1] >= Best) {
            Best = Hand.Seen[Card.Rank - 1];
            Chosen = I;
        }
    }
    return Chosen;
}

} // namespace

void SetStackOwner(TCardStack& Stack, int32_t Owner)
{
    Stack.Owner = Owner;
}

void PeekTop(const TCardStack& Stack, TCard& Card)
{
    if (Stack.Top)
        Card = Stack.Top->Item;
    else
        Card.Rank = 0;
}

bool HasOneCard(const TCardStack& Stack)
{
    return Stack.Top && !Stack.Top->Next;
}

bool IsLoneCapture(TCardStack& Pile)
{
    if (Pile.Count != 2 || !TopTwoSameRank(Pile))
        return false;
    Pile.Top->Item.Face = cfBack;
    return true;
}

bool CanCaptureByRank(const TCardStack& Pile)
{
    return Pile.Count >= 3 && TopTwoSameRank(Pile);
}

bool CanCaptureByJack(const TCardStack& Pile)
{
    return Pile.Count >= 2 && Pile.Top && Pile.Top->Item.Rank == Jack;
}

bool PileCaptured(TCardStack& Pile)
{
    return IsLoneCapture(Pile) || CanCaptureByRank(Pile) || CanCaptureByJack(Pile);
}

int32_t ScorePile(const TCardStack& Tricks)
{
    int32_t Points = 0;
    for (const TCardNode* Node = Tricks.Top; Node; Node = Node->Next)
        Points += CardPoints(Node->Item);
    if (Tricks.Count >= MajorityCount)
        Points += MajorityPoints;
    return Points;
}

int32_t CardPoints(const TCard& Card)
{
    int32_t Points = 0;
    if (Card.Rank == Ace || Card.Rank == Jack)
        Points += 1;
    if (Card.Face == cfBack)
        Points += MarkPoints;
    if (Card.Rank == 2 && Card.Suit == Spades)
        Points += 2;
    if (Card.Rank == 10 && Card.Suit == Diamonds)
        Points += 3;
    return Points;
}

void InitCpuHand(TCpuHand& Hand, int32_t Capacity)
{
    InitHand(Hand, Capacity);
    std::fill(std::begin(Hand.Seen), std::end(Hand.Seen), uint8_t{0});
}

void RememberCard(TCpuHand& Hand, const TCard& Card)
{
    if (Card.Rank >= 1 && Card.Rank <= 13)
        ++Hand.Seen[Card.Rank - 1];
}

void ChooseCpuCard(TCpuHand& Hand, bool Lone, const TCard& Top, TCard& Card)
{
    if (Hand.Count < 1) {
        Card.Rank = 0;
        Card.Suit = 0;
        return;
    }
    int32_t Chosen = -1;
    if (Top.Rank != 0) {
        if (Lone)
            Chosen = FindInHand(Hand, [&](const TCard& C) { return C.Rank == Top.Rank; });
        if (Chosen < 0)
            Chosen = FindInHand(Hand, [&](const TCard& C) { return C.Rank == Jack || C.Rank == Top.Rank; });
    }
    if (Chosen < 0)
        Chosen = MostSeenNonJack(Hand);
    Card = Hand.Items[Chosen];
    std::copy(Hand.Items + Chosen + 1, Hand.Items + Hand.Count, Hand.Items + Chosen);
    --Hand.Count;
    Card.Face = cfFaceUp;
}
