// Writes Windows bitmaps with our own palettes at 1, 4, 8 and 24 bits per pixel.
#pragma once
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>
#include <QString>

// Encodes Image as a BMP file: BITMAPINFOHEADER, bottom-up rows padded to four
// bytes. For 1, 4 and 8 bits every pixel becomes the nearest entry of Palette,
// which must hold from 1 to 2^BitsPerPixel colours; 24 bits ignores Palette.
// Answers an empty array for a null image, one over 16384 pixels a side,
// another depth or an unfit palette.
QByteArray EncodeBmp(const QImage& Image, int BitsPerPixel, const QList<QRgb>& Palette = {});

// EncodeBmp into a file, replaced whole; false when encoding or writing fails.
bool WriteBmp(const QString& FileName, const QImage& Image, int BitsPerPixel, const QList<QRgb>& Palette = {});

// The sixteen classic VGA colours in their usual order, black first and white last.
QList<QRgb> VgaPalette();
