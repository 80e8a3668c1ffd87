// What assistive technology learns of the table: the cards by name, the
// computer's hand, the pile and the status line; and what happens on the
// table, told as it happens. Qt asks for none of it until an assistive
// technology listens, and every Tell does nothing until then.
#pragma once

class TfrmMain;
struct TCard;

// Hands Qt the makers of the table's and the memory aid's grid's interfaces;
// nothing is made until one is asked for.
void InstallTableAccess();

// A new deal: the player's new cards.
void TellDeal(const TfrmMain& Main);
void TellCardPlayed(const TfrmMain& Main, const TCard& Card);
void TellPileTaken(const TfrmMain& Main);
void TellGameOver(const TfrmMain& Main);
// The keyboard focus follows the selected card, or goes back to the table.
void TellSelection(const TfrmMain& Main, const TCard& Changed);
