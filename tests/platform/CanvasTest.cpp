#include "platform/Bitmap.h"
#include "platform/Canvas.h"

#include "tests/support/BitmapFile.h"
#include "tests/support/Support.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QList>

#include <gtest/gtest.h>

#include <vector>

namespace {

QImage Filled(int W, int H, QRgb Color)
{
    QImage Image(W, H, QImage::Format_RGB32);
    Image.fill(Color);
    return Image;
}

} // namespace

TEST(BitBlt, RasterOperationsCombinePixels)
{
    struct TCase { TRasterOp Op; QRgb Expected; };
    const TCase Cases[] = {
        {TRasterOp::Copy, 0xFF0F0F33},
        {TRasterOp::And, 0xFF000031},
        {TRasterOp::Or, 0xFFFFFFF3},
    };
    const QImage Source = Filled(4, 4, 0xFF0F0F33);
    for (const TCase& C : Cases) {
        QImage Dest = Filled(4, 4, 0xFFF0F0F1);
        TCanvas Canvas(Dest);
        Canvas.BitBlt(1, 1, 2, 2, Source, 0, 0, C.Op);
        EXPECT_EQ(Dest.pixel(1, 1), C.Expected);
        EXPECT_EQ(Dest.pixel(2, 2), C.Expected);
        EXPECT_EQ(Dest.pixel(0, 0), 0xFFF0F0F1u) << "outside the block nothing changes";
        EXPECT_EQ(Dest.pixel(3, 3), 0xFFF0F0F1u);
    }
}

TEST(BitBlt, BlocksReachingPastEitherImageAreCut)
{
    QImage Source = Filled(10, 10, 0xFF112233);
    Source.setPixel(0, 0, 0xFFABCDEF);
    QImage Dest = Filled(6, 6, 0xFF000000);
    TCanvas Canvas(Dest);
    Canvas.BitBlt(-2, -2, 20, 20, Source, 0, 0, TRasterOp::Copy);
    EXPECT_EQ(Dest.pixel(0, 0), 0xFF112233u) << "the source's corner fell off the left and top";
    Canvas.BitBlt(4, 4, 10, 10, Source, -1, -1, TRasterOp::Copy);
    EXPECT_EQ(Dest.pixel(5, 5), 0xFFABCDEFu);
    Canvas.BitBlt(100, 100, 5, 5, Source, 0, 0, TRasterOp::Copy);
    Canvas.BitBlt(0, 0, 5, 5, Source, 100, 100, TRasterOp::Copy);
    Canvas.BitBlt(0, 0, -5, 5, Source, 0, 0, TRasterOp::Copy);
    QImage Null;
    Canvas.BitBlt(0, 0, 5, 5, Null, 0, 0, TRasterOp::Copy);
    EXPECT_EQ(Dest.pixel(5, 5), 0xFFABCDEFu) << "blocks wholly outside change nothing";
}

TEST(BitBlt, OverlappingMoveWithinOneImageKeepsTheSource)
{
    QImage Image(1, 5, QImage::Format_RGB32);
    for (int Y = 0; Y < 5; ++Y)
        Image.setPixel(0, Y, qRgb(Y, Y, Y));
    TCanvas Canvas(Image);
    Canvas.BitBlt(0, 1, 1, 4, Canvas, 0, 0, TRasterOp::Copy);
    for (int Y = 1; Y < 5; ++Y)
        EXPECT_EQ(qRed(Image.pixel(0, Y)), Y - 1);
}

TEST(BitBlt, OtherPixelFormatsAreConverted)
{
    QImage Mono(4, 4, QImage::Format_Mono);
    Mono.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    Mono.fill(1);
    Mono.setPixel(0, 0, 0);
    QImage Dest = Filled(4, 4, 0xFF808080);
    TCanvas Canvas(Dest);
    Canvas.BitBlt(0, 0, 4, 4, Mono, 0, 0, TRasterOp::And);
    EXPECT_EQ(Dest.pixel(0, 0), 0xFF808080u);
    EXPECT_EQ(Dest.pixel(1, 1), 0xFF000000u);
}

TEST(DrawFocusRect, DottedFrameVanishesWhenDrawnTwice)
{
    const QImage Original = Filled(20, 20, 0xFF336699);
    QImage Image = Original;
    TCanvas Canvas(Image);
    const QRect Frame(QPoint(3, 3), QPoint(12, 15));
    Canvas.DrawFocusRect(Frame);
    EXPECT_NE(Image.pixel(3, 3), Original.pixel(3, 3));
    EXPECT_EQ(Image.pixel(4, 3), Original.pixel(4, 3)) << "every other pixel";
    EXPECT_NE(Image.pixel(5, 3), Original.pixel(5, 3));
    EXPECT_EQ(Image.pixel(8, 8), Original.pixel(8, 8)) << "the inside stays";
    EXPECT_EQ(Image.pixel(2, 3), Original.pixel(2, 3));
    Canvas.DrawFocusRect(Frame);
    EXPECT_EQ(Image, Original);
}

