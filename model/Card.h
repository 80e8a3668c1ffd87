// The card record, the card pictures and the drawing and hit test of one card.
#pragma once
#include <cstdint>

class TCanvas;

enum CardFace : uint8_t { cfNone = 0, cfFaceUp = 1, cfBack = 2, cfSelected = 3 };

struct TCard
{
    uint8_t Suit;  // 1 clubs, 2 diamonds, 3 hearts, 4 spades; 0 the joker
    uint8_t Rank;  // 1 ace .. 13 king, 14 joker; 0 means no card
    CardFace Face;
    int32_t X;
    int32_t Y;
};

constexpr int CardWidth = 71;
constexpr int CardHeight = 96;
constexpr uint8_t JokerRank = 14;
constexpr uint8_t Clubs = 1, Diamonds = 2, Hearts = 3, Spades = 4;
constexpr bool IsRedSuit(int Suit) { return Suit == Diamonds || Suit == Hearts; }

// Loads the card pictures from the program's resources. Runs once, before any
// window exists; CardShutdown releases them at exit.
void CardStartup();
void CardShutdown();

// Sets rank, suit and face; the position stays.
void InitCard(TCard& Card, uint8_t Rank, uint8_t Suit, CardFace Face);
// Both bounds are inclusive: the area that answers is one pixel wider and
// higher than the picture.
bool CardAt(const TCard& Card, int32_t X, int32_t Y);
void DrawCard(const TCard& Card, TCanvas& Canvas);
