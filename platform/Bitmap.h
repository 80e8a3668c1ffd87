// Windows bitmap files, the felt's format: the plain kinds read by our own
// code, every other kind by Qt's reader once the file is known to be whole.
#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>

// A Windows bitmap of plain 24- or 32-bit rows, read without Qt's reader;
// every other kind, and anything out of the ordinary, gives a null image.
QImage PlainBitmap(const QByteArray& Bytes);

// Reads a picture file into a 32-bit image. A damaged file, or one too large to
// hold, gives a null image.
QImage LoadPicture(const QString& FileName);
