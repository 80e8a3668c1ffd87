#include "model/Card.h"

#include "platform/Canvas.h"

#include <QImage>
#include <QString>

namespace {

QImage* CardSet = nullptr;
QImage* CardMask = nullptr;
QImage* CardBack = nullptr;
QImage* CardJoker = nullptr;
QImage* CardWork = nullptr;
// Made once with the work bitmap: a canvas carries a font, which costs to build per card.
TCanvas* WorkCanvas = nullptr;

// Pictures are converted once here, so every block transfer runs on 32-bit pixels.
void LoadResource(QImage& Image, const char* Name)
{
    QImage Loaded(QString(":/") + QString::fromLatin1(Name));
    Image = Loaded.isNull() ? QImage() : Loaded.convertToFormat(QImage::Format_RGB32);
}

const QImage* PictureFor(const TCard& Card, int& SourceX, int& SourceY)
{
    SourceX = 0;
    SourceY = 0;
    switch (Card.Face) {
    case cfFaceUp:
    case cfSelected:
        if (Card.Rank == JokerRank)
            return CardJoker;
        if (Card.Rank < 1 || Card.Rank > 13 || Card.Suit < 1 || Card.Suit > 4)
            return nullptr;
        SourceX = (Card.Rank - 1) * CardWidth;
        SourceY = (Card.Suit - 1) * CardHeight;
        return CardSet;
    case cfBack:
        return CardBack;
    default:
        return nullptr;
    }
}

} // namespace

void CardStartup()
{
    if (CardSet)
        return;
    CardSet = new QImage();
    // The mask is a one-bit picture; it is kept as 32-bit black and white so
    // that the AND transfer needs no conversion per card.
    CardMask = new QImage();
    CardBack = new QImage();
    CardJoker = new QImage();
    CardWork = new QImage(CardWidth, CardHeight, QImage::Format_RGB32);
    CardWork->fill(Qt::white);
    WorkCanvas = new TCanvas(*CardWork);
    LoadResource(*CardSet, "CARDSET");
    LoadResource(*CardMask, "CARDMASK");
    LoadResource(*CardBack, "CARDBACK");
    LoadResource(*CardJoker, "JOKER");
}

void CardShutdown()
{
    delete CardSet;
    CardSet = nullptr;
    delete CardMask;
    CardMask = nullptr;
    delete CardBack;
    CardBack = nullptr;
    delete CardJoker;
    CardJoker = nullptr;
    delete WorkCanvas;
    WorkCanvas = nullptr;
    delete CardWork;
    CardWork = nullptr;
}

void InitCard(TCard& Card, uint8_t Rank, uint8_t Suit, CardFace Face)
{
    Card.Rank = Rank;
    Card.Suit = Suit;
    Card.Face = Face;
}

bool CardAt(const TCard& Card, int32_t X, int32_t Y)
{
    return Card.X <= X && X <= Card.X + CardWidth && Card.Y <= Y && Y <= Card.Y + CardHeight;
}

void DrawCard(const TCard& Card, TCanvas& Canvas)
{
    if (!WorkCanvas)
        return;
    TCanvas& Work = *WorkCanvas;
    // Read what lies under the card before masking, so its four corners keep the table.
    Work.BitBlt(0, 0, CardWidth, CardHeight, Canvas, Card.X, Card.Y, TRasterOp::Copy);
    Work.BitBlt(0, 0, CardWidth, CardHeight, *CardMask, 0, 0, TRasterOp::And);
    int SourceX = 0;
    int SourceY = 0;
    if (const QImage* Picture = PictureFor(Card, SourceX, SourceY))
        Work.BitBlt(0, 0, CardWidth, CardHeight, *Picture, SourceX, SourceY, TRasterOp::Or);
    if (Card.Face == cfSelected)
        Work.DrawFocusRect(QRect(QPoint(3, 3), QPoint(67, 92)));
    Canvas.BitBlt(Card.X, Card.Y, CardWidth, CardHeight, *CardWork, 0, 0, TRasterOp::Copy);
}
