#include "tests/support/ScreenCheck.h"

#include "platform/Gradient.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPixmap>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>

namespace {

QImage Plain(const QImage& Image)
{
    return Image.format() == QImage::Format_RGB32 ? Image : Image.convertToFormat(QImage::Format_RGB32);
}

bool SamePixel(QRgb A, QRgb B)
{
    return (A & RGB_MASK) == (B & RGB_MASK);
}

// The start of the window's strip, with the first letters of its caption:
// no window of the program covers it, and a plain bar of the strip's colour
// does not pass for it.
constexpr QSize AnchorSize(40, 16);

bool AllMatch(const QImage& Screen, const QImage& Picture, const QRect& Part, const QPoint& Place)
{
    for (int Y = Part.top(); Y <= Part.bottom(); ++Y) {
        const auto* Shown = reinterpret_cast<const QRgb*>(Screen.constScanLine(Place.y() + Y)) + Place.x();
        const auto* Meant = reinterpret_cast<const QRgb*>(Picture.constScanLine(Y));
        for (int X = Part.left(); X <= Part.right(); ++X)
            if (!SamePixel(Shown[X], Meant[X]))
                return false;
    }
    return true;
}

int MatchingPixels(const QImage& Screen, const QImage& Picture, const QRect& Part, const QPoint& Place)
{
    int Matching = 0;
    for (int Y = Part.top(); Y <= Part.bottom(); ++Y) {
        const auto* Shown = reinterpret_cast<const QRgb*>(Screen.constScanLine(Place.y() + Y)) + Place.x();
        const auto* Meant = reinterpret_cast<const QRgb*>(Picture.constScanLine(Y));
        for (int X = Part.left(); X <= Part.right(); ++X)
            Matching += SamePixel(Shown[X], Meant[X]);
    }
    return Matching;
}

} // namespace

QImage ScreenOfTheDesktop()
{
    const QByteArray Display = qgetenv("ZENTO_TEST_X_DISPLAY");
    xcb_connection_t* Connection = xcb_connect(Display.isEmpty() ? nullptr : Display.constData(), nullptr);
    QImage Screen;
    if (!xcb_connection_has_error(Connection)) {
        const xcb_screen_t* Root = xcb_setup_roots_iterator(xcb_get_setup(Connection)).data;
        xcb_get_image_reply_t* Reply = xcb_get_image_reply(
            Connection,
            xcb_get_image(Connection, XCB_IMAGE_FORMAT_Z_PIXMAP, Root->root, 0, 0, Root->width_in_pixels,
                          Root->height_in_pixels, ~0u),
            nullptr);
        // A depth of 24 comes as 32 bits a pixel, the layout of Format_RGB32.
        const int Bytes = Reply ? xcb_get_image_data_length(Reply) : 0;
        if (Reply && Reply->depth == 24 && Bytes == Root->width_in_pixels * Root->height_in_pixels * 4)
            Screen = QImage(xcb_get_image_data(Reply), Root->width_in_pixels, Root->height_in_pixels,
                            QImage::Format_RGB32)
                         .copy();
        free(Reply);
    }
    xcb_disconnect(Connection);
    return Screen;
}

std::optional<QPoint> FindOnScreen(const QImage& Screen, const QImage& Picture, int Rows)
{
    const QImage Shown = Plain(Screen);
    const QImage Meant = Plain(Picture);
    const QRect Top(0, 0, Meant.width(), std::min(Rows, Meant.height()));
    const QRect Corner = Top.intersected(QRect(QPoint(0, 0), AnchorSize));
    if (Top.isEmpty() || Meant.width() > Shown.width())
        return std::nullopt;
    // Another window, or its shadow, may lie over a part of the rows, never
    // over most of them; an inactive strip is plain enough to match most of
    // any grey bar.
    int Best = Top.width() * Top.height() * 9 / 10;
    std::optional<QPoint> Found;
    for (int Y = 0; Y + Top.height() <= Shown.height(); ++Y)
        for (int X = 0; X + Top.width() <= Shown.width(); ++X) {
            const QPoint Place(X, Y);
            if (!AllMatch(Shown, Meant, Corner, Place))
                continue;
            if (const int Matching = MatchingPixels(Shown, Meant, Top, Place); Matching > Best) {
                Best = Matching;
                Found = Place;
            }
        }
    return Found;
}

