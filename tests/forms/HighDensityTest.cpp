// The table window on a screen of two device pixels to the unit: the surfaces
// hold the screen's pixels while clicks and card places stay in design units.
#include "forms/Main.h"

#include "model/Layout.h"
#include "platform/TestSeams.h"
#include "tests/support/DesignedTable.h"
#include "tests/support/Support.h"
#include "tests/support/TableWindow.h"
#include "tests/support/TableWindows.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

// The test runs with QT_SCALE_FACTOR=2 (see its CMakeLists.txt): Qt reads the
// factor only when the application object is made.
constexpr int Ratio = 2;

bool IsDark(QRgb Pixel)
{
    return qGray(Pixel) < 64;
}

// True when every 2 x 2 block of Rect (in device pixels) is one colour: a
// picture of ordinary density enlarged, not drawn for the screen.
bool PixelDoubled(const QImage& Image, const QRect& Rect)
{
    for (int Y = Rect.top(); Y + 1 <= Rect.bottom(); Y += 2)
        for (int X = Rect.left(); X + 1 <= Rect.right(); X += 2) {
            const QRgb P = Image.pixel(X, Y);
            if (Image.pixel(X + 1, Y) != P || Image.pixel(X, Y + 1) != P || Image.pixel(X + 1, Y + 1) != P)
                return false;
        }
    return true;
}

class HighDensityFixture : public DealtTableFixture
{
};

} // namespace

TEST_F(HighDensityFixture, SurfacesHoldTheScreensPixelsAndCardsKeepDesignPlaces)
{
    ASSERT_EQ(Main->TableArea()->devicePixelRatioF(), Ratio) << "run with QT_SCALE_FACTOR=2, as ctest does";
    EXPECT_EQ(Shown(*Main).devicePixelRatio(), Ratio);
    EXPECT_EQ(Shown(*Main).size(), QSize(TableWidth * Ratio, TableHeight * Ratio));
    EXPECT_EQ(Shown(*Main), Composed(*Main));
    EXPECT_EQ(Main->Game().FPlayerHand.Items[0].X, SlotLeft(0));
    EXPECT_EQ(Main->Game().FPlayerHand.Items[0].Y, PlayerRowTop);
    // A click in design units finds the card; the picture changes where it lies.
    const TCard Card = Main->Game().FPlayerHand.Items[1];
    const QImage Before = Shown(*Main);
    Click(Qt::LeftButton, Card.X + CardWidth, Card.Y + CardHeight);
    ASSERT_EQ(Main->Game().FSelected.Rank, Card.Rank);
    EXPECT_EQ(Shown(*Main), Composed(*Main));
    const QRect Device(Card.X * Ratio, Card.Y * Ratio, CardWidth * Ratio, CardHeight * Ratio);
    int Changed = 0;
    for (int Y = 0; Y < Before.height(); ++Y)
        for (int X = 0; X < Before.width(); ++X)
            if (Before.pixel(X, Y) != Shown(*Main).pixel(X, Y)) {
                ++Changed;
                ASSERT_TRUE(Device.contains(X, Y)) << X << "," << Y;
            }
    EXPECT_GT(Changed, 0);
}

TEST_F(HighDensityFixture, CardOutlineAndPipEdgesAreOneDevicePixelSharp)
{
    const QImage& Surface = Shown(*Main);
    const TCard& Card = Main->Game().FPlayerHand.Items[0];
    const int Left = Card.X * Ratio;
    const int Top = Card.Y * Ratio;
    // Across the left edge halfway down: felt, one dark outline pixel, then paper.
    const int Middle = Top + CardHeight * Ratio / 2;
    EXPECT_FALSE(IsDark(Surface.pixel(Left - 1, Middle))) << "the felt beside the card";
    EXPECT_TRUE(IsDark(Surface.pixel(Left, Middle)));
    EXPECT_EQ(Surface.pixel(Left + 1, Middle), qRgb(255, 255, 255)) << "the outline is one device pixel";
    // The top-left index and its suit sign: their edges fall on odd device
    // pixels too, which an enlarged picture never has.
    const QRect Index(Left + 2, Top + 2, 24, 48);
    EXPECT_FALSE(PixelDoubled(Surface, Index));
    // The check above tells an enlarged picture from a sharp one.
    const QImage Enlarged = Surface.copy(Index).scaled(Index.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    EXPECT_TRUE(PixelDoubled(Enlarged, Enlarged.rect()));
}

TEST_F(HighDensityFixture, SelectionFrameIsDottedInDevicePixels)
{
    const TCard Card = Main->Game().FPlayerHand.Items[0];
    const QImage Before = Shown(*Main);
    Click(Qt::LeftButton, Card.X + 30, Card.Y + 40);
    const QImage& After = Shown(*Main);
    // The frame's top edge lies three units in: every other device pixel is inverted.
    const int Y = (Card.Y + 3) * Ratio;
    int Inverted = 0;
    for (int X = (Card.X + 3) * Ratio; X < (Card.X + 68) * Ratio; ++X) {
        const bool Flipped = (After.pixel(X, Y) & 0xFFFFFF) == (~Before.pixel(X, Y) & 0xFFFFFF);
        Inverted += Flipped;
        EXPECT_EQ(Flipped, (X - (Card.X + 3) * Ratio) % 2 == 0) << X;
    }
    EXPECT_EQ(Inverted, 65);
}

TEST_F(HighDensityFixture, AnotherRatioRecomposesTheTableAtIt)
{
    const TCard Card = Main->Game().FPlayerHand.Items[0];
    Main->PixelRatioChanged(1.5);
    const QImage& Surface = Shown(*Main);
    EXPECT_EQ(Surface.devicePixelRatio(), 1.5);
    EXPECT_EQ(Surface.size(), QSize(449, 567));
    EXPECT_EQ(Surface, Composed(*Main));
    EXPECT_EQ(Main->Game().FPlayerHand.Items[0].X, Card.X) << "cards keep their places";
    // The felt is tiled again at the new ratio: the area between the rows is felt, not white.
    EXPECT_NE(Surface.pixel(30, 225), qRgb(255, 255, 255));
    // The card covers its rectangle, whose edges are rounded to whole pixels.
    const int Left = int(Card.X * 1.5 + 0.5);
    const int Middle = int((Card.Y + 48) * 1.5);
    // A window with no game shows the felt alone at that ratio.
    TfrmMain Bare;
    Bare.show();
    QCoreApplication::processEvents();
    Bare.PixelRatioChanged(1.5);
    const QImage Felt = Composed(Bare);
    EXPECT_EQ(Surface.pixel(Left - 1, Middle), Felt.pixel(Left - 1, Middle));
    EXPECT_NE(Surface.pixel(Left, Middle), Felt.pixel(Left, Middle));
}
