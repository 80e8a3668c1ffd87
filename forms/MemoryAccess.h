// The memory aid's grid as assistive technology learns it: a table of the 52
// cards, each played or not, told anew as the aid marks them, as the language
// changes and as the keys move from card to card.
#pragma once

class QAccessibleInterface;
class QObject;
class TfrmMemory;
struct TCard;

// The grid's interface when Object is the memory aid's grid; null for any
// other object.
QAccessibleInterface* MakeMemoryGridInterface(QObject* Object);
// The memory aid marked a card played, or with no card, began a new game.
void TellMarked(const TfrmMemory& Memory, const TCard* Card);
// Every card's name changed with the language.
void TellLanguage(const TfrmMemory& Memory);
// The keyboard is on the grid's current card: a new card, or the grid just
// took the keyboard.
void TellCurrentCell(const TfrmMemory& Memory);
