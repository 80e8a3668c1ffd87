// The linked last-in first-out stack of cards: shoe, pile and captured cards.
#pragma once
#include "model/Card.h"

class TCanvas;

struct TCardNode
{
    TCard Item;
    TCardNode* Next;
};

struct TCardStack
{
    TCardNode* Top;
    int32_t Count;
    int32_t Owner;  // 0 none, 1 the computer, 2 the player
};

// Forgets the nodes without releasing them and keeps Owner: for a stack that
// holds none, new or just cleared.
void InitStack(TCardStack& Stack);
void ClearStack(TCardStack& Stack);
bool StackEmpty(const TCardStack& Stack);
void PushCard(TCardStack& Stack, const TCard& Card);
// An empty stack answers Rank and Suit 0 and leaves the rest of Card as it was.
void PopCard(TCardStack& Stack, TCard& Card);
void DrawStackTop(const TCardStack& Stack, TCanvas& Canvas);
// Bottom card first, so each card overlaps those below it.
void DrawStack(const TCardStack& Stack, TCanvas& Canvas);
