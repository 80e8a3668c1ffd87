#include "tools/cardart/Drawing.h"

#include "tools/cardart/ArtPalette.h"
#include "tools/cardart/SuitPaths.h"

#include <QFont>
#include <QFontMetricsF>

#include <algorithm>

namespace {

constexpr double CentreX = FaceWidth / 2.0;
constexpr double CentreY = FaceHeight / 2.0;

QFont IndexFont()
{
    QFont Font(QStringLiteral("DejaVu Sans"));
    Font.setBold(true);
    Font.setPixelSize(100);
    Font.setHintingPreference(QFont::PreferNoHinting);
    return Font;
}

} // namespace

QImage BlankCard()
{
    QImage Card(FaceWidth, FaceHeight, QImage::Format_RGB32);
    Card.fill(Art::Ink);
    QPainter Painter(&Card);
    Painter.fillRect(QRect(1, 1, FaceWidth - 2, FaceHeight - 2), Art::Paper);
    return Card;
}

void BlackenCorners(QImage& Card)
{
    const QRgb Black = Art::Ink.rgb();
    Card.setPixel(0, 0, Black);
    Card.setPixel(Card.width() - 1, 0, Black);
    Card.setPixel(0, Card.height() - 1, Black);
    Card.setPixel(Card.width() - 1, Card.height() - 1, Black);
}

void TurnAround(QPainter& Painter)
{
    Painter.translate(CentreX, CentreY);
    Painter.rotate(180);
    Painter.translate(-CentreX, -CentreY);
}

void FillSuit(QPainter& Painter, int Suit, const QRectF& Box, TFacing Facing)
{
    Painter.save();
    if (Facing == TFacing::Turned) {
        Painter.translate(Box.center());
        Painter.rotate(180);
        Painter.translate(-Box.center());
    }
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(SuitColour(Suit));
    Painter.drawPath(SuitPath(Suit, Box));
    Painter.restore();
}

void FillOutlined(QPainter& Painter, const QPainterPath& Path, const QColor& Colour)
{
    Painter.setPen(QPen(Art::Ink, 0.7));
    Painter.setBrush(Colour);
    Painter.drawPath(Path);
    Painter.setPen(Qt::NoPen);
}

void FillText(QPainter& Painter, const QString& Text, double CentreX, double BaselineY, double CapHeight,
              double MaxWidth, const QColor& Colour)
{
    static const QFont Font = IndexFont();
    static const double FontCapHeight = QFontMetricsF(Font).capHeight();
    QPainterPath Path;
    Path.addText(0, 0, Font, Text);
    const QRectF Bounds = Path.boundingRect();
    if (Bounds.isEmpty() || FontCapHeight <= 0)
        return;
    const double Scale = CapHeight / FontCapHeight;
    const double ScaleX = std::min(Scale, MaxWidth / Bounds.width());
    Painter.save();
    Painter.translate(CentreX - Bounds.center().x() * ScaleX, BaselineY);
    Painter.scale(ScaleX, Scale);
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(Colour);
    Painter.drawPath(Path);
    Painter.restore();
}
