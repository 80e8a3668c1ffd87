#include "tools/cardart/CardFaces.h"

#include "tools/cardart/ArtPalette.h"
#include "tools/cardart/CourtCards.h"
#include "tools/cardart/Drawing.h"
#include "tools/cardart/SuitPaths.h"

#include <QPainterPath>

#include <array>

namespace {

constexpr double CentreX = FaceWidth / 2.0;
constexpr double CentreY = FaceHeight / 2.0;

// Pip columns and the first and last pip row, as on a real card of this size.
constexpr double LeftColumn = 23;
constexpr double RightColumn = FaceWidth - LeftColumn;
constexpr double TopRow = 18.5;
constexpr double BottomRow = FaceHeight - TopRow;
constexpr double PipWidth = 13;
constexpr double PipHeight = 14;

struct TPip
{
    int Column;    // -1 left, 0 centre, 1 right
    double Row;    // 0 top row .. 1 bottom row
};

struct TPipLayout
{
    int Count;
    std::array<TPip, 10> Pips;
};

constexpr double Third = 1.0 / 3.0;
constexpr double Sixth = 1.0 / 6.0;

// Ranks 2 to 10, laid out the way printed cards have them.
constexpr std::array<TPipLayout, 9> PipLayouts = {{
    {2, {{{0, 0}, {0, 1}}}},
    {3, {{{0, 0}, {0, 0.5}, {0, 1}}}},
    {4, {{{-1, 0}, {1, 0}, {-1, 1}, {1, 1}}}},
    {5, {{{-1, 0}, {1, 0}, {0, 0.5}, {-1, 1}, {1, 1}}}},
    {6, {{{-1, 0}, {1, 0}, {-1, 0.5}, {1, 0.5}, {-1, 1}, {1, 1}}}},
    {7, {{{-1, 0}, {1, 0}, {0, 0.25}, {-1, 0.5}, {1, 0.5}, {-1, 1}, {1, 1}}}},
    {8, {{{-1, 0}, {1, 0}, {0, 0.25}, {-1, 0.5}, {1, 0.5}, {0, 0.75}, {-1, 1}, {1, 1}}}},
    {9, {{{-1, 0}, {1, 0}, {-1, Third}, {1, Third}, {0, 0.5}, {-1, 2 * Third}, {1, 2 * Third}, {-1, 1}, {1, 1}}}},
    {10, {{{-1, 0}, {1, 0}, {0, Sixth}, {-1, Third}, {1, Third}, {-1, 2 * Third}, {1, 2 * Third}, {0, 1 - Sixth},
           {-1, 1}, {1, 1}}}},
}};

constexpr bool CountsMatchRanks()
{
    for (size_t I = 0; I < PipLayouts.size(); ++I)
        if (PipLayouts[I].Count != int(I) + 2)
            return false;
    return true;
}
static_assert(CountsMatchRanks(), "a pip card shows as many pips as its rank");

double ColumnX(int Column) { return Column < 0 ? LeftColumn : Column > 0 ? RightColumn : CentreX; }

// Diamonds are narrower than the other signs, as on printed cards.
double SignWidth(int Suit, double Width) { return Suit == Diamonds ? Width * 0.82 : Width; }

QRectF CentredBox(double X, double Y, double Width, double Height)
{
    return QRectF(X - Width / 2, Y - Height / 2, Width, Height);
}

void DrawPips(QPainter& Painter, int Rank, int Suit)
{
    const TPipLayout& Layout = PipLayouts[Rank - 2];
    for (int I = 0; I < Layout.Count; ++I) {
        const TPip& Pip = Layout.Pips[I];
        const double Y = TopRow + (BottomRow - TopRow) * Pip.Row;
        // Pips below the middle face the other player.
        const TFacing Facing = Pip.Row > 0.5 ? TFacing::Turned : TFacing::Upright;
        FillSuit(Painter, Suit, CentredBox(ColumnX(Pip.Column), Y, SignWidth(Suit, PipWidth), PipHeight), Facing);
    }
}

void DrawAce(QPainter& Painter, int Suit)
{
    // The ace of spades traditionally carries the largest sign of the deck.
    const double Height = Suit == Spades ? 40 : 32;
    const double Width = SignWidth(Suit, Suit == Spades ? 37 : 30);
    const QRectF Box = CentredBox(CentreX, CentreY, Width, Height);
    FillSuit(Painter, Suit, Box);
    if (Suit == Spades) {
        QPainterPath Inner = SuitPath(Suit, Box.adjusted(Width * 0.3, Height * 0.3, -Width * 0.3, -Height * 0.3));
        Painter.setPen(QPen(Art::Paper, 1.0));
        Painter.setBrush(Qt::NoBrush);
        Painter.drawPath(Inner);
        Painter.setPen(Qt::NoPen);
    }
}

void DrawCornerIndex(QPainter& Painter, int Rank, int Suit)
{
    constexpr double IndexX = 7.5;
    FillText(Painter, RankText(Rank), IndexX, 13, 9, 10, SuitColour(Suit));
    FillSuit(Painter, Suit, CentredBox(IndexX, 19.5, SignWidth(Suit, 8.5), 9));
}

void DrawIndices(QPainter& Painter, int Rank, int Suit)
{
    DrawCornerIndex(Painter, Rank, Suit);
    Painter.save();
    TurnAround(Painter);
    DrawCornerIndex(Painter, Rank, Suit);
    Painter.restore();
}

} // namespace

QString RankText(int Rank)
{
    switch (Rank) {
    case 1: return QStringLiteral("A");
    case 11: return QStringLiteral("J");
    case 12: return QStringLiteral("Q");
    case 13: return QStringLiteral("K");
    default: return QString::number(Rank);
    }
}

QImage DrawFace(int Rank, int Suit, int Scale)
{
    QImage Card = BlankCard(Scale);
    if (Rank < 1 || Rank > RankCount || Suit < 1 || Suit > SuitCount)
        return Card;
    {
        QPainter Painter(&Card);
        Painter.setRenderHint(QPainter::Antialiasing);
        Painter.scale(Scale, Scale);
        DrawIndices(Painter, Rank, Suit);
        if (Rank == 1)
            DrawAce(Painter, Suit);
        else if (Rank <= 10)
            DrawPips(Painter, Rank, Suit);
        else
            DrawCourt(Painter, Rank, Suit);
    }
    BlackenCorners(Card, Scale);
    return Card;
}

QImage DrawCardSet(int Scale)
{
    const int Width = FaceWidth * Scale;
    const int Height = FaceHeight * Scale;
    QImage Set(Width * RankCount, Height * SuitCount, QImage::Format_RGB32);
    QPainter Painter(&Set);
    for (int Suit = 1; Suit <= SuitCount; ++Suit)
        for (int Rank = 1; Rank <= RankCount; ++Rank)
            Painter.drawImage((Rank - 1) * Width, (Suit - 1) * Height, DrawFace(Rank, Suit, Scale));
    return Set;
}
