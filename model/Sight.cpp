#include "model/Sight.h"

bool Captures(const TSight& Sight, const TCard& Card)
{
    return Sight.PileCount > 0 && (Card.Rank == Sight.PileTop.Rank || Card.Rank == JackRank);
}

uint32_t TDice::Next()
{
    State += 0x9E3779B97F4A7C15ull;
    uint64_t Z = State;
    Z = (Z ^ (Z >> 30)) * 0xBF58476D1CE4E5B9ull;
    Z = (Z ^ (Z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((Z ^ (Z >> 31)) >> 32);
}

int32_t TDice::Below(int32_t N)
{
    if (N < 1)
        return 0;
    return static_cast<int32_t>((static_cast<uint64_t>(Next()) * static_cast<uint64_t>(N)) >> 32);
}

uint32_t MoveSeed(uint32_t GameSeed, const TSight& Sight)
{
    TDice Dice{(static_cast<uint64_t>(GameSeed) << 32) ^ Sight.Gone ^ (static_cast<uint64_t>(Sight.HandCount) << 58)};
    return Dice.Next();
}
