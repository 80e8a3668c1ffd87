#include "model/CrdStack.h"

namespace {

// The links run from the top down; recursing to the bottom first draws in play order.
void DrawFromBottom(const TCardNode* Node, TCanvas& Canvas)
{
    if (!Node)
        return;
    DrawFromBottom(Node->Next, Canvas);
    DrawCard(Node->Item, Canvas);
}

} // namespace

void InitStack(TCardStack& Stack)
{
    Stack.Top = nullptr;
    Stack.Count = 0;
}

void ClearStack(TCardStack& Stack)
{
    while (Stack.Top) {
        TCardNode* Node = Stack.Top;
        Stack.Top = Node->Next;
        delete Node;
    }
    Stack.Count = 0;
}

bool StackEmpty(const TCardStack& Stack)
{
    return Stack.Top == nullptr;
}

void PushCard(TCardStack& Stack, const TCard& Card)
{
    Stack.Top = new TCardNode{Card, Stack.Top};
    ++Stack.Count;
}

void PopCard(TCardStack& Stack, TCard& Card)
{
    TCardNode* Node = Stack.Top;
    if (!Node) {
        Card.Rank = 0;
        Card.Suit = 0;
        return;
    }
    Card = Node->Item;
    Stack.Top = Node->Next;
    delete Node;
    --Stack.Count;
}

void DrawStackTop(const TCardStack& Stack, TCanvas& Canvas)
{
    if (Stack.Top)
        DrawCard(Stack.Top->Item, Canvas);
}

void DrawStack(const TCardStack& Stack, TCanvas& Canvas)
{
    DrawFromBottom(Stack.Top, Canvas);
}
