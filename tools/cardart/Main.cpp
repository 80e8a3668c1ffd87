// cardart <resources-folder>: draws the card pictures, the suit strip, the button
// glyphs and the window icon (in icons/, at the icon theme's sizes), and writes
// them into the folder.
#include "tools/BmpWriter.h"
#include "tools/cardart/ArtPalette.h"
#include "tools/cardart/BackAndJoker.h"
#include "tools/cardart/CardFaces.h"
#include "tools/cardart/Icons.h"
#include "tools/cardart/SmallPictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QList>
#include <QRgb>
#include <QTextStream>

#include <cstdio>

namespace {

struct TOutput
{
    const char* Name;
    QImage Image;
    int BitsPerPixel;
    QList<QRgb> Palette;
};

QList<TOutput> AllPictures()
{
    const QList<QRgb> Cards = Art::CardPalette();
    const QList<QRgb> Vga = VgaPalette();
    const QList<QRgb> Mask = {qRgb(255, 255, 255), qRgb(0, 0, 0)};
    return {
        {"CARDSET.bmp", DrawCardSet(), 8, Cards},
        {"CARDMASK.bmp", DrawMask(), 1, Mask},
        {"CARDBACK.bmp", DrawBack(), 4, Vga},
        {"JOKER.bmp", DrawJoker(), 8, Cards},
        {"SUITS.bmp", DrawSuitStrip(), 4, Vga},
        {"GlyphOk.bmp", DrawGlyph(TGlyph::Ok), 24, {}},
        {"GlyphCancel.bmp", DrawGlyph(TGlyph::Cancel), 24, {}},
        {"GlyphClose.bmp", DrawGlyph(TGlyph::Close), 24, {}},
    };
}

bool WriteAll(const QDir& Folder)
{
    bool Ok = true;
    for (const TOutput& Output : AllPictures()) {
        const QString File = Folder.filePath(QString::fromLatin1(Output.Name));
        if (!WriteBmp(File, Output.Image, Output.BitsPerPixel, Output.Palette)) {
            std::fprintf(stderr, "cardart: cannot write %s\n", qPrintable(File));
            Ok = false;
        }
    }
    return WriteIcons(QDir(Folder.filePath(QStringLiteral("icons")))) && Ok;
}

} // namespace

int main(int argc, char** argv)
{
    // Text is drawn through the font database, which needs an application
    // object but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication App(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: cardart <resources-folder>\n");
        return 2;
    }
    const QDir Folder(QString::fromLocal8Bit(argv[1]));
    if (!Folder.exists()) {
        std::fprintf(stderr, "cardart: no folder %s\n", argv[1]);
        return 1;
    }
    return WriteAll(Folder) ? 0 : 1;
}
