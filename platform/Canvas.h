// A drawing surface over a 32-bit image: block transfers with raster operations,
// fills, outlines, the dotted focus frame and text.
//
// Callers draw in design units, the pixels of a screen of ordinary density.
// The image may hold more pixels to the unit (its device pixel ratio, as on a
// high-density screen); the canvas then maps every rectangle onto device
// pixels by rounding each edge on its own, so blocks that meet in design
// units meet in device pixels too, without a gap or an overlap.
#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <functional>

// How a block transfer combines the source with what the destination holds.
enum class TRasterOp { Copy, And, Or };

class TCanvas
{
public:
    // Called with every rectangle the canvas changed; a window canvas uses it to
    // put the change on the screen at once.
    using TChanged = std::function<void(const QRect&)>;

    explicit TCanvas(QImage& Image, TChanged OnChanged = {});

    QImage& Image() { return FImage; }
    const QImage& Image() const { return FImage; }
    // Device pixels to the design unit.
    double Ratio() const { return FImage.devicePixelRatio(); }
    // The size in design units.
    int Width() const;
    int Height() const;
    // The device pixels that a rectangle in design units covers.
    QRect DeviceRect(const QRect& Rect) const;

    // Moves W x H units from (SX, SY) of Source to (X, Y) of this canvas. Parts
    // outside either image are cut off. Allocates nothing between 32-bit images
    // of one ratio; a source of another ratio is scaled smoothly on the way, and
    // a canvas over an image of another pixel format is left alone.
    void BitBlt(int X, int Y, int W, int H, const QImage& Source, int SX, int SY, TRasterOp Op);
    // The same in device pixels of both images, whatever their ratios.
    void BitBltDevice(int X, int Y, int W, int H, const QImage& Source, int SX, int SY, TRasterOp Op);
    void BitBlt(int X, int Y, int W, int H, const TCanvas& Source, int SX, int SY, TRasterOp Op)
    {
        BitBlt(X, Y, W, H, Source.FImage, SX, SY, Op);
    }
    // Plain copy of the same rectangle from Source: erasing from a background.
    void CopyRect(const QRect& Rect, const TCanvas& Source)
    {
        BitBlt(Rect.x(), Rect.y(), Rect.width(), Rect.height(), Source, Rect.x(), Rect.y(), TRasterOp::Copy);
    }
    // Draws a picture with its top-left corner at (X, Y), at its own size in
    // design units; a picture of another ratio is scaled smoothly first.
    void Draw(int X, int Y, const QImage& Picture);
    void FillRect(const QRect& Rect, const QColor& Color);
    void FillDeviceRect(const QRect& DeviceRect, const QColor& Color);
    // A one-pixel outline just inside Rect.
    void FrameRect(const QRect& Rect, const QColor& Color);
    // Inverts every other device pixel along the edge of Rect, so a second
    // call removes it. The dots stay one device pixel at any ratio.
    void DrawFocusRect(const QRect& Rect);
    void TextOut(int X, int Y, const QString& Text);

    QFont Font;
    QColor FontColor = Qt::black;

private:
    // Reports a change given in device pixels, in design units.
    void Changed(const QRect& DeviceRect);

    QImage& FImage;
    TChanged FOnChanged;
};

// A white 32-bit image of Size design units at Ratio device pixels to the unit;
// a fractional ratio rounds the pixel count up, so every unit is covered.
QImage CreateSurface(const QSize& Size, double Ratio);
// Picture held at Ratio: itself when it has that ratio, otherwise scaled
// smoothly to cover its design size at Ratio (rounded up).
QImage PictureAtRatio(const QImage& Picture, double Ratio);
