#include "forms/TableArea.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointingDevice>
#include <QStyleHints>

namespace {

// Qt turns a touch the widget does not take into mouse events from the touch
// screen's device, a tap into a left press; it makes no right click of a long press.
bool FromTouchScreen(const QMouseEvent* Event)
{
    return Event->pointingDevice() && Event->pointingDevice()->type() == QInputDevice::DeviceType::TouchScreen;
}

} // namespace

TTableArea::TTableArea(QWidget* Parent, const QImage* Surface, TRecompose Recompose, TMouseDown MouseDown,
                       TRatioChanged RatioChanged)
    : QWidget(Parent), FSurface(Surface), FRecompose(std::move(Recompose)), FMouseDown(std::move(MouseDown)),
      FRatioChanged(std::move(RatioChanged))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TTableArea::ShowNow(const QRect& Rect)
{
    FDrawing = true;
    repaint(Rect);
    FDrawing = false;
}

void TTableArea::paintEvent(QPaintEvent* Event)
{
    if (!FDrawing) {
        const double Ratio = devicePixelRatioF();
        if (FRatioChanged && !qFuzzyCompare(Ratio, FSurface->devicePixelRatio()))
            FRatioChanged(Ratio);
        FRecompose();
    }
    // Drawn whole at its own ratio and cut to the changed rectangle: at the
    // screen's ratio every surface pixel lands on one screen pixel.
    QPainter Painter(this);
    Painter.setClipRect(Event->rect());
    Painter.drawImage(QPoint(0, 0), *FSurface);
}

void TTableArea::mousePressEvent(QMouseEvent* Event)
{
    const QPoint Point = Event->position().toPoint();
    // The status line takes no clicks, but Qt hands them on to the table below it.
    if (childAt(Point))
        return;
    FHold.stop();
    if (FLongPress && Event->button() == Qt::LeftButton && FromTouchScreen(Event)) {
        FHoldAt = Point;
        FHold.start(LongPressMilliseconds, this);
    }
    FMouseDown(Event->button(), Point.x(), Point.y());
}

// A finger that moves away means no long press; one that wavers a little still holds.
void TTableArea::mouseMoveEvent(QMouseEvent* Event)
{
    const QPoint Moved = Event->position().toPoint() - FHoldAt;
    if (FHold.isActive() && Moved.manhattanLength() > QGuiApplication::styleHints()->startDragDistance())
        FHold.stop();
    QWidget::mouseMoveEvent(Event);
}

void TTableArea::mouseReleaseEvent(QMouseEvent* Event)
{
    FHold.stop();
    QWidget::mouseReleaseEvent(Event);
}

void TTableArea::timerEvent(QTimerEvent* Event)
{
    if (Event->timerId() != FHold.timerId()) {
        QWidget::timerEvent(Event);
        return;
    }
    FHold.stop();
    FLongPress(FHoldAt.x(), FHoldAt.y());
}

void TTableArea::SetKeyDown(TKeyDown KeyDown)
{
    FKeyDown = std::move(KeyDown);
    setFocusPolicy(Qt::StrongFocus);
}

void TTableArea::keyPressEvent(QKeyEvent* Event)
{
    if (FKeyDown && FKeyDown(Event->key(), Event->modifiers()))
        return;
    QWidget::keyPressEvent(Event);
}