TEST(FrameRect, OutlinesTheRectangleOnly)
{
    QImage Image = Filled(10, 8, 0xFF000000);
    TCanvas Canvas(Image);
    Canvas.FrameRect(QRect(0, 0, 10, 6), Qt::white);
    EXPECT_EQ(Image.pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(Image.pixel(9, 5), 0xFFFFFFFFu);
    EXPECT_EQ(Image.pixel(9, 3), 0xFFFFFFFFu);
    EXPECT_EQ(Image.pixel(4, 3), 0xFF000000u);
    EXPECT_EQ(Image.pixel(4, 6), 0xFF000000u);
}

TEST(TCanvas, ReportsEveryChangedRectangle)
{
    QImage Image = Filled(50, 50, 0xFF000000);
    std::vector<QRect> Changed;
    TCanvas Canvas(Image, [&](const QRect& R) { Changed.push_back(R); });
    const QImage Source = Filled(10, 10, 0xFFFFFFFF);
    Canvas.BitBlt(45, 45, 10, 10, Source, 0, 0, TRasterOp::Copy);
    Canvas.FillRect(QRect(-5, 0, 10, 10), Qt::red);
    Canvas.BitBlt(60, 60, 10, 10, Source, 0, 0, TRasterOp::Copy);
    ASSERT_EQ(Changed.size(), 2u) << "nothing drawn, nothing reported";
    EXPECT_EQ(Changed[0], QRect(45, 45, 5, 5));
    EXPECT_EQ(Changed[1], QRect(0, 0, 5, 10));
}

TEST(TextOut, WritesInTheFontColour)
{
    QImage Image = Filled(40, 20, 0xFFFFFFFF);
    TCanvas Canvas(Image);
    Canvas.FontColor = Qt::black;
    Canvas.TextOut(2, 2, QStringLiteral("10"));
    int Dark = 0;
    for (int Y = 0; Y < 20; ++Y)
        for (int X = 0; X < 40; ++X)
            Dark += qGray(Image.pixel(X, Y)) < 128;
    EXPECT_GT(Dark, 5);
}

TEST(BitBlt, CanvasOverAnotherPixelFormatIsLeftAlone)
{
    QImage Image(8, 8, QImage::Format_RGB888);
    Image.fill(Qt::green);
    const QImage Before = Image;
    TCanvas Canvas(Image);
    Canvas.BitBlt(0, 0, 8, 8, Filled(8, 8, 0xFF000000), 0, 0, TRasterOp::Copy);
    QImage Mono(8, 8, QImage::Format_Mono);
    Mono.fill(0);
    Canvas.BitBlt(0, 0, 8, 8, Mono, 0, 0, TRasterOp::And);
    EXPECT_EQ(Image, Before);
}

namespace {

QByteArray SavedAs(const QImage& Image, const char* Format)
{
    QByteArray Bytes;
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::WriteOnly);
    Image.save(&Buffer, Format);
    return Bytes;
}

// A 4 x 2 bitmap of 8-bit run-length coded pixels: a row of colour 1 over a row of colour 2.
QByteArray RunLengthBitmap()
{
    const QByteArray Pixels("\x04\x01\x00\x00\x04\x02\x00\x01", 8);
    // Black, red and blue, each stored as blue, green, red and a spare byte.
    const QByteArray Palette("\0\0\0\0" "\0\0\xff\0" "\xff\0\0\0", 12);
    return BitmapHeaders(4, 2, 8, uint32_t(Pixels.size()), 1, 3) + Palette + Pixels;
}

QImage LoadBytes(const TTempFolder& Folder, const QByteArray& Bytes)
{
    QFile File(Folder.File(QStringLiteral("picture.bmp")));
    File.open(QIODevice::WriteOnly | QIODevice::Truncate);
    File.write(Bytes);
    File.close();
    return LoadPicture(File.fileName());
}

QImage AtRatio(int W, int H, double Ratio, QRgb Color)
{
    QImage Image = CreateSurface(QSize(W, H), Ratio);
    Image.fill(Color);
    return Image;
}

} // namespace

