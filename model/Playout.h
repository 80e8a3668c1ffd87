// The rest of a game played out fast on plain arrays: the hard computer's
// scratch table, and the ways each side plays on it.
#pragma once
#include "model/Sight.h"

// Side 0 is the side that looks, side 1 the other; they play in turn, as at
// the table, and a new deal follows when both hands are empty.
struct TPlayout
{
    uint8_t Held[2][MaxHeld];  // card ids
    int8_t HeldCount[2];
    uint8_t Shoe[CardsInDeck];  // dealt from the end
    int8_t ShoeCount;
    uint8_t PileTop;  // a rank; 0 for an empty pile
    int8_t PileCount;
    int16_t PilePoints;
    int16_t Points[2];
    int8_t Taken[2];
    int8_t LastTaker;  // -1 for nobody
    uint8_t GoneOfRank[14];  // cards on the pile or taken, rank by rank
    int8_t ToMove;
};

// The table as Sight shows it, side 0 to move; the other hand and the shoe
// are for the caller to fill.
void StartPlayout(const TSight& Sight, TPlayout& Playout);
// The side to move plays the card at Index of its hand.
void PlayOut(TPlayout& Playout, int32_t Index);
// The rule of thumb's card for the side to move: what a take brings, against
// what a card left on the pile gives the other side. It sees the other hand
// of the table it plays on, which is one guess among many; beyond it, the
// cards of the next deal are judged by their odds.
int32_t QuickChoice(const TPlayout& Playout);
// The Normal computer's card (ChooseCpuCard) for the side to move: the way
// most players play, taking whenever they can and throwing the rank seen most.
int32_t PlainChoice(const TPlayout& Playout);
// Plays to the end, side 0 by the rule of thumb and side 1 the plain way,
// gives the rest of the pile to the last taker and the majority its points;
// answers side 0's points less side 1's.
int32_t FinishPlayout(TPlayout& Playout);
// Side 0's points less side 1's, the majority included, as the game stands.
int32_t PlayoutMargin(const TPlayout& Playout);
