#include "model/Card.h"

#include "platform/Canvas.h"

#include <QImage>
#include <QString>

#include <memory>

namespace {

// The pictures of the whole run, made by CardStartup and released by CardShutdown.
struct TCardPictures
{
    QImage Set;
    // The mask is a one-bit picture; it is kept as 32-bit black and white so
    // that the AND transfer needs no conversion per card.
    QImage Mask;
    QImage Back;
    QImage Joker;
    QImage Work{CardWidth, CardHeight, QImage::Format_RGB32};
    // Made once with the work bitmap: a canvas carries a font, which costs to build per card.
    TCanvas WorkCanvas{Work};
};

std::unique_ptr<TCardPictures> Pictures;

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
            return &Pictures->Joker;
        if (Card.Rank < 1 || Card.Rank > 13 || Card.Suit < 1 || Card.Suit > 4)
            return nullptr;
        SourceX = (Card.Rank - 1) * CardWidth;
        SourceY = (Card.Suit - 1) * CardHeight;
        return &Pictures->Set;
    case cfBack:
        return &Pictures->Back;
    default:
        return nullptr;
    }
}

} // namespace

void CardStartup()
{
    if (Pictures)
        return;
    Pictures = std::make_unique<TCardPictures>();
    Pictures->Work.fill(Qt::white);
    LoadResource(Pictures->Set, "CARDSET");
    LoadResource(Pictures->Mask, "CARDMASK");
    LoadResource(Pictures->Back, "CARDBACK");
    LoadResource(Pictures->Joker, "JOKER");
}

void CardShutdown()
{
    Pictures.reset();
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
    if (!Pictures)
        return;
    TCanvas& Work = Pictures->WorkCanvas;
    // Read what lies under the card before masking, so its four corners keep the table.
    Work.BitBlt(0, 0, CardWidth, CardHeight, Canvas, Card.X, Card.Y, TRasterOp::Copy);
    Work.BitBlt(0, 0, CardWidth, CardHeight, Pictures->Mask, 0, 0, TRasterOp::And);
    int SourceX = 0;
    int SourceY = 0;
    if (const QImage* Picture = PictureFor(Card, SourceX, SourceY))
        Work.BitBlt(0, 0, CardWidth, CardHeight, *Picture, SourceX, SourceY, TRasterOp::Or);
    if (Card.Face == cfSelected)
        Work.DrawFocusRect(QRect(QPoint(3, 3), QPoint(67, 92)));
    Canvas.BitBlt(Card.X, Card.Y, CardWidth, CardHeight, Pictures->Work, 0, 0, TRasterOp::Copy);
}
