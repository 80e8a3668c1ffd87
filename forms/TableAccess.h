// What assistive technology learns of the game: the table's cards by name,
// the computer's hand, the pile and the status line; what happens on the
// table, told as it happens; and the memory aid's grid as a table of cards.
// Qt asks for none of it until an assistive technology listens, and every
// Tell does nothing until then.
#pragma once
#include <QString>
#include <QStringList>

class TfrmMain;
class TfrmMemory;
class TLanguage;
struct TCard;
struct TGame;

// Hands Qt the makers of the table's and the grid's interfaces; nothing is
// made until one is asked for.
void InstallTableAccess();

// "seven of hearts" in the language in effect; empty for no card.
QString CardName(const TCard& Card, const TLanguage& Languages);
QString CardName(int Suit, int Rank, const TLanguage& Languages);
// Every message key the accessible texts use, for the language files.
QStringList SpeechKeys();

// The news of a card just played, the player's or the computer's; and of a
// pile just taken, empty for the rest of the pile given away at the end of a
// game, which is told with the end.
QString PlayedNews(const TGame& Game, const TCard& Card, const TLanguage& Languages);
QString TakenNews(const TGame& Game, const TLanguage& Languages);

// A new deal: the player's new cards.
void TellDeal(const TfrmMain& Main);
void TellCardPlayed(const TfrmMain& Main, const TCard& Card);
void TellPileTaken(const TfrmMain& Main);
void TellGameOver(const TfrmMain& Main);
// The memory aid marked a card played, or with no card, began a new game.
void TellMarked(const TfrmMemory& Memory, const TCard* Card);
// The keyboard focus follows the selected card, or goes back to the table.
void TellSelection(const TfrmMain& Main, const TCard& Changed);
