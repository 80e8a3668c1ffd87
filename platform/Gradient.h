// The title strip of a frameless window: a colour gradient while the window is
// active, the title text, and minimise and close buttons; dragging it moves the window.
#pragma once
#include "platform/GradientPaint.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

class TCanvas;

class TGradient : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString FormCaption READ FormCaption WRITE SetFormCaption)
public:
    // Form is the top-level window the strip belongs to; it becomes the parent.
    // The owner places the strip (at the top of its layout); until a layout of
    // the form takes it, it spans the form's width at the top edge.
    TGradient(const QString& Name, QWidget* Form, TTitleButtons Buttons = TTitleButtons::MinimizeAndClose);

    QString FormCaption() const { return FFormCaption; }
    // A text equal to the current one changes nothing; any other text is shown
    // at the next paint and becomes the form's window title at once.
    void SetFormCaption(const QString& Value);

    static int StripHeight() { return GradientStripHeight; }

    // Follows the form's activation.
    TTitleState State() const;
    // Where the buttons lie in a strip of the given width.
    static QRect ButtonRect(TTitleButton Button, int Width);
    TTitleButton ButtonAt(const QPoint& Pos) const;
    // The width a strip needs to show its whole caption beside its buttons.
    int WidthForCaption() const;
    // Paints the whole strip for the given state into a canvas of the strip's size.
    void DrawStrip(TCanvas& Canvas, TTitleState State, const TTitleColours& Colours) const;
    // What the strip shows now, drawn first if it is out of date.
    const QImage& Surface() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;

private:
    // Marks the strip for drawing at the next paint; start-up changes the
    // caption, the size and the activation several times before the window
    // shows, and only the last state is worth drawing.
    void Redraw();
    void DrawIfStale() const;
    void FollowFormWidth();
    void PressButton(TTitleButton Button);
    void StartMove(const QPoint& GlobalPos, const QPoint& Pos);
    void DrawCaption(TCanvas& Canvas, TTitleState State, const TTitleColours& Colours) const;
    void DrawButton(TCanvas& Canvas, TTitleButton Button, const TTitleColours& Colours) const;
    QFont CaptionFont() const;
    int CaptionRight(int Width) const;

    bool HasButton(TTitleButton Button) const;

    QWidget* FForm;
    TTitleButtons FButtons;
    QString FFormCaption;
    mutable QImage FSurface;
    mutable bool FStale = true;
    // The button under a press that has not been let go; it acts only when the
    // press ends over it, as title bar buttons do.
    TTitleButton FPressedButton = TTitleButton::None;
    // The pressed button looks pushed in only while the mouse is over it.
    bool FButtonSunken = false;
    // Moving by hand, wherever the program may place its windows itself.
    bool FDragging = false;
    QPoint FDragStart;
    QPoint FFormStart;
};
