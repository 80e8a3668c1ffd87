#include "platform/OwnedWindow.h"

#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace {

// Waits for the owner's first showing, then goes.
class TShowAfterOwner : public QObject
{
public:
    // The owner's native window is watched: the widget's own show event comes
    // before the window is laid out and painted, which may serve queued events.
    TShowAfterOwner(QWidget* Window, QWidget* Owner) : QObject(Window), FWindow(Window), FOwner(Owner)
    {
        Owner->windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() != QEvent::Show || Event->spontaneous())
            return QObject::eventFilter(Watched, Event);
        Watched->removeEventFilter(this);
        // The show event comes just before the window system is asked to show
        // the owner: the window follows in the next turn of the event loop,
        // down with the owner if that went down meanwhile.
        QMetaObject::invokeMethod(
            FWindow,
            [Window = FWindow, Owner = FOwner] {
                Window->show();
                if (Owner && Owner->isMinimized())
                    Window->showMinimized();
            },
            Qt::QueuedConnection);
        deleteLater();
        return false;
    }

private:
    QWidget* FWindow;
    QPointer<QWidget> FOwner;
};

} // namespace

void ShowAfterOwner(QWidget* Window, QWidget* Owner)
{
    if (Owner->isVisible()) {
        Window->show();
        return;
    }
    Owner->winId();
    new TShowAfterOwner(Window, Owner);
}
