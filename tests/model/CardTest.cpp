#include "model/Card.h"

#include "platform/Canvas.h"
#include "tests/support/CountingMalloc.h"
#include "tests/support/Support.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstddef>

namespace {

constexpr QRgb Felt = 0xFF207020;

QImage FeltImage(int W = 200, int H = 150)
{
    QImage Image(W, H, QImage::Format_RGB32);
    Image.fill(Felt);
    return Image;
}

QRgb PixelAt(const QImage& Image, int X, int Y)
{
    return Image.pixel(X, Y) | 0xFF000000u;
}

QImage CardPixels(const QImage& Image, int X, int Y)
{
    return Image.copy(X, Y, CardWidth, CardHeight);
}

} // namespace

TEST(InitCard, SetsRankSuitFaceAndKeepsPosition)
{
    TCard Card = MakeCard(5, 2, cfBack, 17, 33);
    InitCard(Card, 12, 4, cfSelected);
    EXPECT_EQ(Card, MakeCard(12, 4, cfSelected, 17, 33));
    InitCard(Card, 0, 0, cfNone);
    EXPECT_EQ(Card, MakeCard(0, 0, cfNone, 17, 33));
}

TEST(CardAt, BoundsAreInclusiveOnEverySide)
{
    const TCard Card = MakeCard(1, 1, cfFaceUp, 10, 20);
    struct TCase { int X, Y; bool Hit; };
    const TCase Cases[] = {
        {10, 20, true},   {81, 116, true},  {81, 20, true},   {10, 116, true}, {45, 60, true},
        {82, 20, false},  {9, 20, false},   {10, 19, false},  {10, 117, false}, {82, 117, false},
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(CardAt(Card, C.X, C.Y), C.Hit) << "at (" << C.X << "," << C.Y << ")";
}

TEST(DrawCard, CornersKeepTheCanvasAndTheRestIsCovered)
{
    QImage Image = FeltImage();
    TCanvas Canvas(Image);
    DrawCard(MakeCard(7, 3, cfFaceUp, 20, 30), Canvas);
    for (const QPoint Corner : {QPoint(20, 30), QPoint(90, 30), QPoint(20, 125), QPoint(90, 125)})
        EXPECT_EQ(PixelAt(Image, Corner.x(), Corner.y()), Felt) << Corner.x() << "," << Corner.y();
    EXPECT_NE(PixelAt(Image, 21, 30), Felt);
    EXPECT_NE(PixelAt(Image, 55, 78), Felt);
    EXPECT_EQ(PixelAt(Image, 19, 30), Felt);
    EXPECT_EQ(PixelAt(Image, 91, 78), Felt);
}

// Drawn again, a selected card keeps one frame (a second must not cancel the
// first); redrawn face up, it loses it.
TEST(DrawCard, SelectedCardHasAFrameInsetThreePixelsUntilRedrawnFaceUp)
{
    QImage Plain = FeltImage();
    TCanvas PlainCanvas(Plain);
    DrawCard(MakeCard(13, 2, cfFaceUp, 0, 0), PlainCanvas);
    QImage Image = FeltImage();
    TCanvas Canvas(Image);
    for (int Drawn = 1; Drawn <= 2; ++Drawn) {
        DrawCard(MakeCard(13, 2, cfSelected, 0, 0), Canvas);
        int Changed = 0;
        for (int Y = 0; Y < CardHeight; ++Y)
            for (int X = 0; X < CardWidth; ++X) {
                if (Image.pixel(X, Y) == Plain.pixel(X, Y))
                    continue;
                ++Changed;
                const bool OnFrame =
                    ((X == 3 || X == 67) && Y >= 3 && Y <= 92) || ((Y == 3 || Y == 92) && X >= 3 && X <= 67);
                EXPECT_TRUE(OnFrame) << "pixel (" << X << "," << Y << ") changed off the frame";
            }
        EXPECT_GT(Changed, 100) << "drawn " << Drawn << " times";
    }
    DrawCard(MakeCard(13, 2, cfFaceUp, 0, 0), Canvas);
    EXPECT_EQ(Image, Plain);
}

TEST(DrawCard, JokerAndBackIgnoreRankAndSuit)
{
    auto Draw = [](const TCard& Card) {
        QImage Image = FeltImage(CardWidth, CardHeight);
        TCanvas Canvas(Image);
        DrawCard(Card, Canvas);
        return Image;
    };
    const QImage Joker = Draw(MakeCard(14, 0, cfFaceUp));
    EXPECT_EQ(Draw(MakeCard(14, 3, cfFaceUp)), Joker);
    const QImage Back = Draw(MakeCard(1, 1, cfBack));
    for (uint8_t Rank : {uint8_t(5), uint8_t(11), uint8_t(14)})
        EXPECT_EQ(Draw(MakeCard(Rank, 4, cfBack)), Back);
    EXPECT_NE(Back, Joker);
    EXPECT_NE(Draw(MakeCard(14, 2, cfSelected)), Joker) << "a selected joker keeps its frame";
}

TEST(DrawCard, NoFaceDrawsAnEmptyBlackCard)
{
    QImage Image = FeltImage(CardWidth, CardHeight);
    TCanvas Canvas(Image);
    DrawCard(MakeCard(0, 0, cfNone), Canvas);
    EXPECT_EQ(PixelAt(Image, 35, 48), 0xFF000000u);
    EXPECT_EQ(PixelAt(Image, 0, 0), Felt);
}

TEST(DrawCard, CardPartlyOffTheCanvasIsClipped)
{
    QImage Image = FeltImage(100, 100);
    TCanvas Canvas(Image);
    DrawCard(MakeCard(1, 4, cfFaceUp, 60, 50), Canvas);
    DrawCard(MakeCard(1, 4, cfFaceUp, -30, -40), Canvas);
    EXPECT_NE(PixelAt(Image, 99, 99), Felt);
    EXPECT_NE(PixelAt(Image, 1, 1), Felt);
}

TEST(DrawCard, LaterCardOverlapsEarlierOne)
{
    QImage Image = FeltImage();
    TCanvas Canvas(Image);
    DrawCard(MakeCard(2, 1, cfFaceUp, 10, 10), Canvas);
    const QImage Top = [] {
        QImage Alone = FeltImage();
        TCanvas C(Alone);
        DrawCard(MakeCard(3, 2, cfFaceUp, 30, 20), C);
        return CardPixels(Alone, 30, 20);
    }();
    DrawCard(MakeCard(3, 2, cfFaceUp, 30, 20), Canvas);
    // Inside the corners the card on top shows alone, whatever lies beneath.
    const QImage Shown = CardPixels(Image, 30, 20);
    EXPECT_EQ(Shown.copy(1, 1, CardWidth - 2, CardHeight - 2), Top.copy(1, 1, CardWidth - 2, CardHeight - 2));
}

TEST(DrawCard, AllocatesNothingPerCard)
{
    QImage Image = FeltImage();
    TCanvas Canvas(Image);
    DrawCard(MakeCard(1, 1, cfSelected, 3, 3), Canvas);
    const std::size_t Before = AllocationsOnThisThread;
    for (int I = 0; I < 50; ++I) {
        DrawCard(MakeCard(uint8_t(I % 13 + 1), uint8_t(I % 4 + 1), cfSelected, I, I), Canvas);
        DrawCard(MakeCard(14, 0, cfFaceUp, I, 2 * I), Canvas);
        DrawCard(MakeCard(4, 2, cfBack, 2 * I, I), Canvas);
    }
    EXPECT_EQ(AllocationsOnThisThread - Before, 0u);
}
