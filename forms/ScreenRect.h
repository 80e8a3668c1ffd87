// Assistive technology asks where each part lies on the screen, not in its widget.
#pragma once
#include <QRect>
#include <QWidget>

inline QRect GlobalRect(const QWidget* Widget, const QRect& Local)
{
    return QRect(Widget->mapToGlobal(Local.topLeft()), Local.size());
}
