// Which level plays a side's card, from what that side may know of the game.
#pragma once
#include "model/Game.h"
#include "model/Sight.h"

// What Side may know of the table, and no more: its own hand, the open pile,
// the cards gone, how many cards are hidden where, the points taken.
void SightOf(const TGame& Game, TSide Side, TSight& Sight);
// The place in Side's hand of the card Level would play for that side now.
// The hand must hold a card.
int32_t LevelChoice(const TGame& Game, TSide Side, TLevel Level);
// The computer's card at the game's level, out of its hand and face up, in
// FSelected; at Normal, ChooseCpuCard decides on the hand itself.
void ChooseComputerCard(TGame& Game);
