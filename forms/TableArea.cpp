#include "forms/TableArea.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

TTableArea::TTableArea(QWidget* Parent, const QImage* Surface, TRecompose Recompose, TMouseDown MouseDown)
    : QWidget(Parent), FSurface(Surface), FRecompose(std::move(Recompose)), FMouseDown(std::move(MouseDown))
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
    if (!FDrawing)
        FRecompose();
    QPainter Painter(this);
    Painter.drawImage(Event->rect(), *FSurface, Event->rect());
}

void TTableArea::mousePressEvent(QMouseEvent* Event)
{
    const QPoint Point = Event->position().toPoint();
    // The status line takes no clicks, but Qt hands them on to the table below it.
    if (childAt(Point))
        return;
    FMouseDown(Event->button(), Point.x(), Point.y());
}
