// Building a shoe of whole decks and shuffling it; the program's one random generator.
#pragma once
#include "model/CrdStack.h"

#include <cstdint>

// Bit k stands for rank k; bit 14 asks for one joker per deck.
using TRankSet = uint16_t;
constexpr TRankSet AllRanks = 0x3FFE;  // ace to king, no joker
constexpr int JokerElement = 14;

// A uniform number from 0 to N - 1 (0 when N < 1).
int32_t Random(int32_t N);
// Reseeds the generator from the time of day in milliseconds, or, after
// ReplaySeeds, from the next number of the replayed sequence.
void Randomize();
// From now on this thread's shuffles take their seeds from a sequence that
// starts at Seed, so that its games can be played again exactly; ClockSeeds
// goes back to the clock. Each thread has a generator of its own.
void ReplaySeeds(uint32_t Seed);
void ClockSeeds();

void BuildShoe(TCardStack& Stack, uint8_t Decks, TRankSet Ranks);
// Not a uniform shuffle: every card of the top Count - 2 places is exchanged with
// one from below it, so none of them stays where it was.
void ShuffleStack(TCardStack& Stack);
