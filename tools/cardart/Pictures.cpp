#include "tools/cardart/Pictures.h"

#include "tools/cardart/ArtPalette.h"
#include "tools/cardart/CardFaces.h"
#include "tools/cardart/SuitPaths.h"

#include <QPainter>
#include <QPainterPath>

#include <cstdlib>

namespace {

// The back is drawn pixel by pixel in exact classic VGA colours, so the
// 16-colour file keeps every line crisp.
const QColor BackNavy(0, 0, 128);
const QColor BackBlue(0, 0, 255);
const QColor BackCyan(0, 255, 255);

int EdgeDistance(int X, int Y, int Width, int Height)
{
    return std::min(std::min(X, Width - 1 - X), std::min(Y, Height - 1 - Y));
}

// Lines of a diamond lattice, and a dot in the middle of every diamond.
QColor LatticeColour(int X, int Y)
{
    constexpr int Period = 8;
    const int U = ((X + Y) % Period + Period) % Period;
    const int V = ((X - Y) % Period + Period) % Period;
    if (U == 0 || V == 0)
        return BackBlue;
    if (U == Period / 2 && V == Period / 2)
        return BackCyan;
    return BackNavy;
}

QColor BackPixel(int X, int Y)
{
    const int Edge = EdgeDistance(X, Y, FaceWidth, FaceHeight);
    if (Edge == 0)
        return Art::Ink;
    if (Edge <= 2 || Edge == 5)
        return Art::Paper;
    if (Edge <= 4 || Edge == 6)
        return BackNavy;
    // The lattice is centred, so the back looks the same turned around.
    return LatticeColour(X - FaceWidth / 2, Y - FaceHeight / 2);
}

void DrawJokerHat(QPainter& Painter)
{
    struct TPoint { double X, Y; QColor Colour; };
    const double X = FaceWidth / 2.0;
    const TPoint Tips[] = {{X - 17, 30, Art::Red}, {X, 14, Art::Blue}, {X + 17, 30, Art::Green}};
    for (const TPoint& Tip : Tips) {
        QPainterPath Flap;
        Flap.moveTo(X - 9, 42);
        Flap.cubicTo(X - 8, 30, Tip.X - 3, Tip.Y + 2, Tip.X, Tip.Y);
        Flap.cubicTo(Tip.X + 3, Tip.Y + 4, X + 2, 32, X + 9, 42);
        Flap.closeSubpath();
        Painter.setPen(QPen(Art::Ink, 0.7));
        Painter.setBrush(Tip.Colour);
        Painter.drawPath(Flap);
        Painter.setBrush(Art::Gold);
        Painter.drawEllipse(QPointF(Tip.X, Tip.Y), 2.2, 2.2);
    }
    Painter.setBrush(Art::Gold);
    Painter.drawRect(QRectF(X - 10, 40, 20, 3));
}

void DrawJokerFace(QPainter& Painter)
{
    const double X = FaceWidth / 2.0;
    Painter.setPen(QPen(Art::Ink, 0.7));
    // A ruff collar of alternating points under the chin.
    QPainterPath Ruff;
    Ruff.moveTo(X - 16, 58);
    for (int I = 0; I <= 8; ++I)
        Ruff.lineTo(X - 16 + 4 * I, I % 2 == 0 ? 58 : 64);
    Ruff.lineTo(X + 16, 58);
    Ruff.lineTo(X, 54);
    Ruff.closeSubpath();
    Painter.setBrush(Art::Gold);
    Painter.drawPath(Ruff);
    Painter.setBrush(Art::Skin);
    Painter.drawEllipse(QPointF(X, 50), 9, 9);
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(Art::Ink);
    Painter.drawEllipse(QPointF(X - 3.5, 48), 1, 1.3);
    Painter.drawEllipse(QPointF(X + 3.5, 48), 1, 1.3);
    Painter.setBrush(Art::Red);
    Painter.drawEllipse(QPointF(X, 51.5), 1.4, 1.4);
    Painter.setPen(QPen(Art::Red, 1.1));
    Painter.setBrush(Qt::NoBrush);
    Painter.drawArc(QRectF(X - 5, 49, 10, 6), 200 * 16, 140 * 16);
    Painter.setPen(Qt::NoPen);
}

void DrawJokerWord(QPainter& Painter)
{
    const QString Word = QStringLiteral("JOKER");
    for (int I = 0; I < Word.size(); ++I)
        FillText(Painter, Word.mid(I, 1), 7.5, 11 + 8 * I, 6.5, 7, Art::Red);
}

void DrawJokerStar(QPainter& Painter)
{
    const double X = FaceWidth / 2.0;
    QPainterPath Star;
    for (int I = 0; I < 10; ++I) {
        const double Radius = I % 2 == 0 ? 7 : 3;
        const QPointF Point = QTransform().rotate(36.0 * I).map(QPointF(0, -Radius)) + QPointF(X, 78);
        if (I == 0)
            Star.moveTo(Point);
        else
            Star.lineTo(Point);
    }
    Star.closeSubpath();
    Painter.setPen(QPen(Art::Ink, 0.6));
    Painter.setBrush(Art::Gold);
    Painter.drawPath(Star);
    Painter.setPen(Qt::NoPen);
}

void DrawCheck(QPainter& Painter)
{
    QPainterPath Tick;
    Tick.moveTo(2, 8.5);
    Tick.lineTo(6, 12.5);
    Tick.lineTo(14, 3);
    Painter.setPen(QPen(QColor(0, 144, 0), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    Painter.drawPath(Tick);
}

void DrawCross(QPainter& Painter)
{
    Painter.setPen(QPen(QColor(208, 0, 0), 2.6, Qt::SolidLine, Qt::RoundCap));
    Painter.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    Painter.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

// An open door with an arrow leading out of it.
void DrawExit(QPainter& Painter)
{
    Painter.setPen(QPen(QColor(64, 64, 64), 1));
    Painter.setBrush(Qt::NoBrush);
    Painter.drawRect(QRectF(2.5, 1.5, 8, 13));
    QPainterPath Door;
    Door.moveTo(3, 2);
    Door.lineTo(8, 4);
    Door.lineTo(8, 15);
    Door.lineTo(3, 14);
    Door.closeSubpath();
    Painter.setBrush(QColor(176, 112, 48));
    Painter.drawPath(Door);
    Painter.setPen(QPen(QColor(0, 128, 0), 2, Qt::SolidLine, Qt::FlatCap));
    Painter.drawLine(QPointF(9, 8.5), QPointF(13, 8.5));
    QPainterPath Head;
    Head.moveTo(15.5, 8.5);
    Head.lineTo(12, 5);
    Head.lineTo(12, 12);
    Head.closeSubpath();
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(QColor(0, 128, 0));
    Painter.drawPath(Head);
}

void DrawIconCard(QPainter& Painter, double Angle, bool ShowFace)
{
    Painter.save();
    Painter.translate(16, 28);
    Painter.rotate(Angle);
    const QRectF Card(-8.5, -22, 17, 23);
    Painter.setPen(QPen(Art::Ink, 1));
    Painter.setBrush(ShowFace ? Art::Paper : BackNavy);
    Painter.drawRoundedRect(Card, 1.5, 1.5);
    if (ShowFace)
        FillSuit(Painter, Hearts, QRectF(-5, -16, 10, 11));
    else {
        Painter.setPen(QPen(BackBlue, 1));
        Painter.drawRect(Card.adjusted(2.5, 2.5, -2.5, -2.5));
    }
    Painter.restore();
}

} // namespace

QImage DrawMask()
{
    QImage Mask(FaceWidth, FaceHeight, QImage::Format_RGB32);
    Mask.fill(Art::Ink);
    const QRgb White = Art::Paper.rgb();
    Mask.setPixel(0, 0, White);
    Mask.setPixel(FaceWidth - 1, 0, White);
    Mask.setPixel(0, FaceHeight - 1, White);
    Mask.setPixel(FaceWidth - 1, FaceHeight - 1, White);
    return Mask;
}

QImage DrawBack()
{
    QImage Back(FaceWidth, FaceHeight, QImage::Format_RGB32);
    for (int Y = 0; Y < FaceHeight; ++Y)
        for (int X = 0; X < FaceWidth; ++X)
            Back.setPixel(X, Y, BackPixel(X, Y).rgb());
    BlackenCorners(Back);
    return Back;
}

QImage DrawJoker()
{
    QImage Joker = BlankCard();
    {
        QPainter Painter(&Joker);
        Painter.setRenderHint(QPainter::Antialiasing);
        DrawJokerHat(Painter);
        DrawJokerFace(Painter);
        DrawJokerStar(Painter);
        DrawJokerWord(Painter);
        TurnAround(Painter);
        DrawJokerWord(Painter);
    }
    BlackenCorners(Joker);
    return Joker;
}

QImage DrawSuitStrip()
{
    QImage Strip(64, 15, QImage::Format_RGB32);
    Strip.fill(Art::Paper);
    QPainter Painter(&Strip);
    // Without antialiasing every pixel is pure white, black or red: an edge blend
    // would tint the cell it is ANDed onto.
    Painter.setRenderHint(QPainter::Antialiasing, false);
    for (int Suit = 1; Suit <= SuitCount; ++Suit) {
        const double Left = (Suit - 1) * 16;
        const double Width = Suit == Diamonds ? 10 : 12;
        Painter.setPen(Qt::NoPen);
        Painter.setBrush(IsRedSuit(Suit) ? QColor(255, 0, 0) : Art::Ink);
        Painter.drawPath(SuitPath(Suit, QRectF(Left + 7 - Width / 2, 1, Width, 12)));
    }
    return Strip;
}

QImage DrawGlyph(TGlyph Glyph)
{
    QImage Image(16, 16, QImage::Format_RGB32);
    Image.fill(Art::Paper);
    QPainter Painter(&Image);
    Painter.setRenderHint(QPainter::Antialiasing);
    switch (Glyph) {
    case TGlyph::Ok: DrawCheck(Painter); break;
    case TGlyph::Cancel: DrawCross(Painter); break;
    case TGlyph::Close: DrawExit(Painter); break;
    }
    return Image;
}

QImage DrawIcon()
{
    QImage Icon(32, 32, QImage::Format_ARGB32_Premultiplied);
    Icon.fill(Qt::transparent);
    QPainter Painter(&Icon);
    Painter.setRenderHint(QPainter::Antialiasing);
    DrawIconCard(Painter, -16, false);
    DrawIconCard(Painter, 14, true);
    return Icon;
}
