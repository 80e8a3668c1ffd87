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

// A lattice of diamonds, each holding a small white cross.
QColor LatticeColour(int X, int Y)
{
    constexpr int Period = 12;
    const int U = ((X + Y) % Period + Period) % Period;
    const int V = ((X - Y) % Period + Period) % Period;
    if (U == 0 || V == 0)
        return BackBlue;
    const int FromCentre = std::max(std::abs(U - Period / 2), std::abs(V - Period / 2));
    if (FromCentre == 0)
        return Art::Paper;
    if (FromCentre == 1)
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

constexpr int SuitStripWidth = 64;
constexpr int SuitStripHeight = 15;
constexpr int SuitCellWidth = 16;

// How much of each pixel the four signs cover: black on white, antialiased.
QImage SuitCoverage()
{
    QImage Coverage(SuitStripWidth, SuitStripHeight, QImage::Format_RGB32);
    Coverage.fill(Art::Paper);
    QPainter Painter(&Coverage);
    Painter.setRenderHint(QPainter::Antialiasing);
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
        return Covered >= 0.5 ? QColor(255, 0, 0) : Art::Paper;
    if (Covered < 0.2)
        return Art::Paper;
    if (Covered < 0.5)
        return QColor(192, 192, 192);
    if (Covered < 0.8)
        return QColor(128, 128, 128);
    return Art::Ink;
}

constexpr double JokerX = FaceWidth / 2.0;

void FillOutlined(QPainter& Painter, const QPainterPath& Path, const QColor& Colour)
{
    Painter.setPen(QPen(Art::Ink, 0.7));
    Painter.setBrush(Colour);
    Painter.drawPath(Path);
    Painter.setPen(Qt::NoPen);
}

// A fool's cap of three flaps, each ending in a bell; the middle one lies on top.
void DrawJokerCap(QPainter& Painter)
{
    struct TFlap { double TipX, TipY; QColor Colour; };
    const TFlap Flaps[] = {{JokerX - 21, 20, Art::Red}, {JokerX + 21, 20, Art::Green}, {JokerX, 9, Art::Blue}};
    for (const TFlap& Flap : Flaps) {
        const double Lean = (Flap.TipX - JokerX) / 2;
        QPainterPath Path;
        Path.moveTo(JokerX - 10 + Lean / 3, 40);
        Path.cubicTo(JokerX - 8 + Lean, 28, Flap.TipX - 2, Flap.TipY + 6, Flap.TipX, Flap.TipY);
        Path.cubicTo(Flap.TipX + 2, Flap.TipY + 8, JokerX + 6 + Lean, 30, JokerX + 10 + Lean / 3, 40);
        Path.closeSubpath();
        FillOutlined(Painter, Path, Flap.Colour);
    }
    Painter.setPen(QPen(Art::Ink, 0.6));
    Painter.setBrush(Art::Gold);
    for (const TFlap& Flap : Flaps)
        Painter.drawEllipse(QPointF(Flap.TipX, Flap.TipY), 2.4, 2.4);
    Painter.drawRect(QRectF(JokerX - 11, 37.5, 22, 3.5));
    Painter.setPen(Qt::NoPen);
}

void DrawJokerFace(QPainter& Painter)
{
    QPainterPath Face;
    Face.addEllipse(QPointF(JokerX, 48.5), 8.5, 8);
    FillOutlined(Painter, Face, Art::Skin);
    Painter.setBrush(Art::Ink);
    Painter.drawEllipse(QPointF(JokerX - 3.3, 46.5), 1, 1.3);
    Painter.drawEllipse(QPointF(JokerX + 3.3, 46.5), 1, 1.3);
    Painter.setBrush(Art::Red);
    Painter.drawEllipse(QPointF(JokerX, 49.5), 1.4, 1.4);
    Painter.setPen(QPen(Art::Red, 1.1));
    Painter.setBrush(Qt::NoBrush);
    Painter.drawArc(QRectF(JokerX - 5, 47.5, 10, 6), 200 * 16, 140 * 16);
    Painter.setPen(Qt::NoPen);
}

// A jerkin of red and blue diamonds under a pointed ruff.
void DrawJokerBody(QPainter& Painter)
{
    QPainterPath Body;
    Body.moveTo(JokerX - 11, 58);
    Body.lineTo(JokerX - 17, 86);
    Body.lineTo(JokerX + 17, 86);
    Body.lineTo(JokerX + 11, 58);
    Body.closeSubpath();
    FillOutlined(Painter, Body, Art::Blue);
    Painter.save();
    Painter.setClipPath(Body);
    Painter.setBrush(Art::Red);
    constexpr double Step = 7;
    for (int Row = 0; Row < 5; ++Row)
        for (int Column = -3; Column <= 3; ++Column) {
            if ((Row + Column) % 2 != 0)
                continue;
            const QPointF Centre(JokerX + Column * Step / 2 * 2, 58 + Row * Step);
            QPainterPath Diamond;
            Diamond.moveTo(Centre + QPointF(0, -Step / 2));
            Diamond.lineTo(Centre + QPointF(Step / 2, 0));
            Diamond.lineTo(Centre + QPointF(0, Step / 2));
            Diamond.lineTo(Centre + QPointF(-Step / 2, 0));
            Diamond.closeSubpath();
            Painter.drawPath(Diamond);
        }
    Painter.restore();

    QPainterPath Ruff;
    Ruff.moveTo(JokerX - 15, 56);
    for (int I = 0; I <= 10; ++I)
        Ruff.lineTo(JokerX - 15 + 3 * I, I % 2 == 0 ? 55 : 62);
    Ruff.lineTo(JokerX + 15, 56);
    Ruff.closeSubpath();
    FillOutlined(Painter, Ruff, Art::Gold);
}

void DrawJokerWord(QPainter& Painter)
{
    const QString Word = QStringLiteral("JOKER");
    for (int I = 0; I < Word.size(); ++I)
        FillText(Painter, Word.mid(I, 1), 7.5, 11 + 8 * I, 6.5, 7, Art::Red);
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
        DrawJokerBody(Painter);
        DrawJokerCap(Painter);
        DrawJokerFace(Painter);
        DrawJokerWord(Painter);
        TurnAround(Painter);
        DrawJokerWord(Painter);
    }
    BlackenCorners(Joker);
    return Joker;
}

QImage DrawSuitStrip()
{
    QImage Strip(SuitStripWidth, SuitStripHeight, QImage::Format_RGB32);
    Strip.fill(Art::Paper);
    const QImage Coverage = SuitCoverage();
    for (int Y = 0; Y < SuitStripHeight; ++Y)
        for (int X = 0; X < SuitStripWidth; ++X) {
            const int Suit = X / SuitCellWidth + 1;
            Strip.setPixel(X, Y, StripPixel(Suit, 1.0 - qGray(Coverage.pixel(X, Y)) / 255.0).rgb());
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
