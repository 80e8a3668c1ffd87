// A drawing surface over a 32-bit image: block transfers with raster operations,
// fills, outlines, the dotted focus frame and text.
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
    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }

    // Moves W x H pixels from (SX, SY) of Source to (X, Y) of this canvas. Parts
    // outside either image are cut off. Allocates nothing between 32-bit images;
    // a canvas over an image of another pixel format is left alone.
    void BitBlt(int X, int Y, int W, int H, const QImage& Source, int SX, int SY, TRasterOp Op);
    void BitBlt(int X, int Y, int W, int H, const TCanvas& Source, int SX, int SY, TRasterOp Op)
    {
        BitBlt(X, Y, W, H, Source.FImage, SX, SY, Op);
    }
    // Plain copy of the same rectangle from Source: erasing from a background.
    void CopyRect(const QRect& Rect, const TCanvas& Source)
    {
        BitBlt(Rect.x(), Rect.y(), Rect.width(), Rect.height(), Source, Rect.x(), Rect.y(), TRasterOp::Copy);
    }
    // Draws a picture unscaled with its top-left corner at (X, Y).
    void Draw(int X, int Y, const QImage& Picture);
    void FillRect(const QRect& Rect, const QColor& Color);
    // A one-pixel outline just inside Rect.
    void FrameRect(const QRect& Rect, const QColor& Color);
    // Inverts every other pixel along the edge of Rect, so a second call removes it.
    void DrawFocusRect(const QRect& Rect);
    void TextOut(int X, int Y, const QString& Text);

    QFont Font;
    QColor FontColor = Qt::black;

private:
    void Changed(const QRect& Rect);

    QImage& FImage;
    TChanged FOnChanged;
};

// Reads a picture file into a 32-bit image. A damaged file, or one too large to
// hold, gives a null image.
QImage LoadPicture(const QString& FileName);
