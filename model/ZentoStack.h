// The game's rules on stacks: owner marks, the top card, captures, scoring and
// the computer's choice of card.
#pragma once
#include "model/CrdStack.h"
#include "model/Hand.h"

// A hand that also counts, rank by rank, the cards the computer has seen this game.
struct TCpuHand : THand
{
    uint8_t Seen[13];  // index rank - 1
};

constexpr int32_t CpuOwner = 1;
constexpr int32_t PlayerOwner = 2;

void SetStackOwner(TCardStack& Stack, int32_t Owner);
// An empty stack answers Rank 0 and leaves the rest of Card as it was.
void PeekTop(const TCardStack& Stack, TCard& Card);
bool HasOneCard(const TCardStack& Stack);

// True when the card just pushed matches a lone card; marks it with cfBack,
// which earns ten points in the captured pile.
bool IsLoneCapture(TCardStack& Pile);
bool CanCaptureByRank(const TCardStack& Pile);
bool CanCaptureByJack(const TCardStack& Pile);
// The capture decision after a card was pushed: the three tests in their order.
bool PileCaptured(TCardStack& Pile);
int32_t ScorePile(const TCardStack& Tricks);
// What one captured card earns, its mark included; the majority is the stack's.
int32_t CardPoints(const TCard& Card);
constexpr int32_t MajorityCount = 27;
constexpr int32_t MajorityPoints = 3;
constexpr int32_t MarkPoints = 10;

void InitCpuHand(TCpuHand& Hand, int32_t Capacity);
void RememberCard(TCpuHand& Hand, const TCard& Card);
// Takes the chosen card out of the hand, face up and still at its place in the row.
// Lone is whether the pile holds one card; Top.Rank is 0 for an empty pile.
void ChooseCpuCard(TCpuHand& Hand, bool Lone, const TCard& Top, TCard& Card);
