#include "platform/ModalRun.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QPointer>
#include <QWindow>

namespace {

// Gives the window Qt still counts as holding the keyboard a native window
// again, when it has none. Qt's Wayland platform lets go of a closed dialog's
// native window at once, but moves the keyboard on only when the compositor
// says so; a window shown in between asks for the keyboard in the closed
// dialog's name and reads a window that is gone (the program ends).
void ReviveFocusWindow()
{
    QWindow* Focus = QGuiApplication::focusWindow();
    if (Focus == nullptr || Focus->handle() != nullptr)
        return;
    // The widget's own way keeps the widget's record of its window true.
    for (QWidget* Window : QApplication::topLevelWidgets())
        if (Window->windowHandle() == Focus) {
            Window->winId();
            return;
        }
    Focus->create();
}

} // namespace

int RunModal(QDialog* Dialog)
{
    ReviveFocusWindow();
    Dialog->setResult(QDialog::Rejected);
    QPointer<QDialog> Guard(Dialog);
    QEventLoop Loop;
    QObject::connect(Dialog, &QDialog::finished, &Loop, &QEventLoop::quit);
    QObject::connect(Dialog, &QObject::destroyed, &Loop, &QEventLoop::quit);
    // Qt 6.8 hides the dialog itself with its native window; it comes back in
    // the same turn when the program brought it forward.
    Dialog->winId();
    QObject::connect(Dialog->windowHandle(), &QWindow::visibleChanged, &Loop, [&Loop, Guard](bool Visible) {
        if (!Visible)
            QMetaObject::invokeMethod(
                &Loop, [&Loop, Guard] {
                    if (!Guard || !Guard->isVisible())
                        Loop.quit();
                },
                Qt::QueuedConnection);
    });
    if (!Dialog->isModal())
        Dialog->setWindowModality(Qt::ApplicationModal);
    Dialog->show();
    if (Dialog->isVisible())
        Loop.exec(QEventLoop::DialogExec);
    return Guard ? Guard->result() : QDialog::Rejected;
}
