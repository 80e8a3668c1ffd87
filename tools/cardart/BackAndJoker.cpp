#include "tools/cardart/BackAndJoker.h"

#include "tools/cardart/ArtPalette.h"
#include "tools/cardart/Drawing.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstdlib>

namespace {

int EdgeDistance(int X, int Y, int Width, int Height)
{
    return std::min(std::min(X, Width - 1 - X), std::min(Y, Height - 1 - Y));
}

// A lattice of diamonds, each holding a small white cross; its lines are
// Scale device pixels wide.
QColor LatticeColour(int X, int Y, int Scale)
{
    const int Period = 12 * Scale;
    const int U = ((X + Y) % Period + Period) % Period;
    const int V = ((X - Y) % Period + Period) % Period;
    if (U < Scale || V < Scale)
        return Art::BackBlue;
    const int FromCentre = std::max(std::abs(U - Period / 2), std::abs(V - Period / 2));
    if (FromCentre < Scale)
        return Art::Paper;
    if (FromCentre < 2 * Scale)
        return Art::BackCyan;
    return Art::BackNavy;
}

// The outline is one device pixel; the bands of the frame inside it keep
// their widths in card pixels.
QColor BackPixel(int X, int Y, int Scale)
{
    const int Width = FaceWidth * Scale;
    const int Height = FaceHeight * Scale;
    const int Edge = EdgeDistance(X, Y, Width, Height);
    if (Edge == 0)
        return Art::Ink;
    if (Edge < 3 * Scale || (Edge >= 5 * Scale && Edge < 6 * Scale))
        return Art::Paper;
    if (Edge < 7 * Scale)
        return Art::BackNavy;
    // The lattice is centred on the card, so the frame cuts it alike on every side.
    return LatticeColour(X - Width / 2, Y - Height / 2, Scale);
}

constexpr double JokerX = FaceWidth / 2.0;

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

void FillHarlequin(QPainter& Painter, const QPainterPath& Body)
{
    constexpr double Step = 7;
    Painter.save();
    Painter.setClipPath(Body);
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(Art::Red);
    for (int Row = 0; Row < 5; ++Row)
        for (int Column = -3; Column <= 3; ++Column) {
            if ((Row + Column) % 2 != 0)
                continue;
            const QPointF Centre(JokerX + Column * Step, 58 + Row * Step);
            QPainterPath Diamond;
            Diamond.moveTo(Centre + QPointF(0, -Step / 2));
            Diamond.lineTo(Centre + QPointF(Step / 2, 0));
            Diamond.lineTo(Centre + QPointF(0, Step / 2));
            Diamond.lineTo(Centre + QPointF(-Step / 2, 0));
            Diamond.closeSubpath();
            Painter.drawPath(Diamond);
        }
    Painter.restore();
}

void DrawJokerRuff(QPainter& Painter)
{
    QPainterPath Ruff;
    Ruff.moveTo(JokerX - 15, 56);
    for (int I = 0; I <= 10; ++I)
        Ruff.lineTo(JokerX - 15 + 3 * I, I % 2 == 0 ? 55 : 62);
    Ruff.lineTo(JokerX + 15, 56);
    Ruff.closeSubpath();
    FillOutlined(Painter, Ruff, Art::Gold);
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
    FillHarlequin(Painter, Body);
    DrawJokerRuff(Painter);
}

void DrawJokerWord(QPainter& Painter)
{
    const QString Word = QStringLiteral("JOKER");
    for (int I = 0; I < Word.size(); ++I)
        FillText(Painter, Word.mid(I, 1), 7.5, 11 + 8 * I, 6.5, 7, Art::Red);
}

} // namespace

QImage DrawMask(int Scale)
{
    QImage Mask(FaceWidth * Scale, FaceHeight * Scale, QImage::Format_RGB32);
    Mask.fill(Art::Ink);
    const QRgb White = Art::Paper.rgb();
    for (int Down = 0; Down < Scale; ++Down)
        for (int Across = 0; InCornerCut(Across, Down, Scale); ++Across) {
            Mask.setPixel(Across, Down, White);
            Mask.setPixel(Mask.width() - 1 - Across, Down, White);
            Mask.setPixel(Across, Mask.height() - 1 - Down, White);
            Mask.setPixel(Mask.width() - 1 - Across, Mask.height() - 1 - Down, White);
        }
    return Mask;
}

QImage DrawBack(int Scale)
{
    QImage Back(FaceWidth * Scale, FaceHeight * Scale, QImage::Format_RGB32);
    for (int Y = 0; Y < Back.height(); ++Y)
        for (int X = 0; X < Back.width(); ++X)
            Back.setPixel(X, Y, BackPixel(X, Y, Scale).rgb());
    BlackenCorners(Back, Scale);
    return Back;
}

QImage DrawJoker(int Scale)
{
    QImage Joker = BlankCard(Scale);
    {
        QPainter Painter(&Joker);
        Painter.setRenderHint(QPainter::Antialiasing);
        Painter.scale(Scale, Scale);
        DrawJokerBody(Painter);
        DrawJokerCap(Painter);
        DrawJokerFace(Painter);
        DrawJokerWord(Painter);
        TurnAround(Painter);
        DrawJokerWord(Painter);
    }
    BlackenCorners(Joker, Scale);
    return Joker;
}

