#include "tools/cardart/CourtCards.h"

#include "tools/cardart/ArtPalette.h"
#include "tools/cardart/Drawing.h"
#include "tools/cardart/SuitPaths.h"

#include <QPainterPath>

namespace {

constexpr int Jack = 11;
constexpr int Queen = 12;
constexpr int King = 13;

// The frame spans pixels 13..57 by 8..87. Inside it the frame's own pip sits
// left of the head and the emblem of the rank (sword, flower, halberd) right of it.
const QRect FrameRect(13, 8, 45, 80);
constexpr double FigureX = FaceWidth / 2.0;
constexpr double HeadY = 24.5;

// The upper half of the frame's inside; half a turn about the card's centre
// maps it exactly onto the lower half.
QRectF UpperHalf() { return QRectF(14, 9, 43, FaceHeight / 2.0 - 9); }

// The robe ends at the card's middle, where the turned half continues it.
void DrawMantle(QPainter& Painter, int Suit)
{
    QPainterPath Mantle;
    Mantle.moveTo(FigureX - 6, 32);
    Mantle.cubicTo(FigureX - 13, 33, FigureX - 18, 36, FigureX - 18, 41);
    Mantle.lineTo(FigureX - 18, 49);
    Mantle.lineTo(FigureX + 18, 49);
    Mantle.lineTo(FigureX + 18, 41);
    Mantle.cubicTo(FigureX + 18, 36, FigureX + 13, 33, FigureX + 6, 32);
    Mantle.closeSubpath();
    FillOutlined(Painter, Mantle, SuitColour(Suit));
}

// Blue under every suit's mantle, with gold trim, buttons and a white collar.
void DrawTunic(QPainter& Painter)
{
    QPainterPath Tunic;
    Tunic.moveTo(FigureX - 5, 32);
    Tunic.lineTo(FigureX - 8, 49);
    Tunic.lineTo(FigureX + 8, 49);
    Tunic.lineTo(FigureX + 5, 32);
    Tunic.closeSubpath();
    Painter.setPen(QPen(Art::Gold, 1.2));
    Painter.setBrush(Art::Blue);
    Painter.drawPath(Tunic);
    Painter.setPen(Qt::NoPen);

    Painter.setBrush(Art::Gold);
    for (const double Y : {38.0, 42.5, 47.0})
        Painter.drawEllipse(QPointF(FigureX, Y), 1.1, 1.1);
    QPainterPath Collar;
    Collar.moveTo(FigureX - 7, 31.5);
    Collar.quadTo(FigureX, 36.5, FigureX + 7, 31.5);
    Collar.quadTo(FigureX, 34, FigureX - 7, 31.5);
    FillOutlined(Painter, Collar, Art::Paper);
}

void DrawMouth(QPainter& Painter, int Suit)
{
    // The suit's colour, so that a black figure carries no red at all.
    Painter.fillRect(QRectF(FigureX - 1.5, HeadY + 3, 3, 0.8), SuitColour(Suit));
}

void DrawHead(QPainter& Painter, int Suit)
{
    Painter.fillRect(QRectF(FigureX - 2, 28, 4, 6), Art::Skin);
    QPainterPath Face;
    Face.addEllipse(QPointF(FigureX, HeadY), 5.5, 6.5);
    FillOutlined(Painter, Face, Art::Skin);
    Painter.setBrush(Art::Ink);
    Painter.drawEllipse(QPointF(FigureX - 2.2, HeadY - 0.5), 0.7, 0.7);
    Painter.drawEllipse(QPointF(FigureX + 2.2, HeadY - 0.5), 0.7, 0.7);
    DrawMouth(Painter, Suit);
}

void DrawKingCrownAndBeard(QPainter& Painter, int Suit)
{
    QPainterPath Beard;
    Beard.moveTo(FigureX - 5.5, HeadY + 1);
    Beard.cubicTo(FigureX - 5, HeadY + 8, FigureX - 2, HeadY + 10, FigureX, HeadY + 10.5);
    Beard.cubicTo(FigureX + 2, HeadY + 10, FigureX + 5, HeadY + 8, FigureX + 5.5, HeadY + 1);
    Beard.lineTo(FigureX + 3, HeadY + 2.5);
    Beard.lineTo(FigureX - 3, HeadY + 2.5);
    Beard.closeSubpath();
    FillOutlined(Painter, Beard, Art::Silver);
    DrawMouth(Painter, Suit);

    QPainterPath Crown;
    Crown.moveTo(FigureX - 7, HeadY - 5);
    Crown.lineTo(FigureX - 7.5, HeadY - 13);
    Crown.lineTo(FigureX - 3.5, HeadY - 9);
    Crown.lineTo(FigureX, HeadY - 14.5);
    Crown.lineTo(FigureX + 3.5, HeadY - 9);
    Crown.lineTo(FigureX + 7.5, HeadY - 13);
    Crown.lineTo(FigureX + 7, HeadY - 5);
    Crown.closeSubpath();
    FillOutlined(Painter, Crown, Art::Gold);
    Painter.setBrush(SuitColour(Suit));
    Painter.drawEllipse(QPointF(FigureX, HeadY - 7), 1.3, 1.3);
}

void DrawQueenHeadgear(QPainter& Painter, int Suit)
{
    QPainterPath Tiara;
    Tiara.moveTo(FigureX - 6, HeadY - 5);
    Tiara.cubicTo(FigureX - 6, HeadY - 9, FigureX - 3, HeadY - 11, FigureX, HeadY - 11);
    Tiara.cubicTo(FigureX + 3, HeadY - 11, FigureX + 6, HeadY - 9, FigureX + 6, HeadY - 5);
    Tiara.closeSubpath();
    FillOutlined(Painter, Tiara, Art::Gold);
    Painter.setBrush(SuitColour(Suit));
    Painter.drawEllipse(QPointF(FigureX, HeadY - 8), 1.2, 1.2);
    Painter.setBrush(Art::Gold);
    Painter.drawEllipse(QPointF(FigureX, HeadY - 12), 1.3, 1.3);
}

// Long hair falling to the shoulders, drawn before the face covers its middle.
void DrawQueenHair(QPainter& Painter)
{
    QPainterPath Hair;
    Hair.moveTo(FigureX - 6.5, HeadY - 3);
    Hair.cubicTo(FigureX - 9, HeadY + 3, FigureX - 9, HeadY + 9, FigureX - 6, HeadY + 11);
    Hair.lineTo(FigureX + 6, HeadY + 11);
    Hair.cubicTo(FigureX + 9, HeadY + 9, FigureX + 9, HeadY + 3, FigureX + 6.5, HeadY - 3);
    Hair.closeSubpath();
    FillOutlined(Painter, Hair, Art::Gold);
}

// Short hair under a cap with a feather.
void DrawJackHeadgear(QPainter& Painter, int Suit)
{
    QPainterPath Hair;
    Hair.addEllipse(QPointF(FigureX - 5.2, HeadY + 1.5), 1.8, 3.5);
    Hair.addEllipse(QPointF(FigureX + 5.2, HeadY + 1.5), 1.8, 3.5);
    FillOutlined(Painter, Hair, Art::Gold);

    QPainterPath Cap;
    Cap.moveTo(FigureX - 8, HeadY - 3.5);
    Cap.cubicTo(FigureX - 8, HeadY - 10, FigureX + 6, HeadY - 12, FigureX + 8.5, HeadY - 4.5);
    Cap.closeSubpath();
    FillOutlined(Painter, Cap, SuitColour(Suit));
    Painter.fillRect(QRectF(FigureX - 8, HeadY - 4.5, 16.5, 1.6), Art::Gold);

    QPainterPath Feather;
    Feather.moveTo(FigureX + 3, HeadY - 8);
    Feather.cubicTo(FigureX + 8, HeadY - 16, FigureX + 12, HeadY - 13, FigureX + 13, HeadY - 10);
    Feather.cubicTo(FigureX + 10, HeadY - 11, FigureX + 7, HeadY - 9, FigureX + 3, HeadY - 6.5);
    Feather.closeSubpath();
    FillOutlined(Painter, Feather, Art::Gold);
}

void DrawSword(QPainter& Painter)
{
    const double X = FigureX + 14.5;
    QPainterPath Blade;
    Blade.moveTo(X, 10.5);
    Blade.lineTo(X + 1.6, 13);
    Blade.lineTo(X + 1.6, 34);
    Blade.lineTo(X - 1.6, 34);
    Blade.lineTo(X - 1.6, 13);
    Blade.closeSubpath();
    FillOutlined(Painter, Blade, Art::Silver);
    Painter.fillRect(QRectF(X - 4, 34, 8, 2), Art::Gold);
    Painter.fillRect(QRectF(X - 1, 36, 2, 5), Art::Gold);
}

void DrawFlower(QPainter& Painter, int Suit)
{
    const QPointF Bloom(FigureX + 13, 29);
    Painter.setPen(QPen(Art::Green, 1.2));
    Painter.drawLine(QPointF(Bloom.x() - 1, 42), Bloom);
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(IsRedSuit(Suit) ? Art::Red : Art::Blue);
    for (int Petal = 0; Petal < 5; ++Petal) {
        const QTransform Turn = QTransform().rotate(72.0 * Petal);
        Painter.drawEllipse(Bloom + Turn.map(QPointF(0, -2.2)), 1.7, 1.7);
    }
    Painter.setBrush(Art::Gold);
    Painter.drawEllipse(Bloom, 1.3, 1.3);
}

void DrawHalberd(QPainter& Painter)
{
    const double X = FigureX + 14;
    Painter.fillRect(QRectF(X - 0.8, 15, 1.6, 30), Art::Gold);
    QPainterPath Head;
    Head.moveTo(X, 9.5);
    Head.lineTo(X + 1.8, 15);
    Head.lineTo(X + 4.5, 15);
    Head.cubicTo(X + 4.5, 19, X + 2, 20, X + 0.8, 20);
    Head.lineTo(X - 0.8, 20);
    Head.lineTo(X - 1.8, 15);
    Head.closeSubpath();
    FillOutlined(Painter, Head, Art::Silver);
}

void DrawFramePip(QPainter& Painter, int Suit)
{
    FillSuit(Painter, Suit, QRectF(16.5, 11, Suit == Diamonds ? 7 : 8.5, 9));
}

void DrawHalf(QPainter& Painter, int Rank, int Suit)
{
    Painter.save();
    Painter.setClipRect(UpperHalf());
    switch (Rank) {
    case King: DrawSword(Painter); break;
    case Queen: DrawFlower(Painter, Suit); break;
    default: DrawHalberd(Painter); break;
    }
    DrawMantle(Painter, Suit);
    DrawTunic(Painter);
    if (Rank == Queen)
        DrawQueenHair(Painter);
    DrawHead(Painter, Suit);
    switch (Rank) {
    case King: DrawKingCrownAndBeard(Painter, Suit); break;
    case Queen: DrawQueenHeadgear(Painter, Suit); break;
    default: DrawJackHeadgear(Painter, Suit); break;
    }
    DrawFramePip(Painter, Suit);
    Painter.restore();
}

void DrawFrame(QPainter& Painter)
{
    Painter.save();
    Painter.setRenderHint(QPainter::Antialiasing, false);
    Painter.setPen(QPen(Art::Ink, 0));
    Painter.setBrush(Qt::NoBrush);
    Painter.drawRect(FrameRect.adjusted(0, 0, -1, -1));
    Painter.restore();
}

} // namespace

void DrawCourt(QPainter& Painter, int Rank, int Suit)
{
    if (Rank < Jack || Rank > King)
        return;
    DrawHalf(Painter, Rank, Suit);
    Painter.save();
    TurnAround(Painter);
    DrawHalf(Painter, Rank, Suit);
    Painter.restore();
    // A sash across the middle: rows 47 and 48 swap under half a turn, so it
    // belongs to both halves alike.
    Painter.fillRect(QRectF(FigureX - 18, 47, 36, 2), Art::Gold);
    DrawFrame(Painter);
}
