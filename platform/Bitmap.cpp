#include "platform/Bitmap.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <cstdint>

namespace {

// Where the fields of a bitmap's headers lie, counted from the file's start.
// The file header comes first; the information header after it is either the
// old 12-byte core header, with 16-bit sizes, or the classic 40-byte one (or
// a newer one that begins like it).
namespace At {
constexpr qsizetype PixelOffset = 10;
constexpr qsizetype InfoSize = 14;
constexpr qsizetype CoreWidth = 18;
constexpr qsizetype CoreHeight = 20;
constexpr qsizetype CoreBits = 24;
constexpr qsizetype Width = 18;
constexpr qsizetype Height = 22;
constexpr qsizetype Planes = 26;
constexpr qsizetype Bits = 28;
constexpr qsizetype Compression = 30;
} // namespace At

constexpr qsizetype FileHeaderSize = 14;
constexpr uint32_t CoreHeaderSize = 12;
constexpr uint32_t InfoHeaderSize = 40;

enum TCompression : uint32_t { biRGB = 0, biRLE8 = 1, biRLE4 = 2, biBitFields = 3, biAlphaBitFields = 6 };

// The most a picture may take in memory, in megabytes, as Qt's reader counts
// it; a felt never needs more.
constexpr int LargestPictureMB = 128;

// Bytes in one stored row of a bitmap: rows are padded to whole 32-bit words.
int64_t BitmapStride(int64_t Width, uint32_t Bits)
{
    return (Width * Bits + 31) / 32 * 4;
}

// Little-endian fields of a bitmap's headers; the caller has checked the length.
uint32_t Field32(const QByteArray& Bytes, qsizetype Offset)
{
    const auto* B = reinterpret_cast<const unsigned char*>(Bytes.constData()) + Offset;
    return uint32_t(B[0]) | uint32_t(B[1]) << 8 | uint32_t(B[2]) << 16 | uint32_t(B[3]) << 24;
}

uint32_t Field16(const QByteArray& Bytes, qsizetype Offset)
{
    const auto* B = reinterpret_cast<const unsigned char*>(Bytes.constData()) + Offset;
    return uint32_t(B[0]) | uint32_t(B[1]) << 8;
}

// Walks run-length coded pixels (4 or 8 bits). Qt leaves every pixel the
// stream does not set as whatever the memory held, so the stream must set
// them all: each row whole, no skips, and no end before the last row.
bool RunLengthComplete(const QByteArray& Bytes, qsizetype Offset, int64_t Width, int64_t Rows, bool FourBits)
{
    const qsizetype End = Bytes.size();
    const auto Byte = [&](qsizetype I) { return uint8_t(Bytes[I]); };
    int64_t Row = 0;
    int64_t X = 0;
    const auto AllSet = [&] { return Row >= Rows || (Row == Rows - 1 && X >= Width); };
    while (Offset + 2 <= End) {
        const uint8_t Count = Byte(Offset);
        const uint8_t Code = Byte(Offset + 1);
        Offset += 2;
        if (Count != 0) {
            X += Count;
        } else if (Code == 0) {
            if (X < Width)
                return false;
            ++Row;
            X = 0;
        } else if (Code == 1) {
            return AllSet();
        } else if (Code == 2) {
            return false;
        } else {
            // A literal run, padded to a whole 16-bit word.
            const qsizetype Length = FourBits ? (Code + 1) / 2 : Code;
            Offset += Length + (Length & 1);
            if (Offset > End)
                return false;
            X += Code;
        }
    }
    return AllSet();
}

// Qt's reader takes a bitmap whose pixel data ends early and leaves the rows
// it did not get as whatever the memory held; such a file is damaged. Only
// the lengths are checked here; Qt's reader judges the rest.
bool CompleteBitmap(const QByteArray& Bytes)
{
    if (Bytes.size() < FileHeaderSize + 4 || !Bytes.startsWith("BM"))
        return false;
    const int64_t Offset = Field32(Bytes, At::PixelOffset);
    const uint32_t InfoSize = Field32(Bytes, At::InfoSize);
    int64_t Width = 0;
    int64_t Height = 0;
    uint32_t Bits = 0;
    uint32_t Compression = biRGB;
    if (InfoSize == CoreHeaderSize && Bytes.size() >= FileHeaderSize + CoreHeaderSize) {
        Width = Field16(Bytes, At::CoreWidth);
        Height = Field16(Bytes, At::CoreHeight);
        Bits = Field16(Bytes, At::CoreBits);
    } else if (InfoSize >= InfoHeaderSize && Bytes.size() >= FileHeaderSize + InfoHeaderSize) {
        Width = int32_t(Field32(Bytes, At::Width));
        Height = int32_t(Field32(Bytes, At::Height));
        Bits = Field16(Bytes, At::Bits);
        Compression = Field32(Bytes, At::Compression);
    } else {
        return false;
    }
    if (Offset > Bytes.size())
        return false;
    const int64_t Rows = Height < 0 ? -Height : Height;
    const int64_t Available = Bytes.size() - Offset;
    switch (Compression) {
    case biRGB:
    case biBitFields:
    case biAlphaBitFields: {
        const int64_t Stride = BitmapStride(Width < 0 ? -Width : Width, Bits);
        return Stride == 0 || Rows <= Available / Stride;
    }
    case biRLE8:
    case biRLE4:
        return RunLengthComplete(Bytes, qsizetype(Offset), Width < 0 ? -Width : Width, Rows, Compression == biRLE4);
    default:
        return true;
    }
}

} // namespace

