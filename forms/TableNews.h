// The news of the table told to assistive technology as it happens: each
// card played, each take, a new deal, the end of a game, the selection; held
// while a turn runs and told together when it ends. Every Tell does nothing
// until an assistive technology listens.
#pragma once
#include "forms/TableAccess.h"
#include "model/Sight.h"

// A new deal: the player's new cards.
void TellDeal(const TAccessibleTable& Main);
void TellCardPlayed(const TAccessibleTable& Main, const TCard& Card, TSide By);
// A card left the player's hand.
void TellCardLeftHand(const TAccessibleTable& Main, const TCard& Card);
void TellPileCaptured(const TAccessibleTable& Main, TSide By, TTake Take);
// The end of a game with both sides' points, or a tournament's decision
// (the key of the message the game shows).
void TellGameOver(const TAccessibleTable& Main, const char* Key);
void TellMemoryAid(const TAccessibleTable& Main, bool Shown);
// The names of every part changed with the language.
void TellLanguage(const TAccessibleTable& Main);
// Speaks the news held during a turn; a window that opens next would speak over it.
void TellHeldNews(const TAccessibleTable& Main);
// The keyboard focus follows the selected card, or goes back to the table.
void TellSelection(const TAccessibleTable& Main, const TCard& Changed);
// The level chosen for the next game.
void TellLevel(const TAccessibleTable& Main, TLevel Level);
// The way cards are chosen now: with one click, or with the left and right buttons.
void TellCardPicker(const TAccessibleTable& Main, bool OneClick);
