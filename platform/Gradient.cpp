#include "platform/Gradient.h"

#include "platform/Canvas.h"
#include "platform/ProgramWindows.h"
#include "platform/ServerPlace.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

namespace {

constexpr int ButtonWidth = 16;
constexpr int ButtonHeight = 14;
constexpr int ButtonMargin = 2;
constexpr int TextLeft = 4;

} // namespace

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

QRect TGradient::ButtonRect(TTitleButton Button, int Width)
{
    const int Top = (GradientStripHeight - ButtonHeight) / 2;
    const int CloseLeft = Width - ButtonMargin - ButtonWidth;
    switch (Button) {
    case TTitleButton::Close:
        return QRect(CloseLeft, Top, ButtonWidth, ButtonHeight);
    case TTitleButton::Minimize:
        return QRect(CloseLeft - ButtonMargin - ButtonWidth, Top, ButtonWidth, ButtonHeight);
    case TTitleButton::None:
        break;
    }
    return {};
}

bool TGradient::HasButton(TTitleButton Button) const
{
    return (Button == TTitleButton::Close && FButtons != TTitleButtons::None) ||
           (Button == TTitleButton::Minimize && FButtons == TTitleButtons::MinimizeAndClose);
}

TTitleButton TGradient::ButtonAt(const QPoint& Pos) const
{
    for (const TTitleButton Button : {TTitleButton::Minimize, TTitleButton::Close})
        if (HasButton(Button) && ButtonRect(Button, width()).contains(Pos))
            return Button;
    return TTitleButton::None;
}

void TGradient::DrawStrip(TCanvas& Canvas, TTitleState State, const TTitleColours& Colours) const
{
    if (State == TTitleState::Active)
        FillGradient(Canvas, Colours.GradientFrom, Colours.GradientTo);
    else
        Canvas.FillRect(QRect(0, 0, Canvas.Width(), Canvas.Height()), Colours.InactiveFill);
    DrawCaption(Canvas, State, Colours);
    for (const TTitleButton Button : {TTitleButton::Minimize, TTitleButton::Close})
        if (HasButton(Button))
            DrawButton(Canvas, Button, Colours);
}

QFont TGradient::CaptionFont() const
{
    QFont Font = font();
    Font.setBold(true);
    return Font;
}

// Where the caption must end in a strip of the given width: short of the
// first button, or of the right edge.
int TGradient::CaptionRight(int Width) const
{
    if (HasButton(TTitleButton::Minimize))
        return ButtonRect(TTitleButton::Minimize, Width).left() - ButtonMargin;
    if (HasButton(TTitleButton::Close))
        return ButtonRect(TTitleButton::Close, Width).left() - ButtonMargin;
    return Width - ButtonMargin;
}

int TGradient::WidthForCaption() const
{
    // The room the buttons and margins take does not depend on the width.
    const int Reserved = width() - CaptionRight(width());
    return TextLeft + QFontMetrics(CaptionFont()).horizontalAdvance(FFormCaption) + Reserved;
}

// The text stops short of the buttons; a title too long for the strip ends
// in an ellipsis. Its colour contrasts with the band under its middle.
void TGradient::DrawCaption(TCanvas& Canvas, TTitleState State, const TTitleColours& Colours) const
{
    const QFont Font = CaptionFont();
    const QFontMetrics Metrics(Font);
    const int Available = CaptionRight(Canvas.Width()) - TextLeft;
    if (Available <= 0)
        return;
    const QString Text = Metrics.elidedText(FFormCaption, Qt::ElideRight, Available);
    if (Text.isEmpty())
        return;
    const int Middle = TextLeft + Metrics.horizontalAdvance(Text) / 2;
    const QColor Background =
        State == TTitleState::Active
            ? GradientBandColor(BandAt(Middle, GradientBands, Canvas.Width()), GradientBands, Colours.GradientFrom,
                                Colours.GradientTo)
            : Colours.InactiveFill;
    Canvas.Font = Font;
    Canvas.FontColor = ContrastingTextColor(Background);
    Canvas.TextOut(TextLeft, (Canvas.Height() - Metrics.height()) / 2, Text);
}

void TGradient::DrawButton(TCanvas& Canvas, TTitleButton Button, const TTitleColours& Colours) const
{
    const QRect Rect = ButtonRect(Button, Canvas.Width());
    const bool Sunken = Button == FPressedButton && FButtonSunken;
    Canvas.FillRect(Rect, Colours.ButtonFace);
    if (Sunken) {
        DrawEdge(Canvas, Rect, Colours.ButtonDark, Colours.ButtonLight);
        DrawEdge(Canvas, Rect.adjusted(1, 1, -1, -1), Colours.ButtonShadow, Colours.ButtonFace);
    } else {
        DrawEdge(Canvas, Rect, Colours.ButtonLight, Colours.ButtonDark);
        DrawEdge(Canvas, Rect.adjusted(1, 1, -1, -1), Colours.ButtonFace, Colours.ButtonShadow);
    }
    // A pushed-in button shows its glyph one pixel down and to the right.
    const QPoint Origin = Rect.topLeft() + (Sunken ? QPoint(1, 1) : QPoint(0, 0));
    if (Button == TTitleButton::Minimize)
        DrawMinimizeGlyph(Canvas, Origin, Colours.ButtonText);
    else
        DrawCloseGlyph(Canvas, Origin, Colours.ButtonText);
}

// Only room for the buttons and a few letters of the title: a layout that
// fits its window to its contents must not widen the window for the strip,
// which stretches to whatever width it is given.
QSize TGradient::sizeHint() const
{
    return minimumSizeHint();
}

QSize TGradient::minimumSizeHint() const
{
    return QSize(TextLeft + 2 * ButtonWidth + 3 * ButtonMargin, StripHeight());
}
