#include "platform/ServerPlace.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QWidget>

#include <cstdlib>
#include <cstring>
#include <memory>

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

// The program's connection to the X server; none where its windows are not an
// X server's, or the connection has broken (it then answers nothing at all).
xcb_connection_t* X11Connection()
{
    const auto* X11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* Connection = X11 ? X11->connection() : nullptr;
    return Connection && xcb_connection_has_error(Connection) == 0 ? Connection : nullptr;
}

struct TFreeReply
{
    void operator()(void* Reply) const { std::free(Reply); }
};
template <typename TAnswer>
using TReply = std::unique_ptr<TAnswer, TFreeReply>;

// The server's answer to a request; nothing where it answered with an error,
// which is taken here rather than left for Qt to report as a fault of its own.
template <typename TAnswer, typename TCookie>
TReply<TAnswer> Answer(xcb_connection_t* Connection, TCookie Cookie,
                       TAnswer* (*Wait)(xcb_connection_t*, TCookie, xcb_generic_error_t**))
{
    xcb_generic_error_t* Error = nullptr;
    TReply<TAnswer> Reply(Wait(Connection, Cookie, &Error));
    if (Error != nullptr) {
        std::free(Error);
        Reply.reset();
    }
    return Reply;
}

} // namespace

std::optional<QPoint> ServerClientCorner(const QWidget* Window)
{
    xcb_connection_t* Connection = X11Connection();
    if (Connection == nullptr || !Window->testAttribute(Qt::WA_WState_Created))
        return std::nullopt;
    const auto Id = static_cast<xcb_window_t>(Window->internalWinId());
    const auto Geometry = Answer(Connection, xcb_get_geometry(Connection, Id), xcb_get_geometry_reply);
    if (!Geometry)
        return std::nullopt;
    const auto Place = Answer(Connection, xcb_translate_coordinates(Connection, Id, Geometry->root, 0, 0),
                              xcb_translate_coordinates_reply);
    if (!Place || !Place->same_screen)
        return std::nullopt;
    const QPoint Corner(Place->dst_x, Place->dst_y);
    // The server counts in device pixels; the program in its own units.
    const qreal Ratio = Window->devicePixelRatioF();
    return Ratio > 0 ? QPoint(qRound(Corner.x() / Ratio), qRound(Corner.y() / Ratio)) : Corner;
}

namespace {

// The server's number for a name it already knows; none for a name it does not.
xcb_atom_t Atom(xcb_connection_t* Connection, const char* Name)
{
    const auto Reply =
        Answer(Connection, xcb_intern_atom(Connection, 1, uint16_t(std::strlen(Name)), Name), xcb_intern_atom_reply);
    return Reply ? Reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The bytes of a window's property in items of Format bits; empty when it has
// none of that format, or the window is gone.
QByteArray Property(xcb_connection_t* Connection, xcb_window_t Window, xcb_atom_t Name, uint8_t Format)
{
    if (Name == XCB_ATOM_NONE || Window == XCB_WINDOW_NONE)
        return {};
    const auto Reply = Answer(
        Connection, xcb_get_property(Connection, 0, Window, Name, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
        xcb_get_property_reply);
    if (!Reply || Reply->format != Format)
        return {};
    const int Length = xcb_get_property_value_length(Reply.get());
    return Length > 0 ? QByteArray(static_cast<const char*>(xcb_get_property_value(Reply.get())), Length)
                      : QByteArray();
}

// The name the running window manager gives itself.
QByteArray WindowManagerName(xcb_connection_t* Connection)
{
    const xcb_setup_t* Setup = xcb_get_setup(Connection);
    if (Setup == nullptr)
        return {};
    const xcb_screen_iterator_t Screens = xcb_setup_roots_iterator(Setup);
    if (Screens.rem <= 0 || Screens.data == nullptr)
        return {};
    const QByteArray Check =
        Property(Connection, Screens.data->root, Atom(Connection, "_NET_SUPPORTING_WM_CHECK"), 32);
    if (Check.size() < int(sizeof(xcb_window_t)))
        return {};
    xcb_window_t Manager = 0;
    std::memcpy(&Manager, Check.constData(), sizeof Manager);
    return Property(Connection, Manager, Atom(Connection, "_NET_WM_NAME"), 8);
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
    // A server that knows neither name has no window manager that reads them.
    const xcb_atom_t Dialog = Atom(Connection, "_NET_WM_WINDOW_TYPE_DIALOG");
    const xcb_atom_t Type = Atom(Connection, "_NET_WM_WINDOW_TYPE");
    if (Dialog == XCB_ATOM_NONE || Type == XCB_ATOM_NONE)
        return;
    xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(Window->internalWinId()), Type,
                        XCB_ATOM_ATOM, 32, 1, &Dialog);
    xcb_flush(Connection);
}
