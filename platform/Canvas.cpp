#include "platform/Canvas.h"

#include <QPainter>

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

struct TClip
{
    int X, Y, W, H, SX, SY;
};

// Cuts a transfer down to the part that lies inside both images.
bool ClipTransfer(TClip& C, const QImage& Dest, const QImage& Source)
{
    if (C.X < 0) { C.SX -= C.X; C.W += C.X; C.X = 0; }
    if (C.Y < 0) { C.SY -= C.Y; C.H += C.Y; C.Y = 0; }
    if (C.SX < 0) { C.X -= C.SX; C.W += C.SX; C.SX = 0; }
    if (C.SY < 0) { C.Y -= C.SY; C.H += C.SY; C.SY = 0; }
    C.W = std::min({C.W, Dest.width() - C.X, Source.width() - C.SX});
    C.H = std::min({C.H, Dest.height() - C.Y, Source.height() - C.SY});
    return C.W > 0 && C.H > 0;
}

// Pixels before the first 32-byte boundary of a row: done one by one, they let
// the rest be stored in whole aligned blocks, which costs far less than stores
// that straddle cache lines.
int UnalignedHead(const uint32_t* Row, int Count)
{
    const auto Misaligned = int((reinterpret_cast<uintptr_t>(Row) & 31u) / sizeof(uint32_t));
    return std::min(Count, Misaligned == 0 ? 0 : 8 - Misaligned);
}

// Rows of a card are short; an inline loop beats a library call per row.
template <TRasterOp Op>
constexpr auto CombineRow = [](uint32_t* Dest, const uint32_t* Source, int Count) {
    const auto Combine = [](uint32_t& D, uint32_t S) {
        if constexpr (Op == TRasterOp::Copy)
            D = S;
        else if constexpr (Op == TRasterOp::And)
            D &= S;
        else
            D |= S;
    };
    const int Head = UnalignedHead(Dest, Count);
    for (int I = 0; I < Head; ++I)
        Combine(Dest[I], Source[I]);
    for (int I = Head; I < Count; ++I)
        Combine(Dest[I], Source[I]);
};

// Built for AVX2 as well where the processor has it: a card is some 7,000 pixels
// a transfer, and the wider registers pay (zento_bench's DrawCard shows how much).
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_ADDRESS__)
__attribute__((target_clones("avx2", "default")))
#endif
void CombineBlock(uint8_t* Dest, qsizetype DestStride, const uint8_t* Source, qsizetype SourceStride, int W, int H,
                  TRasterOp Op, bool BottomUp, bool Overlap)
{
    // Blocks whose rows follow each other without a gap in both images are one long row.
    if (DestStride == SourceStride && DestStride == qsizetype(W) * 4) {
        W *= H;
        H = 1;
    }
    const auto Rows = [&](auto Row) {
        for (int I = 0; I < H; ++I) {
            const int R = BottomUp ? H - 1 - I : I;
            Row(reinterpret_cast<uint32_t*>(Dest + R * DestStride),
                reinterpret_cast<const uint32_t*>(Source + R * SourceStride), W);
        }
    };
    switch (Op) {
    case TRasterOp::Copy:
        if (Overlap)
            Rows([](uint32_t* D, const uint32_t* S, int N) { std::memmove(D, S, size_t(N) * sizeof(uint32_t)); });
        else
            Rows(CombineRow<TRasterOp::Copy>);
        break;
    case TRasterOp::And: Rows(CombineRow<TRasterOp::And>); break;
    case TRasterOp::Or: Rows(CombineRow<TRasterOp::Or>); break;
    }
}

bool IsRgb32(const QImage& Image)
{
    return Image.format() == QImage::Format_RGB32 || Image.format() == QImage::Format_ARGB32;
}

bool SameRatio(double A, double B)
{
    return std::abs(A - B) < 1e-6;
}

// Half a device pixel rounds up, below and above zero alike.
int ToDevice(int Value, double Ratio)
{
    return int(std::floor(Value * Ratio + 0.5));
}

// Design units that hold Pixels device pixels whole; the slack keeps a pixel
// count rounded up from a fractional ratio from counting as one unit more.
int ToDesign(int Pixels, double Ratio)
{
    return int(std::floor(Pixels / Ratio + 1e-6));
}

// The same pixels as Image, seen as one pixel to the unit, for a painter that
// must work in device pixels.
QImage DeviceView(QImage& Image)
{
    return QImage(Image.bits(), Image.width(), Image.height(), Image.bytesPerLine(), Image.format());
}

} // namespace

QImage CreateSurface(const QSize& Size, double Ratio)
{
    const int W = int(std::ceil(std::max(0, Size.width()) * Ratio - 1e-6));
    const int H = int(std::ceil(std::max(0, Size.height()) * Ratio - 1e-6));
    QImage Image(W, H, QImage::Format_RGB32);
    Image.setDevicePixelRatio(Ratio);
    Image.fill(Qt::white);
    return Image;
}

