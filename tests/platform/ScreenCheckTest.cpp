// The screen check of the desktop tests: a test that compares the screen with
// the program's picture is only as good as its search and its comparison.
#include "tests/support/ScreenCheck.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

// A window's picture: a strip along the top with the start of a caption
// (a block, the same in every font), a body below.
QImage WindowPicture(const QColor& Strip, int Caption)
{
    QImage Picture(120, 80, QImage::Format_RGB32);
    Picture.fill(Qt::darkGreen);
    QPainter Painter(&Picture);
    Painter.fillRect(0, 0, 120, 20, Strip);
    Painter.fillRect(4, 6, Caption, 8, Qt::black);
    return Picture;
}

QImage Desktop()
{
    QImage Screen(400, 300, QImage::Format_RGB32);
    Screen.fill(Qt::lightGray);
    return Screen;
}

void Place(QImage& Screen, const QImage& Picture, const QPoint& At)
{
    QPainter(&Screen).drawImage(At, Picture);
}

} // namespace

TEST(ScreenCheck, FindsAWindowByItsStripThoughAnotherCoversAPartOfIt)
{
    const QImage Table = WindowPicture(Qt::cyan, 12);
    QImage Screen = Desktop();
    Place(Screen, Table, QPoint(37, 51));
    EXPECT_EQ(FindOnScreen(Screen, Table, 20), QPoint(37, 51));
    // A window above it over the strip's last rows and right end.
    QPainter(&Screen).fillRect(100, 68, 200, 60, Qt::white);
    EXPECT_EQ(FindOnScreen(Screen, Table, 20), QPoint(37, 51));
    // Over most of the strip, the window is nowhere.
    QPainter(&Screen).fillRect(60, 40, 200, 40, Qt::white);
    EXPECT_EQ(FindOnScreen(Screen, Table, 20), std::nullopt);
}

TEST(ScreenCheck, AStripOfAnotherCaptionOrNoneIsNotTheWindow)
{
    const QImage Table = WindowPicture(Qt::lightGray, 12);
    QImage Screen = Desktop();
    EXPECT_EQ(FindOnScreen(Screen, Table, 20), std::nullopt) << "a grey desktop passed for a grey strip";
    Place(Screen, WindowPicture(Qt::lightGray, 30), QPoint(10, 10));
    EXPECT_EQ(FindOnScreen(Screen, Table, 20), std::nullopt) << "another caption passed for the window's";
    Place(Screen, Table, QPoint(200, 150));
    EXPECT_EQ(FindOnScreen(Screen, Table, 20), QPoint(200, 150));
}

TEST(ScreenCheck, CountsEveryPixelShownOtherwiseOutsideTheCoveredPlaces)
{
    const QImage Table = WindowPicture(Qt::cyan, 12);
    QImage Screen = Desktop();
    Place(Screen, Table, QPoint(30, 40));
    EXPECT_EQ(CompareWithScreen(Screen, Table, QPoint(30, 40)).Pixels, 0);
    // A card left behind on the screen, as a stale part would be.
    QPainter(&Screen).fillRect(50, 90, 10, 6, Qt::white);
    const TScreenDifference Stale = CompareWithScreen(Screen, Table, QPoint(30, 40));
    EXPECT_EQ(Stale.Pixels, 60);
    EXPECT_EQ(Stale.Bounds, QRect(20, 50, 10, 6)) << "in the window's own coordinates";
    EXPECT_EQ(CompareWithScreen(Screen, Table, QPoint(30, 40), {QRect(45, 85, 20, 20)}).Pixels, 0)
        << "under another window";
    // Whatever of the window lies off the screen is not shown as it is.
    EXPECT_EQ(CompareWithScreen(Desktop(), Table, QPoint(390, 0)).Pixels, 120 * 80);
}
