#include "model/Shoe.h"

#include <QTime>

#include <cstdlib>
#include <optional>
#include <random>

namespace {

std::mt19937& Generator()
{
    thread_local std::mt19937 Engine(5489u);
    return Engine;
}

std::optional<std::mt19937>& Replayed()
{
    thread_local std::optional<std::mt19937> Seeds;
    return Seeds;
}

bool HasRank(TRankSet Ranks, int Element)
{
    return (Ranks >> Element) & 1u;
}

void PushNew(TCardStack& Stack, uint8_t Rank, uint8_t Suit)
{
    TCard Card{};
    InitCard(Card, Rank, Suit, cfFaceUp);
    PushCard(Stack, Card);
}

} // namespace

int32_t Random(int32_t N)
{
    if (N < 1)
        return 0;
    std::uniform_int_distribution<int32_t> Distribution(0, N - 1);
    return Distribution(Generator());
}

void Randomize()
{
    if (Replayed()) {
        Generator().seed((*Replayed())());
        return;
    }
    Generator().seed(static_cast<std::mt19937::result_type>(QTime::currentTime().msecsSinceStartOfDay()));
}

void ReplaySeeds(uint32_t Seed)
{
    Replayed().emplace(Seed);
}

void ClockSeeds()
{
    Replayed().reset();
}

void BuildShoe(TCardStack& Stack, uint8_t Decks, TRankSet Ranks)
{
    for (int Deck = 1; Deck <= Decks; ++Deck) {
        for (uint8_t Suit = 1; Suit <= 4; ++Suit)
            for (uint8_t Rank = 1; Rank <= 13; ++Rank)
                if (HasRank(Ranks, Rank))
                    PushNew(Stack, Rank, Suit);
        if (HasRank(Ranks, JokerElement))
            PushNew(Stack, JokerRank, 0);
    }
    ShuffleStack(Stack);
}

void ShuffleStack(TCardStack& Stack)
{
    Randomize();
    if (Stack.Count <= 2)
        return;
    TCardNode* Current = Stack.Top;
    for (int32_t I = 1; I <= Stack.Count - 2; ++I) {
        const int32_t Steps = Random(Stack.Count - I) + 1;
        TCardNode* Target = Current;
        for (int32_t S = 0; S < Steps && Target; ++S)
            Target = Target->Next;
        // Count no longer matches the links: the stack is corrupt and nothing can be trusted.
        if (!Target || !Current)
            std::abort();
        std::swap(Current->Item, Target->Item);
        Current = Current->Next;
    }
}