TEST(LoadPicture, BitmapWhosePixelsEndEarlyIsNotValid)
{
    TTempFolder Folder;
    QImage Colours(30, 20, QImage::Format_RGB32);
    for (int Y = 0; Y < Colours.height(); ++Y)
        for (int X = 0; X < Colours.width(); ++X)
            Colours.setPixel(X, Y, qRgb(X * 8, Y * 12, 99));
    const QByteArray Bitmaps[] = {
        SavedAs(Colours, "BMP"),
        SavedAs(Colours.convertToFormat(QImage::Format_Indexed8), "BMP"),
        RunLengthBitmap(),
    };
    for (const QByteArray& Whole : Bitmaps) {
        const QImage Picture = LoadBytes(Folder, Whole);
        ASSERT_FALSE(Picture.isNull()) << "a whole bitmap of " << Whole.size() << " bytes loads";
        for (const qsizetype Cut : {qsizetype(4), Whole.size() / 3})
            EXPECT_TRUE(LoadBytes(Folder, Whole.left(Whole.size() - Cut)).isNull())
                << Cut << " bytes short of " << Whole.size();
    }
    EXPECT_TRUE(LoadBytes(Folder, Bitmaps[0].left(Bitmaps[0].size() - 1)).isNull()) << "the last row one byte short";
    // Run-length rows that stop short, or skip, leave pixels the file never sets.
    QByteArray ShortRow = RunLengthBitmap();
    ShortRow[ShortRow.size() - 8] = 3;
    EXPECT_TRUE(LoadBytes(Folder, ShortRow).isNull()) << "a row of three pixels in a picture four wide";
    QByteArray Skip = RunLengthBitmap();
    Skip.replace(Skip.size() - 4, 4, QByteArray("\x00\x02\x00\x01", 4));
    EXPECT_TRUE(LoadBytes(Folder, Skip).isNull()) << "the second row skipped";
    const QImage RunLength = LoadBytes(Folder, RunLengthBitmap());
    EXPECT_EQ(RunLength.pixel(0, 0), qRgb(0, 0, 255)) << "the top row is the last one stored";
    EXPECT_EQ(RunLength.pixel(3, 1), qRgb(255, 0, 0));
}

