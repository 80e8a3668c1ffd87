// The four suit signs as filled outlines, drawn the same way at every size.
#pragma once
#include <QColor>
#include <QPainterPath>
#include <QRectF>

constexpr int Clubs = 1;
constexpr int Diamonds = 2;
constexpr int Hearts = 3;
constexpr int Spades = 4;

// The sign of Suit (1 clubs .. 4 spades) stretched to fill Box; empty for any other suit.
QPainterPath SuitPath(int Suit, const QRectF& Box);
bool IsRedSuit(int Suit);
// Red for diamonds and hearts, black for clubs and spades.
QColor SuitColour(int Suit);
