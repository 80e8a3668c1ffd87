// The drawing steps every card picture shares: the blank card, the half turn of
// a two-ended design, suit signs, outlined shapes and index text.
#pragma once
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

constexpr int FaceWidth = 71;
constexpr int FaceHeight = 96;

// A white card with a one-pixel dark outline; its four corner pixels are black,
// the colour that adds nothing when the picture is ORed onto the table.
QImage BlankCard();
void BlackenCorners(QImage& Card);
// Turns the painter half a turn about the card's centre, for the lower half of
// a two-ended design.
void TurnAround(QPainter& Painter);
enum class TFacing { Upright, Turned };
// Fills the sign of Suit over Box in the suit's colour; a turned sign is
// rotated half a turn about the centre of Box.
void FillSuit(QPainter& Painter, int Suit, const QRectF& Box, TFacing Facing = TFacing::Upright);
// Fills Path in Colour with a thin ink outline, the way the figures are drawn.
void FillOutlined(QPainter& Painter, const QPainterPath& Path, const QColor& Colour);
// Text in DejaVu Sans Bold whose capitals are CapHeight pixels high, centred on
// CentreX with its baseline at BaselineY, squeezed to MaxWidth when wider.
void FillText(QPainter& Painter, const QString& Text, double CentreX, double BaselineY, double CapHeight,
              double MaxWidth, const QColor& Colour);
