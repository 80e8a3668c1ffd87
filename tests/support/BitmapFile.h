// The two headers that open a Windows bitmap file, for the tests that make
// bitmaps by hand, bad ones included.
#pragma once
#include <QByteArray>

#include <cstdint>

// The 14-byte file header and the 40-byte information header of a picture whose
// Palette colours (4 bytes each) and PixelBytes of pixels follow the headers.
// A negative Height lays the rows top down.
inline QByteArray BitmapHeaders(int32_t Width, int32_t Height, uint16_t Bits, uint32_t PixelBytes,
                                uint32_t Compression = 0, uint32_t Palette = 0)
{
    QByteArray Bytes("BM");
    const auto Put = [&Bytes](uint32_t Value, int Size) {
        for (int I = 0; I < Size; ++I)
            Bytes.append(char(Value >> (8 * I)));
    };
    const uint32_t PixelsAt = 14 + 40 + 4 * Palette;
    Put(PixelsAt + PixelBytes, 4);
    Put(0, 4);
    Put(PixelsAt, 4);
    Put(40, 4);
    Put(uint32_t(Width), 4);
    Put(uint32_t(Height), 4);
    Put(1, 2);  // planes
    Put(Bits, 2);
    Put(Compression, 4);
    Put(PixelBytes, 4);
    Put(0, 4);  // pixels per metre, across and down
    Put(0, 4);
    Put(Palette, 4);
    Put(0, 4);  // important colours: all
    return Bytes;
}
