// The memory aid's grid as assistive technology learns it: a table of the 52
// cards, each played or not, told anew as the aid marks them.
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
