#include "platform/ResourcePicture.h"

#include "platform/Canvas.h"
#include "platform/RawPicture.h"

#include <QImageReader>
#include <QResource>
#include <QtEndian>

#include <cstdint>
#include <cstring>

QImage LoadResourceAtRatio(const QString& Resource, double Ratio)
{
    QImage Picture;
    if (Ratio > 1 + 1e-6) {
        Picture = LoadResourcePicture(Resource + QStringLiteral("@2x"));
        Picture.setDevicePixelRatio(2);
    }
    if (Picture.isNull())
        Picture = LoadResourcePicture(Resource);
    if (Picture.isNull())
        return {};
    return PictureAtRatio(Picture.convertToFormat(QImage::Format_RGB32), Ratio);
}

// With the format named and guessing off, Qt reads with its own bitmap
// reader; otherwise it loads every picture format plugin to ask each one.
QImage LoadResourcePicture(const QString& Resource)
{
    QImage Raw = RawResourcePicture(Resource);
    if (!Raw.isNull())
        return Raw;
    QImageReader Reader(Resource, "BMP");
    Reader.setAutoDetectImageFormat(false);
    return Reader.read();
}

QImage RawResourcePicture(const QString& Resource)
{
    const QResource Raw(Resource);
    if (!Raw.isValid() || Raw.compressionAlgorithm() != QResource::NoCompression || Raw.size() < RawHeaderSize)
        return {};
    const uchar* Data = Raw.data();
    const bool Opaque = std::memcmp(Data, RawOpaqueTag, RawTagSize) == 0;
    if (!Opaque && std::memcmp(Data, RawAlphaTag, RawTagSize) != 0)
        return {};
    const uint32_t Width = qFromLittleEndian<uint32_t>(Data + RawWidthAt);
    const uint32_t Height = qFromLittleEndian<uint32_t>(Data + RawHeightAt);
    if (Width == 0 || Height == 0 || Width > RawLargestSide || Height > RawLargestSide ||
        Raw.size() - RawHeaderSize != qint64(Width) * Height * 4)
        return {};
    const uchar* Pixels = Data + RawHeaderSize;
    const QImage Wrapped(Pixels, int(Width), int(Height), qsizetype(Width) * 4,
                         Opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    // Pixels must lie on 32-bit boundaries to be read in place; elsewhere a copy serves.
    return reinterpret_cast<uintptr_t>(Pixels) % alignof(uint32_t) == 0 ? Wrapped : Wrapped.copy();
}