namespace {

// A bitmap of plain rows with the classic header, written by hand so that the
// row order and the fourth byte of 32-bit pixels can be chosen.
QByteArray PlainRows(const QImage& Image, int Bits, bool TopDown, uint8_t Fourth = 0)
{
    const int Stride = (Image.width() * Bits + 31) / 32 * 4;
    QByteArray Pixels;
    for (int Row = 0; Row < Image.height(); ++Row) {
        const int Y = TopDown ? Row : Image.height() - 1 - Row;
        QByteArray Line;
        for (int X = 0; X < Image.width(); ++X) {
            const QRgb Pixel = Image.pixel(X, Y);
            Line.append(char(qBlue(Pixel))).append(char(qGreen(Pixel))).append(char(qRed(Pixel)));
            if (Bits == 32)
                Line.append(char(Fourth));
        }
        Pixels += Line.leftJustified(Stride, '\x5a');
    }
    return BitmapHeaders(Image.width(), TopDown ? -Image.height() : Image.height(), uint16_t(Bits),
                         uint32_t(Pixels.size())) + Pixels;
}

QImage ReadByQt(const QByteArray& Bytes)
{
    return QImage::fromData(Bytes, "BMP").convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(LoadPicture, PlainBitmapsReadAsQtReadsThem)
{
    // Every width from 1 to 5 pads its rows differently.
    for (int W = 1; W <= 5; ++W) {
        QImage Colours(W, 3, QImage::Format_RGB32);
        for (int Y = 0; Y < Colours.height(); ++Y)
            for (int X = 0; X < W; ++X)
                Colours.setPixel(X, Y, qRgb(40 * X + 7, 90 * Y + 3, 255 - 30 * X));
        const QByteArray Bitmaps[] = {SavedAs(Colours, "BMP"), PlainRows(Colours, 24, false),
                                      PlainRows(Colours, 24, true), PlainRows(Colours, 32, false, 0x80),
                                      PlainRows(Colours, 32, true)};
        for (const QByteArray& Bytes : Bitmaps) {
            const QImage Plain = PlainBitmap(Bytes);
            ASSERT_FALSE(Plain.isNull()) << W << " wide, " << Bytes.size() << " bytes";
            EXPECT_EQ(Plain.format(), QImage::Format_RGB32);
            EXPECT_EQ(Plain, Colours) << W << " wide, " << Bytes.size() << " bytes";
            EXPECT_EQ(Plain, ReadByQt(Bytes)) << W << " wide, " << Bytes.size() << " bytes";
        }
    }
    // The other kinds are left to Qt's reader, which still reads them.
    QImage Grey(6, 4, QImage::Format_RGB32);
    Grey.fill(qRgb(80, 80, 80));
    for (const QByteArray& Other : {SavedAs(Grey.convertToFormat(QImage::Format_Indexed8), "BMP"), RunLengthBitmap()})
        EXPECT_TRUE(PlainBitmap(Other).isNull()) << Other.size() << " bytes";
    QByteArray Short = PlainRows(Grey, 24, false);
    Short.chop(1);
    EXPECT_TRUE(PlainBitmap(Short).isNull()) << "pixels that end early";
}

TEST(LoadPicture, OnlyWindowsBitmapsServe)
{
    TTempFolder Folder;
    QImage Green(8, 8, QImage::Format_RGB32);
    Green.fill(Qt::green);
    EXPECT_TRUE(LoadBytes(Folder, SavedAs(Green, "PNG")).isNull()) << "a PNG under a bitmap's name";
    EXPECT_EQ(LoadBytes(Folder, SavedAs(Green, "BMP")).pixel(7, 7), QColor(Qt::green).rgb());
}

TEST(HighDensity, BlocksMeetingInDesignUnitsMeetInDevicePixels)
{
    // At one and a half pixels to the unit each edge is rounded on its own:
    // three one-unit blocks side by side cover the row without a gap or overlap.
    QImage Image = AtRatio(3, 1, 1.5, 0xFF000000);
    ASSERT_EQ(Image.width(), 5);
    TCanvas Canvas(Image);
    EXPECT_EQ(Canvas.Width(), 3);
    const QRgb Colors[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
    for (int X = 0; X < 3; ++X)
        Canvas.FillRect(QRect(X, 0, 1, 1), Colors[X]);
    const QRgb Expected[] = {Colors[0], Colors[0], Colors[1], Colors[2], Colors[2]};
    for (int X = 0; X < 5; ++X)
        EXPECT_EQ(Image.pixel(X, 0), Expected[X]) << X;
}

TEST(HighDensity, TransfersMoveDevicePixelsAndReportDesignUnits)
{
    QImage Source = AtRatio(4, 4, 2, 0xFF112233);
    Source.setPixel(3, 2, 0xFFABCDEF);  // one device pixel, in the unit (1, 1)
    QImage Dest = AtRatio(6, 6, 2, 0xFF000000);
    QList<QRect> Reported;
    TCanvas Canvas(Dest, [&](const QRect& Rect) { Reported << Rect; });
    Canvas.BitBlt(2, 3, 2, 2, Source, 1, 1, TRasterOp::Copy);
    EXPECT_EQ(Dest.pixel(5, 6), 0xFFABCDEFu) << "the detail keeps its own device pixel";
    EXPECT_EQ(Dest.pixel(4, 6), 0xFF112233u);
    EXPECT_EQ(Dest.pixel(3, 6), 0xFF000000u);
    ASSERT_EQ(Reported.size(), 1);
    EXPECT_EQ(Reported[0], QRect(2, 3, 2, 2));
    // A source of ordinary density is enlarged to cover the same units.
    const QImage Plain = Filled(2, 2, 0xFF00FF00);
    Canvas.BitBlt(0, 0, 2, 2, Plain, 0, 0, TRasterOp::Copy);
    EXPECT_EQ(Dest.pixel(3, 3), 0xFF00FF00u);
    EXPECT_EQ(Dest.pixel(4, 4), 0xFF000000u);
}

TEST(HighDensity, FocusFrameDotsAreOneDevicePixel)
{
    QImage Image = AtRatio(8, 8, 2, 0xFF000000);
    TCanvas Canvas(Image);
    Canvas.DrawFocusRect(QRect(1, 1, 5, 5));
    EXPECT_EQ(Image.pixel(2, 2), 0xFFFFFFFFu);
    EXPECT_EQ(Image.pixel(3, 2), 0xFF000000u);
    EXPECT_EQ(Image.pixel(4, 2), 0xFFFFFFFFu);
    EXPECT_EQ(Image.pixel(2, 4), 0xFFFFFFFFu);
    EXPECT_EQ(Image.pixel(3, 4), 0xFF000000u) << "the frame is one device pixel wide";
    EXPECT_EQ(Image.pixel(11, 11), 0xFFFFFFFFu) << "its far corner lies at the last device pixel of the rectangle";
    Canvas.DrawFocusRect(QRect(1, 1, 5, 5));
    EXPECT_EQ(Image, AtRatio(8, 8, 2, 0xFF000000));
}
