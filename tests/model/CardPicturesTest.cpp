// The embedded card pictures: file format, sizes, the mask, the black corners
// that let the table show through, and what DrawCard makes of them; also the
// suit strip and the felt delivered beside them.
#include "model/Card.h"
#include "platform/Canvas.h"
#include "platform/ResourcePicture.h"
#include "tests/support/Support.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QList>
#include <QResource>
#include <QTransform>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int Ranks = 13;
constexpr int Suits = 4;

struct TBmpHeader
{
    bool Valid = false;
    int32_t Width = 0;
    int32_t Height = 0;
    int BitsPerPixel = 0;
};

TBmpHeader ReadHeader(const QString& Name)
{
    QFile File(Name);
    if (!File.open(QIODevice::ReadOnly))
        return {};
    const QByteArray Bytes = File.readAll();
    if (Bytes.size() < 54 || !Bytes.startsWith("BM") || qFromLittleEndian<uint32_t>(Bytes.constData() + 14) != 40)
        return {};
    const char* Data = Bytes.constData();
    return {true, qFromLittleEndian<int32_t>(Data + 18), qFromLittleEndian<int32_t>(Data + 22),
            qFromLittleEndian<uint16_t>(Data + 28)};
}

QImage Picture(const char* Name)
{
    return QImage(QString(":/") + QString::fromLatin1(Name)).convertToFormat(QImage::Format_RGB32);
}

QImage Face(const QImage& CardSet, int Rank, int Suit)
{
    return CardSet.copy((Rank - 1) * CardWidth, (Suit - 1) * CardHeight, CardWidth, CardHeight);
}

bool IsCorner(int X, int Y, int Width, int Height)
{
    return (X == 0 || X == Width - 1) && (Y == 0 || Y == Height - 1);
}

// Saturated red: what the red suits are drawn in and the black suits must lack.
bool IsRed(QRgb Pixel) { return qRed(Pixel) >= 128 && qRed(Pixel) - std::max(qGreen(Pixel), qBlue(Pixel)) >= 96; }

int RedPixels(const QImage& Image)
{
    int Count = 0;
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X)
            Count += IsRed(Image.pixel(X, Y)) ? 1 : 0;
    return Count;
}

// The suit strip and the felt are not embedded here; they are read from the
// source tree, which the build names (a compiler cache may make __FILE__ relative).
QString SourceFile(const char* Path)
{
    return QStringLiteral(ZENTO_SOURCE_DIR "/") + QString::fromLatin1(Path);
}

int ColourDistance(QRgb A, QRgb B)
{
    return std::abs(qRed(A) - qRed(B)) + std::abs(qGreen(A) - qGreen(B)) + std::abs(qBlue(A) - qBlue(B));
}

// Summed colour difference between column A and column B of a tile.
int ColumnDifference(const QImage& Tile, int A, int B)
{
    int Sum = 0;
    for (int Y = 0; Y < Tile.height(); ++Y)
        Sum += ColourDistance(Tile.pixel(A, Y), Tile.pixel(B, Y));
    return Sum;
}

} // namespace

TEST(CardPictureFiles, HaveTheirSizeAndBitDepth)
{
    struct TCase
    {
        const char* Name;
        int Width, Height, Bits;
    };
    const TCase Cases[] = {
        {"CARDSET", 13 * CardWidth, 4 * CardHeight, 8},
        {"CARDMASK", CardWidth, CardHeight, 1},
        {"CARDBACK", CardWidth, CardHeight, 4},
        {"JOKER", CardWidth, CardHeight, 8},
        {"CARDSET@2x", 26 * CardWidth, 8 * CardHeight, 8},
        {"CARDMASK@2x", 2 * CardWidth, 2 * CardHeight, 1},
        {"CARDBACK@2x", 2 * CardWidth, 2 * CardHeight, 4},
        {"JOKER@2x", 2 * CardWidth, 2 * CardHeight, 8},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        const TBmpHeader Header = ReadHeader(QString(":/") + Case.Name);
        ASSERT_TRUE(Header.Valid);
        EXPECT_EQ(Header.Width, Case.Width);
        EXPECT_EQ(Header.Height, Case.Height);  // positive: rows stored bottom-up
        EXPECT_EQ(Header.BitsPerPixel, Case.Bits);
        EXPECT_EQ(Picture(Case.Name).size(), QSize(Case.Width, Case.Height));
    }
}

