#include "platform/ServerPlace.h"

#include <QGuiApplication>
#include <QWidget>

#include <cstdlib>

#include <xcb/xcb.h>

std::optional<QPoint> ServerClientCorner(const QWidget* Window)
{
    const auto* X11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (X11 == nullptr || X11->connection() == nullptr || !Window->testAttribute(Qt::WA_WState_Created))
        return std::nullopt;
    xcb_connection_t* Connection = X11->connection();
    const auto Id = static_cast<xcb_window_t>(Window->internalWinId());
    xcb_get_geometry_reply_t* Geometry = xcb_get_geometry_reply(Connection, xcb_get_geometry(Connection, Id), nullptr);
    if (Geometry == nullptr)
        return std::nullopt;
    const xcb_window_t Root = Geometry->root;
    std::free(Geometry);
    xcb_translate_coordinates_reply_t* Place =
        xcb_translate_coordinates_reply(Connection, xcb_translate_coordinates(Connection, Id, Root, 0, 0), nullptr);
    if (Place == nullptr)
        return std::nullopt;
    const QPoint Corner(Place->dst_x, Place->dst_y);
    std::free(Place);
    // The server counts in device pixels; the program in its own units.
    const qreal Ratio = Window->devicePixelRatioF();
    return Ratio > 0 ? QPoint(qRound(Corner.x() / Ratio), qRound(Corner.y() / Ratio)) : Corner;
}

QPoint FrameCorner(const QWidget* Window)
{
    // Qt's frame is the difference between the two places it records, which
    // stay in step with each other even when both are stale.
    const QPoint Frame = Window->geometry().topLeft() - Window->pos();
    return ServerClientCorner(Window).value_or(Window->geometry().topLeft()) - Frame;
}
