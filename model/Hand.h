// The bounded row of cards a side holds.
#pragma once
#include "model/Card.h"

class TCanvas;

struct THand
{
    TCard* Items;  // Capacity records, of which the first Count are held
    int32_t Count;
    int32_t Capacity;
};

// Allocates a new array; an earlier one must have been freed with FreeHand.
void InitHand(THand& Hand, int32_t Capacity);
void FreeHand(THand& Hand);
void AddCard(THand& Hand, const TCard& Card);
// Removes the card of the same rank and suit; the cards behind it move forward
// in order and keep their positions on the table.
void RemoveCard(THand& Hand, const TCard& Card);
// Where cards overlap, the last one in hand order (the one drawn on top) wins.
// A miss answers Rank 0 and leaves the hand as it was.
void SelectCardAt(THand& Hand, int32_t X, int32_t Y, TCard& Card);
// Every selected card of the hand shows face up again.
void UnselectCards(THand& Hand);
void DrawHand(const THand& Hand, TCanvas& Canvas);
