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
    QString Name;
    QImage Image;
    int BitsPerPixel;
    QList<QRgb> Palette;
};

// High-density screens get the same pictures drawn at twice the pixels, named
// the way Qt names them: "CARDSET@2x.bmp" beside "CARDSET.bmp".
constexpr int Scales[] = {1, 2};

QString ScaledName(const char* Name, int Scale)
{
    const QString Base = QString::fromLatin1(Name);
    return Scale == 1 ? Base + QStringLiteral(".bmp") : QStringLiteral("%1@%2x.bmp").arg(Base).arg(Scale);
}

QList<TOutput> AllPictures()
{
    const QList<QRgb> Cards = Art::CardPalette();
    const QList<QRgb> Vga = VgaPalette();
    const QList<QRgb> Mask = {qRgb(255, 255, 255), qRgb(0, 0, 0)};
    QList<TOutput> Outputs;
    for (const int Scale : Scales)
        Outputs += {
            {ScaledName("CARDSET", Scale), DrawCardSet(Scale), 8, Cards},
            {ScaledName("CARDMASK", Scale), DrawMask(Scale), 1, Mask},
            {ScaledName("CARDBACK", Scale), DrawBack(Scale), 4, Vga},
            {ScaledName("JOKER", Scale), DrawJoker(Scale), 8, Cards},
            {ScaledName("SUITS", Scale), DrawSuitStrip(Scale), 4, Vga},
            {ScaledName("GlyphOk", Scale), DrawGlyph(TGlyph::Ok, Scale), 24, {}},
            {ScaledName("GlyphCancel", Scale), DrawGlyph(TGlyph::Cancel, Scale), 24, {}},
            {ScaledName("GlyphClose", Scale), DrawGlyph(TGlyph::Close, Scale), 24, {}},
        };
    return Outputs;
}

bool WriteAll(const QDir& Folder)
{
    bool Ok = true;
    for (const TOutput& Output : AllPictures()) {
        const QString File = Folder.filePath(Output.Name);
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
