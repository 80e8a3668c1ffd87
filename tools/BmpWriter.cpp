#include "tools/BmpWriter.h"

#include "platform/SaveFile.h"

#include <QHash>

#include <cstdint>

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr int PixelsPerMetre = 2835;  // 72 dots per inch
// Keeps the row and file sizes far from overflowing 32 bits.
constexpr int MaxSide = 16384;

void PutU16(QByteArray& Bytes, uint16_t Value)
{
    Bytes.append(char(Value & 0xFF));
    Bytes.append(char(Value >> 8));
}

void PutU32(QByteArray& Bytes, uint32_t Value)
{
    for (int Shift = 0; Shift < 32; Shift += 8)
        Bytes.append(char((Value >> Shift) & 0xFF));
}

bool IsIndexed(int BitsPerPixel) { return BitsPerPixel == 1 || BitsPerPixel == 4 || BitsPerPixel == 8; }

bool PaletteFits(int BitsPerPixel, const QList<QRgb>& Palette)
{
    if (BitsPerPixel == 24)
        return true;
    return IsIndexed(BitsPerPixel) && !Palette.isEmpty() && Palette.size() <= (1 << BitsPerPixel);
}

int RowBytes(int Width, int BitsPerPixel) { return ((Width * BitsPerPixel + 31) / 32) * 4; }

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

void PutHeaders(QByteArray& Bytes, const QImage& Image, int BitsPerPixel, int PaletteEntries)
{
    const uint32_t PixelOffset = FileHeaderSize + InfoHeaderSize + 4 * PaletteEntries;
    const uint32_t PixelBytes = uint32_t(RowBytes(Image.width(), BitsPerPixel)) * uint32_t(Image.height());
    Bytes.append("BM", 2);
    PutU32(Bytes, PixelOffset + PixelBytes);
    PutU32(Bytes, 0);
    PutU32(Bytes, PixelOffset);
    PutU32(Bytes, InfoHeaderSize);
    PutU32(Bytes, uint32_t(Image.width()));
    PutU32(Bytes, uint32_t(Image.height()));  // positive height: rows run bottom-up
    PutU16(Bytes, 1);
    PutU16(Bytes, uint16_t(BitsPerPixel));
    PutU32(Bytes, 0);  // BI_RGB, no compression
    PutU32(Bytes, PixelBytes);
    PutU32(Bytes, PixelsPerMetre);
    PutU32(Bytes, PixelsPerMetre);
    PutU32(Bytes, uint32_t(PaletteEntries));
    PutU32(Bytes, 0);
}

// The whole table is written, unused entries black, so every index a reader
// may meet has a colour.
void PutPalette(QByteArray& Bytes, const QList<QRgb>& Palette, int Entries)
{
    for (int I = 0; I < Entries; ++I) {
        const QRgb Colour = I < Palette.size() ? Palette[I] : qRgb(0, 0, 0);
        Bytes.append(char(qBlue(Colour)));
        Bytes.append(char(qGreen(Colour)));
        Bytes.append(char(qRed(Colour)));
        Bytes.append(char(0));
    }
}

void PutIndexedRow(QByteArray& Bytes, const QRgb* Pixels, int Width, int BitsPerPixel, TQuantiser& Quantiser)
{
    const int PixelsPerByte = 8 / BitsPerPixel;
    QByteArray Row(RowBytes(Width, BitsPerPixel), '\0');
    for (int X = 0; X < Width; ++X) {
        const int Index = Quantiser.IndexOf(Pixels[X]);
        // The leftmost pixel of a byte sits in its highest bits.
        const int Shift = (PixelsPerByte - 1 - X % PixelsPerByte) * BitsPerPixel;
        Row[X / PixelsPerByte] = char(uint8_t(Row[X / PixelsPerByte]) | (Index << Shift));
    }
    Bytes.append(Row);
}

void PutTrueColourRow(QByteArray& Bytes, const QRgb* Pixels, int Width)
{
    QByteArray Row(RowBytes(Width, 24), '\0');
    for (int X = 0; X < Width; ++X) {
        Row[3 * X] = char(qBlue(Pixels[X]));
        Row[3 * X + 1] = char(qGreen(Pixels[X]));
        Row[3 * X + 2] = char(qRed(Pixels[X]));
    }
    Bytes.append(Row);
}

} // namespace

QByteArray EncodeBmp(const QImage& Image, int BitsPerPixel, const QList<QRgb>& Palette)
{
    if (Image.isNull() || Image.width() > MaxSide || Image.height() > MaxSide || !PaletteFits(BitsPerPixel, Palette))
        return {};
    const QImage Pixels = Image.convertToFormat(QImage::Format_RGB32);
    const int PaletteEntries = IsIndexed(BitsPerPixel) ? (1 << BitsPerPixel) : 0;
    QByteArray Bytes;
    Bytes.reserve(FileHeaderSize + InfoHeaderSize + 4 * PaletteEntries
                  + RowBytes(Pixels.width(), BitsPerPixel) * Pixels.height());
    PutHeaders(Bytes, Pixels, BitsPerPixel, PaletteEntries);
    PutPalette(Bytes, Palette, PaletteEntries);
    TQuantiser Quantiser(Palette);
    for (int Y = Pixels.height() - 1; Y >= 0; --Y) {
        const auto* Row = reinterpret_cast<const QRgb*>(Pixels.constScanLine(Y));
        if (BitsPerPixel == 24)
            PutTrueColourRow(Bytes, Row, Pixels.width());
        else
            PutIndexedRow(Bytes, Row, Pixels.width(), BitsPerPixel, Quantiser);
    }
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
