// Turns a picture into the raw form the program wraps at start-up without
// decoding or copying: a four-byte tag, the width and the height as 32-bit
// little-endian numbers, then the rows top to bottom as 32-bit pixels in the
// byte order of the machine that builds. An opaque picture is tagged "ZR32"
// and its pixels are 0xffRRGGBB; one with transparency is tagged "ZA32" and
// its pixels are 0xAARRGGBB, not premultiplied.
//
//   rawpixels IN OUT
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
    QByteArray Bytes(Alpha ? "ZA32" : "ZR32");
    for (const int Value : {Picture.width(), Picture.height()}) {
        char Field[4];
        qToLittleEndian<uint32_t>(uint32_t(Value), Field);
        Bytes.append(Field, 4);
    }
    for (int Y = 0; Y < Picture.height(); ++Y)
        Bytes.append(reinterpret_cast<const char*>(Picture.constScanLine(Y)), qsizetype(Picture.width()) * 4);
    QFile Out(QString::fromLocal8Bit(argv[2]));
    if (!Out.open(QIODevice::WriteOnly | QIODevice::Truncate) || Out.write(Bytes) != Bytes.size() || !Out.flush()) {
        std::fprintf(stderr, "rawpixels: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
