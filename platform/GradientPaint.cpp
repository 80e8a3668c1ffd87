// The title strip's colours, where its buttons lie, and how it is painted:
// everything here draws into a canvas and needs no window on the screen.
#include "platform/Gradient.h"

#include "platform/Canvas.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <cstdint>

namespace {

constexpr int ButtonWidth = 16;
constexpr int ButtonHeight = 14;
constexpr int ButtonMargin = 2;
constexpr int TextLeft = 4;
constexpr int CloseGlyphRows = 7;

int Blend(int From, int To, int Band, int Last)
{
    // A weighted average of two non-negative values, rounded half up.
    return (From * (Last - Band) + To * Band + Last / 2) / Last;
}

// The band whose columns hold X; the last band that starts at or before X.
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

// One ring of a three-dimensional edge: the top and left lines in one colour,
// the bottom and right lines, which win at the corners, in the other.
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

} // namespace

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

QRect TGradient::ButtonRect(TTitleButton Button, int Width)
{
    const int Top = (GradientStripHeight - ButtonHeight) / 2;
    const int CloseLeft = Width - ButtonMargin - ButtonWidth;
    switch (Button) {
    case TTitleButton::Close:
        return QRect(CloseLeft, Top, ButtonWidth, ButtonHeight);
    case TTitleButton::Minimize:
        return QRect(CloseLeft - ButtonMargin - ButtonWidth, Top, ButtonWidth, ButtonHeight);
    case TTitleButton::None:
        break;
    }
    return {};
}

bool TGradient::HasButton(TTitleButton Button) const
{
    return Button == TTitleButton::Close ||
           (Button == TTitleButton::Minimize && FButtons == TTitleButtons::MinimizeAndClose);
}

TTitleButton TGradient::ButtonAt(const QPoint& Pos) const
{
    for (const TTitleButton Button : {TTitleButton::Minimize, TTitleButton::Close})
        if (HasButton(Button) && ButtonRect(Button, width()).contains(Pos))
            return Button;
    return TTitleButton::None;
}

void TGradient::DrawStrip(TCanvas& Canvas, TTitleState State, const TTitleColours& Colours) const
{
    if (State == TTitleState::Active)
        FillGradient(Canvas, Colours.GradientFrom, Colours.GradientTo);
    else
        Canvas.FillRect(QRect(0, 0, Canvas.Width(), Canvas.Height()), Colours.InactiveFill);
    DrawCaption(Canvas, State, Colours);
    for (const TTitleButton Button : {TTitleButton::Minimize, TTitleButton::Close})
        if (HasButton(Button))
            DrawButton(Canvas, Button, Colours);
}

QFont TGradient::CaptionFont() const
{
    QFont Font = font();
    Font.setBold(true);
    return Font;
}

// The text stops short of the buttons; a title too long for the strip ends
// in an ellipsis. Its colour contrasts with the band under its middle.
void TGradient::DrawCaption(TCanvas& Canvas, TTitleState State, const TTitleColours& Colours) const
{
    const QFont Font = CaptionFont();
    const QFontMetrics Metrics(Font);
    const TTitleButton First = HasButton(TTitleButton::Minimize) ? TTitleButton::Minimize : TTitleButton::Close;
    const int Available = ButtonRect(First, Canvas.Width()).left() - ButtonMargin - TextLeft;
    if (Available <= 0)
        return;
    const QString Text = Metrics.elidedText(FFormCaption, Qt::ElideRight, Available);
    if (Text.isEmpty())
        return;
    const int Middle = TextLeft + Metrics.horizontalAdvance(Text) / 2;
    const QColor Background =
        State == TTitleState::Active
            ? GradientBandColor(BandAt(Middle, GradientBands, Canvas.Width()), GradientBands, Colours.GradientFrom,
                                Colours.GradientTo)
            : Colours.InactiveFill;
    Canvas.Font = Font;
    Canvas.FontColor = ContrastingTextColor(Background);
    Canvas.TextOut(TextLeft, (Canvas.Height() - Metrics.height()) / 2, Text);
}

void TGradient::DrawButton(TCanvas& Canvas, TTitleButton Button, const TTitleColours& Colours) const
{
    const QRect Rect = ButtonRect(Button, Canvas.Width());
    const bool Sunken = Button == FPressedButton && FButtonSunken;
    Canvas.FillRect(Rect, Colours.ButtonFace);
    if (Sunken) {
        DrawEdge(Canvas, Rect, Colours.ButtonDark, Colours.ButtonLight);
        DrawEdge(Canvas, Rect.adjusted(1, 1, -1, -1), Colours.ButtonShadow, Colours.ButtonFace);
    } else {
        DrawEdge(Canvas, Rect, Colours.ButtonLight, Colours.ButtonDark);
        DrawEdge(Canvas, Rect.adjusted(1, 1, -1, -1), Colours.ButtonFace, Colours.ButtonShadow);
    }
    // A pushed-in button shows its glyph one pixel down and to the right.
    const QPoint Origin = Rect.topLeft() + (Sunken ? QPoint(1, 1) : QPoint(0, 0));
    if (Button == TTitleButton::Minimize)
        DrawMinimizeGlyph(Canvas, Origin, Colours.ButtonText);
    else
        DrawCloseGlyph(Canvas, Origin, Colours.ButtonText);
}

// Only room for the buttons and a few letters of the title: a layout that
// fits its window to its contents must not widen the window for the strip,
// which stretches to whatever width it is given.
QSize TGradient::sizeHint() const
{
    return minimumSizeHint();
}

QSize TGradient::minimumSizeHint() const
{
    return QSize(TextLeft + 2 * ButtonWidth + 3 * ButtonMargin, StripHeight());
}