QImage PictureAtRatio(const QImage& Picture, double Ratio)
{
    const double Own = Picture.devicePixelRatio();
    if (Picture.isNull() || SameRatio(Own, Ratio))
        return Picture;
    const int W = std::max(1, int(std::ceil(Picture.width() * Ratio / Own - 1e-6)));
    const int H = std::max(1, int(std::ceil(Picture.height() * Ratio / Own - 1e-6)));
    QImage Scaled = Picture.scaled(W, H, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    Scaled.setDevicePixelRatio(Ratio);
    return Scaled;
}

TCanvas::TCanvas(QImage& Image, TChanged OnChanged) : FImage(Image), FOnChanged(std::move(OnChanged)) {}

int TCanvas::Width() const
{
    return ToDesign(FImage.width(), Ratio());
}

int TCanvas::Height() const
{
    return ToDesign(FImage.height(), Ratio());
}

QRect TCanvas::DeviceRect(const QRect& Rect) const
{
    const double R = Ratio();
    const int Left = ToDevice(Rect.x(), R);
    const int Top = ToDevice(Rect.y(), R);
    return QRect(Left, Top, ToDevice(Rect.x() + Rect.width(), R) - Left, ToDevice(Rect.y() + Rect.height(), R) - Top);
}

void TCanvas::Changed(const QRect& DeviceRect)
{
    if (!FOnChanged || DeviceRect.isEmpty())
        return;
    const double R = Ratio();
    if (SameRatio(R, 1)) {
        FOnChanged(DeviceRect);
        return;
    }
    // Every unit that holds a changed pixel.
    const int Left = int(std::floor(DeviceRect.x() / R + 1e-6));
    const int Top = int(std::floor(DeviceRect.y() / R + 1e-6));
    const int Right = int(std::ceil((DeviceRect.x() + DeviceRect.width()) / R - 1e-6));
    const int Bottom = int(std::ceil((DeviceRect.y() + DeviceRect.height()) / R - 1e-6));
    FOnChanged(QRect(Left, Top, Right - Left, Bottom - Top));
}

void TCanvas::BitBlt(int X, int Y, int W, int H, const QImage& Source, int SX, int SY, TRasterOp Op)
{
    const double R = Ratio();
    const QRect Dest = DeviceRect(QRect(X, Y, W, H));
    if (SameRatio(Source.devicePixelRatio(), R)) {
        BitBltDevice(Dest.x(), Dest.y(), Dest.width(), Dest.height(), Source, ToDevice(SX, R), ToDevice(SY, R), Op);
        return;
    }
    // Only the part inside the source is scaled, so a block reaching past it
    // is cut as it is between images of one ratio.
    const QRect Wanted(SX, SY, W, H);
    const QRect Inside = Wanted.intersected(QRect(QPoint(0, 0), Source.deviceIndependentSize().toSize()));
    if (Inside.isEmpty() || Source.isNull())
        return;
    const double SR = Source.devicePixelRatio();
    const QRect From(ToDevice(Inside.x(), SR), ToDevice(Inside.y(), SR),
                     ToDevice(Inside.right() + 1, SR) - ToDevice(Inside.x(), SR),
                     ToDevice(Inside.bottom() + 1, SR) - ToDevice(Inside.y(), SR));
    const QRect To = DeviceRect(Inside.translated(X - SX, Y - SY));
    if (From.isEmpty() || To.isEmpty())
        return;
    const QImage Scaled = Source.copy(From).scaled(To.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    BitBltDevice(To.x(), To.y(), To.width(), To.height(), Scaled, 0, 0, Op);
}

void TCanvas::BitBltDevice(int X, int Y, int W, int H, const QImage& Source, int SX, int SY, TRasterOp Op)
{
    TClip C{X, Y, W, H, SX, SY};
    if (FImage.isNull() || Source.isNull() || !ClipTransfer(C, FImage, Source))
        return;
    // Raster operations work on 32-bit pixels: every surface of the program has
    // them, and a picture of another kind is converted on the way.
    if (!IsRgb32(FImage))
        return;
    if (!IsRgb32(Source)) {
        const QImage Converted = Source.copy(C.SX, C.SY, C.W, C.H).convertToFormat(QImage::Format_RGB32);
        BitBltDevice(C.X, C.Y, C.W, C.H, Converted, 0, 0, Op);
        return;
    }
    const bool SameImage = FImage.constBits() == Source.constBits();
    // Rows run bottom-up when a block moves down within one image, so no source
    // row is overwritten before it is read.
    const bool BottomUp = SameImage && C.Y > C.SY;
    uint8_t* DestBits = FImage.bits();
    const uint8_t* SourceBits = SameImage ? DestBits : Source.constBits();
    const qsizetype DestStride = FImage.bytesPerLine();
    const qsizetype SourceStride = Source.bytesPerLine();
    CombineBlock(DestBits + C.Y * DestStride + C.X * 4, DestStride, SourceBits + C.SY * SourceStride + C.SX * 4,
                 SourceStride, C.W, C.H, Op, BottomUp, SameImage);
    Changed(QRect(C.X, C.Y, C.W, C.H));
}

void TCanvas::Draw(int X, int Y, const QImage& Picture)
{
    if (FImage.isNull() || Picture.isNull())
        return;
    const double R = Ratio();
    QImage Device = PictureAtRatio(Picture, R);
    Device.setDevicePixelRatio(1);
    const QPoint At(ToDevice(X, R), ToDevice(Y, R));
    {
        QImage View = DeviceView(FImage);
        QPainter Painter(&View);
        Painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        Painter.drawImage(At, Device);
    }
    Changed(QRect(At, Device.size()).intersected(FImage.rect()));
}

void TCanvas::FillRect(const QRect& Rect, const QColor& Color)
{
    FillDeviceRect(DeviceRect(Rect), Color);
}

void TCanvas::FillDeviceRect(const QRect& DeviceRect, const QColor& Color)
{
    const QRect R = DeviceRect.intersected(FImage.rect());
    if (R.isEmpty())
        return;
    if (IsRgb32(FImage)) {
        const uint32_t Pixel = Color.rgb();
        for (int Y = R.top(); Y <= R.bottom(); ++Y) {
            auto* Line = reinterpret_cast<uint32_t*>(FImage.scanLine(Y));
            std::fill(Line + R.left(), Line + R.right() + 1, Pixel);
        }
    } else {
        QImage View = DeviceView(FImage);
        QPainter Painter(&View);
        Painter.fillRect(R, Color);
    }
    Changed(R);
}

void TCanvas::FrameRect(const QRect& Rect, const QColor& Color)
{
    if (Rect.isEmpty())
        return;
    FillRect(QRect(Rect.left(), Rect.top(), Rect.width(), 1), Color);
    FillRect(QRect(Rect.left(), Rect.bottom(), Rect.width(), 1), Color);
    FillRect(QRect(Rect.left(), Rect.top(), 1, Rect.height()), Color);
    FillRect(QRect(Rect.right(), Rect.top(), 1, Rect.height()), Color);
}

void TCanvas::DrawFocusRect(const QRect& DesignRect)
{
    const QRect Rect = DeviceRect(DesignRect);
    if (Rect.isEmpty() || !IsRgb32(FImage))
        return;
    const QRect Bounds = FImage.rect();
    // The dots follow a checkerboard fixed to the rectangle's corner, which is
    // what makes a second call restore every pixel.
    auto Dotted = [&](int X, int Y) { return ((X - Rect.left()) + (Y - Rect.top())) % 2 == 0; };
    auto InvertRow = [&](int Y) {
        if (Y < Bounds.top() || Y > Bounds.bottom())
            return;
        auto* Line = reinterpret_cast<uint32_t*>(FImage.scanLine(Y));
        int X = std::max(Rect.left(), Bounds.left());
        if (!Dotted(X, Y))
            ++X;
        for (const int Right = std::min(Rect.right(), Bounds.right()); X <= Right; X += 2)
            Line[X] ^= 0x00FFFFFFu;
    };
    auto InvertColumn = [&](int X) {
        if (X < Bounds.left() || X > Bounds.right())
            return;
        int Y = std::max(Rect.top() + 1, Bounds.top());
        if (!Dotted(X, Y))
            ++Y;
        for (const int Bottom = std::min(Rect.bottom() - 1, Bounds.bottom()); Y <= Bottom; Y += 2)
            reinterpret_cast<uint32_t*>(FImage.scanLine(Y))[X] ^= 0x00FFFFFFu;
    };
    InvertRow(Rect.top());
    if (Rect.bottom() != Rect.top())
        InvertRow(Rect.bottom());
    InvertColumn(Rect.left());
    if (Rect.right() != Rect.left())
        InvertColumn(Rect.right());
    Changed(Rect.intersected(Bounds));
}

void TCanvas::TextOut(int X, int Y, const QString& Text)
{
    if (FImage.isNull() || Text.isEmpty())
        return;
    QRect Bounds;
    {
        QPainter Painter(&FImage);
        Painter.setFont(Font);
        Painter.setPen(FontColor);
        const QFontMetrics Metrics(Font);
        Bounds = QRect(X, Y, Metrics.horizontalAdvance(Text), Metrics.height());
        Painter.drawText(Bounds, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, Text);
    }
    Changed(DeviceRect(Bounds).intersected(FImage.rect()));
}
