// The client area of the table window: shows the window's surface and reports
// mouse presses. Paint requests that come from the system bring the composed
// table back first; those the program makes while drawing show the surface as it is.
#pragma once
#include <QImage>
#include <QWidget>

#include <functional>

class TTableArea : public QWidget
{
public:
    using TRecompose = std::function<void()>;
    using TMouseDown = std::function<void(Qt::MouseButton Button, int X, int Y)>;

    TTableArea(QWidget* Parent, const QImage* Surface, TRecompose Recompose, TMouseDown MouseDown);

    // Shows the surface's rectangle at once, as it stands.
    void ShowNow(const QRect& Rect);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;

private:
    const QImage* FSurface;
    TRecompose FRecompose;
    TMouseDown FMouseDown;
    bool FDrawing = false;
};
