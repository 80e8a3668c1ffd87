#include "platform/DialogForm.h"

#include "platform/Gradient.h"
#include "platform/ServerPlace.h"
#include "platform/Styles.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

namespace {

// The dialog the program is bringing forward by showing it afresh: it stays
// where it is, with what the player has typed.
const QWidget* BroughtForward = nullptr;

} // namespace

bool WindowSystemFrames()
{
    const QString Platform = QGuiApplication::platformName();
    return Platform == QLatin1String("xcb") || Platform.startsWith(QLatin1String("wayland"));
}

void GiveTitleStrip(QWidget* Dialog)
{
    if (Dialog->findChild<TGradient*>(QStringLiteral("Gradient"), Qt::FindDirectChildrenOnly))
        return;
    if (!Dialog->windowFlags().testFlag(Qt::FramelessWindowHint))
        Dialog->setWindowFlags(Dialog->windowFlags() | Qt::FramelessWindowHint);
    const int Height = TGradient::StripHeight();
    if (QLayout* Layout = Dialog->layout()) {
        QMargins Margins = Layout->contentsMargins();
        Margins.setTop(Margins.top() + Height);
        Layout->setContentsMargins(Margins);
    } else {
        for (QWidget* Part : Dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!Part->isWindow())
                Part->move(Part->pos() + QPoint(0, Height));
        if (Dialog->minimumSize() == Dialog->maximumSize())
            Dialog->setFixedSize(Dialog->width(), Dialog->height() + Height);
        else
            Dialog->resize(Dialog->width(), Dialog->height() + Height);
    }
    auto* Strip = new TGradient(QStringLiteral("Gradient"), Dialog, TTitleButtons::None);
    Strip->SetFormCaption(Dialog->windowTitle());
    QObject::connect(Dialog, &QWidget::windowTitleChanged, Strip, &TGradient::SetFormCaption);
    const int Wanted = Strip->WidthForCaption();
    if (Dialog->width() < Wanted) {
        if (Dialog->minimumSize() == Dialog->maximumSize())
            Dialog->setFixedWidth(Wanted);
        else
            Dialog->setMinimumWidth(Wanted);
    }
    // Parts made while the dialog is on its way to the screen show only when told.
    Strip->show();
    Strip->raise();
}

void KeepNormalState(QWidget* Dialog)
{
    Dialog->winId();
    QWindow* Handle = Dialog->windowHandle();
    QObject::connect(Handle, &QWindow::windowStateChanged, Dialog, [Handle](Qt::WindowState State) {
        if (State == Qt::WindowMaximized || State == Qt::WindowMinimized || State == Qt::WindowFullScreen)
            Handle->setWindowStates(Qt::WindowNoState);
    });
    // Weston's X window manager leaves the keyboard with the window a dialog
    // belongs to, which the dialog blocks, and hands it back there: the dialog
    // takes it itself once shown, and whenever that window gets it.
    if (!ServerPlacesAreShown()) {
        QObject::connect(Handle, &QWindow::visibleChanged, Dialog, [Dialog](bool Visible) {
            if (Visible)
                QMetaObject::invokeMethod(Dialog, [Dialog] { Dialog->activateWindow(); }, Qt::QueuedConnection);
        });
        QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, Dialog, [Dialog, Handle](QWindow* Focus) {
            if (Focus != nullptr && Focus == Handle->transientParent() && Dialog->isVisible() && Dialog->isModal())
                Dialog->activateWindow();
        });
    } else if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        // Sway raises the window a click lands on and gives it the keyboard,
        // even the one a box blocks, and does not hand it to a box that asks
        // for it: the keys would go nowhere. A window shown afresh comes to
        // the top with the keyboard, so the box's native window is shown
        // again. Qt 6.8 hides and shows the box with it, which ends no wait:
        // the program runs its boxes until they are answered.
        QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, Dialog, [Dialog, Handle](QWindow* Focus) {
            if (Focus == nullptr || Focus != Handle->transientParent() || !Dialog->isVisible() || !Dialog->isModal())
                return;
            QMetaObject::invokeMethod(
                Dialog,
                [Dialog, Handle] {
                    if (!Dialog->isVisible() || QGuiApplication::focusWindow() != Handle->transientParent())
                        return;
                    BroughtForward = Dialog;
                    Handle->hide();
                    Handle->show();
                    BroughtForward = nullptr;
                },
                Qt::QueuedConnection);
        });
    }
}

TDialogForm::TDialogForm(const QString& Name, QWidget* Parent)
    : QDialog(Parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          (WindowSystemFrames() ? Qt::FramelessWindowHint : Qt::WindowFlags()))
{
    setObjectName(Name);
    setModal(true);
    setFont(WindowFont());
}

// A showing the window system makes on its own, such as a restore, leaves the
// dialog where the user put it.
void TDialogForm::showEvent(QShowEvent* Event)
{
    // The parts are all in place by the first showing.
    if (!FStripGiven && WindowSystemFrames()) {
        FStripGiven = true;
        GiveTitleStrip(this);
    }
    if (!FStateKept) {
        FStateKept = true;
        KeepNormalState(this);
    }
    QDialog::showEvent(Event);
    if (Event->spontaneous() || BroughtForward == this)
        return;
    CentreOnScreen();
    FormShow();
}

void TDialogForm::CentreOnScreen()
{
    const QScreen* Screen = screen();
    if (Screen == nullptr)
        return;
    QRect Frame = frameGeometry();
    Frame.moveCenter(Screen->geometry().center());
    move(Frame.topLeft());
}
