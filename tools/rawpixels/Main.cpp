// Turns a Windows bitmap into the raw form the program wraps at start-up
// without decoding or copying: "ZR32", the width and the height as 32-bit
// little-endian numbers, then the rows top to bottom as 32-bit pixels
// 0xffRRGGBB in the byte order of the machine that builds.
//
//   rawpixels IN.bmp OUT.rgb32
#include <QFile>
#include <QImage>
#include <QtEndian>

#include <cstdint>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: rawpixels IN.bmp OUT.rgb32\n");
        return 2;
    }
    const QImage Picture = QImage(QString::fromLocal8Bit(argv[1]), "BMP").convertToFormat(QImage::Format_RGB32);
    if (Picture.isNull()) {
        std::fprintf(stderr, "rawpixels: cannot read %s\n", argv[1]);
        return 1;
    }
    QByteArray Bytes("ZR32");
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
