#include "forms/TableArea.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

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
    FMouseDown(Event->button(), Point.x(), Point.y());
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
