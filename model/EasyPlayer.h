// The easy computer: one a beginner can beat.
#pragma once
#include "model/Sight.h"

// Takes a pile it can take, but now and then misses the chance; otherwise
// throws any card it holds, without looking ahead. Answers a place in
// Sight.Hand; the hand must hold a card.
int32_t ChooseEasyCard(const TSight& Sight, uint32_t Seed);
