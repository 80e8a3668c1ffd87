#include "tools/cardart/SuitPaths.h"

#include "tools/cardart/ArtPalette.h"

#include <QTransform>

// Every sign is designed in a 100 x 100 box and scaled from there.
namespace {

QPainterPath HeartShape()
{
    QPainterPath Path;
    Path.moveTo(50, 100);
    Path.cubicTo(38, 82, 0, 60, 0, 28);
    Path.cubicTo(0, 10, 12, 0, 26, 0);
    Path.cubicTo(38, 0, 47, 8, 50, 20);
    Path.cubicTo(53, 8, 62, 0, 74, 0);
    Path.cubicTo(88, 0, 100, 10, 100, 28);
    Path.cubicTo(100, 60, 62, 82, 50, 100);
    Path.closeSubpath();
    return Path;
}

QPainterPath DiamondShape()
{
    QPainterPath Path;
    Path.moveTo(50, 0);
    Path.quadTo(72, 28, 100, 50);
    Path.quadTo(72, 72, 50, 100);
    Path.quadTo(28, 72, 0, 50);
    Path.quadTo(28, 28, 50, 0);
    Path.closeSubpath();
    return Path;
}

QPainterPath Stem()
{
    QPainterPath Path;
    Path.moveTo(46, 58);
    Path.cubicTo(46, 80, 40, 92, 28, 100);
    Path.lineTo(72, 100);
    Path.cubicTo(60, 92, 54, 80, 54, 58);
    Path.closeSubpath();
    return Path;
}

QPainterPath SpadeShape()
{
    QPainterPath Blade;
    Blade.moveTo(50, 0);
    Blade.cubicTo(62, 22, 100, 38, 100, 62);
    Blade.cubicTo(100, 76, 90, 84, 77, 84);
    Blade.cubicTo(66, 84, 58, 78, 52, 70);
    Blade.lineTo(48, 70);
    Blade.cubicTo(42, 78, 34, 84, 23, 84);
    Blade.cubicTo(10, 84, 0, 76, 0, 62);
    Blade.cubicTo(0, 38, 38, 22, 50, 0);
    Blade.closeSubpath();
    return Blade.united(Stem());
}

// Three leaves that stay apart, joined by a small heart, so the sign keeps its
// notches when it is only a dozen pixels high.
QPainterPath ClubShape()
{
    QPainterPath Leaves;
    Leaves.addEllipse(QPointF(50, 22), 22, 22);
    Leaves.addEllipse(QPointF(22, 62), 22, 22);
    Leaves.addEllipse(QPointF(78, 62), 22, 22);
    QPainterPath Heart;
    Heart.addEllipse(QPointF(50, 54), 13, 16);
    return Leaves.united(Heart).united(Stem());
}

QPainterPath UnitShape(int Suit)
{
    switch (Suit) {
    case Clubs: return ClubShape();
    case Diamonds: return DiamondShape();
    case Hearts: return HeartShape();
    case Spades: return SpadeShape();
    default: return {};
    }
}

} // namespace

QPainterPath SuitPath(int Suit, const QRectF& Box)
{
    QTransform Fit;
    Fit.translate(Box.left(), Box.top());
    Fit.scale(Box.width() / 100.0, Box.height() / 100.0);
    return Fit.map(UnitShape(Suit));
}

bool IsRedSuit(int Suit) { return Suit == Diamonds || Suit == Hearts; }

QColor SuitColour(int Suit) { return IsRedSuit(Suit) ? Art::Red : Art::Ink; }
