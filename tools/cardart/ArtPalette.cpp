#include "tools/cardart/ArtPalette.h"

#include <QSet>

namespace {

constexpr int PaletteSize = 256;

class TPaletteBuilder
{
public:
    void Add(QRgb Colour)
    {
        Colour |= 0xFF000000u;
        if (FColours.size() < PaletteSize && !FSeen.contains(Colour)) {
            FSeen.insert(Colour);
            FColours.append(Colour);
        }
    }

    // Steps strictly between From and To; the ends are added on their own.
    void AddBlend(const QColor& From, const QColor& To, int Steps)
    {
        for (int I = 1; I <= Steps; ++I) {
            const double T = double(I) / (Steps + 1);
            Add(qRgb(Mix(From.red(), To.red(), T), Mix(From.green(), To.green(), T), Mix(From.blue(), To.blue(), T)));
        }
    }

    QList<QRgb> Colours() const { return FColours; }

private:
    static int Mix(int A, int B, double T) { return int(A + (B - A) * T + 0.5); }

    QList<QRgb> FColours;
    QSet<QRgb> FSeen;
};

} // namespace

namespace Art {

QList<QRgb> CardPalette()
{
    TPaletteBuilder Builder;
    const QColor Named[] = {Ink, Paper, Red, Gold, Blue, Skin, Silver, Green};
    for (const QColor& Colour : Named)
        Builder.Add(Colour.rgb());
    // The edges a card face shows most: each colour against the paper and the ink.
    for (const QColor& Colour : {Red, Gold, Blue, Skin, Silver, Green}) {
        Builder.AddBlend(Paper, Colour, 7);
        Builder.AddBlend(Ink, Colour, 5);
    }
    Builder.AddBlend(Red, Gold, 3);
    Builder.AddBlend(Blue, Gold, 3);
    Builder.AddBlend(Red, Blue, 3);
    Builder.AddBlend(Skin, Gold, 2);
    Builder.AddBlend(Ink, Paper, 30);
    const int CubeLevels[] = {0, 64, 128, 192, 255};
    for (const int R : CubeLevels)
        for (const int G : CubeLevels)
            for (const int B : CubeLevels)
                Builder.Add(qRgb(R, G, B));
    return Builder.Colours();
}

} // namespace Art
