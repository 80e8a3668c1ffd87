// How a title strip is painted, apart from any window: its gradient, its
// colours, the edges and glyphs of its buttons. Everything here draws into a
// canvas and needs no window on the screen.
#pragma once
#include <QColor>
#include <QPoint>
#include <QRect>

class TCanvas;

// The gradient starts from light green and runs in this many bands.
constexpr int GradientBands = 128;
constexpr QRgb GradientStartRgb = 0x80FF80;
constexpr int GradientStripHeight = 20;

// Band 0 has From, the last band To, and the bands between step evenly from one
// to the other. A band outside 0 to Bands - 1 gets the colour of the nearer end.
QColor GradientBandColor(int Band, int Bands, const QColor& From, const QColor& To);

// The pixel columns [Left, Right) of one band when Bands bands share Width
// pixels. Neighbouring bands meet without a gap and together cover exactly the
// width; when there are more bands than pixels some bands are empty.
struct TBandSpan
{
    int Left;
    int Right;
};
TBandSpan GradientBandSpan(int Band, int Bands, int Width);

// Black on light colours and white on dark ones.
QColor ContrastingTextColor(const QColor& Background);

enum class TTitleState { Inactive, Active };
enum class TTitleButton { None, Minimize, Close };
// A tool window's strip has no minimise button: it goes down only with the
// window it belongs to.
enum class TTitleButtons { MinimizeAndClose, CloseOnly, None };

// The colours a strip is painted with. SystemTitleColours reads them from the
// application's palette.
struct TTitleColours
{
    QColor GradientFrom;
    QColor GradientTo;
    QColor InactiveFill;
    QColor ButtonFace;
    QColor ButtonLight;
    QColor ButtonShadow;
    QColor ButtonDark;
    QColor ButtonText;
};
TTitleColours SystemTitleColours();

// The band whose columns hold X: the last band that starts at or before X.
int BandAt(int X, int Bands, int Width);
// The gradient from From to To across the whole canvas, band by band.
void FillGradient(TCanvas& Canvas, const QColor& From, const QColor& To);
// One ring of a three-dimensional edge: the top and left lines in one colour,
// the bottom and right lines, which win at the corners, in the other.
void DrawEdge(TCanvas& Canvas, const QRect& Rect, const QColor& TopLeft, const QColor& BottomRight);
// The glyphs of the minimise and close buttons, for a button whose corner is Origin.
void DrawMinimizeGlyph(TCanvas& Canvas, const QPoint& Origin, const QColor& Color);
void DrawCloseGlyph(TCanvas& Canvas, const QPoint& Origin, const QColor& Color);
