#include "platform/GradientPaint.h"

#include "platform/Canvas.h"

#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <cstdint>

namespace {

constexpr int CloseGlyphRows = 7;

int Blend(int From, int To, int Band, int Last)
{
    // A weighted average of two non-negative values, rounded half up.
    return (From * (Last - Band) + To * Band + Last / 2) / Last;
}

} // namespace

int BandAt(int X, int Bands, int Width)
{
    if (Bands <= 0 || Width <= 0)
        return 0;
    const int64_t Band = ((int64_t(X) + 1) * Bands - 1) / Width;
    return int(std::clamp<int64_t>(Band, 0, Bands - 1));
}

void FillGradient(TCanvas& Canvas, const QColor& From, const QColor& To)
{
    for (int Band = 0; Band < GradientBands; ++Band) {
        const TBandSpan Span = GradientBandSpan(Band, GradientBands, Canvas.Width());
        if (Span.Right > Span.Left)
            Canvas.FillRect(QRect(Span.Left, 0, Span.Right - Span.Left, Canvas.Height()),
                            GradientBandColor(Band, GradientBands, From, To));
    }
}

void DrawEdge(TCanvas& Canvas, const QRect& Rect, const QColor& TopLeft, const QColor& BottomRight)
{
    Canvas.FillRect(QRect(Rect.left(), Rect.top(), Rect.width() - 1, 1), TopLeft);
    Canvas.FillRect(QRect(Rect.left(), Rect.top(), 1, Rect.height() - 1), TopLeft);
    Canvas.FillRect(QRect(Rect.left(), Rect.bottom(), Rect.width(), 1), BottomRight);
    Canvas.FillRect(QRect(Rect.right(), Rect.top(), 1, Rect.height()), BottomRight);
}

void DrawMinimizeGlyph(TCanvas& Canvas, const QPoint& Origin, const QColor& Color)
{
    Canvas.FillRect(QRect(Origin.x() + 4, Origin.y() + 9, 6, 2), Color);
}

// Two crossing diagonals, two pixels thick, in an 8 x 7 box. They step by
// device pixels, so on a high-density screen they are smooth, not blocky.
void DrawCloseGlyph(TCanvas& Canvas, const QPoint& Origin, const QColor& Color)
{
    const QRect Box = Canvas.DeviceRect(QRect(Origin.x() + 4, Origin.y() + 3, CloseGlyphRows + 1, CloseGlyphRows));
    const int Thickness = Canvas.DeviceRect(QRect(0, 0, 2, 1)).width();
    const int Rows = Box.height();
    for (int Row = 0; Row < Rows; ++Row) {
        const int Inset = std::min(Row, Rows - 1 - Row);
        Canvas.FillDeviceRect(QRect(Box.left() + Inset, Box.top() + Row, Thickness, 1), Color);
        Canvas.FillDeviceRect(QRect(Box.right() + 1 - Thickness - Inset, Box.top() + Row, Thickness, 1), Color);
    }
}

QColor GradientBandColor(int Band, int Bands, const QColor& From, const QColor& To)
{
    if (Bands <= 1)
        return From;
    const int Last = Bands - 1;
    const int B = std::clamp(Band, 0, Last);
    return QColor(Blend(From.red(), To.red(), B, Last), Blend(From.green(), To.green(), B, Last),
                  Blend(From.blue(), To.blue(), B, Last));
}

TBandSpan GradientBandSpan(int Band, int Bands, int Width)
{
    if (Bands <= 0 || Width <= 0)
        return {0, 0};
    // Each edge is rounded down on its own, so the next band starts exactly
    // where this one ends whatever the width.
    auto Edge = [&](int B) { return int(int64_t(std::clamp(B, 0, Bands)) * Width / Bands); };
    return {Edge(Band), Edge(Band + 1)};
}

QColor ContrastingTextColor(const QColor& Background)
{
    const int Luma = (Background.red() * 299 + Background.green() * 587 + Background.blue() * 114) / 1000;
    return Luma >= 128 ? QColor(Qt::black) : QColor(Qt::white);
}

// The inactive strip takes the palette's mid tone: the inactive window colour
// of most styles equals the face of the menu bar beneath the strip, which
// would make the title bar vanish, while the mid tone is the grey of a classic
// inactive title bar in light and dark palettes alike.
TTitleColours SystemTitleColours()
{
    const QPalette Palette = QGuiApplication::palette();
    TTitleColours Colours;
    Colours.GradientFrom = QColor::fromRgb(GradientStartRgb);
    Colours.GradientTo = Palette.color(QPalette::Active, QPalette::Highlight);
    Colours.InactiveFill = Palette.color(QPalette::Inactive, QPalette::Mid);
    Colours.ButtonFace = Palette.color(QPalette::Active, QPalette::Button);
    Colours.ButtonLight = Palette.color(QPalette::Active, QPalette::Light);
    Colours.ButtonShadow = Palette.color(QPalette::Active, QPalette::Dark);
    Colours.ButtonDark = Palette.color(QPalette::Active, QPalette::Shadow);
    Colours.ButtonText = Palette.color(QPalette::Active, QPalette::ButtonText);
    return Colours;
}