TScreenDifference CompareWithScreen(const QImage& Screen, const QImage& Picture, const QPoint& Place,
                                    const QList<QRect>& Covered)
{
    const QImage Shown = Plain(Screen);
    const QImage Meant = Plain(Picture);
    TScreenDifference Difference;
    for (int Y = 0; Y < Meant.height(); ++Y)
        for (int X = 0; X < Meant.width(); ++X) {
            const QPoint At = Place + QPoint(X, Y);
            const bool Hidden = std::any_of(Covered.begin(), Covered.end(),
                                            [&At](const QRect& Rect) { return Rect.contains(At); });
            if (Hidden)
                continue;
            if (Shown.rect().contains(At) && SamePixel(Shown.pixel(At), Meant.pixel(X, Y)))
                continue;
            ++Difference.Pixels;
            Difference.Bounds |= QRect(X, Y, 1, 1);
        }
    return Difference;
}

namespace {

QImage PaintedPicture(QWidget* Window)
{
    return Plain(Window->grab().toImage());
}

// What a desktop may draw round a window of its own accord: a shadow, the
// frame weston's X window manager draws round every X window.
constexpr int ShadowWidth = 32;

// Where the desktop shows each window of Above, found by its title strip,
// with its shadow; a window that cannot be found covers nothing, and what it
// hides then differs.
QList<QRect> PlacesOf(const QImage& Screen, const QList<QWidget*>& Above)
{
    QList<QRect> Places;
    for (QWidget* Window : Above) {
        const QImage Picture = PaintedPicture(Window);
        if (const std::optional<QPoint> At = FindOnScreen(Screen, Picture, TGradient::StripHeight()))
            Places << QRect(*At, Picture.size()).adjusted(-ShadowWidth, -ShadowWidth, ShadowWidth, ShadowWidth);
    }
    return Places;
}

// A developer who sets ZENTO_TEST_SCREENS to a folder finds there the last
// screen and picture that differed.
void KeepForALook(const QImage& Screen, const QImage& Picture)
{
    const QString Folder = qEnvironmentVariable("ZENTO_TEST_SCREENS");
    if (Folder.isEmpty())
        return;
    Screen.save(Folder + QStringLiteral("/screen.png"));
    Picture.save(Folder + QStringLiteral("/window.png"));
}

std::string Described(const TScreenDifference& Difference)
{
    const QRect& Where = Difference.Bounds;
    return std::to_string(Difference.Pixels) + " pixels differ, within " + std::to_string(Where.width()) + "x" +
           std::to_string(Where.height()) + " at " + std::to_string(Where.x()) + "," + std::to_string(Where.y()) +
           " of the window";
}

std::string DifferenceOnScreen(const QImage& Screen, const QImage& Picture, const QList<QWidget*>& Above)
{
    if (Screen.isNull())
        return "the screen could not be read";
    const std::optional<QPoint> At = FindOnScreen(Screen, Picture, TGradient::StripHeight());
    if (!At)
        return "the window's title strip is nowhere on the screen";
    const TScreenDifference Found = CompareWithScreen(Screen, Picture, *At, PlacesOf(Screen, Above));
    return Found.Pixels == 0 ? std::string() : Described(Found);
}

} // namespace

std::string ScreenDiffersFrom(QWidget* Window, const QList<QWidget*>& Above, int Milliseconds)
{
    const QDeadlineTimer Deadline(Milliseconds);
    std::string Difference;
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        const QImage Picture = PaintedPicture(Window);
        const QImage Screen = ScreenOfTheDesktop();
        Difference = DifferenceOnScreen(Screen, Picture, Above);
        if (!Difference.empty())
            KeepForALook(Screen, Picture);
    } while (!Difference.empty() && !Deadline.hasExpired());
    return Difference;
}

std::optional<QRect> WindowOnScreen(QWidget* Window)
{
    const QImage Picture = PaintedPicture(Window);
    const QImage Screen = ScreenOfTheDesktop();
    const std::optional<QPoint> At = FindOnScreen(Screen, Picture, TGradient::StripHeight());
    if (!At) {
        KeepForALook(Screen, Picture);
        return std::nullopt;
    }
    return QRect(*At, Picture.size());
}
