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

// Every picture is drawn for a screen of Scale device pixels to the pixel:
// the same design, Scale times as many pixels each way.

// A white card with a dark outline one device pixel wide; its corners are
// black, the colour that adds nothing when the picture is ORed onto the table.
QImage BlankCard(int Scale = 1);
// The corner pixels the mask leaves to the table turn black; above one device
// pixel to the pixel the corner is cut diagonally, and the outline follows the cut.
void BlackenCorners(QImage& Card, int Scale = 1);
// Whether the pixel Across and Down from the nearest corner lies in the cut.
bool InCornerCut(int Across, int Down, int Scale);
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
