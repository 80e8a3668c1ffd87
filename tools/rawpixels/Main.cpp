// Turns a picture into the raw form the program wraps at start-up without
// decoding or copying.
//
//   rawpixels IN OUT
#include "platform/RawPicture.h"

#include <QFile>
#include <QImage>
#include <QtEndian>

#include <cstdint>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: rawpixels IN OUT\n");
        return 2;
    }
    const QImage Read(QString::fromLocal8Bit(argv[1]));
    if (Read.isNull()) {
        std::fprintf(stderr, "rawpixels: cannot read %s\n", argv[1]);
        return 1;
    }
    const bool Alpha = Read.hasAlphaChannel();
    const QImage Picture = Read.convertToFormat(Alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QByteArray Bytes(Alpha ? RawAlphaTag : RawOpaqueTag, RawTagSize);
    Bytes.resize(RawHeaderSize);
    qToLittleEndian<uint32_t>(uint32_t(Picture.width()), Bytes.data() + RawWidthAt);
    qToLittleEndian<uint32_t>(uint32_t(Picture.height()), Bytes.data() + RawHeightAt);
    for (int Y = 0; Y < Picture.height(); ++Y)
        Bytes.append(reinterpret_cast<const char*>(Picture.constScanLine(Y)), qsizetype(Picture.width()) * 4);
    QFile Out(QString::fromLocal8Bit(argv[2]));
    if (!Out.open(QIODevice::WriteOnly | QIODevice::Truncate) || Out.write(Bytes) != Bytes.size() || !Out.flush()) {
        std::fprintf(stderr, "rawpixels: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
