// Sway places every window of a program itself, and centres a window that
// belongs to another over it; but it takes commands from any program of the
// session through its socket, among them where a floating window goes.
#pragma once
#include <QJsonObject>
#include <QRect>

#include <optional>

class QWidget;

// Whether the program runs on sway, which names its socket to every program it starts.
bool OnSway();

// Where to put a window of Size beside Table, on the screen Output: to the
// right, else to the left, else below, else above; nothing where it fits
// nowhere beside the table.
std::optional<QPoint> PlaceBeside(const QRect& Table, const QSize& Size, const QRect& Output);

// Sway's record of the windows of the process Pid with the title Title in the
// tree sway answers (get_tree): its id, where it shows it, and the screen it is on.
struct TSwayNode
{
    qint64 Id = 0;
    QRect Rect;
    QRect Output;
};
std::optional<TSwayNode> FindSwayNode(const QJsonObject& Tree, qint64 Pid, const QString& Title);

// Asks sway to put Window beside Table; false if sway does not show both yet
// or refuses. Never waits on sway longer than a moment.
bool MoveBesideOnSway(const QWidget* Window, const QWidget* Table);
