// The hard computer: determinized Monte Carlo. It deals the cards it cannot
// see at random into the other hand and the shoe, many times over, plays each
// of its cards out to the end of the game by a quick rule of thumb on both
// sides, and plays the card that did best on average.
#pragma once
#include "model/Sight.h"

// Answers a place in Sight.Hand; the hand must hold a card. The same sight
// and seed always give the same card.
int32_t ChooseHardCard(const TSight& Sight, uint32_t Seed);
