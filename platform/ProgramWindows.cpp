#include "platform/ProgramWindows.h"

#include <QApplication>
#include <QWidget>

void MinimiseProgram()
{
    // A tool window's type shares its bits with a pop-up's, so the type is compared whole.
    for (QWidget* Window : QApplication::topLevelWidgets())
        if (Window->isVisible() && Window->windowType() != Qt::Popup && Window->windowType() != Qt::ToolTip)
            Window->showMinimized();
}

QWidget* OwnerForBox()
{
    if (QWidget* Active = QApplication::activeWindow())
        return Active;
    for (QWidget* Window : QApplication::topLevelWidgets())
        if (Window->isVisible() && Window->windowType() == Qt::Window)
            return Window;
    return nullptr;
}
