// The computer's levels of play, and what one side may know of the table when
// it chooses a card: its own hand, the cards that lie open or have gone, how
// many are hidden where, and the points taken so far. The other side's hand
// and the order of the shoe are never part of it.
#pragma once
#include "model/Card.h"

#include <cstdint>

// Normal is the value a fresh game holds: the computer the table always had.
enum class TLevel : uint8_t { Normal, Easy, Hard };

constexpr int32_t CardsInDeck = 52;
constexpr int32_t MaxHeld = 4;
constexpr uint8_t JackRank = 11;

// One number for each of the 52 cards: 0 to 51, suit by suit.
constexpr int32_t CardId(int32_t Suit, int32_t Rank) { return (Suit - 1) * 13 + Rank - 1; }
constexpr uint8_t RankOfId(int32_t Id) { return static_cast<uint8_t>(Id % 13 + 1); }
constexpr uint8_t SuitOfId(int32_t Id) { return static_cast<uint8_t>(Id / 13 + 1); }

// Who took the pile last, seen from the side that looks.
enum class TTaker : uint8_t { Nobody, Own, Other };

struct TSight
{
    TCard Hand[MaxHeld];  // the looking side's own cards, in hand order
    int32_t HandCount;
    TCard PileTop;        // Rank 0 for an empty pile
    int32_t PileCount;
    int32_t PilePoints;   // what the pile's cards are worth to whoever takes them
    uint64_t Gone;        // bit CardId of every card on the pile or taken by either side
    int32_t OtherHeld;    // cards in the other side's hand
    uint16_t OtherLacks;  // bit r: a rank the other side has shown it does not hold
    int32_t ShoeCount;
    int32_t OwnPoints, OtherPoints;  // this game's captured cards, marks included, no majority yet
    int32_t OwnTaken, OtherTaken;    // how many cards each side has captured
    TTaker LastTaker;
};

// Whether a card played on this pile takes it.
bool Captures(const TSight& Sight, const TCard& Card);

// The levels' own dice: small, fast and the same on every machine, so that a
// seed replays a game's choices exactly (splitmix64).
struct TDice
{
    uint64_t State;
    uint32_t Next();
    // From 0 to N - 1; 0 when N < 1.
    int32_t Below(int32_t N);
};

// A choice's seed from the game's: the same position of the same game gives
// the same seed, and each move of a game another.
uint32_t MoveSeed(uint32_t GameSeed, const TSight& Sight);
