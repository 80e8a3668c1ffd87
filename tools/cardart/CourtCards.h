// The framed, two-ended figures of the jack, queen and king.
#pragma once
#include <QPainter>

// Draws the court figure of Rank (11 jack, 12 queen, 13 king) inside its frame.
void DrawCourt(QPainter& Painter, int Rank, int Suit);
