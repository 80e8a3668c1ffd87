#include "model/Card.h"

#include "platform/Canvas.h"
#include "platform/ResourcePicture.h"

#include <QImage>
#include <QString>

#include <memory>
#include <vector>

namespace {

// The four card pictures at one device size of a card.
struct TCardImages
{
    QImage Set;
    // The mask is a one-bit picture; it is kept as 32-bit black and white so
    // that the AND transfer needs no conversion per card.
    QImage Mask;
    QImage Back;
    QImage Joker;
};

// Everything DrawCard needs for cards of one size in device pixels: a screen
// of ordinary density has one, a high-density screen another, and a
// fractional ratio two or four, since a card's edges are rounded to whole
// pixels wherever it lies.
struct TCardScale
{
    explicit TCardScale(const QSize& Size) : Size(Size), Work(Size, QImage::Format_RGB32) { Work.fill(Qt::white); }

    QSize Size;
    TCardImages Images;
    QImage Work;
    // Made once with the work bitmap: a canvas carries a font, which costs to build per card.
    TCanvas WorkCanvas{Work};
};

// Sizes other than the ordinary one are kept for the screens in use lately;
// a window moved back and forth between two screens needs no more than this.
constexpr size_t MaxOtherScales = 4;

// The pictures of the whole run, made by CardStartup and released by CardShutdown.
struct TCardPictures
{
    // The pictures at one device pixel to the unit, loaded at start-up.
    TCardScale Ordinary{QSize(CardWidth, CardHeight)};
    // Made on first use from the pictures drawn for high-density screens.
    std::vector<std::unique_ptr<TCardScale>> Others;
};

std::unique_ptr<TCardPictures> Pictures;

// Pictures are converted once here, so every block transfer runs on 32-bit pixels.
QImage LoadResource(const QString& Name)
{
    QImage Loaded = LoadResourcePicture(QStringLiteral(":/") + Name);
    return Loaded.isNull() ? QImage() : Loaded.convertToFormat(QImage::Format_RGB32);
}

TCardImages LoadImages(const QString& Suffix)
{
    return {LoadResource(QStringLiteral("CARDSET") + Suffix), LoadResource(QStringLiteral("CARDMASK") + Suffix),
            LoadResource(QStringLiteral("CARDBACK") + Suffix), LoadResource(QStringLiteral("JOKER") + Suffix)};
}

// The ordinary pictures come as the 32-bit pixels the build made of the
// bitmaps, read in place: start-up neither decodes them nor holds a copy, and
// only the parts a game draws are ever read in. Should that form be missing,
// the bitmaps themselves serve.
TCardImages LoadOrdinaryImages()
{
    TCardImages Raw{RawResourcePicture(QStringLiteral(":/rgb32/CARDSET")),
                    RawResourcePicture(QStringLiteral(":/rgb32/CARDMASK")),
                    RawResourcePicture(QStringLiteral(":/rgb32/CARDBACK")),
                    RawResourcePicture(QStringLiteral(":/rgb32/JOKER"))};
    if (Raw.Set.isNull() || Raw.Mask.isNull() || Raw.Back.isNull() || Raw.Joker.isNull())
        return LoadImages(QString());
    return Raw;
}

QImage Scaled(const QImage& Picture, int W, int H)
{
    if (Picture.isNull() || (Picture.width() == W && Picture.height() == H))
        return Picture;
    return Picture.scaled(W, H, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

// A smoothly scaled mask is grey along its corners; every pixel goes back to
// black or white, so the table shows through whole pixels only.
QImage Thresholded(QImage Mask)
{
    for (int Y = 0; Y < Mask.height(); ++Y) {
        auto* Line = reinterpret_cast<QRgb*>(Mask.scanLine(Y));
        for (int X = 0; X < Mask.width(); ++X)
            Line[X] = qGray(Line[X]) >= 128 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    }
    return Mask;
}

// The pictures drawn for twice the density serve any card larger than the
// ordinary one: exactly at that size, scaled smoothly down below it and up
// above it; smaller cards come from the ordinary pictures. Each size is
// scaled once, never per card.
TCardImages ImagesFor(const QSize& Size)
{
    TCardImages Source = Pictures->Ordinary.Images;
    if (Size.width() > CardWidth || Size.height() > CardHeight) {
        TCardImages Dense = LoadImages(QStringLiteral("@2x"));
        if (!Dense.Set.isNull() && !Dense.Mask.isNull() && !Dense.Back.isNull() && !Dense.Joker.isNull())
            Source = Dense;
    }
    const int W = Size.width();
    const int H = Size.height();
    return {Scaled(Source.Set, W * 13, H * 4), Thresholded(Scaled(Source.Mask, W, H)), Scaled(Source.Back, W, H),
            Scaled(Source.Joker, W, H)};
}

TCardScale& ScaleFor(const QSize& Size)
{
    if (Size == Pictures->Ordinary.Size)
        return Pictures->Ordinary;
    auto& Others = Pictures->Others;
    for (auto& Scale : Others)
        if (Scale->Size == Size)
            return *Scale;
    if (Others.size() >= MaxOtherScales)
        Others.erase(Others.begin());
    auto Scale = std::make_unique<TCardScale>(Size);
    Scale->Images = ImagesFor(Size);
    Others.push_back(std::move(Scale));
    return *Others.back();
}

const QImage* PictureFor(const TCard& Card, const TCardScale& Scale, int& SourceX, int& SourceY)
{
    SourceX = 0;
    SourceY = 0;
    switch (Card.Face) {
    case cfFaceUp:
    case cfSelected:
        if (Card.Rank == JokerRank)
            return &Scale.Images.Joker;
        if (Card.Rank < 1 || Card.Rank > 13 || Card.Suit < 1 || Card.Suit > 4)
            return nullptr;
        SourceX = (Card.Rank - 1) * Scale.Size.width();
        SourceY = (Card.Suit - 1) * Scale.Size.height();
        return &Scale.Images.Set;
    case cfBack:
        return &Scale.Images.Back;
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
    Pictures->Ordinary.Images = LoadOrdinaryImages();
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

// The five steps run on device pixels: a card on a high-density screen is
// copied, masked, painted and framed at that screen's own resolution.
void DrawCard(const TCard& Card, TCanvas& Canvas)
{
    if (!Pictures)
        return;
    const QRect Device = Canvas.DeviceRect(QRect(Card.X, Card.Y, CardWidth, CardHeight));
    if (Device.isEmpty())
        return;
    TCardScale& Scale = ScaleFor(Device.size());
    TCanvas& Work = Scale.WorkCanvas;
    const int W = Device.width();
    const int H = Device.height();
    // Read what lies under the card before masking, so its corners keep the table.
    Work.BitBltDevice(0, 0, W, H, Canvas.Image(), Device.x(), Device.y(), TRasterOp::Copy);
    Work.BitBltDevice(0, 0, W, H, Scale.Images.Mask, 0, 0, TRasterOp::And);
    int SourceX = 0;
    int SourceY = 0;
    if (const QImage* Picture = PictureFor(Card, Scale, SourceX, SourceY))
        Work.BitBltDevice(0, 0, W, H, *Picture, SourceX, SourceY, TRasterOp::Or);
    if (Card.Face == cfSelected) {
        const QRect Frame = Canvas.DeviceRect(QRect(QPoint(Card.X + 3, Card.Y + 3), QPoint(Card.X + 67, Card.Y + 92)));
        Work.DrawFocusRect(Frame.translated(-Device.topLeft()));
    }
    Canvas.BitBltDevice(Device.x(), Device.y(), W, H, Scale.Work, 0, 0, TRasterOp::Copy);
}
