#include "tools/felt/Felt.h"

#include <QColor>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int SizeStep = 48;
constexpr double Pi = 3.14159265358979323846;

// The cloth's own colour; the noise only shades it lighter and darker.
constexpr double BaseRed = 18;
constexpr double BaseGreen = 112;
constexpr double BaseBlue = 52;

// Plain mapping of the generator's words, so the tile is the same on every
// standard library (the distributions are not).
double Unit(std::mt19937& Random) { return Random() / 4294967296.0; }

double SmoothStep(double T) { return T * T * (3 - 2 * T); }

class TPeriodicNoise
{
public:
    // Cells lattice points across the tile, wrapping at its edges.
    TPeriodicNoise(int Cells, std::mt19937& Random) : FCells(Cells), FValues(size_t(Cells) * Cells)
    {
        for (double& Value : FValues)
            Value = Unit(Random) * 2 - 1;
    }

    // Smoothly interpolated value at (U, V), both in lattice cells.
    double At(double U, double V) const
    {
        const int X0 = int(std::floor(U));
        const int Y0 = int(std::floor(V));
        const double Tx = SmoothStep(U - X0);
        const double Ty = SmoothStep(V - Y0);
        const double Top = Lerp(Value(X0, Y0), Value(X0 + 1, Y0), Tx);
        const double Bottom = Lerp(Value(X0, Y0 + 1), Value(X0 + 1, Y0 + 1), Tx);
        return Lerp(Top, Bottom, Ty);
    }

private:
    static double Lerp(double A, double B, double T) { return A + (B - A) * T; }
    double Value(int X, int Y) const
    {
        const int Wx = ((X % FCells) + FCells) % FCells;
        const int Wy = ((Y % FCells) + FCells) % FCells;
        return FValues[size_t(Wy) * FCells + Wx];
    }

    int FCells;
    std::vector<double> FValues;
};

// Soft clouds from a few octaves whose lattices all divide the tile.
std::vector<double> Clouds(int Size, std::mt19937& Random)
{
    struct TOctave { int Cells; double Weight; };
    const std::array<TOctave, 4> Octaves = {{{3, 0.45}, {6, 0.3}, {12, 0.17}, {24, 0.08}}};
    std::vector<double> Field(size_t(Size) * Size, 0.0);
    for (const TOctave& Octave : Octaves) {
        const TPeriodicNoise Noise(Octave.Cells, Random);
        const double Scale = double(Octave.Cells) / Size;
        for (int Y = 0; Y < Size; ++Y)
            for (int X = 0; X < Size; ++X)
                Field[size_t(Y) * Size + X] += Octave.Weight * Noise.At(X * Scale, Y * Scale);
    }
    return Field;
}

// Fine fibres: white noise softened by a 3 x 3 blur that wraps at the edges.
std::vector<double> Grain(int Size, std::mt19937& Random)
{
    std::vector<double> Raw(size_t(Size) * Size);
    for (double& Value : Raw)
        Value = Unit(Random) * 2 - 1;
    const auto At = [&](int X, int Y) { return Raw[size_t((Y + Size) % Size) * Size + (X + Size) % Size]; };
    std::vector<double> Soft(Raw.size(), 0.0);
    for (int Y = 0; Y < Size; ++Y)
        for (int X = 0; X < Size; ++X) {
            // The pixel itself counts twice, its eight neighbours once.
            double Sum = At(X, Y);
            for (int Dy = -1; Dy <= 1; ++Dy)
                for (int Dx = -1; Dx <= 1; ++Dx)
                    Sum += At(X + Dx, Y + Dy);
            Soft[size_t(Y) * Size + X] = Sum / 10;
        }
    return Soft;
}

// A faint diagonal twill; its period of four pixels divides the tile.
double Twill(int X, int Y) { return std::sin(2 * Pi * (X + Y) / 4.0); }

int Channel(double Base, double Shade) { return std::clamp(int(std::lround(Base * Shade)), 0, 255); }

} // namespace

QImage MakeFelt(int Size, uint32_t Seed)
{
    if (Size <= 0 || Size % SizeStep != 0)
        return {};
    std::mt19937 Random(Seed);
    const std::vector<double> Cloud = Clouds(Size, Random);
    const std::vector<double> Fibre = Grain(Size, Random);
    QImage Tile(Size, Size, QImage::Format_RGB32);
    for (int Y = 0; Y < Size; ++Y)
        for (int X = 0; X < Size; ++X) {
            const size_t I = size_t(Y) * Size + X;
            const double Shade = 1 + 0.05 * Cloud[I] + 0.09 * Fibre[I] + 0.015 * Twill(X, Y);
            Tile.setPixel(X, Y, qRgb(Channel(BaseRed, Shade), Channel(BaseGreen, Shade), Channel(BaseBlue, Shade)));
        }
    return Tile;
}
