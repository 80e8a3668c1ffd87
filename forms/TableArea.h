// The client area of the table window: shows the window's surface and reports
// mouse presses, a finger held still on the table, and the keys of keyboard play. Paint requests that come from the system bring the composed
// table back first; those the program makes while drawing show the surface as it is.
#pragma once
#include <QBasicTimer>
#include <QImage>
#include <QPoint>
#include <QWidget>

#include <functional>

class TTableArea : public QWidget
{
public:
    using TRecompose = std::function<void()>;
    using TMouseDown = std::function<void(Qt::MouseButton Button, int X, int Y)>;
    using TRatioChanged = std::function<void(double Ratio)>;
    // Answers whether the key was taken; others go on to the window.
    using TKeyDown = std::function<bool(int Key, Qt::KeyboardModifiers Modifiers)>;
    using TLongPress = std::function<void(int X, int Y)>;

    // The surface may hold more pixels than the widget has units (a
    // high-density screen); when the screen's ratio is no longer the
    // surface's, RatioChanged is asked to rebuild it before it is shown.
    TTableArea(QWidget* Parent, const QImage* Surface, TRecompose Recompose, TMouseDown MouseDown,
               TRatioChanged RatioChanged = {});

    // Shows the surface's rectangle at once, as it stands.
    void ShowNow(const QRect& Rect);
    // From then on the area takes the keyboard focus: it is the only part of
    // its window that does, so it has it whenever the window is active.
    void SetKeyDown(TKeyDown KeyDown);
    // A finger on a touch screen held still for LongPressMilliseconds after
    // its tap; the tap itself came as a left press. A mouse never holds.
    void SetLongPress(TLongPress LongPress) { FLongPress = std::move(LongPress); }
    static constexpr int LongPressMilliseconds = 500;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void timerEvent(QTimerEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;

private:
    const QImage* FSurface;
    TRecompose FRecompose;
    TMouseDown FMouseDown;
    TRatioChanged FRatioChanged;
    TKeyDown FKeyDown;
    TLongPress FLongPress;
    // Runs only while a finger that tapped the table is down.
    QBasicTimer FHold;
    QPoint FHoldAt;
    bool FDrawing = false;
};