// Start-up reads the raw form in place; it must hold the bitmaps' very pixels,
// and lie uncompressed in the program, or it would be decoded and copied after all.
TEST(CardPictureFiles, RawFormHoldsTheBitmapsPixelsAndIsReadInPlace)
{
    for (const char* Name : {"CARDSET", "CARDMASK", "CARDBACK", "JOKER"}) {
        SCOPED_TRACE(Name);
        const QString Raw = QStringLiteral(":/rgb32/") + QString::fromLatin1(Name);
        const QImage Wrapped = RawResourcePicture(Raw);
        ASSERT_FALSE(Wrapped.isNull());
        EXPECT_EQ(Wrapped.format(), QImage::Format_RGB32);
        EXPECT_EQ(Wrapped, Picture(Name));
        EXPECT_EQ(Wrapped.constBits(), QResource(Raw).data() + 12);
    }
}

TEST(CardPictureFiles, RawFormThatDoesNotAddUpIsRefused)
{
    EXPECT_TRUE(RawResourcePicture(QStringLiteral(":/rgb32/NOSUCH")).isNull());
    // A bitmap is no raw form.
    EXPECT_TRUE(RawResourcePicture(QStringLiteral(":/CARDBACK")).isNull());
}

TEST(CardMask, PaletteIsWhiteThenBlackAndOnlyTheCornersAreWhite)
{
    const QImage Mask(":/CARDMASK");
    ASSERT_EQ(Mask.colorCount(), 2);
    EXPECT_EQ(Mask.color(0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(Mask.color(1) & 0xFFFFFF, 0x000000u);
    for (int Y = 0; Y < Mask.height(); ++Y)
        for (int X = 0; X < Mask.width(); ++X)
            ASSERT_EQ(Mask.pixelIndex(X, Y), IsCorner(X, Y, CardWidth, CardHeight) ? 0 : 1) << X << "," << Y;
}

TEST(CardPictures, EveryPictureHasFourBlackCorners)
{
    const QImage CardSet = Picture("CARDSET");
    QList<QImage> Pictures = {Picture("CARDBACK"), Picture("JOKER")};
    for (int Suit = 1; Suit <= Suits; ++Suit)
        for (int Rank = 1; Rank <= Ranks; ++Rank)
            Pictures.append(Face(CardSet, Rank, Suit));
    for (int I = 0; I < Pictures.size(); ++I) {
        const QImage& Card = Pictures[I];
        for (const QPoint Corner : {QPoint(0, 0), QPoint(70, 0), QPoint(0, 95), QPoint(70, 95)})
            EXPECT_EQ(Card.pixel(Corner) & 0xFFFFFF, 0u)
                << "picture " << I << " at " << Corner.x() << "," << Corner.y();
    }
}

TEST(CardSet, EveryFaceIsWhiteInsideADarkOutline)
{
    const QImage CardSet = Picture("CARDSET");
    for (int Suit = 1; Suit <= Suits; ++Suit)
        for (int Rank = 1; Rank <= Ranks; ++Rank) {
            const QImage Card = Face(CardSet, Rank, Suit);
            SCOPED_TRACE(testing::PrintToString(MakeCard(uint8_t(Rank), uint8_t(Suit))));
            for (const QPoint Edge : {QPoint(35, 0), QPoint(0, 48), QPoint(70, 48), QPoint(35, 95), QPoint(1, 0)})
                EXPECT_LT(qGray(Card.pixel(Edge)), 64);
            // Beside the outline runs a strip of bare card, whatever the face shows.
            for (int Y = 30; Y < 66; ++Y)
                EXPECT_EQ(Card.pixel(1, Y) & 0xFFFFFF, 0xFFFFFFu);
        }
}

TEST(CardSet, AllFiftyTwoFacesDiffer)
{
    const QImage CardSet = Picture("CARDSET");
    QList<QImage> Faces;
    for (int Suit = 1; Suit <= Suits; ++Suit)
        for (int Rank = 1; Rank <= Ranks; ++Rank)
            Faces.append(Face(CardSet, Rank, Suit));
    for (int A = 0; A < Faces.size(); ++A)
        for (int B = A + 1; B < Faces.size(); ++B)
            EXPECT_NE(Faces[A], Faces[B]) << "cells " << A << " and " << B;
    const QImage Back = Picture("CARDBACK");
    const QImage Joker = Picture("JOKER");
    EXPECT_NE(Back, Joker);
    for (const QImage& Card : Faces) {
        EXPECT_NE(Card, Back);
        EXPECT_NE(Card, Joker);
    }
}

TEST(CardSet, RedSuitsShowRedAndBlackSuitsNone)
{
    const QImage CardSet = Picture("CARDSET");
    for (int Suit = 1; Suit <= Suits; ++Suit)
        for (int Rank = 1; Rank <= Ranks; ++Rank) {
            SCOPED_TRACE(testing::PrintToString(MakeCard(uint8_t(Rank), uint8_t(Suit))));
            const int Red = RedPixels(Face(CardSet, Rank, Suit));
            if (Suit == 2 || Suit == 3)
                EXPECT_GT(Red, 60);  // more than the two corner indices alone
            else
                EXPECT_EQ(Red, 0);
        }
}

TEST(DrawCard, PictureReplacesTheCanvasExceptAtTheFourCorners)
{
    const QRgb Green = qRgb(0, 128, 0);
    const QImage CardSet = Picture("CARDSET");
    struct TCase
    {
        TCard Card;
        QImage Expected;
    };
    const TCase Cases[] = {
        {MakeCard(12, 3, cfFaceUp, 5, 7), Face(CardSet, 12, 3)},
        {MakeCard(1, 4, cfFaceUp, 5, 7), Face(CardSet, 1, 4)},
        {MakeCard(7, 2, cfBack, 5, 7), Picture("CARDBACK")},
        {MakeCard(JokerRank, 0, cfFaceUp, 5, 7), Picture("JOKER")},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(testing::PrintToString(Case.Card));
        QImage Surface(CardWidth + 10, CardHeight + 14, QImage::Format_RGB32);
        Surface.fill(Green);
        TCanvas Canvas(Surface);
        DrawCard(Case.Card, Canvas);
        int Wrong = 0;
        for (int Y = 0; Y < CardHeight; ++Y)
            for (int X = 0; X < CardWidth; ++X) {
                const QRgb Want = IsCorner(X, Y, CardWidth, CardHeight) ? Green : Case.Expected.pixel(X, Y);
                Wrong += (Surface.pixel(5 + X, 7 + Y) & 0xFFFFFF) != (Want & 0xFFFFFF) ? 1 : 0;
            }
        EXPECT_EQ(Wrong, 0);
        EXPECT_EQ(Surface.pixel(4, 7), Green);
        EXPECT_EQ(Surface.pixel(5 + CardWidth, 7 + CardHeight - 1), Green);
    }
}

// On a screen of two pixels to the unit the card is the picture drawn for
// it, pixel for pixel; the table shows through a diagonal cut of three
// pixels in each corner.
TEST(DrawCard, AtTwiceTheDensityThePictureIsTheOneDrawnForIt)
{
    const QRgb Green = qRgb(0, 128, 0);
    const QImage Set = Picture("CARDSET@2x");
    const QImage Expected = Set.copy(11 * 2 * CardWidth, 1 * 2 * CardHeight, 2 * CardWidth, 2 * CardHeight);
    QImage Surface = CreateSurface(QSize(CardWidth + 10, CardHeight + 14), 2);
    Surface.fill(Green);
    TCanvas Canvas(Surface);
    DrawCard(MakeCard(12, 2, cfFaceUp, 5, 7), Canvas);
    const int W = 2 * CardWidth;
    const int H = 2 * CardHeight;
    int Wrong = 0;
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            const bool Cut = std::min(X, W - 1 - X) + std::min(Y, H - 1 - Y) < 2;
            const QRgb Want = Cut ? Green : Expected.pixel(X, Y);
            Wrong += (Surface.pixel(10 + X, 14 + Y) & 0xFFFFFF) != (Want & 0xFFFFFF) ? 1 : 0;
        }
    EXPECT_EQ(Wrong, 0);
    EXPECT_EQ(Surface.pixel(9, 14 + H / 2), Green);
    EXPECT_EQ(Surface.pixel(10 + W, 14 + H / 2), Green);
}

// At one and a half pixels to the unit a card is 106 or 107 pixels wide by
// where it lies; either way it fills the rectangle an erase of its place
// clears, so no sliver of it is left behind.
TEST(DrawCard, AtAFractionalRatioTheCardFillsTheRectangleOfItsPlace)
{
    const QRgb Green = qRgb(0, 128, 0);
    QImage Felt = CreateSurface(QSize(CardWidth + 20, CardHeight + 20), 1.5);
    Felt.fill(Green);
    for (const int X : {3, 4}) {
        SCOPED_TRACE(X);
        QImage Surface = Felt.copy();
        TCanvas Canvas(Surface);
        DrawCard(MakeCard(5, 1, cfFaceUp, X, 5), Canvas);
        const QRect Device = Canvas.DeviceRect(QRect(X, 5, CardWidth, CardHeight));
        const int Middle = Device.center().y();
        EXPECT_NE(Surface.pixel(Device.left(), Middle), Green);
        EXPECT_NE(Surface.pixel(Device.right(), Middle), Green);
        EXPECT_EQ(Surface.pixel(Device.left() - 1, Middle), Green);
        EXPECT_EQ(Surface.pixel(Device.right() + 1, Middle), Green);
        EXPECT_NE(Surface.pixel(Device.center().x(), Device.top()), Green);
        EXPECT_NE(Surface.pixel(Device.center().x(), Device.bottom()), Green);
        Canvas.BitBlt(X, 5, CardWidth, CardHeight, Felt, X, 5, TRasterOp::Copy);
        EXPECT_EQ(Surface, Felt);
    }
}

TEST(SuitStrip, FourSignsOnPureWhiteInTheirColours)
{
    const QString File = SourceFile("resources/SUITS.bmp");
    const TBmpHeader Header = ReadHeader(File);
    ASSERT_TRUE(Header.Valid) << File.toStdString();
    EXPECT_EQ(Header.BitsPerPixel, 4);
    const QImage Strip = QImage(File).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(Strip.size(), QSize(64, 15));
    for (int Suit = 1; Suit <= Suits; ++Suit) {
        SCOPED_TRACE(Suit);
        const QImage Cell = Strip.copy((Suit - 1) * 16, 0, 16, 15);
        // The strip is ANDed onto coloured cells: the surround must be exactly white.
        for (const QPoint Corner : {QPoint(0, 0), QPoint(15, 0), QPoint(0, 14), QPoint(15, 14)})
            EXPECT_EQ(Cell.pixel(Corner) & 0xFFFFFF, 0xFFFFFFu);
        int Dark = 0;
        for (int Y = 0; Y < Cell.height(); ++Y)
            for (int X = 0; X < Cell.width(); ++X)
                Dark += qGray(Cell.pixel(X, Y)) < 64 ? 1 : 0;
        const bool RedSuit = Suit == 2 || Suit == 3;
        EXPECT_EQ(RedPixels(Cell) > 40, RedSuit);
        EXPECT_EQ(Dark > 40, !RedSuit);
    }
}

TEST(Felt, GreenTileWhoseEdgesMeetWithoutASeam)
{
    const QString File = SourceFile("data/tsoxa.bmp");
    const TBmpHeader Header = ReadHeader(File);
    ASSERT_TRUE(Header.Valid) << File.toStdString();
    EXPECT_EQ(Header.BitsPerPixel, 24);
    const QImage Tile = QImage(File).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(Tile.isNull());
    // Columns and rows alike: the step from the last back to the first must be
    // no larger than the steps inside the tile.
    for (const QImage& Turned : {Tile, Tile.transformed(QTransform().rotate(90))}) {
        int Largest = 0;
        for (int X = 0; X + 1 < Turned.width(); ++X)
            Largest = std::max(Largest, ColumnDifference(Turned, X, X + 1));
        EXPECT_LE(ColumnDifference(Turned, Turned.width() - 1, 0), Largest);
    }
    for (int Y = 0; Y < Tile.height(); ++Y)
        for (int X = 0; X < Tile.width(); ++X) {
            const QRgb Pixel = Tile.pixel(X, Y);
            ASSERT_GT(qGreen(Pixel), std::max(qRed(Pixel), qBlue(Pixel)) + 30) << X << "," << Y;
        }
}
