#include "tools/cardart/SmallPictures.h"

#include "tools/cardart/ArtPalette.h"
#include "tools/cardart/CardFaces.h"
#include "tools/cardart/Drawing.h"
#include "tools/cardart/SuitPaths.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int SuitStripWidth = 64;
constexpr int SuitStripHeight = 15;
constexpr int SuitCellWidth = 16;

// How much of each pixel the four signs cover: black on white, antialiased.
QImage SuitCoverage(int Scale)
{
    QImage Coverage(SuitStripWidth * Scale, SuitStripHeight * Scale, QImage::Format_RGB32);
    Coverage.fill(Art::Paper);
    QPainter Painter(&Coverage);
    Painter.setRenderHint(QPainter::Antialiasing);
    Painter.scale(Scale, Scale);
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(Art::Ink);
    for (int Suit = 1; Suit <= SuitCount; ++Suit) {
        const double Width = Suit == Diamonds ? 11 : 13;
        const double Left = (Suit - 1) * SuitCellWidth + 7 - Width / 2;
        Painter.drawPath(SuitPath(Suit, QRectF(Left, 1, Width, 13)));
    }
    return Coverage;
}

// Only pure colours of the 16-colour table: black signs get grey edges, which
// darken the cell they are ANDed onto a little; red signs get none, since a
// pink edge would have no entry in the table.
QColor StripPixel(int Suit, double Covered)
{
    if (IsRedSuit(Suit))
        return Covered >= 0.5 ? Art::VgaRed : Art::Paper;
    if (Covered < 0.2)
        return Art::Paper;
    if (Covered < 0.5)
        return Art::VgaLightGrey;
    if (Covered < 0.8)
        return Art::VgaGrey;
    return Art::Ink;
}

// Glyph colours; the glyphs are written at 24 bits, so any colour will do.
const QColor GlyphGreen(0, 144, 0);
const QColor GlyphRed(208, 0, 0);
const QColor DoorFrame(64, 64, 64);
const QColor DoorWood(176, 112, 48);
const QColor ArrowGreen(0, 128, 0);

void DrawCheck(QPainter& Painter)
{
    QPainterPath Tick;
    Tick.moveTo(2, 8.5);
    Tick.lineTo(6, 12.5);
    Tick.lineTo(14, 3);
    Painter.setPen(QPen(GlyphGreen, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    Painter.drawPath(Tick);
}

void DrawCross(QPainter& Painter)
{
    Painter.setPen(QPen(GlyphRed, 2.6, Qt::SolidLine, Qt::RoundCap));
    Painter.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    Painter.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

// An open door with an arrow leading out of it.
void DrawExit(QPainter& Painter)
{
    Painter.setPen(QPen(DoorFrame, 1));
    Painter.setBrush(Qt::NoBrush);
    Painter.drawRect(QRectF(2.5, 1.5, 8, 13));
    QPainterPath Door;
    Door.moveTo(3, 2);
    Door.lineTo(8, 4);
    Door.lineTo(8, 15);
    Door.lineTo(3, 14);
    Door.closeSubpath();
    Painter.setBrush(DoorWood);
    Painter.drawPath(Door);
    Painter.setPen(QPen(ArrowGreen, 2, Qt::SolidLine, Qt::FlatCap));
    Painter.drawLine(QPointF(9, 8.5), QPointF(13, 8.5));
    QPainterPath Head;
    Head.moveTo(15.5, 8.5);
    Head.lineTo(12, 5);
    Head.lineTo(12, 12);
    Head.closeSubpath();
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(ArrowGreen);
    Painter.drawPath(Head);
}

// Both icon cards turn about the same point low in the middle, like a fan.
const QRectF IconCard(-8.5, -22, 17, 23);

void TurnIconCard(QPainter& Painter, double Angle)
{
    Painter.translate(16, 28);
    Painter.rotate(Angle);
}

void DrawIconBack(QPainter& Painter, double Angle)
{
    Painter.save();
    TurnIconCard(Painter, Angle);
    Painter.setPen(QPen(Art::Ink, 1));
    Painter.setBrush(Art::BackNavy);
    Painter.drawRoundedRect(IconCard, 1.5, 1.5);
    Painter.setPen(QPen(Art::BackBlue, 1));
    Painter.drawRect(IconCard.adjusted(2.5, 2.5, -2.5, -2.5));
    Painter.restore();
}

void DrawIconFace(QPainter& Painter, double Angle)
{
    Painter.save();
    TurnIconCard(Painter, Angle);
    Painter.setPen(QPen(Art::Ink, 1));
    Painter.setBrush(Art::Paper);
    Painter.drawRoundedRect(IconCard, 1.5, 1.5);
    FillSuit(Painter, Hearts, QRectF(-5, -16, 10, 11));
    Painter.restore();
}

} // namespace

QImage DrawSuitStrip(int Scale)
{
    QImage Strip(SuitStripWidth * Scale, SuitStripHeight * Scale, QImage::Format_RGB32);
    Strip.fill(Art::Paper);
    const QImage Coverage = SuitCoverage(Scale);
    for (int Y = 0; Y < Strip.height(); ++Y)
        for (int X = 0; X < Strip.width(); ++X) {
            const int Suit = X / (SuitCellWidth * Scale) + 1;
            Strip.setPixel(X, Y, StripPixel(Suit, 1.0 - qGray(Coverage.pixel(X, Y)) / 255.0).rgb());
        }
    return Strip;
}

QImage DrawGlyph(TGlyph Glyph, int Scale)
{
    QImage Image(16 * Scale, 16 * Scale, QImage::Format_RGB32);
    Image.fill(Art::Paper);
    QPainter Painter(&Image);
    Painter.setRenderHint(QPainter::Antialiasing);
    Painter.scale(Scale, Scale);
    switch (Glyph) {
    case TGlyph::Ok: DrawCheck(Painter); break;
    case TGlyph::Cancel: DrawCross(Painter); break;
    case TGlyph::Close: DrawExit(Painter); break;
    }
    return Image;
}

void PaintIcon(QPainter& Painter)
{
    DrawIconBack(Painter, -16);
    DrawIconFace(Painter, 14);
}
