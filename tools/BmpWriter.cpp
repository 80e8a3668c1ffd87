#include "tools/BmpWriter.h"

#include "platform/SaveFile.h"

#include <QBuffer>
#include <QHash>

#include <algorithm>
#include <cstring>

namespace {

constexpr int PixelsPerMetre = 2835;  // 72 dots per inch
// Keeps the row and file sizes far from overflowing 32 bits.
constexpr int MaxSide = 16384;
// Where BITMAPINFOHEADER keeps the count of important colours.
constexpr int ImportantColoursOffset = 50;

bool IsIndexed(int BitsPerPixel) { return BitsPerPixel == 1 || BitsPerPixel == 4 || BitsPerPixel == 8; }

bool PaletteFits(int BitsPerPixel, const QList<QRgb>& Palette)
{
    if (BitsPerPixel == 24)
        return true;
    return IsIndexed(BitsPerPixel) && !Palette.isEmpty() && Palette.size() <= (1 << BitsPerPixel);
}

int SquaredDistance(QRgb A, QRgb B)
{
    const int R = qRed(A) - qRed(B);
    const int G = qGreen(A) - qGreen(B);
    const int Bl = qBlue(A) - qBlue(B);
    return R * R + G * G + Bl * Bl;
}

// Nearest palette entry, remembered per colour: pictures repeat few colours.
class TQuantiser
{
public:
    explicit TQuantiser(const QList<QRgb>& Palette) : FPalette(Palette) {}

    int IndexOf(QRgb Colour)
    {
        Colour |= 0xFF000000u;
        const auto Found = FCache.constFind(Colour);
        if (Found != FCache.constEnd())
            return Found.value();
        int Best = 0;
        int BestDistance = SquaredDistance(Colour, FPalette[0]);
        for (int I = 1; I < FPalette.size() && BestDistance > 0; ++I) {
            const int Distance = SquaredDistance(Colour, FPalette[I]);
            if (Distance < BestDistance) {
                Best = I;
                BestDistance = Distance;
            }
        }
        FCache.insert(Colour, Best);
        return Best;
    }

private:
    const QList<QRgb>& FPalette;
    QHash<QRgb, int> FCache;
};

// Each pixel as the index of its nearest palette entry. The table is the whole
// 2^BitsPerPixel entries, unused ones black, so every index a reader may meet has
// a colour; its length is also what makes Qt write 4 bits for a 16-colour picture.
QImage Indexed(const QImage& Pixels, int BitsPerPixel, const QList<QRgb>& Palette)
{
    QList<QRgb> Table = Palette;
    Table.resize(1 << BitsPerPixel, qRgb(0, 0, 0));
    QImage Result(Pixels.size(), BitsPerPixel == 1 ? QImage::Format_Mono : QImage::Format_Indexed8);
    // Qt's writer copies whole rows, padding included, and fill() leaves the
    // padding as it was: zero every byte so the files come out the same each time.
    std::memset(Result.bits(), 0, size_t(Result.sizeInBytes()));
    Result.setColorTable(Table);
    TQuantiser Quantiser(Palette);
    for (int Y = 0; Y < Pixels.height(); ++Y) {
        const auto* Row = reinterpret_cast<const QRgb*>(Pixels.constScanLine(Y));
        for (int X = 0; X < Pixels.width(); ++X)
            Result.setPixel(X, Y, uint(Quantiser.IndexOf(Row[X])));
    }
    return Result;
}

} // namespace

QByteArray EncodeBmp(const QImage& Image, int BitsPerPixel, const QList<QRgb>& Palette)
{
    if (Image.isNull() || Image.width() > MaxSide || Image.height() > MaxSide || !PaletteFits(BitsPerPixel, Palette))
        return {};
    const QImage Pixels = Image.convertToFormat(QImage::Format_RGB32);
    QImage Picture = IsIndexed(BitsPerPixel) ? Indexed(Pixels, BitsPerPixel, Palette) : Pixels;
    Picture.setDotsPerMeterX(PixelsPerMetre);
    Picture.setDotsPerMeterY(PixelsPerMetre);
    QByteArray Bytes;
    QBuffer Buffer(&Bytes);
    if (!Buffer.open(QIODevice::WriteOnly) || !Picture.save(&Buffer, "BMP") || Bytes.size() < ImportantColoursOffset + 4)
        return {};
    // Qt counts every colour of the table as important; 0 says the same (all of
    // them) and is what the committed pictures hold, so they stay byte for byte.
    std::fill_n(Bytes.begin() + ImportantColoursOffset, 4, '\0');
    return Bytes;
}

bool WriteBmp(const QString& FileName, const QImage& Image, int BitsPerPixel, const QList<QRgb>& Palette)
{
    const QByteArray Bytes = EncodeBmp(Image, BitsPerPixel, Palette);
    if (Bytes.isEmpty())
        return false;
    return SaveFileAtomically(FileName, Bytes);
}

QList<QRgb> VgaPalette()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),     qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128),   qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),     qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255),   qRgb(0, 255, 255), qRgb(255, 255, 255)};
}
