// Pictures among the program's resources: the card set, glyphs, suit signs
// and icons, at the density of the screen they are drawn for.
#pragma once
#include <QImage>
#include <QString>

// The picture of a resource for a screen of Ratio: the "@2x" picture beside
// it for a ratio above one when there is one, scaled smoothly when the ratio
// is not its own, as a 32-bit image. A missing resource gives a null image.
QImage LoadResourceAtRatio(const QString& Resource, double Ratio);

// A picture among the program's resources: the raw form, or else a Windows
// bitmap, read as such: a name without a suffix would otherwise make Qt load
// every picture format it has to guess.
QImage LoadResourcePicture(const QString& Resource);
// A picture the build stored raw, opaque or with transparency, wrapped where
// it lies in the program: nothing is decoded and nothing copied. A missing,
// compressed or damaged one gives a null image.
QImage RawResourcePicture(const QString& Resource);
