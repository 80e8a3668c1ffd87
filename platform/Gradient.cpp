#include "platform/Gradient.h"

#include "platform/Canvas.h"
#include "platform/ProgramWindows.h"
#include "platform/ServerPlace.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

TGradient::TGradient(const QString& Name, QWidget* Form, TTitleButtons Buttons)
    : QWidget(Form), FForm(Form), FButtons(Buttons)
{
    setObjectName(Name);
    setFixedHeight(StripHeight());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFocusPolicy(Qt::NoFocus);
    // The surface covers every pixel, so Qt need not clear the widget first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    FForm->installEventFilter(this);
    FollowFormWidth();
}

void TGradient::SetFormCaption(const QString& Value)
{
    if (Value == FFormCaption)
        return;
    FFormCaption = Value;
    FForm->setWindowTitle(Value);
    Redraw();
}

TTitleState TGradient::State() const
{
    return FForm->isActiveWindow() ? TTitleState::Active : TTitleState::Inactive;
}

void TGradient::Redraw()
{
    FStale = true;
    update();
}

void TGradient::DrawIfStale() const
{
    const double Ratio = devicePixelRatioF();
    const bool Resized =
        FSurface.deviceIndependentSize() != QSizeF(size()) || !qFuzzyCompare(FSurface.devicePixelRatio(), Ratio);
    if (!FStale && !Resized)
        return;
    if (Resized)
        FSurface = CreateSurface(size(), Ratio);
    if (FSurface.isNull())
        return;
    TCanvas Canvas(FSurface);
    DrawStrip(Canvas, State(), SystemTitleColours());
    FStale = false;
}

const QImage& TGradient::Surface() const
{
    DrawIfStale();
    return FSurface;
}

void TGradient::FollowFormWidth()
{
    // Once a layout manages the strip, the layout decides where it goes.
    if (testAttribute(Qt::WA_LaidOut))
        return;
    setGeometry(0, 0, FForm->width(), StripHeight());
}

bool TGradient::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == FForm) {
        switch (Event->type()) {
        case QEvent::ActivationChange:
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate:
            Redraw();
            break;
        case QEvent::Resize:
            FollowFormWidth();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(Watched, Event);
}

void TGradient::changeEvent(QEvent* Event)
{
    if (Event->type() == QEvent::FontChange || Event->type() == QEvent::PaletteChange)
        Redraw();
    QWidget::changeEvent(Event);
}

void TGradient::paintEvent(QPaintEvent* Event)
{
    // A screen of another density gets the strip drawn again at its own resolution.
    DrawIfStale();
    QPainter Painter(this);
    Painter.setClipRect(Event->rect());
    Painter.drawImage(QPoint(0, 0), FSurface);
}

void TGradient::resizeEvent(QResizeEvent* Event)
{
    QWidget::resizeEvent(Event);
    Redraw();
}

void TGradient::mousePressEvent(QMouseEvent* Event)
{
    if (Event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(Event);
        return;
    }
    const TTitleButton Button = ButtonAt(Event->position().toPoint());
    if (Button == TTitleButton::None) {
        StartMove(Event->globalPosition().toPoint(), Event->position().toPoint());
        return;
    }
    FPressedButton = Button;
    FButtonSunken = true;
    Redraw();
}

void TGradient::mouseMoveEvent(QMouseEvent* Event)
{
    if (FPressedButton != TTitleButton::None) {
        const bool Over = ButtonRect(FPressedButton, width()).contains(Event->position().toPoint());
        if (Over != FButtonSunken) {
            FButtonSunken = Over;
            Redraw();
        }
        return;
    }
    if (FDragging && Event->buttons().testFlag(Qt::LeftButton))
        FForm->move(FFormStart + Event->globalPosition().toPoint() - FDragStart);
}

void TGradient::mouseReleaseEvent(QMouseEvent* Event)
{
    if (Event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(Event);
        return;
    }
    FDragging = false;
    if (FPressedButton == TTitleButton::None)
        return;
    const TTitleButton Button = FPressedButton;
    const bool Over = ButtonRect(Button, width()).contains(Event->position().toPoint());
    FPressedButton = TTitleButton::None;
    FButtonSunken = false;
    Redraw();
    if (Over)
        PressButton(Button);
}

// Closing may destroy the form and this strip with it: nothing may follow.
void TGradient::PressButton(TTitleButton Button)
{
    if (Button == TTitleButton::Minimize)
        MinimiseProgram();
    else if (Button == TTitleButton::Close)
        FForm->close();
}

// Where the program places its own windows, the strip moves the window by
// hand. A window manager that takes the drag over keeps the button's release,
// so the program would count the button as held, and may start the move from
// a place the program no longer reports (openbox). Only where the window
// system alone may move windows (Wayland) is it asked to.
void TGradient::StartMove(const QPoint& GlobalPos, const QPoint& Pos)
{
    QWindow* Handle = FForm->windowHandle();
    if (!WindowPositionsKnown() && Handle != nullptr && Handle->startSystemMove())
        return;
    FDragging = true;
    FDragStart = GlobalPos;
    // Where the press says the window is: Qt's own record of the place may be
    // stale under a window manager.
    FFormStart = GlobalPos - mapTo(FForm, Pos) - (FForm->geometry().topLeft() - FForm->pos());
}
