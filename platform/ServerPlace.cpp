#include "platform/ServerPlace.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QWidget>

#include <cstdlib>
#include <cstring>

#include <xcb/xcb.h>

bool WindowsCanBeMoved()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool WindowPositionsKnown()
{
    return WindowsCanBeMoved() && ServerPlacesAreShown();
}

namespace {

// The program's connection to the X server; none where its windows are not an X server's.
xcb_connection_t* X11Connection()
{
    const auto* X11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return X11 ? X11->connection() : nullptr;
}

} // namespace

std::optional<QPoint> ServerClientCorner(const QWidget* Window)
{
    xcb_connection_t* Connection = X11Connection();
    if (Connection == nullptr || !Window->testAttribute(Qt::WA_WState_Created))
        return std::nullopt;
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

namespace {

xcb_atom_t Atom(xcb_connection_t* Connection, const char* Name)
{
    xcb_intern_atom_reply_t* Reply = xcb_intern_atom_reply(
        Connection, xcb_intern_atom(Connection, 1, uint16_t(std::strlen(Name)), Name), nullptr);
    const xcb_atom_t Result = Reply ? Reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(Reply);
    return Result;
}

// The bytes of a window's property; empty when it has none.
QByteArray Property(xcb_connection_t* Connection, xcb_window_t Window, xcb_atom_t Name)
{
    xcb_get_property_reply_t* Reply = xcb_get_property_reply(
        Connection, xcb_get_property(Connection, 0, Window, Name, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr);
    if (Reply == nullptr)
        return {};
    const QByteArray Bytes(static_cast<const char*>(xcb_get_property_value(Reply)),
                           xcb_get_property_value_length(Reply));
    std::free(Reply);
    return Bytes;
}

// The name the running window manager gives itself.
QByteArray WindowManagerName(xcb_connection_t* Connection)
{
    const xcb_screen_t* Screen = xcb_setup_roots_iterator(xcb_get_setup(Connection)).data;
    if (Screen == nullptr)
        return {};
    const QByteArray Check = Property(Connection, Screen->root, Atom(Connection, "_NET_SUPPORTING_WM_CHECK"));
    if (Check.size() < int(sizeof(xcb_window_t)))
        return {};
    xcb_window_t Manager = 0;
    std::memcpy(&Manager, Check.constData(), sizeof Manager);
    return Property(Connection, Manager, Atom(Connection, "_NET_WM_NAME"));
}

} // namespace

bool ServerPlacesAreShown()
{
    xcb_connection_t* Connection = X11Connection();
    if (Connection == nullptr)
        return true;
    // Asked once: the manager of a session does not change under a running program.
    static const bool Shown = WindowManagerName(Connection) != "Weston WM";
    return Shown;
}

QPoint FrameCorner(const QWidget* Window)
{
    // Qt's frame is the difference between the two places it records, which
    // stay in step with each other even when both are stale.
    const QPoint Frame = Window->geometry().topLeft() - Window->pos();
    return ServerClientCorner(Window).value_or(Window->geometry().topLeft()) - Frame;
}

void MatchServerPlace(QWidget* Window)
{
    if (!Window->isWindow() || !Window->isVisible() || !WindowPositionsKnown())
        return;
    const std::optional<QPoint> Client = ServerClientCorner(Window);
    if (!Client || *Client == Window->geometry().topLeft())
        return;
    // A move to where the window already stands: Qt takes the place at once,
    // and the manager, asked to put the window where it is, leaves it there.
    Window->move(FrameCorner(Window));
}

void NameAsDialog(const QWidget* Window)
{
    xcb_connection_t* Connection = X11Connection();
    if (Connection == nullptr || !Window->testAttribute(Qt::WA_WState_Created))
        return;
    const xcb_atom_t Dialog = Atom(Connection, "_NET_WM_WINDOW_TYPE_DIALOG");
    xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(Window->internalWinId()),
                        Atom(Connection, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1, &Dialog);
    xcb_flush(Connection);
}
