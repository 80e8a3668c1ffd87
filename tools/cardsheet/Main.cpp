// cardsheet <out.png>: every card picture drawn the way the game draws it, on one
// sheet, to look the artwork over.
#include "model/Card.h"
#include "platform/Canvas.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <cstdio>

namespace {

constexpr int Margin = 8;
constexpr int StepX = CardWidth + 6;
constexpr int StepY = CardHeight + 8;
constexpr int Columns = 13;
constexpr int SuitRows = 4;
const QColor FeltColour(18, 112, 52);

void DrawAt(TCanvas& Canvas, uint8_t Rank, uint8_t Suit, CardFace Face, int Column, int Row)
{
    TCard Card{};
    InitCard(Card, Rank, Suit, Face);
    Card.X = Margin + Column * StepX;
    Card.Y = Margin + Row * StepY;
    DrawCard(Card, Canvas);
}

QImage DrawSheet()
{
    QImage Sheet(2 * Margin + Columns * StepX, 2 * Margin + (SuitRows + 1) * StepY, QImage::Format_RGB32);
    Sheet.fill(FeltColour);
    TCanvas Canvas(Sheet);
    for (int Suit = 1; Suit <= SuitRows; ++Suit)
        for (int Rank = 1; Rank <= Columns; ++Rank)
            DrawAt(Canvas, uint8_t(Rank), uint8_t(Suit), cfFaceUp, Rank - 1, Suit - 1);
    DrawAt(Canvas, 1, 1, cfBack, 0, SuitRows);
    DrawAt(Canvas, JokerRank, 0, cfFaceUp, 1, SuitRows);
    DrawAt(Canvas, 12, 3, cfSelected, 2, SuitRows);
    // Overlapping cards, as on the pile, show how the corners meet the cards below.
    DrawAt(Canvas, 10, 2, cfFaceUp, 4, SuitRows);
    TCard Over{};
    InitCard(Over, 13, 4, cfFaceUp);
    Over.X = Margin + 4 * StepX + 18;
    Over.Y = Margin + SuitRows * StepY + 4;
    DrawCard(Over, Canvas);
    return Sheet;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: cardsheet <out.png>\n");
        return 2;
    }
    CardStartup();
    const QImage Sheet = DrawSheet();
    CardShutdown();
    if (!Sheet.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cardsheet: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