QImage PlainBitmap(const QByteArray& Bytes)
{
    if (Bytes.size() < FileHeaderSize + InfoHeaderSize || !Bytes.startsWith("BM"))
        return QImage();
    const uint32_t InfoSize = Field32(Bytes, At::InfoSize);
    const int64_t Width = int32_t(Field32(Bytes, At::Width));
    const int64_t Height = int32_t(Field32(Bytes, At::Height));
    const uint32_t Planes = Field16(Bytes, At::Planes);
    const uint32_t Bits = Field16(Bytes, At::Bits);
    const int64_t Offset = Field32(Bytes, At::PixelOffset);
    // The classic header only (the newer ones may carry colour masks), and a
    // picture of at most what Qt's reader would hold.
    constexpr int64_t Largest = int64_t(LargestPictureMB) << 20;
    const int64_t Rows = Height < 0 ? -Height : Height;
    if (InfoSize != InfoHeaderSize || Planes != 1 || (Bits != 24 && Bits != 32) ||
        Field32(Bytes, At::Compression) != biRGB || Width <= 0 || Width > 32767 || Rows == 0 || Rows > 32767 ||
        Width * Rows * 4 > Largest || Offset < FileHeaderSize + InfoSize)
        return QImage();
    const int64_t Stride = BitmapStride(Width, Bits);
    if (Offset > Bytes.size() || Rows > (Bytes.size() - Offset) / Stride)
        return QImage();
    QImage Image(int(Width), int(Rows), QImage::Format_RGB32);
    if (Image.isNull())
        return QImage();
    const int Step = int(Bits / 8);
    const auto* Pixels = reinterpret_cast<const unsigned char*>(Bytes.constData()) + Offset;
    for (int64_t Row = 0; Row < Rows; ++Row) {
        // Rows are stored from the bottom up unless the height is negative.
        const unsigned char* From = Pixels + (Height > 0 ? Rows - 1 - Row : Row) * Stride;
        auto* To = reinterpret_cast<QRgb*>(Image.scanLine(int(Row)));
        for (int64_t X = 0; X < Width; ++X, From += Step)
            To[X] = qRgb(From[2], From[1], From[0]);
    }
    return Image;
}

// Only Windows bitmaps serve, whatever else Qt could read under their name.
QImage LoadPicture(const QString& FileName)
{
    QFile File(FileName);
    // Nothing that fits under the picture limit comes near this size.
    constexpr qint64 LargestFile = qint64(2 * LargestPictureMB) << 20;
    if (!File.open(QIODevice::ReadOnly) || File.size() > LargestFile)
        return QImage();
    QByteArray Bytes = File.readAll();
    if (!CompleteBitmap(Bytes))
        return QImage();
    // The common kinds are read here: Qt's reader would first look through
    // every picture format plugin installed, which costs start-up more than
    // reading the felt does.
    if (QImage Plain = PlainBitmap(Bytes); !Plain.isNull())
        return Plain;
    QBuffer Buffer(&Bytes);
    QImageReader Reader(&Buffer, "bmp");
    Reader.setAutoDetectImageFormat(false);
    Reader.setAllocationLimit(LargestPictureMB);
    const QImage Picture = Reader.read();
    return Picture.isNull() ? QImage() : Picture.convertToFormat(QImage::Format_RGB32);
}
