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

QImage BlankCard(int Scale)
{
    QImage Card(FaceWidth * Scale, FaceHeight * Scale, QImage::Format_RGB32);
    Card.fill(Art::Ink);
    QPainter Painter(&Card);
    Painter.fillRect(QRect(1, 1, Card.width() - 2, Card.height() - 2), Art::Paper);
    return Card;
}

bool InCornerCut(int Across, int Down, int Scale)
{
    return Across + Down < Scale;
}

void BlackenCorners(QImage& Card, int Scale)
{
    const QRgb Black = Art::Ink.rgb();
    // The pixels just inside the cut carry the outline round the corner.
    const int Reach = Scale > 1 ? Scale : 0;
    for (int Down = 0; Down <= Reach; ++Down)
        for (int Across = 0; Across + Down <= Reach; ++Across) {
            const int Right = Card.width() - 1 - Across;
            const int Bottom = Card.height() - 1 - Down;
            Card.setPixel(Across, Down, Black);
            Card.setPixel(Right, Down, Black);
            Card.setPixel(Across, Bottom, Black);
            Card.setPixel(Right, Bottom, Black);
        }
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
